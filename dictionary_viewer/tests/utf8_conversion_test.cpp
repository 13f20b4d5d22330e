// Big5 to UTF-8 through iconv, character by character: a character without a UTF-8 form becomes an
// escape and spoils nothing around it.
#include "dictionary_viewer/utf8_conversion.h"

#include <gtest/gtest.h>

namespace dictionary_viewer {
namespace {

Utf8Text convert(std::string_view big5) {
  Big5ToUtf8 converter;
  EXPECT_TRUE(converter.available());
  return converter.convert(big5);
}

TEST(Utf8Conversion, CharactersAndAsciiPassThrough) {
  Utf8Text result = convert("zg \xA4\xA4\xA4\xE5 \xA1\x40-- x\n");
  EXPECT_EQ(result.text, "zg \xE4\xB8\xAD\xE6\x96\x87 \xE3\x80\x80-- x\n");  // 中文, the ideographic space
  EXPECT_EQ(result.unconvertible, 0u);
}

TEST(Utf8Conversion, CharacterWithoutFormIsEscapedAndCounted) {
  Utf8Text result = convert("\xA4\xA4\xA3\xC0\xA4\xE5 \xFE\xFE\n");
  EXPECT_EQ(result.text, "\xE4\xB8\xAD\\xA3\\xC0\xE6\x96\x87 \\xFE\\xFE\n");
  EXPECT_EQ(result.unconvertible, 2u);
}

TEST(Utf8Conversion, PairThatIconvReadsAsTwoCharactersIsEscaped) {
  // iconv reads 0x80 as a character of its own; 80 40 is still no Big5 character.
  Utf8Text result = convert("\x80\x40\xA4\xA4");
  EXPECT_EQ(result.text, "\\x80\\x40\xE4\xB8\xAD");
  EXPECT_EQ(result.unconvertible, 1u);
}

TEST(Utf8Conversion, LoneLeadByteBeforeLineFeedOrEnd) {
  Utf8Text result = convert("\xA4\n\xA4");
  EXPECT_EQ(result.text, "\\xA4\n\\xA4");
  EXPECT_EQ(result.unconvertible, 2u);
}

}  // namespace
}  // namespace dictionary_viewer
