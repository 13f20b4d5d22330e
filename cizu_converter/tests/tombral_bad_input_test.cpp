// TOMBRAL run as a process on malformed CiZu tables: empty and cut files, NUL bytes, lone lead
// bytes, CR LF, 0x1A, long lines and a bucket past 16384 bytes. Each case gives its exact output,
// status 0, and a dictionary holding exactly the expected buckets; a line too long to take stops
// the run and leaves an existing dictionary as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "cizu_converter/tests/tombral_texts.h"
#include "big5dict/bytes.h"
#include "platform/report.h"
#include "test_support/case_name.h"
#include "test_support/process.h"
#include "test_support/scratch.h"

namespace {

using test_support::hex;
using test_support::ProcessResult;
using test_support::raw;
using test_support::repeat;
using test_support::ScratchDir;
using namespace cizu_converter::tombral_texts;

constexpr std::size_t kBuckets = 9999;
constexpr std::size_t kLongest = 1048576;

// The bucket of a key: the sum of (b OR p) x (b XOR p) over its bytes 0x21..0x7E, positions from 1.
std::size_t bucket_of(const std::string& key) {
  long sum = 0;
  long position = 0;
  for (char c : key) {
    auto b = static_cast<unsigned char>(c);
    if (b < 0x21 || b > 0x7E) break;
    ++position;
    sum += (b | position) * (b ^ position);
  }
  return static_cast<std::size_t>(sum % static_cast<long>(kBuckets));
}

// What every run shows before its progress lines.
const std::string kStart = banner() + converting("t.b5", "out.dic");

struct BadTable {
  const char* name;
  std::string table;
  std::vector<long> words_before_each_line;  // the progress lines
  long count;
  std::map<std::size_t, std::string> buckets;  // every bucket that holds bytes
};

std::vector<BadTable> bad_tables() {
  const std::size_t abc = bucket_of("abc");
  // 509 characters fill the old read of 1023 bytes behind "abc " but for one byte.
  const std::string long_phrase = "\xA4\xA4" + repeat("\xA4\xA4", 508);
  const std::string long_record = "ABC\xA4\xA4" + repeat("\x24\xA4", 508);
  // 30000 bytes: the key, then 6000 phrases.
  const std::string wide_line = "ab " + repeat("\xA4\xA4\xA6\x72 ", 5999) + "\xA4\xA4";
  std::vector<long> many(3500);
  for (std::size_t i = 0; i < many.size(); ++i) many[i] = static_cast<long>(i);
  return {
      {"EmptyFile", "", {}, 0, {}},
      {"LastLineWithoutLineFeed", "abc \xA4\xA4", {0}, 1, {{abc, "ABC\xA4\xA4"}}},
      {"LastLineBefore0x1A", "abc \xA4\xA4\x1A", {0}, 1, {{abc, "ABC\xA4\xA4"}}},
      // A NUL in the key is dropped like any byte outside 0x21..0x7E; the hash stops at it.
      {"NulInsideTheKey", raw("a\0bc \xA4\xA4\n"), {0}, 1, {{bucket_of("a"), "ABC\xA4\xA4"}}},
      {"NulAfterAPhraseEndsTheLine", raw("abc \xA4\xA4\0 \xA6\x72\n"), {0}, 1, {{abc, "ABC\xA4\xA4"}}},
      {"NulAsATrailByteEndsTheLine", raw("abc \xA4\xA4\xA6\0\xA6\x72\n"), {0}, 1, {{abc, "ABC\xA4\xA4"}}},
      // The line feed is a byte of the line: a lead byte before it takes it as its trail byte.
      {"LoneLeadByteBeforeTheLineFeed", "abc \xA4\xA4\xA6\n", {0}, 1, {{abc, "ABC\xA4\xA4\x26\n"}}},
      {"LoneLeadByteAtTheEndOfTheFile", "abc \xA4\xA4\nabd \xA6", {0, 1}, 1,
       {{abc, "ABC\xA4\xA4"}, {bucket_of("abd"), "ABD"}}},
      {"CrLfLines", "abc \xA4\xA4\r\nabc \xA6\x72\r\nabc \xA6\r\n", {0, 1, 2}, 3,
       {{abc, raw("ABC\xA4\xA4\0ABC\xA6\x72\0ABC\xA6\n")}}},
      {"EndOfTextInsideTheTable", "abc \xA4\xA4\n\x1A" "abd \xA6\x72\n", {0}, 1, {{abc, "ABC\xA4\xA4"}}},
      // Lines are read whole: an empty key, then the phrase, in bucket 0.
      {"LineOfTenThousandSpaces", std::string(10000, ' ') + "\xA4\xA4\n", {0}, 1, {{0, "\xA4\xA4"}}},
      {"LineOverTheOldReadSize", "abc " + long_phrase + "\xA6\x72\n", {0}, 1, {{abc, long_record + "\x26\x72"}}},
      {"LineOf30000Bytes", wide_line + "\n", {0}, 6000,
       {{bucket_of("ab"), "AB" + repeat("\xA4\xA4\x26\x72", 5999) + "\xA4\xA4"}}},
      {"CommentOfTheLongestLength", "*" + std::string(kLongest - 1, 'x') + "\nabc \xA4\xA4\n", {0, 0}, 1,
       {{abc, "ABC\xA4\xA4"}}},
      {"BucketPast16384Bytes", repeat("abc \xA4\xA4\n", 3500), many, 3500,
       {{abc, repeat(raw("ABC\xA4\xA4\0"), 3499) + "ABC\xA4\xA4"}}},
  };
}

class TombralBadInput : public ::testing::TestWithParam<BadTable> {};

TEST_P(TombralBadInput, ExactOutputAndBuckets) {
  const BadTable& c = GetParam();
  ScratchDir dir;
  dir.write("t.b5", c.table);
  ProcessResult r = tombral(dir, {"t.b5", "out.dic"});
  EXPECT_EQ(r.signal, 0);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  std::size_t longest = 0;
  for (const auto& [k, bytes] : c.buckets) longest = std::max(longest, bytes.size());
  EXPECT_EQ(r.out, kStart + progress(c.words_before_each_line) + summary(c.count, static_cast<long>(longest)));

  std::string file = dir.read("out.dic");
  std::string data;
  std::string header;
  std::uint32_t word = kMagic;
  big5dict::append_u32(header, word);
  for (std::size_t k = 0; k < kBuckets; ++k) {
    auto it = c.buckets.find(k);
    if (it != c.buckets.end()) data += it->second;
    word = kMagic + static_cast<std::uint32_t>(data.size());
    big5dict::append_u32(header, word);
  }
  ASSERT_EQ(file.size(), kHeaderBytes + data.size());
  EXPECT_TRUE(file.substr(0, kHeaderBytes) == header) << "the header differs";
  EXPECT_EQ(hex(file.substr(kHeaderBytes, 64)), hex(data.substr(0, 64)));
  EXPECT_TRUE(file.substr(kHeaderBytes) == data) << "the data area differs";
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"out.dic", "t.b5"}));
}

INSTANTIATE_TEST_SUITE_P(Tables, TombralBadInput, ::testing::ValuesIn(bad_tables()), test_support::case_name<BadTable>);

// A line longer than any a reader takes stops the run before its progress line: status 1, and the
// dictionary already there stays. /dev/zero stands for an input that never ends.
TEST(TombralLongLine, StopsTheRunAndLeavesTheOutput) {
  struct Case {
    std::string table;  // empty: the input is /dev/zero
    std::string out;
  };
  for (const Case& c : {
           Case{"abc \xA4\xA4\n*" + std::string(kLongest, 'x') + "\n",
                "Words=    0  Line=    1\r" + platform::long_line_report(2, "t.b5")},
           Case{"", platform::long_line_report(1, "t.b5")},
       }) {
    ScratchDir dir;
    if (c.table.empty()) {
      std::filesystem::create_symlink("/dev/zero", dir / "t.b5");
    } else {
      dir.write("t.b5", c.table);
    }
    dir.write("out.dic", "old");
    ProcessResult r = tombral(dir, {"t.b5", "out.dic"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, kStart + c.out);
    EXPECT_EQ(dir.read("out.dic"), "old");
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"out.dic", "t.b5"}));
  }
}

}  // namespace
