// Input dictionaries for the library's tests, made by the library's own writer: headers of each key
// type, one with every field set, and full files with the slots given, after the final pass.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

#include "big5dict/input_file.h"
#include "big5dict/input_keys.h"

namespace big5dict::input::testing {

// The header of a table of `type` with the length digit 4 and the short name A4 40 A4 41.
inline DictHeader header_of(KeyType type) {
  DictHeader header;
  header.key_type = static_cast<std::uint8_t>(type);
  header.max_len = 4;
  header.place_values = place_values(type);
  header.short_name = {0xA4, 0x40, 0xA4, 0x41};
  return header;
}

// A header whose every field differs from its initial contents.
inline DictHeader every_field_set() {
  DictHeader header;
  header.dict_kind = DictKind::kExtraKeys;
  header.short_name = {0xA4, 0x40, 0xA4, 0x41};
  header.key_type = 2;
  header.max_len = 5;
  header.uw_option = 1;
  header.single_char = 'z';
  header.range_first = 'a';
  header.range_last = 'y';
  header.qu_start = 33;
  header.qu_end = 121;
  header.place_values[7] = 0x01020304;
  return header;
}

inline std::string file_of(const DictHeader& header,
                           std::initializer_list<std::pair<std::size_t, std::uint32_t>> slots) {
  KeyTable key;
  for (auto [slot, code] : slots) key[slot] = code;
  final_pass(key);
  return full_file_bytes(header, key);
}

}  // namespace big5dict::input::testing
