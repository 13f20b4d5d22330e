#include "platform/text_reader.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <vector>

#include "test_support/case_name.h"
#include "test_support/scratch.h"

namespace {

using platform::LineStatus;

struct Read {
  LineStatus status;
  std::string text;
};

std::vector<Read> read_all_lines(const std::string& input, std::size_t longest) {
  platform::TextReader reader(platform::InputFile::from_bytes(input), longest);
  std::vector<Read> reads;
  std::string line;
  while (true) {
    LineStatus status = reader.read_line(line);
    reads.push_back({status, line});
    if (status != LineStatus::kLine) break;
  }
  return reads;
}

struct Case {
  const char* name;
  std::string input;
  std::size_t longest;
  std::vector<std::string> lines;  // the reads that came back as lines
  LineStatus last;                 // the status that ended the reading
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class TextReaderCases : public ::testing::TestWithParam<Case> {};

TEST_P(TextReaderCases, ReadsAsTextModeStreamsDidAndLinesWhole) {
  const Case& c = GetParam();
  std::vector<Read> reads = read_all_lines(c.input, c.longest);
  ASSERT_EQ(reads.size(), c.lines.size() + 1);
  for (std::size_t i = 0; i < c.lines.size(); ++i) {
    EXPECT_EQ(reads[i].status, LineStatus::kLine) << i;
    EXPECT_EQ(reads[i].text, c.lines[i]) << i;
  }
  EXPECT_EQ(reads.back().status, c.last);
  EXPECT_EQ(reads.back().text, "");
}

constexpr std::size_t kLongest = platform::kLongestLine;
constexpr LineStatus kEnd = LineStatus::kEnd;
constexpr LineStatus kTooLong = LineStatus::kTooLong;

INSTANTIATE_TEST_SUITE_P(
    All, TextReaderCases,
    ::testing::Values(
        Case{"empty", "", kLongest, {}, kEnd},
        Case{"two_lines", "ab\ncd\n", kLongest, {"ab\n", "cd\n"}, kEnd},
        Case{"last_line_without_line_feed", "ab\ncd", kLongest, {"ab\n", "cd"}, kEnd},
        Case{"cr_lf_becomes_lf", "ab\r\ncd\r\n", kLongest, {"ab\n", "cd\n"}, kEnd},
        Case{"lone_cr_stays", "a\rb\n\r", kLongest, {"a\rb\n", "\r"}, kEnd},
        Case{"sub_ends_the_input", "ab\n\x1A" "cd\n", kLongest, {"ab\n"}, kEnd},
        Case{"sub_inside_a_line", "ab\ncd\x1A\nef\n", kLongest, {"ab\n", "cd"}, kEnd},
        Case{"cr_before_sub", "ab\r\x1A", kLongest, {"ab\r"}, kEnd},
        Case{"longest_line_is_whole", "abcd\nef", 4, {"abcd\n", "ef"}, kEnd},
        Case{"longest_counts_after_conversion", "abcd\r\nd\n", 4, {"abcd\n", "d\n"}, kEnd},
        Case{"longest_without_line_feed", "abcd\x1A" "efgh", 4, {"abcd"}, kEnd},
        Case{"one_byte_more_is_too_long", "ab\nabcde\nf\n", 4, {"ab\n"}, kTooLong},
        Case{"lone_cr_counts", "abcd\r\x1A", 4, {}, kTooLong},
        Case{"nul_counts", std::string("abc\0d\n", 6), 4, {}, kTooLong},
        Case{"nul_bytes_are_kept", std::string("a\0b\n", 4), kLongest, {std::string("a\0b\n", 4)}, kEnd}),
    test_support::case_name<Case>);

TEST(TextReader, CrLfAcrossChunkBoundariesStillJoins) {
  // The reader fills 65536 bytes at a time; put the CR last in the first fill.
  std::string input(65535, 'x');
  input += "\r\nz\n";
  platform::TextReader reader(platform::InputFile::from_bytes(input));
  std::string line;
  ASSERT_EQ(reader.read_line(line), LineStatus::kLine);
  EXPECT_EQ(line.size(), 65536u);
  EXPECT_EQ(line.back(), '\n');
  ASSERT_EQ(reader.read_line(line), LineStatus::kLine);
  EXPECT_EQ(line, "z\n");
}

TEST(TextReader, EndStaysRaised) {
  platform::TextReader reader(platform::InputFile::from_bytes("a\n\x1A" "b\n"));
  std::string line;
  EXPECT_EQ(reader.read_line(line), LineStatus::kLine);
  EXPECT_EQ(reader.read_line(line), LineStatus::kEnd);
  EXPECT_EQ(reader.read_line(line), LineStatus::kEnd);
  EXPECT_EQ(line, "");
}

TEST(TextReader, EndlessInputIsAnOverLongLineThatStays) {
  platform::InputFile in;
  ASSERT_EQ(in.open("/dev/zero"), 0);
  platform::TextReader reader(std::move(in));
  std::string line;
  EXPECT_EQ(reader.read_line(line), LineStatus::kTooLong);
  EXPECT_EQ(reader.line_number(), 1);
  EXPECT_LE(line.capacity(), platform::kLongestLine + 64);
  EXPECT_EQ(reader.read_line(line), LineStatus::kTooLong);
  EXPECT_EQ(reader.line_number(), 1);
}

TEST(TextReader, FolderIsAReadError) {
  test_support::ScratchDir dir;
  platform::InputFile in;
  ASSERT_EQ(in.open(dir.path().string()), 0);
  platform::TextReader reader(std::move(in));
  std::string line;
  EXPECT_EQ(reader.read_line(line), LineStatus::kError);
  EXPECT_EQ(reader.error(), EISDIR);
}

}  // namespace
