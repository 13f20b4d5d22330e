#include "platform/text_reader.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <vector>

#include "test_support/scratch.h"

namespace {

using platform::LineStatus;

struct Read {
  LineStatus status;
  std::string text;
};

std::vector<Read> read_all_lines(const std::string& input, std::size_t limit) {
  platform::TextReader reader(platform::InputFile::from_bytes(input));
  std::vector<Read> reads;
  std::string line;
  while (true) {
    LineStatus status = reader.read_line(line, limit);
    reads.push_back({status, line});
    if (status != LineStatus::kLine) break;
  }
  return reads;
}

struct Case {
  const char* name;
  std::string input;
  std::size_t limit;
  std::vector<std::string> lines;  // the reads that came back as lines
  std::string last;                // the text of the read that met the end
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class TextReaderCases : public ::testing::TestWithParam<Case> {};

TEST_P(TextReaderCases, ReadsAsTextModeStreamsDid) {
  const Case& c = GetParam();
  std::vector<Read> reads = read_all_lines(c.input, c.limit);
  ASSERT_EQ(reads.size(), c.lines.size() + 1);
  for (std::size_t i = 0; i < c.lines.size(); ++i) {
    EXPECT_EQ(reads[i].status, LineStatus::kLine) << i;
    EXPECT_EQ(reads[i].text, c.lines[i]) << i;
  }
  EXPECT_EQ(reads.back().status, LineStatus::kEnd);
  EXPECT_EQ(reads.back().text, c.last);
}

INSTANTIATE_TEST_SUITE_P(
    All, TextReaderCases,
    ::testing::Values(
        Case{"empty", "", 255, {}, ""},
        Case{"two_lines", "ab\ncd\n", 255, {"ab\n", "cd\n"}, ""},
        Case{"last_line_without_line_feed", "ab\ncd", 255, {"ab\n"}, "cd"},
        Case{"cr_lf_becomes_lf", "ab\r\ncd\r\n", 255, {"ab\n", "cd\n"}, ""},
        Case{"lone_cr_stays", "a\rb\n\r", 255, {"a\rb\n"}, "\r"},
        Case{"sub_ends_the_input", "ab\n\x1A" "cd\n", 255, {"ab\n"}, ""},
        Case{"sub_inside_a_line", "ab\ncd\x1A\nef\n", 255, {"ab\n"}, "cd"},
        Case{"cr_before_sub", "ab\r\x1A", 255, {}, "ab\r"},
        Case{"limit_cuts_a_line", "abcdef\n", 4, {"abcd", "ef\n"}, ""},
        Case{"limit_counts_after_conversion", "abc\r\nd\n", 4, {"abc\n", "d\n"}, ""},
        Case{"full_read_at_the_end_is_a_line", "abcd", 4, {"abcd"}, ""},
        Case{"nul_bytes_are_kept", std::string("a\0b\n", 4), 255, {std::string("a\0b\n", 4)}, ""}),
    [](const ::testing::TestParamInfo<Case>& param_info) { return std::string(param_info.param.name); });

TEST(TextReader, CrLfAcrossChunkBoundariesStillJoins) {
  // The reader fills 65536 bytes at a time; put the CR last in the first fill.
  std::string input(65535, 'x');
  input += "\r\nz\n";
  platform::TextReader reader(platform::InputFile::from_bytes(input));
  std::string line;
  ASSERT_EQ(reader.read_line(line, 70000), LineStatus::kLine);
  EXPECT_EQ(line.size(), 65536u);
  EXPECT_EQ(line.back(), '\n');
  ASSERT_EQ(reader.read_line(line, 70000), LineStatus::kLine);
  EXPECT_EQ(line, "z\n");
}

TEST(TextReader, EndStaysRaised) {
  platform::TextReader reader(platform::InputFile::from_bytes("a\n\x1A" "b\n"));
  std::string line;
  EXPECT_EQ(reader.read_line(line, 255), LineStatus::kLine);
  EXPECT_EQ(reader.read_line(line, 255), LineStatus::kEnd);
  EXPECT_EQ(reader.read_line(line, 255), LineStatus::kEnd);
  EXPECT_EQ(line, "");
}

TEST(TextReader, FolderIsAReadError) {
  test_support::ScratchDir dir;
  platform::InputFile in;
  ASSERT_EQ(in.open(dir.path().string()), 0);
  platform::TextReader reader(std::move(in));
  std::string line;
  EXPECT_EQ(reader.read_line(line, 255), LineStatus::kError);
  EXPECT_EQ(reader.error(), EISDIR);
}

}  // namespace
