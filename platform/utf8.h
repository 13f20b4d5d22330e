// UTF-8 as the conversions between Big5 and UTF-8 read it: code points decoded strictly (no
// overlong form, no surrogate, nothing past U+10FFFF), and the character a converter must take
// whole: a code point with the combining marks that follow it, as Big5-HKSCS stores Ê with a macron
// in one code.
#pragma once

#include <cstddef>
#include <string_view>

namespace platform {

struct DecodedCodePoint {
  char32_t code_point = 0;
  std::size_t length = 0;  // bytes taken; 0 when the bytes at the position are no UTF-8
};

// The code point whose bytes start at `pos` (pos < text.size()).
DecodedCodePoint decode_utf8(std::string_view text, std::size_t pos);

// Where the first sequence that is no UTF-8 begins, or npos when all of `text` is UTF-8.
std::size_t first_invalid_utf8(std::string_view text);

// A mark that belongs to the character before it: the combining diacritical marks and their
// supplements, the combining kana marks and the variation selectors.
constexpr bool is_combining_mark(char32_t c) {
  return (c >= 0x0300 && c <= 0x036F) || (c >= 0x1AB0 && c <= 0x1AFF) || (c >= 0x1DC0 && c <= 0x1DFF) ||
         (c >= 0x20D0 && c <= 0x20FF) || (c >= 0x3099 && c <= 0x309A) || (c >= 0xFE00 && c <= 0xFE0F) ||
         (c >= 0xFE20 && c <= 0xFE2F) || (c >= 0xE0100 && c <= 0xE01EF);
}

// The private-use areas: what a table gives a code that has no character of its own in Unicode.
constexpr bool is_private_use(char32_t c) {
  return (c >= 0xE000 && c <= 0xF8FF) || (c >= 0xF0000 && c <= 0xFFFFD) || (c >= 0x100000 && c <= 0x10FFFD);
}

// The end of the character that starts at `pos` of valid UTF-8: its code point and every combining
// mark behind it.
std::size_t character_end(std::string_view utf8, std::size_t pos);

}  // namespace platform
