// Big5 text to UTF-8 through the C library's iconv and its "BIG5" encoding, one character at a
// time, so that one character without a UTF-8 form spoils nothing around it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "dictionary_viewer/examination.h"

namespace dictionary_viewer {

struct Utf8Text {
  std::string text;
  std::size_t unconvertible = 0;  // characters shown as \xHH\xHH (or a lone byte as \xHH)
};

class Big5ToUtf8 {
 public:
  Big5ToUtf8();
  ~Big5ToUtf8();
  Big5ToUtf8(const Big5ToUtf8&) = delete;
  Big5ToUtf8& operator=(const Big5ToUtf8&) = delete;

  // False when the system's iconv has no conversion from BIG5 to UTF-8.
  bool available() const;

  // Bytes below 0x80 pass through; a byte of 0x80 or above and the byte after it are one character,
  // unless that byte is a line feed or there is none: then the lone byte is escaped.
  Utf8Text convert(std::string_view big5);

 private:
  bool convert_character(std::string_view pair, std::string& out);

  void* descriptor_;  // iconv_t
};

// The summary's Big5 fields (names, identification, characters in findings) converted in place. The
// file's name is not in them: it is given in the terminal's own encoding. Returns the characters
// shown as \xHH\xHH.
std::size_t convert_summary(Big5ToUtf8& converter, Examination& examination);

}  // namespace dictionary_viewer
