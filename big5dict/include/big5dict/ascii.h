// ASCII case folding as every program does it: only 'A'..'Z' and 'a'..'z' change, whatever the
// locale, so that Big5 bytes pass through untouched.
#pragma once

#include <cstdint>

namespace big5dict {

// Whether a byte is one of the 26 capitals, or of the 26 small letters.
constexpr bool is_ascii_capital(std::uint8_t b) { return b >= 'A' && b <= 'Z'; }
constexpr bool is_ascii_small(std::uint8_t b) { return b >= 'a' && b <= 'z'; }

// A capital as its small letter and a small letter as its capital; every other byte as it is.
constexpr std::uint8_t to_ascii_lower(std::uint8_t b) {
  return is_ascii_capital(b) ? static_cast<std::uint8_t>(b - 'A' + 'a') : b;
}
constexpr std::uint8_t to_ascii_upper(std::uint8_t b) {
  return is_ascii_small(b) ? static_cast<std::uint8_t>(b - 'a' + 'A') : b;
}
constexpr char to_ascii_lower(char c) { return static_cast<char>(to_ascii_lower(static_cast<std::uint8_t>(c))); }
constexpr char to_ascii_upper(char c) { return static_cast<char>(to_ascii_upper(static_cast<std::uint8_t>(c))); }

}  // namespace big5dict
