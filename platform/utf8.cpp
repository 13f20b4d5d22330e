// Strict UTF-8 decoding, one code point at a time, with a quick pass over ASCII.
#include "platform/utf8.h"

#include <cstdint>

namespace platform {

namespace {

constexpr bool is_continuation(std::uint8_t b) { return (b & 0xC0) == 0x80; }

}  // namespace

DecodedCodePoint decode_utf8(std::string_view text, std::size_t pos) {
  auto at = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t first = at(pos);
  if (first < 0x80) return {first, 1};
  // The sequence's length, the bits its first byte carries, and the lowest code point that needs
  // that length (a smaller one would be an overlong form).
  struct Form {
    std::size_t length;
    char32_t value;
    char32_t lowest;
  };
  Form form;
  if (first >= 0xC2 && first <= 0xDF) {
    form = {2, char32_t{first} & 0x1F, 0x80};
  } else if (first >= 0xE0 && first <= 0xEF) {
    form = {3, char32_t{first} & 0x0F, 0x800};
  } else if (first >= 0xF0 && first <= 0xF4) {
    form = {4, char32_t{first} & 0x07, 0x10000};
  } else {
    return {};
  }
  auto [length, value, lowest] = form;
  if (text.size() - pos < length) return {};
  for (std::size_t i = 1; i < length; ++i) {
    if (!is_continuation(at(pos + i))) return {};
    value = (value << 6) | (at(pos + i) & 0x3F);
  }
  if (value < lowest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return {};
  return {value, length};
}

std::size_t first_invalid_utf8(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (static_cast<std::uint8_t>(text[pos]) < 0x80) {
      ++pos;
      continue;
    }
    DecodedCodePoint c = decode_utf8(text, pos);
    if (c.length == 0) return pos;
    pos += c.length;
  }
  return std::string_view::npos;
}

std::size_t character_end(std::string_view utf8, std::size_t pos) {
  DecodedCodePoint c = decode_utf8(utf8, pos);
  pos += c.length == 0 ? 1 : c.length;
  while (pos < utf8.size()) {
    DecodedCodePoint mark = decode_utf8(utf8, pos);
    if (mark.length == 0 || !is_combining_mark(mark.code_point)) break;
    pos += mark.length;
  }
  return pos;
}

}  // namespace platform
