#include "phrase_tool/word_list.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sstream>
#include <string>

#include "phrase_tool/messages.h"
#include "phrase_tool/tests/phrase_characters.h"
#include "platform/report.h"
#include "test_support/case_name.h"
#include "test_support/scratch.h"

namespace {

using phrase_tool::Outcome;
using phrase_tool::StopStatus;
using test_support::bytes;
using test_support::hex;
using test_support::repeat;
using namespace phrase_tool::phrase_characters;

struct ScanCase {
  const char* name;
  std::string input;
  int sign;
  std::string out;  // with the list-added flag on, every word handed on shows as a line
  StopStatus stop;
  bool text_export;
};

void PrintTo(const ScanCase& c, std::ostream* os) { *os << c.name; }

class WordListScan : public ::testing::TestWithParam<ScanCase> {};

TEST_P(WordListScan, HandsOnTheRunsOfBig5Characters) {
  const ScanCase& c = GetParam();
  big5dict::phrase::PhraseTable table;
  phrase_tool::RunFlags flags;
  flags.list_added = true;
  flags.at_end = true;
  std::ostringstream out;
  std::ostringstream err;
  platform::TextReader reader(platform::InputFile::from_bytes(c.input));
  StopStatus stop = phrase_tool::apply_word_lines(reader, "w.b5", c.sign, table, flags, {out, err});
  EXPECT_EQ(stop, c.stop);
  EXPECT_EQ(hex(out.str()), hex(c.out)) << out.str();
  EXPECT_EQ(flags.text_export, c.text_export);
  EXPECT_EQ(err.str(), "");
}

const std::string kForty = repeat(D, 40);  // 80 bytes
const std::string kFortyOne = repeat(D, 41);

INSTANTIATE_TEST_SUITE_P(
    Lines, WordListScan,
    ::testing::Values(
        ScanCase{"three_words_on_a_line", A + B + " " + C + D + "," + E + F + "\n", 1,
                 A + B + "\n" + C + D + "\n" + E + F + "\n", std::nullopt, false},
        ScanCase{"single_character_is_no_word", A + "\n" + " " + B + " x\n", 1, "", std::nullopt, false},
        ScanCase{"eighty_byte_run_reaches_the_editor", kForty + "\n", 1,
                 "\a\a\aWord [" + kForty + "] Length > 40 !", Outcome::kContentFault, false},
        ScanCase{"eighty_two_byte_run_is_too_long", "x\n\n ab " + kFortyOne + " " + A + B + "\n", 1,
                 "Word Too Long Line: 3 " + kFortyOne + "\n", Outcome::kContentFault, false},
        // Past the 255 bytes of the old reads the line goes on: one line, one run.
        ScanCase{"long_line_read_whole", std::string(251, 'x') + A + B + kFortyOne + "\n", 1,
                 "Word Too Long Line: 1 " + A + B + kFortyOne + "\n", Outcome::kContentFault, false},
        ScanCase{"no_character_cut_at_byte_255", std::string(250, 'x') + A + B + D + "\n" + E + F + "\n", 1,
                 A + B + D + "\n" + E + F + "\n", std::nullopt, false},
        ScanCase{"last_line_without_line_feed", A + B + "\n" + C + D, 1, A + B + "\n" + C + D + "\n", std::nullopt,
                 false},
        ScanCase{"last_line_before_sub", A + B + "\n" + C + D + "\x1A", 1, A + B + "\n" + C + D + "\n",
                 std::nullopt, false},
        ScanCase{"nul_ends_the_text", A + B + std::string(1, '\0') + C + D + " PRINT-TO-BIG5\n" + E + F + "\n", 1,
                 A + B + "\n" + E + F + "\n", std::nullopt, false},
        ScanCase{"lone_lead_before_nul_is_dropped", A + B + "\xB0" + std::string(1, '\0') + "\n", 1,
                 A + B + "\n", std::nullopt, false},
        ScanCase{"lead_at_byte_255_takes_its_trail", std::string(254, ' ') + "\xB0" + E + F + "\n", 1,
                 "", std::nullopt, false},
        ScanCase{"print_to_big5_line_yields_no_words", A + B + " PRINT-TO-BIG5 " + C + D + "\n" + E + F + "\n", 1,
                 E + F + "\n", std::nullopt, true},
        ScanCase{"print_to_big5_needs_its_letter_case", "print-to-big5 " + A + B + "\n", 1, A + B + "\n",
                 std::nullopt, false},
        ScanCase{"cr_lf_lines", A + B + "\r\n" + C + D + "\r\n", 1, A + B + "\n" + C + D + "\n", std::nullopt, false},
        ScanCase{"sub_ends_the_list", A + B + "\n\x1A" + C + D + "\n", 1, A + B + "\n", std::nullopt, false},
        ScanCase{"high_bytes_up_to_a0_separate", A + B + "\x80" + C + D + "\xA0" + E + F + "\n", 1,
                 A + B + "\n" + C + D + "\n" + E + F + "\n", std::nullopt, false},
        ScanCase{"a_lead_takes_any_trail", A + "\xB0 \n", 1, A + "\xB0 \n", std::nullopt, false},
        ScanCase{"removal_of_missing_words", A + B + " " + A + D + E + "\n", -1,
                 "??" + bytes({0x24, 0x41}) + "\n??" + D + bytes({0x2E, 0x61}) + "\n", std::nullopt, false}),
    test_support::case_name<ScanCase>);

TEST(WordList, AddsThenRemovesWithTheSignOfTheList) {
  big5dict::phrase::PhraseTable table;
  phrase_tool::RunFlags flags;
  std::ostringstream out;
  std::ostringstream err;
  const std::string list = A + B + " " + A + D + E + "\n" + A + C + "\n";
  platform::TextReader adding(platform::InputFile::from_bytes(list));
  EXPECT_EQ(phrase_tool::apply_word_lines(adding, "w", 1, table, flags, {out, err}), std::nullopt);
  EXPECT_EQ(out.str(), "+++");
  EXPECT_EQ(table.bucket(0).size(), 14u);
  platform::TextReader removing(platform::InputFile::from_bytes(list));
  EXPECT_EQ(phrase_tool::apply_word_lines(removing, "w", -1, table, flags, {out, err}), std::nullopt);
  EXPECT_EQ(out.str(), "+++---");
  EXPECT_EQ(table.bucket(0), "");
}

class WordListFile : public ::testing::Test {
 protected:
  StopStatus apply(const std::string& argument) {
    return phrase_tool::apply_word_list(argument, table, flags, {out, err});
  }
  std::string path(const std::string& name) const { return (dir / name).string(); }

  test_support::ScratchDir dir;
  big5dict::phrase::PhraseTable table;
  phrase_tool::RunFlags flags;
  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(WordListFile, PrefixesChooseTheDirection) {
  dir.write("w.b5", A + B + "\n");
  EXPECT_EQ(apply("+" + path("w.b5")), std::nullopt);
  EXPECT_EQ(out.str(), " Adding words listed in [" + path("w.b5") + "]\n+");
  out.str("");
  EXPECT_EQ(apply("-" + path("w.b5")), std::nullopt);
  EXPECT_EQ(out.str(), " Removing words listed in [" + path("w.b5") + "]\n-");
  out.str("");
  EXPECT_EQ(apply(path("w.b5")), std::nullopt);
  EXPECT_EQ(out.str(), " Adding words listed in [" + path("w.b5") + "]\n+");
  EXPECT_FALSE(flags.list_added);
}

TEST_F(WordListFile, StarPrefixListsTheAddedPhrases) {
  dir.write("w.b5", A + B + "\n");
  EXPECT_EQ(apply("*" + path("w.b5")), std::nullopt);
  EXPECT_TRUE(flags.list_added);
  EXPECT_EQ(out.str(), " Adding words listed in [" + path("w.b5") + "]\n" + A + B + "\n");
}

TEST_F(WordListFile, ListThatDoesNotOpenIsPassedOver) {
  EXPECT_EQ(apply("+" + path("missing.b5")), std::nullopt);
  EXPECT_EQ(apply("-" + path("missing.b5")), std::nullopt);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(err.str(), "");
}

TEST_F(WordListFile, FolderIsAReadError) {
  std::filesystem::create_directory(dir / "folder.b5");
  EXPECT_EQ(apply("+" + path("folder.b5")), Outcome::kFileFault);
  EXPECT_EQ(out.str(), " Adding words listed in [" + path("folder.b5") + "]\n" +
                           platform::read_error_report(path("folder.b5"), EISDIR));
}

}  // namespace
