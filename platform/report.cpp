// The common reports of failed opens, reads and writes.
#include "platform/report.h"

#include <cstring>

#include "platform/text_reader.h"

namespace platform {

namespace {
constexpr char kReadErrorFormat[] = "\nRead error on file: %s: %s\n";
constexpr char kLongLineFormat[] = "\nLine %d of %s is longer than 1048576 bytes\n";
static_assert(kLongestLine == 1048576, "the over-long line's report names the longest line");
constexpr char kWriteErrorFormat[] = "\nWrite error on file: %s: %s\n";
}  // namespace

std::string error_text(int error) { return std::strerror(error); }

std::string open_failure_report(const std::string& name, int error) {
  return name + ": " + error_text(error) + "\n";
}

std::string read_error_report(const std::string& name, int error) {
  return format(kReadErrorFormat, name.c_str(), error_text(error).c_str());
}

std::string long_line_report(int line_number, const std::string& name) {
  return format(kLongLineFormat, line_number, name.c_str());
}

std::string write_error_report(const std::string& name, int error) {
  return format(kWriteErrorFormat, name.c_str(), error_text(error).c_str());
}

}  // namespace platform
