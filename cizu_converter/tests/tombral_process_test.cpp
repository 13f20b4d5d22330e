// TOMBRAL run as a process: exact standard output, standard error, status and output bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cizu_converter/tests/tombral_texts.h"
#include "big5dict/bytes.h"
#include "platform/report.h"
#include "test_support/process.h"
#include "test_support/scratch.h"

namespace {

namespace fs = std::filesystem;
using namespace cizu_converter::tombral_texts;
using test_support::bytes;
using test_support::hex;
using test_support::ProcessResult;
using test_support::ScratchDir;

std::uint32_t word(const std::string& file, std::size_t k) {
  return big5dict::get_u32(reinterpret_cast<const std::uint8_t*>(file.data()) + 4 * k);
}

// Bucket k of a written dictionary, found through its header as a loader would.
std::string bucket(const std::string& file, std::size_t k) {
  std::uint32_t begin = word(file, k) - word(file, 0);
  std::uint32_t end = word(file, k + 1) - word(file, 0);
  return file.substr(kHeaderBytes + begin, end - begin);
}

// Checks the header against the data area and returns the buckets that hold bytes.
std::vector<std::size_t> filled_buckets(const std::string& file) {
  EXPECT_GE(file.size(), kHeaderBytes);
  EXPECT_EQ(word(file, 0), kMagic);
  EXPECT_EQ(file.size(), kHeaderBytes + (word(file, 9999) - word(file, 0)));
  std::vector<std::size_t> filled;
  for (std::size_t k = 0; k < 9999; ++k) {
    if (word(file, k + 1) != word(file, k)) filled.push_back(k);
  }
  return filled;
}

TEST(TombralProcess, FewerThanTwoArgumentsPrintUsage) {
  for (std::vector<std::string> args : {std::vector<std::string>{}, std::vector<std::string>{"in.b5"}}) {
    ScratchDir dir;
    ProcessResult r = tombral(dir, args);
    EXPECT_EQ(r.out, banner() + "Usage: TOMBRAL big5file dicfile\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(dir.entries().empty());
  }
}

TEST(TombralProcess, WorkedExampleEndToEnd) {
  ScratchDir dir;
  dir.write("in.b5", "abc \xA4\xA4\xA4\xE5 \xA6\x72\n");
  ProcessResult r = tombral(dir, {"in.b5", "out.dic", "ignored"});
  EXPECT_EQ(r.out, banner() + converting("in.b5", "out.dic") + progress({0}) + summary(2, 9));
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 0);
  std::string file = dir.read("out.dic");
  ASSERT_EQ(file.size(), kHeaderBytes + 9);
  for (std::size_t k = 0; k <= 8226; ++k) ASSERT_EQ(word(file, k), kMagic) << k;
  for (std::size_t k = 8227; k <= 9999; ++k) ASSERT_EQ(word(file, k), kMagic + 9) << k;
  EXPECT_EQ(hex(file.substr(kHeaderBytes)), "41 42 43 A4 A4 24 E5 A6 72");
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"in.b5", "out.dic"}));
}

TEST(TombralProcess, EmptyTableGivesFortyThousandBytesOfMagic) {
  ScratchDir dir;
  dir.write("in.b5", "* nothing but a comment\n");
  ProcessResult r = tombral(dir, {"in.b5", "out.dic"});
  EXPECT_EQ(r.out, banner() + converting("in.b5", "out.dic") + progress({0}) + summary(0, 0));
  EXPECT_EQ(r.status, 0);
  std::string expected;
  for (int k = 0; k < 10000; ++k) big5dict::append_u32(expected, kMagic);
  EXPECT_TRUE(dir.read("out.dic") == expected);
}

TEST(TombralProcess, CommentsCountAsLinesAndEmptyRecordsTakeTheirPlace) {
  ScratchDir dir;
  dir.write("in.b5",
            "* comment\n"
            "abc\n"                  // key alone, no space: a record of the key
            "ABC \xA4\xA4\n"         // folds to abc
            "abc \xA5\x40 \xA5\x41\n"
            "\n"                     // empty records in bucket 0
            "   \n"
            "*ABC \xA4\xA4\n");
  ProcessResult r = tombral(dir, {"in.b5", "out.dic"});
  EXPECT_EQ(r.out, banner() + converting("in.b5", "out.dic") + progress({0, 0, 0, 1, 3, 3, 3}) +
                       summary(3, 17));
  EXPECT_EQ(r.status, 0);
  std::string file = dir.read("out.dic");
  EXPECT_EQ(filled_buckets(file), (std::vector<std::size_t>{0, 8226}));
  EXPECT_EQ(hex(bucket(file, 0)), "00");  // two empty records, one separator
  EXPECT_EQ(hex(bucket(file, 8226)), "41 42 43 00 41 42 43 A4 A4 00 41 42 43 A5 40 A5 41");
}

TEST(TombralProcess, TextModeReadingAndALastLineWithoutLineFeed) {
  ScratchDir dir;
  // CR LF reads as LF; a tab is no separator; a NUL in the key is dropped; the last line has no
  // line feed and is read all the same, but nothing after a 0x1A is.
  dir.write("in.b5", std::string("a\0bc \xA4\xA4\r\n"
                                 "ab\tcd \xA6\x72,\xA6\x72\r\n"
                                 "hello \xA4\xA4",
                                 30) +
                         "\x1A" "more \xA4\xA4\n");
  ProcessResult r = tombral(dir, {"in.b5", "out.dic"});
  EXPECT_EQ(r.out, banner() + converting("in.b5", "out.dic") + progress({0, 1, 2}) + summary(3, 7));
  EXPECT_EQ(r.status, 0);
  std::string file = dir.read("out.dic");
  // "a" stops the hash at the NUL: bucket 9312; "ab" stops it at the tab.
  std::size_t ab = (((('a' | 1) * ('a' ^ 1)) + (('b' | 2) * ('b' ^ 2))) % 9999);
  std::size_t hello = 0;
  for (std::size_t p = 1; p <= 5; ++p) {
    auto b = static_cast<std::size_t>("hello"[p - 1]);
    hello += (b | p) * (b ^ p);
  }
  hello %= 9999;
  std::vector<std::size_t> expected{ab, 9312, hello};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(filled_buckets(file), expected);
  EXPECT_EQ(hex(bucket(file, 9312)), "41 42 43 A4 A4");
  EXPECT_EQ(hex(bucket(file, ab)), "41 42 43 44 A6 72");
  EXPECT_EQ(hex(bucket(file, hello)), "48 45 4C 4C 4F A4 A4");
}

TEST(TombralProcess, LongLineIsOneRecord) {
  ScratchDir dir;
  std::string line = "k ";
  for (int i = 0; i < 600; ++i) line += "\xA4\x40";
  line += "\n";
  dir.write("in.b5", line);
  ProcessResult r = tombral(dir, {"in.b5", "out.dic"});
  // No read cuts the line: one phrase of 600 characters, the first lead byte marked.
  std::string record = bytes({0x4B, 0xA4, 0x40});
  for (int i = 1; i < 600; ++i) record += bytes({0x24, 0x40});
  std::size_t k_bucket = (('k' | 1) * ('k' ^ 1)) % 9999;
  EXPECT_EQ(r.out, banner() + converting("in.b5", "out.dic") + progress({0}) + summary(1, 1201));
  EXPECT_EQ(r.status, 0);
  std::string file = dir.read("out.dic");
  EXPECT_EQ(filled_buckets(file), (std::vector<std::size_t>{k_bucket}));
  EXPECT_EQ(hex(bucket(file, k_bucket)), hex(record));
}

TEST(TombralProcess, ExampleTableConverts) {
  ScratchDir dir;
  fs::copy_file(fs::path(TOMBRAL_SOURCE_DIR) / "examples" / "cizu-table.b5", dir / "cizu-table.b5");
  ProcessResult r = tombral(dir, {"cizu-table.b5", "cizu.dbg"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_NE(r.out.find("\rcount=   24\n"), std::string::npos) << r.out;
  std::string file = dir.read("cizu.dbg");
  // ZW folds to zw: the record stores 5A 57 and its phrases begin with 0xA4 (the first lead byte).
  std::size_t zw = ((('z' | 1) * ('z' ^ 1)) + (('w' | 2) * ('w' ^ 2))) % 9999;
  EXPECT_EQ(bucket(file, zw).substr(0, 3), bytes({0x5A, 0x57, 0xA4}));
  EXPECT_EQ(filled_buckets(file).size(), 10u);
}

TEST(TombralProcess, MissingInputIsReportedOnStandardError) {
  ScratchDir dir;
  ProcessResult r = tombral(dir, {"missing.b5", "out.dic"});
  EXPECT_EQ(r.out, banner());
  EXPECT_EQ(r.err, "missing.b5: No such file or directory\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(dir.entries().empty());
}

TEST(TombralProcess, OutputThatCannotBeWrittenIsReportedOnStandardError) {
  ScratchDir dir;
  dir.write("in.b5", "abc \xA4\xA4\n");
  fs::create_directory(dir / "folder");
  ProcessResult r = tombral(dir, {"in.b5", "folder"});
  EXPECT_EQ(r.out, banner());
  EXPECT_EQ(r.err, "folder: Is a directory\n");
  EXPECT_EQ(r.status, 1);

  r = tombral(dir, {"in.b5", "nowhere/out.dic"});
  EXPECT_EQ(r.out, banner());
  EXPECT_EQ(r.err, "nowhere/out.dic: No such file or directory\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"folder", "in.b5"}));
  EXPECT_TRUE(fs::is_empty(dir / "folder"));
}

TEST(TombralProcess, FolderAsInputIsAReadErrorAndTheOldOutputSurvives) {
  ScratchDir dir;
  fs::create_directory(dir / "folder");
  dir.write("out.dic", "old");
  ProcessResult r = tombral(dir, {"folder", "out.dic"});
  EXPECT_EQ(r.out, banner() + converting("folder", "out.dic") + "\nRead error on file: folder: Is a directory\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(dir.read("out.dic"), "old");
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"folder", "out.dic"}));
}

TEST(TombralProcess, FailedWriteLeavesTheOldOutputAndNoTemporaryFile) {
  ScratchDir dir;
  dir.write("in.b5", "abc \xA4\xA4\n");
  dir.write("out.dic", "old");
  ProcessResult r = tombral(dir, {"in.b5", "out.dic"}, 20000);
  EXPECT_EQ(r.signal, 0);
  EXPECT_EQ(r.out, banner() + converting("in.b5", "out.dic") + progress({0}) + "count=    1\n" +
                       "\nWrite error on file: out.dic: File too large\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(dir.read("out.dic"), "old");
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"in.b5", "out.dic"}));
}

TEST(TombralProcess, InputNamedAsOutputConverts) {
  ScratchDir dir;
  dir.write("table", "abc \xA4\xA4\xA4\xE5 \xA6\x72\n");
  ProcessResult r = tombral(dir, {"table", "table"});
  EXPECT_EQ(r.out, banner() + converting("table", "table") + progress({0}) + summary(2, 9));
  EXPECT_EQ(r.status, 0);
  std::string file = dir.read("table");
  ASSERT_EQ(file.size(), kHeaderBytes + 9);
  EXPECT_EQ(hex(bucket(file, 8226)), "41 42 43 A4 A4 24 E5 A6 72");
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"table"});
}

TEST(TombralProcess, BucketsGrowPastAnyFixedWorkArea) {
  ScratchDir dir;
  std::string table;
  for (int i = 0; i < 3000; ++i) table += "abc \xA4\xA4\xA4\xE5 \xA6\x72\n";
  dir.write("in.b5", table);
  ProcessResult r = tombral(dir, {"in.b5", "out.dic"});
  EXPECT_EQ(r.status, 0);
  constexpr long kBucketLength = 3000 * 9 + 2999;
  EXPECT_NE(r.out.find(summary(6000, kBucketLength)), std::string::npos);
  std::string file = dir.read("out.dic");
  std::string expected = bytes({0x41, 0x42, 0x43, 0xA4, 0xA4, 0x24, 0xE5, 0xA6, 0x72});
  for (int i = 1; i < 3000; ++i) expected += '\0' + bytes({0x41, 0x42, 0x43, 0xA4, 0xA4, 0x24, 0xE5, 0xA6, 0x72});
  EXPECT_TRUE(bucket(file, 8226) == expected);
  EXPECT_EQ(file.size(), kHeaderBytes + kBucketLength);
}

}  // namespace
