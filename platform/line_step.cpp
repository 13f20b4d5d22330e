// A line read, or its fault reported.
#include "platform/line_step.h"

#include "platform/report.h"

namespace platform {

LineStep next_line(TextReader& reader, const std::string& name, std::string& line, MessageWriter& out) {
  switch (reader.read_line(line)) {
    case LineStatus::kLine:
      return LineStep::kLine;
    case LineStatus::kEnd:
      return LineStep::kEnd;
    case LineStatus::kError:
      out.write(read_error_report(name, reader.error()));
      return LineStep::kReadError;
    case LineStatus::kTooLong:
      out.write(long_line_report(reader.line_number(), name));
      return LineStep::kTooLong;
  }
  return LineStep::kEnd;
}

}  // namespace platform
