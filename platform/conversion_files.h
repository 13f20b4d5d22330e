// The two files of a conversion, opened in the order both converters keep: the input, then the
// check that the output can be written.
#pragma once

#include <ostream>
#include <string>

#include "platform/input_file.h"
#include "platform/message_writer.h"
#include "platform/replaced_file.h"

namespace platform {

// Opens both and prints `converting`, a format that takes the two names. Returns false after
// reporting, on `err` and behind every message already written to `out`, the first file that does
// not open; the output is then not looked at when the input failed.
bool open_conversion_files(const std::string& input_name, InputFile& input, const std::string& output_name,
                           ReplacedFile& output, const char* converting, MessageWriter& out, std::ostream& err);

}  // namespace platform
