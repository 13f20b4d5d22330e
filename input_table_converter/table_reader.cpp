// The read loop over an input table: header line first, then entry lines to the end.
#include "input_table_converter/table_reader.h"

#include <limits>

#include "input_table_converter/input_table.h"
#include "input_table_converter/key_encoding.h"
#include "input_table_converter/messages.h"
#include "platform/report.h"

namespace input_table_converter {

platform::LineStatus TableReader::next_line() {
  platform::LineStatus status = reader_.read_line(line_);
  if (status == platform::LineStatus::kError) {
    out_.write(platform::read_error_report(input_name_, reader_.error()));
  }
  // Numbered over the lines of the file, comments before the header line included.
  if (status == platform::LineStatus::kTooLong) {
    out_.write(platform::long_line_report(reader_.line_number(), input_name_));
  }
  return status;
}

StopStatus TableReader::read_header(DictHeader& header) {
  for (;;) {
    platform::LineStatus status = next_line();
    if (status == platform::LineStatus::kError) return Outcome::kReadError;
    if (status == platform::LineStatus::kTooLong) return Outcome::kLongLine;
    if (status == platform::LineStatus::kEnd) {
      out_.print(msg::kNoHeaderLine, input_name_.c_str());
      return Outcome::kNoHeaderLine;
    }
    if (line_.empty() || line_[0] != kCommentMark) break;
  }
  line_number_ = 1;

  HeaderResult result = parse_header_line(line_text(line_), header);
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

StopStatus TableReader::read_entries(const DictHeader& header, KeyTable& key) {
  const auto type = static_cast<KeyType>(header.key_type);
  for (;;) {
    platform::LineStatus status = next_line();
    if (status == platform::LineStatus::kError) return Outcome::kReadError;
    if (status == platform::LineStatus::kTooLong) return Outcome::kLongLine;
    if (status == platform::LineStatus::kEnd) return std::nullopt;
    if (line_number_ < std::numeric_limits<int>::max()) ++line_number_;

    std::string_view text = line_text(line_);
    EntryLine entry = split_entry_line(text, type);
    if (!entry.is_entry) continue;
    if (key_size_exceeded(stop_byte(text, entry))) {
      echoed_line(text, entry, echo_);
      out_.print(msg::kMaxKeySizeExceeded, line_number_, echo_.c_str());
    }
    store_characters(key, entry.characters, entry.key.code, header.qu_start);
    ++entry_count_;
  }
}

void TableReader::store_characters(KeyTable& key, std::string_view run, std::uint32_t code, std::uint8_t qu_start) {
  for (std::size_t i = 0; i + 1 < run.size(); i += 2) {
    auto lead = static_cast<std::uint8_t>(run[i]);
    auto trail = static_cast<std::uint8_t>(run[i + 1]);
    const int hash = character_hash(lead, trail, qu_start);
    switch (store_code(key, hash, code)) {
      case Stored::kStored:
        break;
      case Stored::kNoSlot:
        out_.print(msg::kOutOfRange, lead, trail, line_number_, hash);
        break;
      case Stored::kAlreadyDefined:
        out_.print(msg::kAlreadyDefined, hash, line_number_);
        break;
    }
  }
}

}  // namespace input_table_converter
