// The phrase dictionary's checks as DBGVIEW shows them: each finding of the library in the words of
// the viewer, and the summary's lines.
#include "dictionary_viewer/phrase_examiner.h"

#include "big5dict/phrase_checks.h"
#include "dictionary_viewer/messages.h"
#include "platform/message_writer.h"

namespace dictionary_viewer {

namespace {

namespace phrase = big5dict::phrase;
using phrase::Rule;

std::string place_of(const phrase::PhraseFinding& f) {
  switch (f.rule) {
    case Rule::kNoIdentificationEnd: return msg::kIdentificationPlace;
    case Rule::kBytesAfterLastBucket: return msg::kDataAreaPlace;
    default: return platform::format(msg::kSlotPlace, static_cast<int>(f.place));
  }
}

std::string text_of(const phrase::PhraseFinding& f) {
  switch (f.rule) {
    case Rule::kNoIdentificationEnd: return msg::kNoIdentificationEnd;
    case Rule::kBucketTooLong: return platform::format(msg::kBucketTooLong, static_cast<std::size_t>(f.a));
    case Rule::kDataAreaShort:
      return platform::format(msg::kDataAreaShort, static_cast<std::size_t>(f.a), shown({f.b, f.c != 0}).c_str());
    case Rule::kNulInBucket: return msg::kNulInBucket;
    case Rule::kNoFrequencyUnit: return platform::format(msg::kNoFrequencyUnit, static_cast<unsigned>(f.a));
    case Rule::kEntryWithoutCharacters: return msg::kEntryWithoutCharacters;
    case Rule::kTwoAfterLong: return msg::kTwoAfterLong;
    case Rule::kNotBig5Stored:
      return platform::format(msg::kNotBig5Stored, static_cast<unsigned>(f.a), static_cast<unsigned>(f.b),
                              static_cast<unsigned>(f.c));
    case Rule::kPhraseTooLong: return platform::format(msg::kPhraseTooLong, static_cast<int>(f.a));
    case Rule::kBytesAfterLastBucket: return platform::format(msg::kBytesAfterLastBucket, shown({f.a, f.b != 0}).c_str());
    case Rule::kShortLongEntry: return msg::kShortLongEntry;
  }
  return "";
}

void summarise(const phrase::Summary& summary, Examination& result) {
  std::string& s = result.summary;
  s += platform::format(msg::kIdentification, summary.identification.c_str());
  s += platform::format(msg::kSlotsUsed, summary.slots_used, phrase::kSlotCount);
  s += platform::format(msg::kPhrases, summary.phrases);
  const char* separator = " (";
  for (const auto& [length, n] : summary.by_length) {
    s += platform::format(msg::kPhrasesOfLength, separator, length, n);
    separator = ", ";
  }
  s += summary.by_length.empty() ? "\n" : ")\n";
  if (summary.largest_slot < 0) {
    s += msg::kNoBucket;
  } else {
    const big5dict::Big5Char c = phrase::slot_character(summary.largest_slot);
    s += platform::format(msg::kLargestBucket, summary.largest, summary.largest_slot, c.lead, c.trail);
  }
  s += platform::format(msg::kDataArea, summary.data_area);
}

}  // namespace

void examine_phrase_dictionary(std::string_view file, FileLength file_length, bool with_text, Examination& result) {
  FindingsInto<Rule> findings(result, place_of, text_of);
  summarise(phrase::check_phrase_dictionary(file, file_length, findings, with_text ? &result.text : nullptr), result);
}

}  // namespace dictionary_viewer
