// Big5 text to UTF-8 in the variant the user names, code by code through the variant's code table,
// so that a code without an exact UTF-8 form spoils nothing around it and comes back from its
// escape.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "dictionary_viewer/big5_code_table.h"
#include "dictionary_viewer/examination.h"
#include "platform/big5_variants.h"

namespace dictionary_viewer {

struct Utf8Text {
  std::string text;
  std::size_t escaped = 0;      // codes written as \xHH\xHH (a lone byte as \xHH)
  std::size_t private_use = 0;  // characters written as private-use code points
};

// Where a backslash of the Big5 text could be taken for an escape on the way back: B5IMPORT reads
// escapes everywhere but in keys, so there a backslash that stands before "x" and two hexadecimal
// digits is written as the escape \x5C. A key keeps its backslashes.
enum class Backslashes {
  kKept,                // a summary, read by no program; or a text whose every line begins with its key
  kEscaped,             // a text without keys
  kEscapedInFirstLine,  // a header line, then lines that begin with their key
};

class Big5ToUtf8 {
 public:
  explicit Big5ToUtf8(platform::Big5Variant variant = platform::kDefaultVariant);

  // False when the system's iconv cannot convert between the variant and UTF-8.
  bool available() const { return table_.available(); }
  platform::Big5Variant variant() const { return variant_; }

  // Bytes below 0x80 pass through; a byte of 0x80 or above and the byte after it are one code,
  // unless that byte is a line feed or there is none: then the lone byte is escaped.
  Utf8Text convert(std::string_view big5, Backslashes backslashes = Backslashes::kKept) const;

 private:
  platform::Big5Variant variant_;
  const Big5CodeTable& table_;
};

// The summary's Big5 fields (names, identification, characters in findings) converted in place. The
// file's name is not in them: it is given in the terminal's own encoding. Adds what it escaped and
// what came out as private-use code points to `counts`.
void convert_summary(const Big5ToUtf8& converter, Examination& examination, Utf8Text& counts);

}  // namespace dictionary_viewer
