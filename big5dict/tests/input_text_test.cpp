// The input table's shared line rules and the lines written from a dictionary.
#include "big5dict/input_text.h"

#include <gtest/gtest.h>

#include <string>

#include "big5dict/tests/input_files.h"
#include "test_support/scratch.h"

namespace {

namespace input = big5dict::input;
using input::KeyType;

TEST(InputText, EntryKeyField) {
  struct Case {
    std::string line;
    bool is_entry;
    std::size_t start, end;
  };
  for (const Case& c : {Case{"ab \xA4\x40\n", true, 0, 2}, Case{"\x01 \tab\t\xA4\x40\n", true, 3, 5},
                        Case{"ab\n", true, 0, 3}, Case{"ab", true, 0, 2}, Case{"\xA4\x40 x", true, 0, 2},
                        Case{"  *ab\n", false, 0, 0}, Case{" \t\n", false, 0, 0}, Case{"", false, 0, 0}}) {
    const input::KeyField key = input::entry_key_field(c.line);
    EXPECT_EQ(key.is_entry, c.is_entry) << c.line;
    if (!c.is_entry) continue;
    EXPECT_EQ(key.start, c.start) << c.line;
    EXPECT_EQ(key.end, c.end) << c.line;
  }
}

TEST(InputText, HeaderLettersReadBackAsWritten) {
  for (KeyType type : {KeyType::kAlpha, KeyType::kNumber, KeyType::kAlphaNumerical}) {
    const auto stored = static_cast<std::uint8_t>(type);
    EXPECT_EQ(input::key_type_of_letter(static_cast<std::uint8_t>(input::key_type_letter(stored))), type);
  }
  EXPECT_EQ(input::key_type_letter(3), '?');
  EXPECT_EQ(input::key_type_of_letter('0'), KeyType::kNumber);
  EXPECT_EQ(input::key_type_of_letter('x'), KeyType::kAlphaNumerical);
  EXPECT_EQ(input::key_type_of_letter('?'), std::nullopt);
  for (int value = 0; value < 256; ++value) {
    const auto written = static_cast<std::uint8_t>(input::uw_option_letter(static_cast<std::uint8_t>(value)));
    EXPECT_EQ(input::uw_option_of_letter(written), value <= 2 ? value : 0) << value;
  }
  EXPECT_EQ(input::uw_option_of_letter('w'), 2);
}

TEST(InputText, HeaderLineOfEveryField) {
  input::DictHeader header = input::testing::every_field_set();
  header.uw_option = 7;
  header.qu_start = 5;
  header.english_name = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M'};  // no zero byte
  EXPECT_EQ(input::header_line(header, '5'), "\xA4\x40\xA4\x41 X+ 5 - a-y z 5-121 (ABCDEFGHIJKLM) [Chinese]\n");
}

TEST(InputText, EntryLinesOfAHundredCharacters) {
  std::string characters;
  for (int i = 0; i < 250; ++i) characters += "\xA4\x40";
  std::string text = "x\n";
  input::append_entry_lines("ab", characters, text);
  const std::string hundred = test_support::repeat("\xA4\x40", 100);
  EXPECT_EQ(text, "x\nab " + hundred + "\nab " + hundred + "\nab " + test_support::repeat("\xA4\x40", 50) + "\n");
  std::string none;
  input::append_entry_lines("ab", "", none);
  EXPECT_EQ(none, "");
}

}  // namespace
