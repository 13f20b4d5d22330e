// The hashed dictionary's checks as values: the rule and numbers of each finding, the summary, and
// a sink that is handed every finding of a damaged file, not only those a viewer keeps.
#include "big5dict/hashed_checks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "big5dict/bytes.h"
#include "big5dict/hashed_file.h"
#include "test_support/scratch.h"

namespace {

namespace hashed = big5dict::hashed;
using hashed::Rule;
using test_support::bytes;

struct Found {
  bool violation;
  Rule rule;
  std::uint64_t offset, place, a, b, c;
  std::string text;
  friend bool operator==(const Found&, const Found&) = default;
  friend std::ostream& operator<<(std::ostream& os, const Found& f) {
    return os << (f.violation ? "violation " : "warning ") << static_cast<int>(f.rule) << " at " << f.offset
              << " place " << f.place << " " << f.a << " " << f.b << " " << f.c << " \"" << f.text << "\"";
  }
};

class Recorder : public big5dict::FindingSink<Rule> {
 public:
  void violation(const hashed::HashedFinding& f) override { keep(true, f); }
  void warning(const hashed::HashedFinding& f) override { keep(false, f); }
  void keep(bool violation, const hashed::HashedFinding& f) {
    found.push_back({violation, f.rule, f.offset, f.place, f.a, f.b, f.c, f.text});
  }
  std::vector<Found> found;
};

std::string file_of(const hashed::BucketTable& table) {
  std::string file = hashed::header_image(table);
  for (std::size_t k = 0; k < hashed::kBucketCount; ++k) file += table.bytes(k);
  return file;
}

TEST(CheckHashed, FindingsCarryTheirNumbers) {
  hashed::BucketTable table;
  table.add_record(8226, bytes({0x41, 0x42, 0x43, 0xA4, 0xA4}));  // abc, sound
  table.add_record(5, bytes({0x41, 0x60, 0x21, 0xA4, 0x20, 0xA4}));  // key bytes outside and capital, a unit cut
  table.add_record(7, bytes({0x41, 0x42, 0x43}));  // abc in the wrong bucket
  std::string file = file_of(table);
  file += "x";  // a byte past the length the header gives
  Recorder recorder;
  std::string text;
  const hashed::Summary summary = hashed::check_hashed_dictionary(file, big5dict::whole(file), recorder, &text);
  const std::vector<Found> expected = {
      {true, Rule::kFileLength, 39996, 9999, 40014, 40015, 0, ""},
      {true, Rule::kKeyByteOutside, 40001, 5, 0x60, 0, 0, ""},
      {true, Rule::kKeyByteCapital, 40002, 5, 0x21, 'A', 0, ""},
      {true, Rule::kNotBig5Phrase, 40003, 5, 0xA4, 0x20, 0, ""},
      {true, Rule::kUnitCut, 40005, 5, 0, 0, 0, ""},
      {true, Rule::kWrongBucket, 40006, 7, 8226, 0, 0, "abc"},
  };
  EXPECT_EQ(recorder.found, expected);
  EXPECT_EQ(summary.records, 3);
  EXPECT_EQ(summary.phrases, 3);
  EXPECT_EQ(summary.spelled, 0);
  EXPECT_EQ(summary.buckets_used, 3u);
  EXPECT_EQ(summary.max_length, 6u);
  EXPECT_EQ(summary.data_area, 14u);
  // Each record's line: a key that breaks a rule comes back as it is stored, plus 0x20.
  EXPECT_EQ(text, "a\x80" "A \xA4\x20 \nabc \nabc \xA4\xA4\n");
}

// Every record of a bucket of zeros breaks a rule: each finding reaches the sink, with its offset.
TEST(CheckHashed, EveryFindingOfABucketOfZeros) {
  hashed::BucketTable table;
  table.add_record(5, std::string(3000, '\0'));
  const std::string file = file_of(table);
  Recorder recorder;
  const hashed::Summary summary = hashed::check_hashed_dictionary(file, big5dict::whole(file), recorder, nullptr);
  ASSERT_EQ(recorder.found.size(), 3001u);
  for (std::size_t i = 0; i < recorder.found.size(); ++i) {
    ASSERT_EQ(recorder.found[i], (Found{true, Rule::kWrongBucket, 40000 + i, 5, 0, 0, 0, ""})) << i;
  }
  EXPECT_EQ(summary.records, 3001);
}

TEST(OffsetsDecrease, OnlyWhenAWordGoesBack) {
  hashed::BucketTable table;
  table.add_record(3, "abc");
  std::string file = file_of(table);
  EXPECT_FALSE(hashed::offsets_decrease(file));
  big5dict::put_u32(reinterpret_cast<std::uint8_t*>(file.data()) + 4 * 9999, hashed::kMagic + 2);
  EXPECT_TRUE(hashed::offsets_decrease(file));
  // Word 0 is the base: offsets that wrap modulo 2^32 still go forward from it.
  big5dict::put_u32(reinterpret_cast<std::uint8_t*>(file.data()), 0xFFFFFFFF);
  for (std::size_t k = 1; k <= 9999; ++k) {
    big5dict::put_u32(reinterpret_cast<std::uint8_t*>(file.data()) + 4 * k, static_cast<std::uint32_t>(k));
  }
  EXPECT_FALSE(hashed::offsets_decrease(file));
}

}  // namespace
