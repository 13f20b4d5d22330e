// A look-up in any of the three dictionary files: the file's format decides what the text looked
// for may be and what is found for it.
//
// file              | looked for                  | found
// ------------------+-----------------------------+----------------------------------------------
// phrase dictionary | one character               | the phrases under it, in bucket order
// phrase dictionary | two or more characters      | the phrase itself, when it is there
// hashed dictionary | a key                       | the phrases of its records, record by record
// input dictionary  | one character               | its key, in small letters
// input dictionary  | a key of the table's type   | its characters, in slot order
// input stub        | anything                    | nothing
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "big5dict/file_format.h"
#include "big5dict/file_length.h"

namespace big5dict {

// What a text to look for is: Big5 characters (each a lead byte 0x81..0xFE and a trail byte), a
// key (printable ASCII, no blank), or neither.
enum class SoughtKind { kCharacters, kKey, kNeither };
// The kind of `sought`; an empty text is neither.
SoughtKind sought_kind(std::string_view sought);

struct LookupResult {
  FileFormat format = FileFormat::kUnknown;
  // False when the text is neither characters nor a key that the format looks up (or the format
  // is unknown): nothing was looked for.
  bool fits = false;
  std::vector<std::string> found;  // Big5 text or a key, one result each
};

// `file` holds the file's first bytes, as far as its format reaches (format_capacity), of a file
// `length` long. A stub fits anything, even bytes that are no text: a program that refuses some
// texts whatever the file (DBGVIEW a lone lead byte) does so before it looks up.
LookupResult look_up(std::string_view file, FileLength length, std::string_view sought);

}  // namespace big5dict
