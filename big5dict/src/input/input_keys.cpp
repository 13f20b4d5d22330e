// Keys to codes and back; the key character of each digit comes from the encoding's own digits, so
// both directions agree by construction.
#include "big5dict/input_keys.h"

namespace big5dict::input {

namespace {

// The key character of each digit of a key type, 0 where no character has the digit. Small
// letters only: capitals encode like them.
using DigitCharacters = std::array<char, 64>;

constexpr DigitCharacters characters_of(KeyType type) {
  DigitCharacters characters{};
  for (int b = 0x21; b <= 0x7E; ++b) {
    if (is_ascii_capital(static_cast<std::uint8_t>(b))) continue;
    const int digit = key_digit(type, static_cast<std::uint8_t>(b));
    if (digit != kNoDigit) characters[static_cast<std::size_t>(digit)] = static_cast<char>(b);
  }
  return characters;
}

constexpr std::array<DigitCharacters, kKeyTypeCount> kDigitCharacters = {
    characters_of(KeyType::kAlpha), characters_of(KeyType::kNumber), characters_of(KeyType::kAlphaNumerical)};

}  // namespace

EncodedKey encode_key(std::string_view text, std::size_t start, KeyType type) {
  const std::array<std::uint32_t, kPlaceValueCount> weights = place_values(type);
  const std::size_t positions = layout_of(type).positions;
  EncodedKey key;
  key.stop = start;
  for (std::size_t position = 0; position < positions && key.stop < text.size(); ++position) {
    const int digit = key_digit(type, static_cast<std::uint8_t>(text[key.stop]));
    if (digit == kNoDigit) break;
    key.code += static_cast<std::uint32_t>(digit) * weights[position];
    ++key.stop;
  }
  return key;
}

DecodedKey decode_key(std::uint32_t code, KeyType type) {
  const DigitCharacters& characters = kDigitCharacters[static_cast<std::size_t>(type)];
  const KeyTypeLayout layout = layout_of(type);
  DecodedKey decoded;
  if (layout.width() < 32 && (code >> layout.width()) != 0) {
    decoded.fault = KeyCodeFault::kTooWide;
    return decoded;
  }
  bool ended = false;
  for (std::size_t i = 0; i < layout.positions; ++i) {
    const unsigned digit = digit_at(code, type, i);
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

}  // namespace big5dict::input
