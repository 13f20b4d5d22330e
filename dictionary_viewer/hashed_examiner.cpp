// The hashed phrase dictionary's checks as DBGVIEW shows them: each finding of the library in the
// words of the viewer, and the summary's lines.
#include "dictionary_viewer/hashed_examiner.h"

#include "big5dict/hashed_checks.h"
#include "big5dict/hashed_layout.h"
#include "dictionary_viewer/messages.h"
#include "platform/message_writer.h"

namespace dictionary_viewer {

namespace {

namespace hashed = big5dict::hashed;
using hashed::Rule;

std::string place_of(const hashed::HashedFinding& f) {
  if (f.rule == Rule::kFileLength) return platform::format(msg::kWordPlace, static_cast<std::size_t>(f.place));
  return platform::format(msg::kBucketPlace, static_cast<std::size_t>(f.place));
}

std::string text_of(const hashed::HashedFinding& f) {
  switch (f.rule) {
    case Rule::kOffsetGoesBack:
      return platform::format(msg::kOffsetGoesBack, static_cast<unsigned long>(f.a), static_cast<unsigned long>(f.b));
    case Rule::kFileLength:
      return platform::format(msg::kFileLength, static_cast<unsigned long long>(f.a), shown({f.b, f.c != 0}).c_str());
    case Rule::kBucketPastEnd: return msg::kBucketPastEnd;
    case Rule::kKeyByteOutside: return platform::format(msg::kKeyByteOutside, static_cast<unsigned>(f.a));
    case Rule::kKeyByteCapital:
      return platform::format(msg::kKeyByteCapital, static_cast<unsigned>(f.a), static_cast<int>(f.b));
    case Rule::kKeyTooLong: return platform::format(msg::kKeyTooLong, static_cast<std::size_t>(f.a));
    case Rule::kUnitCut: return msg::kUnitCut;
    case Rule::kNotBig5Phrase:
      return platform::format(msg::kNotBig5Phrase, static_cast<unsigned>(f.a), static_cast<unsigned>(f.b));
    case Rule::kWrongBucket: return platform::format(msg::kWrongBucket, f.text.c_str(), static_cast<std::size_t>(f.a));
  }
  return "";
}

void summarise(const hashed::Summary& summary, Examination& result) {
  std::string& s = result.summary;
  s += platform::format(msg::kRecords, summary.records);
  s += platform::format(msg::kHashedPhrases, summary.phrases);
  s += platform::format(msg::kMaxLen, summary.max_length);
  s += platform::format(msg::kBucketsUsed, summary.buckets_used, hashed::kBucketCount);
  s += platform::format(msg::kDataArea, summary.data_area);
  if (summary.spelled > 0) s += platform::format(msg::kSpelledRecords, summary.spelled);
}

}  // namespace

void examine_hashed_dictionary(std::string_view file, FileLength file_length, bool with_text, Examination& result) {
  FindingsInto<Rule> findings(result, place_of, text_of);
  summarise(hashed::check_hashed_dictionary(file, file_length, findings, with_text ? &result.text : nullptr), result);
}

}  // namespace dictionary_viewer
