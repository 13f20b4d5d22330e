// The editor's results on LEXMOOR's console.
#include "phrase_tool/phrase_edit.h"

#include <new>
#include <string>

#include "big5dict/bytes.h"
#include "phrase_tool/messages.h"
#include "platform/message_writer.h"

namespace phrase_tool {

namespace {

using big5dict::phrase::EditOutcome;
using big5dict::phrase::EditResult;

constexpr const char* kUnmarkedEntryMessages[big5dict::phrase::kSearchStages] = {
    msg::kFreqSearch1, msg::kFreqSearch2, msg::kFreqSearch3};

void print_phrase(std::ostream& out, const char* format, std::string_view text) {
  platform::MessageWriter(out).print(format, std::string(text).c_str());
}

StopStatus report(const EditResult& result, const RunFlags& flags, std::string_view phrase, const Console& console) {
  for (std::size_t stage = 0; stage < big5dict::phrase::kSearchStages; ++stage) {
    for (int i = 0; i < result.unmarked_entries[stage]; ++i) console.out << kUnmarkedEntryMessages[stage];
  }
  switch (result.outcome) {
    case EditOutcome::kTooLong:
      print_phrase(console.out, msg::kPhraseTooLong, phrase);
      return Outcome::kContentFault;
    case EditOutcome::kAdded:
      if (flags.list_added) {
        console.out << phrase << msg::kAddedEchoEnd;
      } else {
        console.out << msg::kAddedMark;
      }
      break;
    case EditOutcome::kDeleted:
      console.out << msg::kDeletedMark;
      break;
    case EditOutcome::kMissing:
      print_phrase(console.out, msg::kNotPresent, result.missing_tail());
      break;
    case EditOutcome::kBucketFull:
      print_phrase(console.out, msg::kBucketFull, phrase);
      break;
    case EditOutcome::kIgnored:
    case EditOutcome::kPresent:
    case EditOutcome::kAbsent:
      break;
  }
  return std::nullopt;
}

}  // namespace

StopStatus edit_phrase(big5dict::phrase::PhraseTable& table, const RunFlags& flags, std::string_view phrase,
                       big5dict::phrase::EditRequest request, const Console& console) {
  phrase = big5dict::text_before_nul(phrase);
  try {
    return report(big5dict::phrase::edit_phrase(table, phrase, request, flags.at_end), flags, phrase, console);
  } catch (const std::bad_alloc&) {
    console.err << msg::kMemoryFull;
    return Outcome::kContentFault;
  }
}

}  // namespace phrase_tool
