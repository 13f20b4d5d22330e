// What KESTRAWN takes, from its own headers: the key types with their key characters and
// positions, MaxLen, the rows and the character hash, the names' length and the comment mark.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "big5dict/input_keys.h"
#include "big5dict/input_layout.h"
#include "big5dict/input_text.h"

namespace table_importer::input_table_rules {

using big5dict::input::KeyType;

// In the order a tie between them is decided.
constexpr std::array<KeyType, 3> kKeyTypes = {KeyType::kAlpha, KeyType::kNumber, KeyType::kAlphaNumerical};
constexpr std::array<char, 3> kKeyTypeLetters = {'A', 'N', 'X'};

constexpr std::size_t type_index(KeyType type) { return static_cast<std::size_t>(type); }
static_assert(type_index(KeyType::kAlphaNumerical) == 2);

// The longest key any type takes.
constexpr std::size_t kLongestKey = 8;

constexpr std::size_t positions(KeyType type) { return big5dict::input::layout_of(type).positions; }
constexpr unsigned bits_per_position(KeyType type) { return big5dict::input::layout_of(type).bits_per_position; }
constexpr unsigned max_len_limit(KeyType type) { return big5dict::input::max_len_limit(type); }
static_assert(positions(KeyType::kNumber) == kLongestKey);

// 0 for a byte that is no key character of the type.
constexpr int key_digit(KeyType type, std::uint8_t b) { return big5dict::input::key_digit(type, b); }

// A key that begins with the mark makes a comment line.
constexpr char kCommentMark = big5dict::input::kCommentMark;

constexpr std::uint8_t kDefaultFirstRow = big5dict::input::kDefaultQuStart;
constexpr std::uint8_t kDefaultLastRow = big5dict::input::kDefaultQuEnd;

// A character has a place in the key table from the header's first row on.
constexpr bool has_place(std::uint8_t lead, std::uint8_t trail, std::uint8_t first_row) {
  return big5dict::input::has_slot(big5dict::input::character_hash(lead, trail, first_row));
}

// A name field holds this many bytes before its zero byte; the short name two Big5 characters.
constexpr std::size_t kNameBytes = big5dict::input::kNameMaxText;
constexpr std::size_t kShortNameBytes = big5dict::input::kShortNameBytes;

}  // namespace table_importer::input_table_rules
