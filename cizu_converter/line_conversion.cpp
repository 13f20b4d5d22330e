// The line loop over a CiZu table: progress, comments, folding, the record and its bucket.
#include "cizu_converter/line_conversion.h"

#include "cizu_converter/messages.h"
#include "cizu_converter/record_builder.h"
#include "platform/report.h"

namespace cizu_converter {

StopStatus convert_lines(platform::TextReader& reader, const std::string& input_name, Conversion& c,
                         platform::MessageWriter& out) {
  // Both buffers keep their room from line to line, so a line costs no allocation of its own.
  std::string line;
  Record record;
  for (;;) {
    platform::LineStatus status = reader.read_line(line);
    if (status == platform::LineStatus::kError) {
      out.write(platform::read_error_report(input_name, reader.error()));
      return Outcome::kReadError;
    }
    if (status == platform::LineStatus::kTooLong) {
      out.write(platform::long_line_report(reader.line_number(), input_name));
      return Outcome::kLongLine;
    }
    if (status == platform::LineStatus::kEnd) return std::nullopt;
    ++c.lines;
    out.print(msg::kProgress, c.phrases, c.lines);
    if (is_comment(line)) continue;
    fold_leading_capitals(line);
    build_record(line, record);
    c.table.add_record(key_hash(line), record.bytes);
    c.phrases += record.phrases;
  }
}

}  // namespace cizu_converter
