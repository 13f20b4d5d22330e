// Messages every program prints the same way: the system's report for a file that does not open,
// and the reports of failed reads, over-long lines and failed writes.
#pragma once

#include <string>

#include "platform/message_writer.h"

namespace platform {

// The system's text for an error number, as the standard error report prints it.
std::string error_text(int error);

// "name: text\n", the system's standard report for a file that cannot be opened.
std::string open_failure_report(const std::string& name, int error);

// "\nRead error on file: name: text\n"
std::string read_error_report(const std::string& name, int error);

// "\nLine n of name is longer than 1048576 bytes\n": the line that stops the run, numbered from
// the input's first line.
std::string long_line_report(int line_number, const std::string& name);

// "\nWrite error on file: name: text\n"
std::string write_error_report(const std::string& name, int error);

}  // namespace platform
