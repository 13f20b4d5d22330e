// UTF-8 runs into Big5 through iconv: escapes give their bytes except in keys, a character the
// variant lacks is left out and named with its combining marks, and Big5-HKSCS's letters with a
// mark come out as their one code.
#include "table_importer/big5_text.h"

#include <gtest/gtest.h>

#include "test_support/scratch.h"

namespace table_importer {
namespace {

using platform::Big5Variant;
using test_support::hex;

struct Appended {
  bool whole;
  std::string big5;
  std::vector<std::string> lacking;
};

Appended append(std::string_view utf8, Escapes escapes, Big5Variant variant = Big5Variant::kBig5) {
  Big5Text big5(variant);
  EXPECT_TRUE(big5.available());
  Appended result;
  std::vector<std::string_view> lacking;
  result.big5 = "<";  // what stood before stays
  result.whole = big5.append(utf8, escapes, result.big5, lacking);
  for (std::string_view c : lacking) result.lacking.emplace_back(c);
  return result;
}

TEST(Big5Text, RunsEscapesAndLackingCharacters) {
  struct Case {
    const char* name;
    std::string utf8;
    Escapes escapes;
    Big5Variant variant;
    std::string big5;
    std::vector<std::string> lacking;
  };
  const Case cases[] = {
      {"Characters", "中文 ab", Escapes::kDecoded, Big5Variant::kBig5, "<\xA4\xA4\xA4\xE5 ab", {}},
      {"EscapesGiveTheirBytes", "\\xA2\\xCC中\\x80", Escapes::kDecoded, Big5Variant::kBig5,
       "<\xA2\xCC\xA4\xA4\x80", {}},
      {"EscapeDigitsOfEitherCase", "\\xa4\\x5c", Escapes::kDecoded, Big5Variant::kBig5, "<\xA4\x5C", {}},
      {"KeyKeepsEscapes", "\\xA4\\x40", Escapes::kKept, Big5Variant::kBig5, "<\\xA4\\x40", {}},
      {"NoTwoDigitsIsText", "\\x4 \\xG1 \\x", Escapes::kDecoded, Big5Variant::kBig5, "<\\x4 \\xG1 \\x", {}},
      {"BackslashBeforeAnEscape", "\\\\x41", Escapes::kDecoded, Big5Variant::kBig5, "<\\A", {}},
      {"LackingLeftOut", "中𠀀文😀", Escapes::kDecoded, Big5Variant::kBig5, "<\xA4\xA4\xA4\xE5", {"𠀀", "😀"}},
      {"LackingBetweenEscapes", "\\xA4\\x40𠀀\\xA4\\x41", Escapes::kDecoded, Big5Variant::kBig5,
       "<\xA4\x40\xA4\x41", {"𠀀"}},
      // Ê with a macron is one code of Big5-HKSCS: converted together, and flushed at the end.
      {"LetterWithMark", "\xC3\x8A\xCC\x84\xC3\x8A", Escapes::kDecoded, Big5Variant::kBig5Hkscs, "<\x88\x62\x88\x66",
       {}},
      {"LetterWithMarkBeforeAnEscape", "\xC3\xAA\xCC\x8C\\x41", Escapes::kDecoded, Big5Variant::kBig5Hkscs,
       "<\x88\xA5\x41", {}},
      {"LetterWithMarkLastBeforeLacking", "\xC3\x8A\xCC\x84𠂉", Escapes::kDecoded, Big5Variant::kBig5Hkscs,
       "<\x88\x62", {"𠂉"}},
      // A letter whose mark has no code with it is lacking as a whole.
      {"LetterAndMarkLackingTogether", "a\xCC\x84" "b", Escapes::kDecoded, Big5Variant::kBig5Hkscs, "<b",
       {"a\xCC\x84"}},
      {"LoneMarkLacking", "\xCC\x84", Escapes::kDecoded, Big5Variant::kBig5Hkscs, "<", {"\xCC\x84"}},
      {"PrivateUseOfBig5", "\xEF\x9A\xB1", Escapes::kDecoded, Big5Variant::kBig5, "<\xC6\xA1", {}},
      {"HkscsCharacterLackingInBig5", "\xE3\x87\x80", Escapes::kDecoded, Big5Variant::kBig5, "<", {"\xE3\x87\x80"}},
      {"HkscsCharacter", "\xE3\x87\x80", Escapes::kDecoded, Big5Variant::kBig5Hkscs, "<\x88\x40", {}},
      // The same box drawing character is A2A4 in BIG5 and F9F9 in Big5-HKSCS.
      {"BoxDrawingInBig5", "\xE2\x95\x90", Escapes::kDecoded, Big5Variant::kBig5, "<\xA2\xA4", {}},
      {"BoxDrawingInHkscs", "\xE2\x95\x90", Escapes::kDecoded, Big5Variant::kBig5Hkscs, "<\xF9\xF9", {}},
  };
  for (const Case& c : cases) {
    Appended result = append(c.utf8, c.escapes, c.variant);
    EXPECT_EQ(hex(result.big5), hex(c.big5)) << c.name;
    EXPECT_EQ(result.lacking, c.lacking) << c.name;
    EXPECT_EQ(result.whole, c.lacking.empty()) << c.name;
  }
}

// A line goes through in one call only when no "\x" stands in it and every character converts.
TEST(Big5Text, PlainLines) {
  Big5Text big5(Big5Variant::kBig5);
  std::string out;
  EXPECT_TRUE(big5.append_plain_line("ab 中\n", out));
  EXPECT_EQ(out, "ab \xA4\xA4\n");
  EXPECT_FALSE(big5.append_plain_line("ab \\x4 中\n", out));
  EXPECT_FALSE(big5.append_plain_line("ab 𠀀\n", out));
  EXPECT_EQ(out, "ab \xA4\xA4\n");
}

}  // namespace
}  // namespace table_importer
