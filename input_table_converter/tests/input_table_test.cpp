#include "input_table_converter/input_table.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "big5dict/input_keys.h"
#include "big5dict/input_text.h"
#include "test_support/case_name.h"
#include "test_support/scratch.h"

namespace {

namespace itc = input_table_converter;
namespace input = big5dict::input;
using input::DictKind;
using input::KeyType;
using itc::HeaderFault;
using test_support::hex;

// Two Big5 characters as the short name of every header line below.
const std::string kName = "\xC2\xB2\xA9\xF6";

std::string name_text(const input::NameField& field) {
  return std::string(reinterpret_cast<const char*>(field.data()), field.size());
}

struct Fields {
  std::uint8_t key_type = 0;
  std::uint8_t max_len = 0;
  std::uint8_t uw_option = 0;
  std::uint8_t range_first = 0;
  std::uint8_t range_last = 0;
  std::uint8_t single_char = 0;
  std::uint8_t qu_start = 161;
  std::uint8_t qu_end = 249;
  DictKind dict_kind = DictKind::kOrdinary;
  std::string english = std::string("\0nglish\0\0\0\0\0\0", 13);
  std::string chinese = std::string("\0hinese\0\0\0\0\0\0", 13);
  std::string short_name = kName;
};

struct HeaderCase {
  const char* name;
  std::string line;
  HeaderFault fault;
  std::uint8_t fault_byte;
  Fields want;
};

void PrintTo(const HeaderCase& c, std::ostream* os) { *os << c.name; }

class HeaderLines : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderLines, TakenApartFieldByField) {
  const HeaderCase& c = GetParam();
  input::DictHeader header;
  itc::HeaderResult result = itc::parse_header_line(c.line, header);
  ASSERT_EQ(result.fault, c.fault);
  if (c.fault != HeaderFault::kNone) {
    EXPECT_EQ(result.byte, c.fault_byte);
    return;
  }
  const Fields& w = c.want;
  EXPECT_EQ(header.key_type, w.key_type);
  EXPECT_EQ(header.max_len, w.max_len);
  EXPECT_EQ(header.uw_option, w.uw_option);
  EXPECT_EQ(header.range_first, w.range_first);
  EXPECT_EQ(header.range_last, w.range_last);
  EXPECT_EQ(header.single_char, w.single_char);
  EXPECT_EQ(header.qu_start, w.qu_start);
  EXPECT_EQ(header.qu_end, w.qu_end);
  EXPECT_EQ(header.dict_kind, w.dict_kind);
  EXPECT_EQ(hex(name_text(header.english_name)), hex(w.english));
  EXPECT_EQ(hex(name_text(header.chinese_name)), hex(w.chinese));
  EXPECT_EQ(hex(std::string(header.short_name.begin(), header.short_name.end())), hex(w.short_name));
  EXPECT_EQ(header.place_values, input::place_values(static_cast<KeyType>(w.key_type)));
}

Fields full(std::uint8_t key_type, std::uint8_t max_len) {
  Fields f;
  f.key_type = key_type;
  f.max_len = max_len;
  f.uw_option = 1;
  f.range_first = 'a';
  f.range_last = 'z';
  f.single_char = ';';
  f.english = std::string("Simple\0\0\0\0\0\0\0", 13);
  f.chinese = std::string("\xC2\xB2\xA9\xF6\0se\0\0\0\0\0\0", 13);  // "Chinese" keeps "se"
  return f;
}

// The fields of an Alpha line of length 4 that ends early: what it reached, the rest as it was.
Fields cut_alpha_4(std::uint8_t uw_option, std::uint8_t range_first, std::uint8_t range_last = 0,
                   std::uint8_t single_char = 0) {
  Fields f;
  f.max_len = 4;
  f.uw_option = uw_option;
  f.range_first = range_first;
  f.range_last = range_last;
  f.single_char = single_char;
  return f;
}

Fields with(Fields f, void (*change)(Fields&)) {
  change(f);
  return f;
}

const std::string kTail = " u a-z ; (Simple) [\xC2\xB2\xA9\xF6]\n";

INSTANTIATE_TEST_SUITE_P(
    Worked, HeaderLines,
    ::testing::Values(
        HeaderCase{"alpha_4", kName + " A 4" + kTail, HeaderFault::kNone, 0, full(0, 4)},
        HeaderCase{"alpha_6_lower_case_no_blanks", kName + "a6" + kTail, HeaderFault::kNone, 0, full(0, 6)},
        HeaderCase{"alpha_7_refused", kName + " A 7" + kTail, HeaderFault::kMaxLenOutOfRange, '7', {}},
        HeaderCase{"alpha_0_refused", kName + " A 0" + kTail, HeaderFault::kMaxLenOutOfRange, '0', {}},
        HeaderCase{"number_7", kName + " N 7" + kTail, HeaderFault::kNone, 0, full(1, 7)},
        HeaderCase{"number_8_tabs", kName + "\tn\t8" + kTail, HeaderFault::kNone, 0, full(1, 8)},
        HeaderCase{"number_9_refused", kName + " N 9" + kTail, HeaderFault::kMaxLenOutOfRange, '9', {}},
        HeaderCase{"alphanumerical_8", kName + " X 8" + kTail, HeaderFault::kNone, 0, full(2, 8)},
        HeaderCase{"digit_0_is_number", kName + " 0 3" + kTail, HeaderFault::kNone, 0, full(1, 3)},
        HeaderCase{"extra_keys", kName + " X+ 5" + kTail, HeaderFault::kNone, 0,
                   with(full(2, 5), [](Fields& f) { f.dict_kind = DictKind::kExtraKeys; })},
        HeaderCase{"unknown_key_type", kName + " B 4" + kTail, HeaderFault::kKeyTypeUnknown, 'B', {}},
        HeaderCase{"plus_before_letter_is_unknown", kName + " +A 4" + kTail, HeaderFault::kKeyTypeUnknown, '+', {}},
        HeaderCase{"w_option_range_in_capitals", kName + " A 4 W A--Z Q 33-121 (Ab) [Cd]\n", HeaderFault::kNone, 0,
                   with(full(0, 4),
                        [](Fields& f) {
                          f.uw_option = 2;
                          f.single_char = 'q';
                          f.qu_start = 33;
                          f.qu_end = 121;
                          f.english = std::string("Ab\0lish\0\0\0\0\0\0", 13);
                          f.chinese = std::string("Cd\0nese\0\0\0\0\0\0", 13);
                        })},
        HeaderCase{"other_option_range_without_dash", kName + " A 4 k az ; (Simple) [\xC2\xB2\xA9\xF6]\n",
                   HeaderFault::kNone, 0, with(full(0, 4), [](Fields& f) { f.uw_option = 0; })},
        HeaderCase{"no_option_letter_loses_the_range_start", kName + " A 4 a-z ; (Simple) [\xC2\xB2\xA9\xF6]\n",
                   HeaderFault::kNone, 0,
                   with(full(0, 4),
                        [](Fields& f) {
                          f.uw_option = 0;
                          f.range_first = '-';
                          f.range_last = 'z';
                          f.single_char = ';';
                        })},
        HeaderCase{"rows_low_8_bits_and_blank_before_last", kName + " A 4 u a-z ; 300-- 5 (Simple)\n",
                   HeaderFault::kNone, 0,
                   with(full(0, 4),
                        [](Fields& f) {
                          f.qu_start = 44;
                          f.qu_end = 5;
                          f.chinese = std::string("\0hinese\0\0\0\0\0\0", 13);
                        })},
        HeaderCase{"rows_without_last", kName + " A 4 u a-z ; 164-(Simple) [x]\n", HeaderFault::kNone, 0,
                   with(full(0, 4),
                        [](Fields& f) {
                          f.qu_start = 164;
                          f.qu_end = 0;
                          f.english = std::string("\0nglish\0\0\0\0\0\0", 13);
                          f.chinese = std::string("\0hinese\0\0\0\0\0\0", 13);
                        })},
        HeaderCase{"names_cut_at_12_bytes", kName + " A 4 u a-z ; (ABCDEFGHIJKLMNOP) [\xA4\x40\xA4\x41\xA4\x42\xA4\x43\xA4\x44\xA4\x45\xA4\x46]\n",
                   HeaderFault::kNone, 0,
                   with(full(0, 4),
                        [](Fields& f) {
                          f.english = std::string("ABCDEFGHIJKL\0", 13);
                          f.chinese = std::string("\xA4\x40\xA4\x41\xA4\x42\xA4\x43\xA4\x44\xA4\x45\0", 13);
                        })},
        HeaderCase{"name_cut_inside_a_big5_character", kName + " A 4 u a-z ; (x) [A\xA4\x40\xA4\x41\xA4\x42\xA4\x43\xA4\x44\xA4\x45]\n",
                   HeaderFault::kNone, 0,
                   with(full(0, 4),
                        [](Fields& f) {
                          f.english = std::string("x\0glish\0\0\0\0\0\0", 13);
                          f.chinese = std::string("A\xA4\x40\xA4\x41\xA4\x42\xA4\x43\xA4\x44\xA4\0", 13);
                        })},
        HeaderCase{"names_without_close_take_the_line_feed", kName + " A 4 u a-z ; (Ab\n", HeaderFault::kNone, 0,
                   with(full(0, 4),
                        [](Fields& f) {
                          f.english = std::string("Ab\n\0ish\0\0\0\0\0\0", 13);
                          f.chinese = std::string("\0hinese\0\0\0\0\0\0", 13);
                        })},
        HeaderCase{"chinese_name_only_after_english", kName + " A 4 u a-z ; [Cd] (Ab)\n", HeaderFault::kNone, 0,
                   with(full(0, 4),
                        [](Fields& f) {
                          f.english = std::string("Ab\0lish\0\0\0\0\0\0", 13);
                          f.chinese = std::string("\0hinese\0\0\0\0\0\0", 13);
                        })},
        HeaderCase{"short_name_anywhere", "  xy " + kName + " A 4" + kTail, HeaderFault::kNone, 0, full(0, 4)},
        HeaderCase{"one_character_short_name_shifts_fields", "\xA4\x40 A 4 u\n", HeaderFault::kKeyTypeUnknown,
                   '4', {}},
        HeaderCase{"no_short_name", "A 4 u a-z\n", HeaderFault::kNoShortName, 0, {}},
        HeaderCase{"empty_line", "\n", HeaderFault::kNoShortName, 0, {}},
        // A line that ends early: the field there sees the line feed (or a zero byte where the text
        // stops) and every later field keeps its first value.
        HeaderCase{"ends_in_short_name", "ab\xA4\x40\n", HeaderFault::kKeyTypeUnknown, '\n', {}},
        HeaderCase{"ends_in_short_name_cut", "ab\xA4", HeaderFault::kKeyTypeUnknown, 0, {}},
        HeaderCase{"ends_before_length", kName + " A\n", HeaderFault::kMaxLenOutOfRange, '\n', {}},
        HeaderCase{"ends_before_length_cut", kName + " A+ ", HeaderFault::kMaxLenOutOfRange, 0, {}},
        HeaderCase{"ends_before_option", kName + " A 4\n", HeaderFault::kNone, 0, cut_alpha_4(0, 0)},
        HeaderCase{"ends_before_range", kName + " N 4 W  \n", HeaderFault::kNone, 0,
                   with(Fields{},
                        [](Fields& f) {
                          f.key_type = 1;
                          f.max_len = 4;
                          f.uw_option = 2;
                          f.range_first = '\n';
                        })},
        HeaderCase{"ends_before_range_last_cut", kName + " A 4 u a--", HeaderFault::kNone, 0, cut_alpha_4(1, 'a')},
        HeaderCase{"ends_before_single", kName + " A 4 u a-z\n", HeaderFault::kNone, 0,
                   cut_alpha_4(1, 'a', 'z', '\n')},
        HeaderCase{"ends_before_rows", kName + " A 4 u a-z ;\n", HeaderFault::kNone, 0, cut_alpha_4(1, 'a', 'z', ';')},
        HeaderCase{"short_name_cut_by_the_line_end", "\xA4\x40\xA4", HeaderFault::kKeyTypeUnknown, 0, {}}),
    test_support::case_name<HeaderCase>);

TEST(HeaderLine, CutShortNameOverwritesOnlyWhatTheLineHas) {
  input::DictHeader header;
  EXPECT_EQ(itc::parse_header_line("ab\xA4\x40\xA4\n", header).fault, HeaderFault::kKeyTypeUnknown);
  EXPECT_EQ(std::string(header.short_name.begin(), header.short_name.end()), "\xA4\x40\xA4" "E");
}

TEST(HeaderLine, PlusOverridesTheStubRequest) {
  input::DictHeader header;
  header.dict_kind = DictKind::kEmptyStub;
  ASSERT_EQ(itc::parse_header_line(kName + " X+ 5" + kTail, header).fault, HeaderFault::kNone);
  EXPECT_EQ(header.dict_kind, DictKind::kExtraKeys);
  input::DictHeader plain;
  plain.dict_kind = DictKind::kEmptyStub;
  ASSERT_EQ(itc::parse_header_line(kName + " X 5" + kTail, plain).fault, HeaderFault::kNone);
  EXPECT_EQ(plain.dict_kind, DictKind::kEmptyStub);
}

// The header line the library writes from a dictionary's header is taken apart into that header
// again, for every key type, option and kind that a line can give.
TEST(HeaderLine, WrittenLineReadsBackIntoTheSameHeader) {
  for (KeyType type : {KeyType::kAlpha, KeyType::kNumber, KeyType::kAlphaNumerical}) {
    for (std::uint8_t uw_option : {0, 1, 2}) {
      for (DictKind kind : {DictKind::kOrdinary, DictKind::kExtraKeys}) {
        input::DictHeader header;
        header.english_name = {'S', 'i', 'm', 'p', 'l', 'e', 0, 0, 0, 0, 0, 0, 0};
        header.chinese_name = {0xC2, 0xB2, 0xA9, 0xF6, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        header.short_name = {0xC2, 0xB2, 0xA9, 0xF6};
        header.dict_kind = kind;
        header.key_type = static_cast<std::uint8_t>(type);
        header.max_len = static_cast<std::uint8_t>(input::max_len_limit(type));
        header.uw_option = uw_option;
        header.range_first = 'a';
        header.range_last = 'y';
        header.single_char = 'z';
        header.qu_start = 33;
        header.qu_end = 121;
        header.place_values = input::place_values(type);
        const std::string line =
            input::header_line(header, static_cast<char>('0' + input::max_len_limit(type)));
        input::DictHeader back;
        back.english_name = back.chinese_name = {};  // a name keeps the bytes its text does not reach
        ASSERT_EQ(itc::parse_header_line(line, back).fault, HeaderFault::kNone) << line;
        EXPECT_EQ(input::header_bytes(back), input::header_bytes(header)) << line;
      }
    }
  }
}

struct EntryCase {
  const char* name;
  std::string line;
  KeyType type;
  bool is_entry;
  std::uint32_t code;
  std::string characters;
  bool size_exceeded;
};

void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.name; }

class EntryLines : public ::testing::TestWithParam<EntryCase> {};

TEST_P(EntryLines, SplitIntoKeyAndCharacters) {
  const EntryCase& c = GetParam();
  itc::EntryLine entry = itc::split_entry_line(c.line, c.type);
  ASSERT_EQ(entry.is_entry, c.is_entry);
  if (!c.is_entry) return;
  EXPECT_EQ(entry.key.code, c.code);
  EXPECT_EQ(hex(std::string(entry.characters)), hex(c.characters));
  EXPECT_EQ(input::key_size_exceeded(itc::stop_byte(c.line, entry)), c.size_exceeded);
}

INSTANTIATE_TEST_SUITE_P(
    Worked, EntryLines,
    ::testing::Values(
        EntryCase{"plain", "a \xA4\x40\xA4\x41\n", KeyType::kAlpha, true, 33554432, "\xA4\x40\xA4\x41", false},
        EntryCase{"leading_controls_and_ascii_before_characters", "\x01 \tab   xyz 12 \xA4\x40\n", KeyType::kAlpha,
                  true, 35651584, "\xA4\x40", false},
        EntryCase{"run_ends_before_ascii", "ab \xA4\x40 \xA4\x41\n", KeyType::kAlpha, true, 35651584, "\xA4\x40",
                  false},
        EntryCase{"key_only", "ab\n", KeyType::kAlpha, true, 35651584, "", false},
        EntryCase{"big5_inside_the_key", "a\xA4\x40 \xA4\x41\n", KeyType::kAlpha, true, 33554432, "\xA4\x40",
                  false},
        EntryCase{"seven_letters", "abcdefg \xA4\x40\n", KeyType::kAlpha, true,
                  33554432u + 2 * 1048576u + 3 * 32768u + 4 * 1024u + 5 * 32u + 6u, "\xA4\x40", true},
        EntryCase{"six_letters", "abcdef \xA4\x40\n", KeyType::kAlpha, true,
                  33554432u + 2 * 1048576u + 3 * 32768u + 4 * 1024u + 5 * 32u + 6u, "\xA4\x40", false},
        EntryCase{"a1b", "a1b \xA4\x40\n", KeyType::kAlpha, true, 33554432, "\xA4\x40", true},
        EntryCase{"lone_lead_pairs_with_line_feed", "a \xA4\x40\xA4\n", KeyType::kAlpha, true, 33554432,
                  "\xA4\x40\xA4\n", false},
        EntryCase{"lone_lead_at_the_end_of_a_cut_line", "a \xA4\x40\xA4", KeyType::kAlpha, true, 33554432,
                  "\xA4\x40", false},
        EntryCase{"byte_0x80_starts_an_empty_run", "a \x80\xA4\x40\n", KeyType::kAlpha, true, 33554432, "",
                  false},
        EntryCase{"no_key_character", "#x \xA4\x40\n", KeyType::kAlpha, true, 0, "\xA4\x40", true},
        EntryCase{"big5_first", "\xA4\x40\xA4\x41\n", KeyType::kNumber, true, 0, "\xA4\x40\xA4\x41", false},
        EntryCase{"comment", "*ab \xA4\x40\n", KeyType::kAlpha, false, 0, "", false},
        EntryCase{"indented_comment", " \t*ab \xA4\x40\n", KeyType::kAlpha, false, 0, "", false},
        EntryCase{"empty", "\n", KeyType::kAlpha, false, 0, "", false},
        EntryCase{"blanks_only", " \t \n", KeyType::kAlpha, false, 0, "", false},
        EntryCase{"nothing", "", KeyType::kAlpha, false, 0, "", false}),
    test_support::case_name<EntryCase>);

TEST(EntryLine, EchoShowsTheTabThatEndedTheKeyAsASpace) {
  std::string line = "  a1b\tc\t\xA4\x40\n";
  itc::EntryLine entry = itc::split_entry_line(line, KeyType::kAlpha);
  std::string echo;
  itc::echoed_line(line, entry, echo);
  EXPECT_EQ(echo, "  a1b c\t\xA4\x40\n");
}

}  // namespace
