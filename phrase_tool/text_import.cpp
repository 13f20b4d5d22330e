// Importing phrase source text: head lines open a slot and list the second characters of its
// two-character phrases, "--" lines each add one longer phrase to the current slot.
#include "phrase_tool/text_import.h"

#include <cstdint>
#include <optional>
#include <string_view>

#include "big5dict/bytes.h"
#include "big5dict/phrase_entry.h"
#include "big5dict/phrase_text.h"
#include "phrase_tool/messages.h"
#include "platform/input_file.h"
#include "platform/line_step.h"
#include "platform/message_writer.h"

namespace phrase_tool {

using namespace big5dict::phrase;

namespace {

std::uint8_t byte_at(std::string_view text, std::size_t i) { return static_cast<std::uint8_t>(text[i]); }

class SourceImport {
 public:
  SourceImport(PhraseTable& table, platform::MessageWriter& out) : table_(table), out_(out) {}

  StopStatus line(std::string_view text, int number);
  void finish() { store_current(); }

 private:
  enum class Position {
    kNoHeadYet,       // a continuation line here has no slot at all to go to
    kInSlot,          // continuation lines add to the current slot
    kAfterSlotless,   // the last head line's character has no slot: its continuation lines neither
  };

  void head_line(std::string_view text, int slot, int number);
  void continuation_line(std::string_view text, int number);
  void store_current() {
    if (current_) table_.set_bucket(*current_, accumulated_);
  }

  PhraseTable& table_;
  platform::MessageWriter& out_;
  Position position_ = Position::kNoHeadYet;
  std::optional<int> current_;
  std::string accumulated_;
};

StopStatus SourceImport::line(std::string_view text, int number) {
  const SourceLineKind kind = source_line_kind(text);
  const bool continuation = kind == SourceLineKind::kContinuation;
  if (kind == SourceLineKind::kHead) {
    int slot = slot_index(byte_at(text, 0), byte_at(text, 1));
    if (has_slot(slot)) {
      head_line(text, slot, number);
    } else {
      position_ = Position::kAfterSlotless;  // the current slot stays, its bucket still to store
    }
    return std::nullopt;
  }
  if (continuation && position_ == Position::kNoHeadYet) {
    out_.print(msg::kErrorAtLine, number);
    return Outcome::kContentFault;
  }
  if (continuation && position_ == Position::kInSlot) {
    continuation_line(text, number);
    return std::nullopt;
  }
  out_.print(msg::kSkipLine, number, std::string(text).c_str());
  return std::nullopt;
}

void SourceImport::head_line(std::string_view text, int slot, int number) {
  store_current();
  current_ = slot;
  position_ = Position::kInSlot;
  std::string_view run = listed_characters(text, kCharacterBytes);
  accumulated_.clear();
  for (std::size_t i = 0; i < run.size(); i += 2) {
    const std::string_view second = run.substr(i, kCharacterBytes);
    // A head line can list more phrases than a bucket takes; the bucket stays under 16384 bytes
    // so that the file written from it can be read back, and the line is reported once.
    if (accumulated_.size() + entry_bytes(second) >= kBucketLimit) {
      out_.print(msg::kImportBucketFull, number);
      return;
    }
    append_entry(accumulated_, second, EntryKind::kTwoCharacter);
  }
}

void SourceImport::continuation_line(std::string_view text, int number) {
  std::string_view run = listed_characters(text, kCharacterBytes);
  if (run.empty()) return;
  // A bucket stays under 16384 bytes so that the file written from it can be read back.
  if (accumulated_.size() + entry_bytes(run) >= kBucketLimit) {
    out_.print(msg::kImportBucketFull, number);
    return;
  }
  // A "--" line of one character still makes a long entry, as it says.
  append_entry(accumulated_, run, EntryKind::kLong);
}

}  // namespace

StopStatus import_source(const std::string& name, PhraseTable& table, std::ostream& out) {
  platform::InputFile file;
  std::string opened = name;
  if (file.open(name) != 0) {
    opened = msg::kDefaultSourceName;
    if (file.open(opened) != 0) {
      out << msg::kCantOpenSource;
      return Outcome::kFileFault;
    }
  }
  out << platform::format(msg::kReadingSource, opened.c_str());
  platform::TextReader reader(std::move(file));
  return import_lines(reader, opened, table, out);
}

StopStatus import_lines(platform::TextReader& reader, const std::string& name, PhraseTable& table,
                        std::ostream& stream) {
  platform::MessageWriter out(stream);
  SourceImport import(table, out);
  std::string line;
  int number = 0;
  while (true) {
    const platform::LineStep step = platform::next_line(reader, name, line, out);
    if (step == platform::LineStep::kReadError) return Outcome::kFileFault;
    if (step == platform::LineStep::kTooLong) return Outcome::kContentFault;
    if (step == platform::LineStep::kEnd) break;
    ++number;
    out.print(msg::kLineProgress, number);
    const std::string_view text = big5dict::text_before_nul(line);  // a NUL ends the line's text
    if (StopStatus stop = import.line(text, number)) return stop;
  }
  import.finish();
  return std::nullopt;
}

}  // namespace phrase_tool
