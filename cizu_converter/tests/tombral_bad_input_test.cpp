// TOMBRAL run as a process on malformed CiZu tables: empty and cut files, NUL bytes, lone lead
// bytes, CR LF, 0x1A, lines of 10000 bytes and a bucket past 16384 bytes. Each case gives its exact
// output, status 0, and a dictionary holding exactly the expected buckets.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/little_endian.h"
#include "platform/report.h"
#include "test_support/process.h"
#include "test_support/scratch.h"

namespace {

using test_support::hex;
using test_support::ProcessOptions;
using test_support::ProcessResult;
using test_support::ScratchDir;

constexpr std::uint32_t kMagic = 0x5651DE88;
constexpr std::size_t kHeaderBytes = 40000;
constexpr std::size_t kBuckets = 9999;

std::string banner() {
  return platform::format("TOMBRAL - Convert Big5 CiZu table to DBG file for ORVANE 5.0  %s\n",
                          platform::build_date()) +
         "Files the phrases of each key code under one of 9999 hash buckets.\n\nconverting t.b5 to out.dic ...\n";
}

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

// A text with NUL bytes inside, whole.
template <std::size_t N>
std::string raw(const char (&text)[N]) {
  return std::string(text, N - 1);
}

std::string repeat(const std::string& unit, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += unit;
  return text;
}

struct BadTable {
  const char* name;
  std::string table;
  std::vector<long> words_before_each_line;  // the progress lines
  long count;
  std::map<std::size_t, std::string> buckets;  // every bucket that holds bytes
};

std::vector<BadTable> bad_tables() {
  const std::size_t abc = bucket_of("abc");
  // 509 characters fill a read of 1023 bytes behind "abc " but for one byte: a lead byte, cut off.
  const std::string long_phrase = "\xA4\xA4" + repeat("\xA4\xA4", 508);
  const std::string long_record = "ABC\xA4\xA4" + repeat("\x24\xA4", 508);
  std::vector<long> many(3500);
  for (std::size_t i = 0; i < many.size(); ++i) many[i] = static_cast<long>(i);
  return {
      {"EmptyFile", "", {}, 0, {}},
      {"LastLineWithoutLineFeed", "abc \xA4\xA4", {}, 0, {}},
      // A NUL in the key is dropped like any byte outside 0x21..0x7E; the hash stops at it.
      {"NulInsideTheKey", raw("a\0bc \xA4\xA4\n"), {0}, 1, {{bucket_of("a"), "ABC\xA4\xA4"}}},
      {"NulAfterAPhraseEndsTheLine", raw("abc \xA4\xA4\0 \xA6\x72\n"), {0}, 1, {{abc, "ABC\xA4\xA4"}}},
      {"NulAsATrailByteEndsTheLine", raw("abc \xA4\xA4\xA6\0\xA6\x72\n"), {0}, 1, {{abc, "ABC\xA4\xA4"}}},
      // The line feed is a byte of the line: a lead byte before it takes it as its trail byte.
      {"LoneLeadByteBeforeTheLineFeed", "abc \xA4\xA4\xA6\n", {0}, 1, {{abc, "ABC\xA4\xA4\x26\n"}}},
      {"LoneLeadByteAtTheEndOfTheFile", "abc \xA4\xA4\nabd \xA6", {0}, 1, {{abc, "ABC\xA4\xA4"}}},
      {"CrLfLines", "abc \xA4\xA4\r\nabc \xA6\x72\r\nabc \xA6\r\n", {0, 1, 2}, 3,
       {{abc, raw("ABC\xA4\xA4\0ABC\xA6\x72\0ABC\xA6\n")}}},
      {"EndOfTextInsideTheTable", "abc \xA4\xA4\n\x1A" "abd \xA6\x72\n", {0}, 1, {{abc, "ABC\xA4\xA4"}}},
      // Read in pieces of 1023 bytes: nine of spaces, empty records in bucket 0, then the phrase.
      {"LineOfTenThousandSpaces", std::string(10000, ' ') + "\xA4\xA4\n", std::vector<long>(10, 0), 1,
       {{0, std::string(9, '\0') + "\xA4\xA4"}}},
      // A read cut after a lead byte: the byte is not stored and the piece ends there; its trail
      // byte starts the next piece as a key.
      {"LineCutAfterALeadByte", "abc " + long_phrase + "\xA6\x72\n", {0, 1}, 1,
       {{abc, long_record}, {bucket_of("r"), "\x52"}}},
      {"BucketPast16384Bytes", repeat("abc \xA4\xA4\n", 3500), many, 3500,
       {{abc, repeat(raw("ABC\xA4\xA4\0"), 3499) + "ABC\xA4\xA4"}}},
  };
}

class TombralBadInput : public ::testing::TestWithParam<BadTable> {};

TEST_P(TombralBadInput, ExactOutputAndBuckets) {
  const BadTable& c = GetParam();
  ScratchDir dir;
  dir.write("t.b5", c.table);
  ProcessOptions options;
  options.cwd = dir.path();
  ProcessResult r = test_support::run_process(TOMBRAL_PATH, {"t.b5", "out.dic"}, options);
  EXPECT_EQ(r.signal, 0);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  std::string progress;
  long line = 0;
  for (long words : c.words_before_each_line) progress += platform::format("Words=%5ld  Line=%5ld\r", words, ++line);
  std::size_t longest = 0;
  for (const auto& [k, bytes] : c.buckets) longest = std::max(longest, bytes.size());
  EXPECT_EQ(r.out, banner() + progress + platform::format("count=%5ld\nMAXLEN=%5ld\n", c.count,
                                                          static_cast<long>(longest)));

  std::string file = dir.read("out.dic");
  std::string data;
  std::string header;
  std::uint32_t word = kMagic;
  platform::append_u32(header, word);
  for (std::size_t k = 0; k < kBuckets; ++k) {
    auto it = c.buckets.find(k);
    if (it != c.buckets.end()) data += it->second;
    word = kMagic + static_cast<std::uint32_t>(data.size());
    platform::append_u32(header, word);
  }
  ASSERT_EQ(file.size(), kHeaderBytes + data.size());
  EXPECT_TRUE(file.substr(0, kHeaderBytes) == header) << "the header differs";
  EXPECT_EQ(hex(file.substr(kHeaderBytes, 64)), hex(data.substr(0, 64)));
  EXPECT_TRUE(file.substr(kHeaderBytes) == data) << "the data area differs";
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"out.dic", "t.b5"}));
}

INSTANTIATE_TEST_SUITE_P(Tables, TombralBadInput, ::testing::ValuesIn(bad_tables()),
                         [](const ::testing::TestParamInfo<BadTable>& param) { return param.param.name; });

}  // namespace
