// Key codes back to keys: the digits of each position under the table's key type, and the key
// character of each digit, from KESTRAWN's own digit tables.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "input_table_converter/key_encoding.h"

namespace dictionary_viewer {

using input_table_converter::KeyType;

enum class KeyCodeFault {
  kNone,
  kTooWide,   // bits above the positions of the key type are set
  kBadDigit,  // a position holds a digit that no key character has
  kGap,       // a filled position after an empty one: keys are left-aligned
};

struct DecodedKey {
  KeyCodeFault fault = KeyCodeFault::kNone;
  std::string key;           // the key characters, first position first
  unsigned digit = 0;        // with kBadDigit: the digit
  std::size_t position = 0;  // with kBadDigit: its position, from 0
};

// Decodes a nonzero key code.
DecodedKey decode_key(std::uint32_t code, KeyType type);

// "Alpha", "Number", "AlphaNumerical".
const char* key_type_name(KeyType type);

// The letter the header line of an input table gives for the key type.
char key_type_letter(KeyType type);

}  // namespace dictionary_viewer
