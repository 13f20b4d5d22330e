// Big5 to UTF-8 code by code in each variant: a code without a UTF-8 form, or whose form encodes
// back to other bytes, becomes an escape and spoils nothing around it; the code tables themselves
// over all 32768 codes with a lead byte of 0x80 or above.
#include "dictionary_viewer/utf8_conversion.h"

#include <gtest/gtest.h>

#include "platform/utf8.h"

namespace dictionary_viewer {
namespace {

using platform::Big5Variant;

Utf8Text convert(std::string_view big5, Big5Variant variant = Big5Variant::kBig5,
                 Backslashes backslashes = Backslashes::kKept) {
  Big5ToUtf8 converter(variant);
  EXPECT_TRUE(converter.available());
  return converter.convert(big5, backslashes);
}

TEST(Utf8Conversion, CharactersAndAsciiPassThrough) {
  Utf8Text result = convert("zg \xA4\xA4\xA4\xE5 \xA1\x40-- x\n");
  EXPECT_EQ(result.text, "zg \xE4\xB8\xAD\xE6\x96\x87 \xE3\x80\x80-- x\n");  // 中文, the ideographic space
  EXPECT_EQ(result.escaped, 0u);
  EXPECT_EQ(result.private_use, 0u);
}

TEST(Utf8Conversion, CharacterWithoutFormIsEscapedAndCounted) {
  Utf8Text result = convert("\xA4\xA4\xA3\xC0\xA4\xE5 \xFE\xFE\n");
  EXPECT_EQ(result.text, "\xE4\xB8\xAD\\xA3\\xC0\xE6\x96\x87 \\xFE\\xFE\n");
  EXPECT_EQ(result.escaped, 2u);
}

TEST(Utf8Conversion, PairThatIconvReadsAsTwoCharactersIsEscaped) {
  // iconv reads 0x80 as a character of its own; 80 40 is still no Big5 character.
  Utf8Text result = convert("\x80\x40\xA4\xA4");
  EXPECT_EQ(result.text, "\\x80\\x40\xE4\xB8\xAD");
  EXPECT_EQ(result.escaped, 1u);
}

TEST(Utf8Conversion, LoneLeadByteBeforeLineFeedOrEnd) {
  Utf8Text result = convert("\xA4\n\xA4");
  EXPECT_EQ(result.text, "\\xA4\n\\xA4");
  EXPECT_EQ(result.escaped, 2u);
}

// Each variant reads the same codes its own way.
TEST(Utf8Conversion, EachVariantItsOwnCharacters) {
  struct Case {
    const char* name;
    std::string big5;
    Big5Variant variant;
    std::string utf8;
    std::size_t escaped, private_use;
  };
  const Case cases[] = {
      // A2CC decodes to the character that A451 encodes: its bytes would not come back.
      {"OneWayCodeEscaped", "\xA2\xCC\xA4\x51", Big5Variant::kBig5, "\\xA2\\xCC\xE5\x8D\x81", 1, 0},
      {"BoxDrawingOfF9F9Escaped", "\xF9\xF9\xA2\xA4", Big5Variant::kBig5, "\\xF9\\xF9\xE2\x95\x90", 1, 0},
      // Big5-HKSCS gives U+2550 to F9F9, so A2A4 is the one that does not come back there.
      {"BoxDrawingOfA2A4EscapedInHkscs", "\xF9\xF9\xA2\xA4", Big5Variant::kBig5Hkscs, "\xE2\x95\x90\\xA2\\xA4", 1, 0},
      {"PrivateUseCounted", "\xC6\xA1\xC8\xFE", Big5Variant::kBig5, "\xEF\x9A\xB1\xEF\xA1\x88", 0, 2},
      {"Cp950IsBig5", "\xC6\xA1\xA2\xCC", Big5Variant::kCp950, "\xEF\x9A\xB1\\xA2\\xCC", 1, 1},
      {"EtenSymbolInHkscs", "\xC6\xA1", Big5Variant::kBig5Hkscs, "\xE2\x91\xA0", 0, 0},  // ①
      {"HkscsCharacterEscapedInBig5", "\x88\x40", Big5Variant::kBig5, "\\x88\\x40", 1, 0},
      {"HkscsCharacterInHkscs", "\x88\x40", Big5Variant::kBig5Hkscs, "\xE3\x87\x80", 0, 0},  // a stroke
      // A letter with its combining mark: one code, two code points.
      {"LetterWithMarkInHkscs", "\x88\x62\x88\x66", Big5Variant::kBig5Hkscs, "\xC3\x8A\xCC\x84\xC3\x8A", 0, 0},
  };
  for (const Case& c : cases) {
    Utf8Text result = convert(c.big5, c.variant);
    EXPECT_EQ(result.text, c.utf8) << c.name;
    EXPECT_EQ(result.escaped, c.escaped) << c.name;
    EXPECT_EQ(result.private_use, c.private_use) << c.name;
  }
}

// A backslash that the way back would read as an escape is one, except where a key keeps it.
TEST(Utf8Conversion, BackslashesBeforeHexDigits) {
  const std::string big5 = "a\\x41 \\xZ \\\\x4\n\\x41\n";
  EXPECT_EQ(convert(big5, Big5Variant::kBig5, Backslashes::kKept).text, big5);
  Utf8Text all = convert(big5, Big5Variant::kBig5, Backslashes::kEscaped);
  EXPECT_EQ(all.text, "a\\x5Cx41 \\xZ \\\\x4\n\\x5Cx41\n");
  EXPECT_EQ(all.escaped, 2u);
  EXPECT_EQ(convert(big5, Big5Variant::kBig5, Backslashes::kEscapedInFirstLine).text,
            "a\\x5Cx41 \\xZ \\\\x4\n\\x41\n");
}

struct TableCounts {
  std::size_t exact = 0, private_use = 0;
};

TableCounts count(const Big5CodeTable& table) {
  TableCounts counts;
  for (int lead = 0x80; lead <= 0xFF; ++lead) {
    for (int trail = 0; trail <= 0xFF; ++trail) {
      const CodeForm& form = table.form(static_cast<std::uint8_t>(lead), static_cast<std::uint8_t>(trail));
      if (!form.exact()) continue;
      ++counts.exact;
      if (form.private_use) ++counts.private_use;
      EXPECT_EQ(platform::first_invalid_utf8(form.text()), std::string_view::npos) << lead << " " << trail;
    }
  }
  return counts;
}

// BIG5 decodes 13,911 codes and 10 of them only one way; C6A1..C8FE are its 408 private-use codes.
// Big5-HKSCS decodes 18,463, 8 of them only one way, none to private use.
TEST(Big5CodeTable, EveryCodeOfEachVariant) {
  TableCounts big5 = count(code_table(Big5Variant::kBig5));
  EXPECT_EQ(big5.exact, 13901u);
  EXPECT_EQ(big5.private_use, 408u);
  TableCounts hkscs = count(code_table(Big5Variant::kBig5Hkscs));
  EXPECT_EQ(hkscs.exact, 18455u);
  EXPECT_EQ(hkscs.private_use, 0u);

  const Big5CodeTable& b = code_table(Big5Variant::kBig5);
  const Big5CodeTable& cp950 = code_table(Big5Variant::kCp950);
  for (int lead = 0x80; lead <= 0xFF; ++lead) {
    for (int trail = 0; trail <= 0xFF; ++trail) {
      const auto l = static_cast<std::uint8_t>(lead);
      const auto t = static_cast<std::uint8_t>(trail);
      ASSERT_EQ(b.form(l, t).text(), cp950.form(l, t).text()) << lead << " " << trail;
    }
  }
}

}  // namespace
}  // namespace dictionary_viewer
