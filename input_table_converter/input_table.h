// The input table's lines as KESTRAWN reads them: the header line taken apart field by field into
// the dictionary header, and an entry line split into its key and its character run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "big5dict/input_file.h"
#include "big5dict/input_keys.h"

namespace input_table_converter {

enum class HeaderFault {
  kNone,
  kNoShortName,       // no byte of 0x80 or above: the short name has no source
  kKeyTypeUnknown,    // `byte` is what stood where the key type letter belongs
  kMaxLenOutOfRange,  // `byte` is what stood where the length digit belongs
};

struct HeaderResult {
  HeaderFault fault = HeaderFault::kNone;
  std::uint8_t byte = 0;
};

// Fills the header from the header line's text, left to right: short name, key type (and "+"),
// length digit, option letter, range, single character, rows, English and Chinese names. Never
// reads past the line's end: the field that meets it sees the end itself (the line feed, or a zero
// byte where the text stops) and every later field keeps its initial value.
HeaderResult parse_header_line(std::string_view text, big5dict::input::DictHeader& header);

struct EntryLine {
  bool is_entry = false;       // false for empty and comment lines
  std::size_t key_end = 0;     // the first space or tab after the key, or the end of the text
  big5dict::input::EncodedKey key;
  std::string_view characters;  // the run of lead and trail byte pairs
};

// Splits an entry line; the characters start at the first byte of 0x80 or above from where the
// key's encoding stopped, and run for as long as each pair's first byte is above 0x80.
EntryLine split_entry_line(std::string_view text, big5dict::input::KeyType type);

// The byte at which the key's encoding stopped, 0 at the end of the text.
std::uint8_t stop_byte(std::string_view text, const EntryLine& entry);

// The line as the size message echoes it into `echo`, which keeps its room for the next line:
// whole, with a tab that ended the key shown as a space.
void echoed_line(std::string_view text, const EntryLine& entry, std::string& echo);

}  // namespace input_table_converter
