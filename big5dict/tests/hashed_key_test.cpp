#include "big5dict/hashed_key.h"

#include <gtest/gtest.h>

#include <string>

namespace {

namespace hashed = big5dict::hashed;
using hashed::kBucketCount;

struct HashCase {
  std::string key;
  std::size_t bucket;
};

class KeyHash : public testing::TestWithParam<HashCase> {};

TEST_P(KeyHash, GivesTheBucketOfTheWorkedExamples) {
  EXPECT_EQ(hashed::key_hash(GetParam().key), GetParam().bucket) << GetParam().key;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, KeyHash,
    testing::Values(HashCase{"a", 9312}, HashCase{"abc", 8226}, HashCase{"hello", 6958},
                    HashCase{"ABC", 2673},  // the hash folds nothing itself
                    HashCase{"abc \xA4\xA4\n", 8226}, HashCase{"ab\tcd", hashed::key_hash("ab")},
                    HashCase{" abc", 0}, HashCase{"\tabc", 0}, HashCase{"\xA4\xA4 abc", 0},
                    HashCase{"\x7F" "abc", 0}, HashCase{"", 0}, HashCase{std::string("ab\0cd", 5), hashed::key_hash("ab")}));

TEST(KeyHash, StaysInRangeForTheLongestRead) {
  EXPECT_LT(hashed::key_hash(std::string(1023, '~')), kBucketCount);
  // (0x7E | p) * (0x7E ^ p) summed over 1023 positions, reduced by hand with 64-bit arithmetic.
  std::uint64_t sum = 0;
  for (std::uint64_t p = 1; p <= 1023; ++p) sum += (0x7E | p) * (0x7E ^ p);
  EXPECT_LT(sum, 1ull << 31);
  EXPECT_EQ(hashed::key_hash(std::string(1023, '~')), sum % kBucketCount);
}

TEST(StoredKeyByte, FoldsShiftsAndDrops) {
  for (int b = 0; b < 256; ++b) {
    auto stored = hashed::stored_key_byte(static_cast<unsigned char>(b));
    int folded = (b >= 'A' && b <= 'Z') ? b + 0x20 : b;
    if (folded >= 0x21 && folded <= 0x7E) {
      ASSERT_TRUE(stored.has_value()) << b;
      EXPECT_EQ(*stored, folded - 0x20) << b;
      EXPECT_GE(*stored, 0x01);
      EXPECT_LE(*stored, 0x5E);
    } else {
      EXPECT_FALSE(stored.has_value()) << b;
    }
  }
}

TEST(FoldLeadingCapitals, FoldsOnlyTheRunThatBeginsTheLine) {
  struct {
    std::string in, out;
  } cases[] = {{"ABC x", "abc x"}, {"Abc", "abc"}, {"A1B", "a1B"}, {"aBc", "aBc"}, {"*ABC", "*ABC"},
               {"AB CD", "ab CD"}, {"", ""}};
  for (auto& c : cases) {
    std::string line = c.in;
    hashed::fold_leading_capitals(line);
    EXPECT_EQ(line, c.out) << c.in;
  }
}

}  // namespace
