// Keys and key codes: the three key types with their digits, place values and positions, the
// encoding of a key typed on the keyboard, and the decoding of a code back into its key.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "big5dict/ascii.h"
#include "big5dict/input_layout.h"

namespace big5dict::input {

enum class KeyType : std::uint8_t { kAlpha = 0, kNumber = 1, kAlphaNumerical = 2 };
constexpr std::uint8_t kKeyTypeCount = 3;

// Every key position holds one digit; 0 marks a position the key does not fill, so no key
// character has the digit 0 and codes compare like the keys' digit sequences.
//
// KeyType        | digits                                              | bits | positions
// ---------------+-----------------------------------------------------+------+----------
// Alpha          | a..z 1..26, then , . / ; ' 27..31                   |  5   | 6
// Number         | 0..9 1..10, then / * - + . 11..15                   |  4   | 8
// AlphaNumerical | 0..9 1..10, a..z 11..36, then 26 punctuation 37..62 |  6   | 5
struct KeyTypeLayout {
  unsigned bits_per_position;
  std::size_t positions;  // the MaxKeySize
  // The bits a code of the type fills, from bit 0 up.
  constexpr unsigned width() const { return bits_per_position * static_cast<unsigned>(positions); }
};

// The digits' bits and the positions of a key type, as the table above gives them.
constexpr KeyTypeLayout layout_of(KeyType type) {
  switch (type) {
    case KeyType::kAlpha: return {5, 6};
    case KeyType::kNumber: return {4, 8};
    case KeyType::kAlphaNumerical: return {6, 5};
  }
  return {0, 0};
}

// The key type a header's byte names, when it names one.
constexpr bool is_key_type(std::uint8_t stored) { return stored < kKeyTypeCount; }

constexpr std::string_view kAlphaPunctuation = ",./;'";
constexpr std::string_view kNumberPunctuation = "/*-+.";
constexpr std::string_view kAlphaNumericalPunctuation = ",./;'[]-=\\`_|?:\"{}!@#$%^&*";
static_assert(kAlphaPunctuation.size() == 5);
static_assert(kNumberPunctuation.size() == 5);
static_assert(kAlphaNumericalPunctuation.size() == 26);

constexpr int kNoDigit = 0;

// The digit of a key byte, kNoDigit when the byte is no key character of the type. Capitals count
// as their small letters.
constexpr int key_digit(KeyType type, std::uint8_t byte) {
  byte = to_ascii_lower(byte);
  const bool letter = is_ascii_small(byte);
  const bool number = byte >= '0' && byte <= '9';
  auto punctuation = [byte](std::string_view set, int first) {
    const std::size_t at = set.find(static_cast<char>(byte));
    return (byte == 0 || at == std::string_view::npos) ? kNoDigit : first + static_cast<int>(at);
  };
  switch (type) {
    case KeyType::kAlpha:
      if (letter) return byte - 'a' + 1;
      return punctuation(kAlphaPunctuation, 27);
    case KeyType::kNumber:
      if (number) return byte - '0' + 1;
      return punctuation(kNumberPunctuation, 11);
    case KeyType::kAlphaNumerical:
      if (number) return byte - '0' + 1;
      if (letter) return byte - 'a' + 11;
      return punctuation(kAlphaNumericalPunctuation, 37);
  }
  return kNoDigit;
}

// The weight of each key position, first position first, unused entries 0; the header carries the
// list of its table's key type.
constexpr std::array<std::uint32_t, kPlaceValueCount> place_values(KeyType type) {
  std::array<std::uint32_t, kPlaceValueCount> values{};
  const KeyTypeLayout layout = layout_of(type);
  for (std::size_t i = 0; i < layout.positions; ++i) {
    values[i] = std::uint32_t{1} << (layout.bits_per_position * (layout.positions - 1 - i));
  }
  return values;
}

static_assert(place_values(KeyType::kAlpha)[0] == 33554432);
static_assert(place_values(KeyType::kNumber)[0] == 268435456);
static_assert(place_values(KeyType::kAlphaNumerical)[0] == 16777216);
static_assert(place_values(KeyType::kAlphaNumerical)[5] == 0);

// The longest key the header line's length digit may give: MaxLen runs from 1 to 6 for Alpha keys
// and to 8 for the others.
constexpr unsigned max_len_limit(KeyType type) { return type == KeyType::kAlpha ? 6 : 8; }

struct EncodedKey {
  std::uint32_t code = 0;
  std::size_t stop = 0;  // where the encoding stopped: the first byte after the key characters
};

// Encodes the key that starts at `start` of a line's text, left-aligned: the first key character
// lands in the highest position. Stops at the first byte with no digit (the text's end included)
// or after the last position.
EncodedKey encode_key(std::string_view text, std::size_t start, KeyType type);

// True when the byte at which an encoding stopped is printable ASCII: the key was longer than its
// type allows or held a character that is no key character.
constexpr bool key_size_exceeded(std::uint8_t stop_byte) { return stop_byte >= 0x21 && stop_byte <= 0x7F; }

// The digit that position `position` (from 0) of a code holds under the key type.
constexpr unsigned digit_at(std::uint32_t code, KeyType type, std::size_t position) {
  const KeyTypeLayout layout = layout_of(type);
  const unsigned shift = layout.bits_per_position * static_cast<unsigned>(layout.positions - 1 - position);
  return (code >> shift) & ((1u << layout.bits_per_position) - 1);
}

enum class KeyCodeFault {
  kNone,
  kTooWide,   // bits above the positions of the key type are set
  kBadDigit,  // a position holds a digit that no key character has
  kGap,       // a filled position after an empty one: keys are left-aligned
};

struct DecodedKey {
  KeyCodeFault fault = KeyCodeFault::kNone;
  std::string key;           // the key characters in small letters, first position first
  unsigned digit = 0;        // with kBadDigit: the digit
  std::size_t position = 0;  // with kBadDigit: its position, from 0
};

// Decodes a nonzero key code into the key that encodes to it, as a table line would write it.
DecodedKey decode_key(std::uint32_t code, KeyType type);

}  // namespace big5dict::input
