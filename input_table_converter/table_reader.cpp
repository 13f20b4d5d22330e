// The read loop over an input table: header line first, then entry lines to the end.
#include "input_table_converter/table_reader.h"

#include <limits>

#include "big5dict/bytes.h"
#include "big5dict/input_text.h"
#include "input_table_converter/input_table.h"
#include "input_table_converter/messages.h"
#include "platform/line_step.h"

namespace input_table_converter {

namespace input = big5dict::input;

StopStatus TableReader::read_header(input::DictHeader& header) {
  for (;;) {
    // An over-long line is numbered over the lines of the file, comments included.
    const platform::LineStep step = platform::next_line(reader_, input_name_, line_, out_);
    if (step == platform::LineStep::kReadError) return Outcome::kReadError;
    if (step == platform::LineStep::kTooLong) return Outcome::kLongLine;
    if (step == platform::LineStep::kEnd) {
      out_.print(msg::kNoHeaderLine, input_name_.c_str());
      return Outcome::kNoHeaderLine;
    }
    if (line_.empty() || line_[0] != input::kCommentMark) break;
  }
  line_number_ = 1;

  HeaderResult result = parse_header_line(big5dict::text_before_nul(line_), header);
  switch (result.fault) {
    case HeaderFault::kNone:
      break;
    case HeaderFault::kNoShortName:
      out_.write(msg::kNoShortName);
      return Outcome::kHeaderFault;
    case HeaderFault::kKeyTypeUnknown:
      out_.print(msg::kKeyTypeUnknown, result.byte);
      return Outcome::kHeaderFault;
    case HeaderFault::kMaxLenOutOfRange:
      out_.print(msg::kMaxLenOutOfRange, result.byte);
      return Outcome::kHeaderFault;
  }
  out_.print(msg::kRows, header.qu_start, header.qu_end);
  return std::nullopt;
}

StopStatus TableReader::read_entries(const input::DictHeader& header, input::KeyTable& key) {
  const auto type = static_cast<input::KeyType>(header.key_type);
  for (;;) {
    // An over-long line is numbered over the lines of the file, comments included.
    const platform::LineStep step = platform::next_line(reader_, input_name_, line_, out_);
    if (step == platform::LineStep::kReadError) return Outcome::kReadError;
    if (step == platform::LineStep::kTooLong) return Outcome::kLongLine;
    if (step == platform::LineStep::kEnd) return std::nullopt;
    if (line_number_ < std::numeric_limits<int>::max()) ++line_number_;

    const std::string_view text = big5dict::text_before_nul(line_);
    const EntryLine entry = split_entry_line(text, type);
    if (!entry.is_entry) continue;
    if (input::key_size_exceeded(stop_byte(text, entry))) {
      echoed_line(text, entry, echo_);
      out_.print(msg::kMaxKeySizeExceeded, line_number_, echo_.c_str());
    }
    store_characters(key, entry.characters, entry.key.code, header.qu_start);
    ++entry_count_;
  }
}

void TableReader::store_characters(input::KeyTable& key, std::string_view run, std::uint32_t code,
                                   std::uint8_t qu_start) {
  for (std::size_t i = 0; i + 1 < run.size(); i += 2) {
    const auto lead = static_cast<std::uint8_t>(run[i]);
    const auto trail = static_cast<std::uint8_t>(run[i + 1]);
    const int hash = input::character_hash(lead, trail, qu_start);
    switch (input::store_code(key, hash, code)) {
      case input::Stored::kStored:
        break;
      case input::Stored::kNoSlot:
        out_.print(msg::kOutOfRange, lead, trail, line_number_, hash);
        break;
      case input::Stored::kAlreadyDefined:
        out_.print(msg::kAlreadyDefined, hash, line_number_);
        break;
    }
  }
}

}  // namespace input_table_converter
