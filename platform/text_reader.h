// Reads a text input line by line the way a text-mode stream of the programs' original platform
// delivered it: a CR LF pair comes back as LF and a byte 0x1A ends the input. Every line comes back
// whole, the last one too when no line feed ends it; a line too long for any program to take is
// reported instead, after reading no more of it than the limit and one byte.
#pragma once

#include <cstddef>
#include <string>

#include "platform/input_file.h"

namespace platform {

// The longest line any program takes: its bytes after the CR LF conversion, the line feed not
// counted. A longer line stops the run, so that no input can exhaust memory.
constexpr std::size_t kLongestLine = 1048576;

enum class LineStatus {
  kLine,     // a whole line arrived: through its line feed, or the input's last line without one
  kEnd,      // no line is left (0x1A or the last byte met); the text is empty
  kTooLong,  // the line holds more than the longest line's bytes; line_number() names it
  kError,    // the system failed to read; error() holds its error number
};

class TextReader {
 public:
  // Tests and fuzz harnesses pass a shorter longest line to reach the over-long line cheaply.
  explicit TextReader(InputFile file, std::size_t longest_line = kLongestLine)
      : file_(std::move(file)), longest_line_(longest_line) {}

  // Reads the next line into `line`, its line feed included when it has one. NUL bytes are kept:
  // each program decides what a NUL inside a line means. After kTooLong or kError every later
  // read gives the same status again.
  LineStatus read_line(std::string& line);

  int error() const { return error_; }

  // The number of the line the last read delivered or found too long, counting the lines of the
  // input from 1 (it stays at the largest int on an input of more lines than that).
  int line_number() const { return line_number_; }

 private:
  int peek_raw();
  int next_byte();
  void count_line();
  // Grows the line's room for `more` bytes in steps that never pass the longest line and its line
  // feed.
  void make_room(std::string& line, std::size_t more) const;
  // Moves the buffered bytes that need no look of their own into the line at once, never past the
  // longest line.
  void take_plain_bytes(std::string& line);

  InputFile file_;
  std::size_t longest_line_;
  std::string buffer_;
  std::size_t pos_ = 0;
  bool source_done_ = false;
  bool at_end_ = false;
  bool too_long_ = false;
  int error_ = 0;
  int line_number_ = 0;
};

}  // namespace platform
