// Reads a text input line by line the way a text-mode stream of the programs' original platform
// delivered it: a CR LF pair comes back as LF, a byte 0x1A ends the input, and a read stops after
// a line feed or after its byte limit. The limit counts the bytes after that conversion.
#pragma once

#include <cstddef>
#include <string>

#include "platform/input_file.h"

namespace platform {

enum class LineStatus {
  kLine,   // a line arrived and the end of the input was not met
  kEnd,    // the read met the end of the input (0x1A or the last byte); its text is not used
  kError,  // the system failed to read; error() holds its error number
};

class TextReader {
 public:
  explicit TextReader(InputFile file) : file_(std::move(file)) {}

  // Reads at most max_bytes bytes into `line`, through the first line feed. NUL bytes are kept:
  // each program decides what a NUL inside a line means.
  LineStatus read_line(std::string& line, std::size_t max_bytes);

  int error() const { return error_; }

 private:
  int peek_raw();
  int next_byte();

  InputFile file_;
  std::string buffer_;
  std::size_t pos_ = 0;
  bool source_done_ = false;
  bool at_end_ = false;
  int error_ = 0;
};

}  // namespace platform
