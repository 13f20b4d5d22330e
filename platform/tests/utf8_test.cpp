// Strict UTF-8 over every code point and the malformed forms around them, and the characters a
// converter takes whole.
#include "platform/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::decode_utf8;
using platform::first_invalid_utf8;

// The shortest form of a code point, written out here bit by bit.
std::string encoded(char32_t c) {
  auto byte = [](char32_t b) { return static_cast<char>(b); };
  if (c < 0x80) return {byte(c)};
  if (c < 0x800) return {byte(0xC0 | (c >> 6)), byte(0x80 | (c & 0x3F))};
  if (c < 0x10000) return {byte(0xE0 | (c >> 12)), byte(0x80 | ((c >> 6) & 0x3F)), byte(0x80 | (c & 0x3F))};
  return {byte(0xF0 | (c >> 18)), byte(0x80 | ((c >> 12) & 0x3F)), byte(0x80 | ((c >> 6) & 0x3F)),
          byte(0x80 | (c & 0x3F))};
}

TEST(Utf8, EveryCodePointDecodesButTheSurrogates) {
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    const std::string bytes = encoded(c);
    platform::DecodedCodePoint d = decode_utf8(bytes, 0);
    if (c >= 0xD800 && c <= 0xDFFF) {
      ASSERT_EQ(d.length, 0u) << static_cast<unsigned long>(c);
      ASSERT_EQ(first_invalid_utf8(bytes), 0u);
      continue;
    }
    ASSERT_EQ(d.length, bytes.size()) << static_cast<unsigned long>(c);
    ASSERT_TRUE(d.code_point == c) << static_cast<unsigned long>(c);
    // Cut short by any number of bytes, it is no UTF-8.
    for (std::size_t cut = 1; cut < bytes.size(); ++cut) ASSERT_EQ(decode_utf8(bytes.substr(0, cut), 0).length, 0u);
  }
}

TEST(Utf8, MalformedSequences) {
  struct Case {
    const char* name;
    std::string bytes;
    std::size_t first_invalid;
  };
  const Case cases[] = {
      {"Ascii", "ab\n", std::string::npos},
      {"OverlongSlash", "a\xC0\xAF", 1},
      {"OverlongC1", "\xC1\xBF", 0},
      {"OverlongThreeBytes", "\xE0\x80\xAF", 0},
      {"OverlongFourBytes", "\xF0\x80\x80\xAF", 0},
      {"PastU10FFFF", "\xF4\x90\x80\x80", 0},
      {"F5AndUp", "\xF5\x80\x80\x80", 0},
      {"StrayContinuation", "\xE4\xB8\xAD\x80", 3},
      {"LeadWithoutContinuation", "\xE4\x41\x42", 0},
      {"Fe", "\xFE", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(first_invalid_utf8(c.bytes), c.first_invalid) << c.name;
}

TEST(Utf8, CharacterTakesItsCombiningMarks) {
  const std::string text = "\xC3\x8A\xCC\x84\xCC\x8C" "a\xEF\xB8\x8F" "b";  // Ê, two marks, a, a selector, b
  EXPECT_EQ(platform::character_end(text, 0), 6u);
  EXPECT_EQ(platform::character_end(text, 6), 10u);
  EXPECT_EQ(platform::character_end(text, 10), 11u);
  EXPECT_TRUE(platform::is_private_use(0xF6B1));
  EXPECT_FALSE(platform::is_private_use(0x4E2D));
}

}  // namespace
