// One step of a line loop over a text input, as every program takes it: the next line, the end of
// the input, or a fault that stops the run, reported on the spot the way every program reports it
// (a read error, or a line longer than any program takes).
#pragma once

#include <string>

#include "platform/message_writer.h"
#include "platform/text_reader.h"

namespace platform {

enum class LineStep {
  kLine,
  kEnd,
  kReadError,  // "\nRead error on file: NAME: reason\n" was written
  kTooLong,    // "\nLine N of NAME is longer than 1048576 bytes\n" was written, N counting from 1
};

// Reads the next line of `reader` into `line`; `name` is the input's name as the reports give it.
LineStep next_line(TextReader& reader, const std::string& name, std::string& line, MessageWriter& out);

}  // namespace platform
