#include "big5dict/hashed_text.h"

#include <gtest/gtest.h>

#include <string>

#include "test_support/scratch.h"

namespace {

namespace hashed = big5dict::hashed;
using test_support::bytes;

TEST(IsComment, OnlyAStarInTheFirstByte) {
  EXPECT_TRUE(hashed::is_comment("* note\n"));
  EXPECT_TRUE(hashed::is_comment("*"));
  EXPECT_FALSE(hashed::is_comment(" * note\n"));
  EXPECT_FALSE(hashed::is_comment(""));
}

TEST(LineKey, RunsToTheFirstSpaceOnly) {
  EXPECT_EQ(hashed::line_key("abc \xA4\xA4\n"), "abc");
  EXPECT_EQ(hashed::line_key("ab\tcd \xA4\xA4\n"), "ab\tcd");
  EXPECT_EQ(hashed::line_key(" \xA4\xA4\n"), "");
  EXPECT_EQ(hashed::line_key("abc\n"), "abc\n");
}

// The line TOMBRAL reads back: the key, one space, the phrases restored and one space apart.
TEST(TableLine, KeySpaceAndPhrasesRestored) {
  struct Case {
    const char* key;
    std::string phrases;
    std::string line;
  };
  for (const Case& c : {Case{"abc", bytes({0xA4, 0xA4, 0x24, 0xE5, 0xA6, 0x72}), "abc \xA4\xA4\xA4\xE5 \xA6\x72\n"},
                        Case{"", bytes({0xA4, 0xA4}), " \xA4\xA4\n"}, Case{"abc", "", "abc \n"},
                        Case{"", "", " \n"},
                        // A phrase cut by the bucket's end keeps its whole units, an empty one its place.
                        Case{"k", bytes({0xA4, 0xA4, 0x25}), "k \xA4\xA4\n"},
                        Case{"k", bytes({0xA4, 0xA4, 0xA5}), "k \xA4\xA4 \n"}}) {
    std::string text = "before\n";
    hashed::append_table_line(c.key, c.phrases, text);
    EXPECT_EQ(text, "before\n" + c.line) << c.key;
  }
}

}  // namespace
