// Decoding key codes position by position; the digit of each key character comes from the
// converter's encoding, so both directions agree by construction.
#include "dictionary_viewer/key_decoding.h"

#include <array>

#include "dictionary_viewer/messages.h"
#include "big5dict/ascii.h"

namespace dictionary_viewer {

namespace {

namespace itc = input_table_converter;

// The key character of each digit of a key type, 0 where no character has the digit. Small
// letters only: capitals encode like them.
std::array<char, 64> characters_of(KeyType type) {
  std::array<char, 64> characters{};
  for (int b = 0x21; b <= 0x7E; ++b) {
    if (big5dict::is_ascii_capital(static_cast<std::uint8_t>(b))) continue;
    int digit = itc::key_digit(type, static_cast<std::uint8_t>(b));
    if (digit != itc::kNoDigit) characters[static_cast<std::size_t>(digit)] = static_cast<char>(b);
  }
  return characters;
}

}  // namespace

DecodedKey decode_key(std::uint32_t code, KeyType type) {
  static const std::array<std::array<char, 64>, 3> kCharacters = {
      characters_of(KeyType::kAlpha), characters_of(KeyType::kNumber), characters_of(KeyType::kAlphaNumerical)};
  const std::array<char, 64>& characters = kCharacters[static_cast<std::size_t>(type)];
  const itc::KeyTypeLayout layout = itc::layout_of(type);
  const unsigned width = layout.bits_per_position * static_cast<unsigned>(layout.positions);
  DecodedKey decoded;
  if (width < 32 && (code >> width) != 0) {
    decoded.fault = KeyCodeFault::kTooWide;
    return decoded;
  }
  const std::uint32_t mask = (std::uint32_t{1} << layout.bits_per_position) - 1;
  bool ended = false;
  for (std::size_t i = 0; i < layout.positions; ++i) {
    unsigned shift = layout.bits_per_position * static_cast<unsigned>(layout.positions - 1 - i);
    unsigned digit = (code >> shift) & mask;
    if (digit == 0) {
      ended = true;
      continue;
    }
    if (ended) {
      decoded.fault = KeyCodeFault::kGap;
      return decoded;
    }
    if (characters[digit] == 0) {
      decoded = {KeyCodeFault::kBadDigit, {}, digit, i};
      return decoded;
    }
    decoded.key.push_back(characters[digit]);
  }
  return decoded;
}

const char* key_type_name(KeyType type) {
  switch (type) {
    case KeyType::kAlpha: return msg::kAlphaName;
    case KeyType::kNumber: return msg::kNumberName;
    case KeyType::kAlphaNumerical: return msg::kAlphaNumericalName;
  }
  return msg::kUnknownName;
}

char key_type_letter(KeyType type) {
  switch (type) {
    case KeyType::kAlpha: return 'A';
    case KeyType::kNumber: return 'N';
    case KeyType::kAlphaNumerical: return 'X';
  }
  return '?';
}

}  // namespace dictionary_viewer
