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

TableOutcome TableReader::read_header(DictHeader& header) {
  for (;;) {
    platform::LineStatus status = next_line();
    if (status == platform::LineStatus::kError) return TableOutcome::kReadError;
    if (status == platform::LineStatus::kTooLong) return TableOutcome::kLongLine;
    if (status == platform::LineStatus::kEnd) {
      out_.print(msg::kNoHeaderLine, input_name_.c_str());
      return TableOutcome::kNoHeaderLine;
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
      return TableOutcome::kHeaderFault;
    case HeaderFault::kKeyTypeUnknown:
      out_.print(msg::kKeyTypeUnknown, result.byte);
      return TableOutcome::kHeaderFault;
    case HeaderFault::kMaxLenOutOfRange:
      out_.print(msg::kMaxLenOutOfRange, result.byte);
      return TableOutcome::kHeaderFault;
  }
  out_.print(msg::kRows, header.qu_start, header.qu_end);
  return TableOutcome::kRead;
}

TableOutcome TableReader::read_entries(const DictHeader& header, KeyTable& key) {
  const auto type = static_cast<KeyType>(header.key_type);
  for (;;) {
    platform::LineStatus status = next_line();
    if (status == platform::LineStatus::kError) return TableOutcome::kReadError;
    if (status == platform::LineStatus::kTooLong) return TableOutcome::kLongLine;
    if (status == platform::LineStatus::kEnd) return TableOutcome::kRead;
    if (line_number_ < std::numeric_limits<int>::max()) ++line_number_;

    std::string_view text = line_text(line_);
    EntryLine entry = split_entry_line(text, type);
    if (!entry.is_entry) continue;
    if (key_size_exceeded(stop_byte(text, entry))) {
      echoed_line(text, entry, echo_);
      out_.print(msg::kMaxKeySizeExceeded, line_number_, echo_);
    }
    store_characters(key, entry.characters, entry.key.code, line_number_, header.qu_start, out_);
    ++entry_count_;
  }
}

}  // namespace input_table_converter
