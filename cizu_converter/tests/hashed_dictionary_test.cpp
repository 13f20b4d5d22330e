#include "cizu_converter/hashed_dictionary.h"

#include <gtest/gtest.h>

#include <string>

#include "big5dict/bytes.h"
#include "platform/replaced_file.h"
#include "test_support/scratch.h"

namespace {

using cizu_converter::BucketTable;
using cizu_converter::kBucketCount;
using cizu_converter::kHeaderBytes;
using cizu_converter::kHeaderWords;
using cizu_converter::kMagic;
using test_support::bytes;
using test_support::hex;
using test_support::ScratchDir;

std::uint32_t word(const std::string& file, std::size_t k) {
  return big5dict::get_u32(reinterpret_cast<const std::uint8_t*>(file.data()) + 4 * k);
}

// Writes the table through the real writer into a scratch file and returns its bytes.
std::string written(const BucketTable& table, std::size_t* max_length = nullptr) {
  ScratchDir dir;
  platform::ReplacedFile file;
  EXPECT_EQ(file.open((dir / "out.dic").string()), 0);
  std::optional<std::size_t> longest = cizu_converter::write_dictionary(table, file);
  EXPECT_TRUE(longest.has_value());
  EXPECT_TRUE(file.commit());
  if (max_length != nullptr && longest) *max_length = *longest;
  return dir.read("out.dic");
}

struct HashCase {
  std::string key;
  std::size_t bucket;
};

class KeyHash : public testing::TestWithParam<HashCase> {};

TEST_P(KeyHash, GivesTheBucketOfTheWorkedExamples) {
  EXPECT_EQ(cizu_converter::key_hash(GetParam().key), GetParam().bucket) << GetParam().key;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, KeyHash,
    testing::Values(HashCase{"a", 9312}, HashCase{"abc", 8226}, HashCase{"hello", 6958},
                    HashCase{"ABC", 2673},  // the hash folds nothing itself
                    HashCase{"abc \xA4\xA4\n", 8226}, HashCase{"ab\tcd", cizu_converter::key_hash("ab")},
                    HashCase{" abc", 0}, HashCase{"\tabc", 0}, HashCase{"\xA4\xA4 abc", 0},
                    HashCase{"\x7F" "abc", 0}, HashCase{"", 0}, HashCase{std::string("ab\0cd", 5), cizu_converter::key_hash("ab")}));

TEST(KeyHash, StaysInRangeForTheLongestRead) {
  EXPECT_LT(cizu_converter::key_hash(std::string(1023, '~')), kBucketCount);
  // (0x7E | p) * (0x7E ^ p) summed over 1023 positions, reduced by hand with 64-bit arithmetic.
  std::uint64_t sum = 0;
  for (std::uint64_t p = 1; p <= 1023; ++p) sum += (0x7E | p) * (0x7E ^ p);
  EXPECT_LT(sum, 1ull << 31);
  EXPECT_EQ(cizu_converter::key_hash(std::string(1023, '~')), sum % kBucketCount);
}

TEST(StoredKeyByte, FoldsShiftsAndDrops) {
  for (int b = 0; b < 256; ++b) {
    auto stored = cizu_converter::stored_key_byte(static_cast<unsigned char>(b));
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

TEST(BucketTable, JoinsRecordsWithOneNulAndCountsEmptyRecords) {
  BucketTable table;
  EXPECT_FALSE(table.holds_records(5));
  table.add_record(5, "");
  EXPECT_TRUE(table.holds_records(5));
  EXPECT_EQ(table.bytes(5), "");
  table.add_record(5, "AB");
  table.add_record(5, "");
  table.add_record(5, "");
  table.add_record(5, "C");
  EXPECT_EQ(hex(table.bytes(5)), hex(bytes({0x00, 'A', 'B', 0x00, 0x00, 0x00, 'C'})));
}

TEST(Writer, EmptyTableIsFortyThousandBytesOfMagic) {
  std::size_t max_length = 99;
  std::string file = written(BucketTable{}, &max_length);
  ASSERT_EQ(file.size(), 40000u);
  for (std::size_t k = 0; k < kHeaderWords; ++k) ASSERT_EQ(word(file, k), kMagic) << k;
  EXPECT_EQ(hex(file.substr(0, 4)), "88 DE 51 56");
  EXPECT_EQ(max_length, 0u);
}

TEST(Writer, OneRecordInBucket8226ShiftsTheLaterWords) {
  const std::string record = bytes({0x41, 0x42, 0x43, 0xA4, 0xA4, 0x24, 0xE5, 0xA6, 0x72});
  BucketTable table;
  table.add_record(8226, record);
  std::size_t max_length = 0;
  std::string file = written(table, &max_length);
  ASSERT_EQ(file.size(), kHeaderBytes + record.size());
  for (std::size_t k = 0; k <= 8226; ++k) ASSERT_EQ(word(file, k), kMagic) << k;
  for (std::size_t k = 8227; k <= 9999; ++k) ASSERT_EQ(word(file, k), kMagic + record.size()) << k;
  EXPECT_EQ(hex(file.substr(kHeaderBytes)), hex(record));
  EXPECT_EQ(max_length, record.size());
}

TEST(Writer, BucketsFollowEachOtherAndMaxLenCountsSeparators) {
  BucketTable table;
  table.add_record(0, "xy");
  table.add_record(9998, "abc");
  table.add_record(9998, "de");
  table.add_record(17, "");  // a bucket of one empty record is present but adds no byte
  std::size_t max_length = 0;
  std::string file = written(table, &max_length);
  EXPECT_EQ(file.substr(kHeaderBytes), std::string("xyabc\0de", 8));
  EXPECT_EQ(word(file, 1), kMagic + 2);
  EXPECT_EQ(word(file, 9998), kMagic + 2);
  EXPECT_EQ(word(file, 9999), kMagic + 8);
  EXPECT_EQ(max_length, 6u);
}

TEST(Writer, FailedWriteIsReportedAndLeavesNoFile) {
  ScratchDir dir;
  platform::ReplacedFile file;
  ASSERT_EQ(file.open((dir / "out.dic").string()), 0);
  ASSERT_TRUE(file.commit());
  // A committed file takes no more writes: the writer must say so instead of going on.
  EXPECT_FALSE(cizu_converter::write_dictionary(BucketTable{}, file).has_value());
  EXPECT_NE(file.error(), 0);
}

// The last header word counts the whole data area from offset 40000; it must not pass 2^32.
TEST(Writer, DataAreaFitsUpTo2To32LessTheHeader) {
  BucketTable table;
  table.add_record(0, "ab");
  table.add_record(9998, "cde");
  EXPECT_EQ(cizu_converter::data_area_bytes(table), 5u);
  EXPECT_TRUE(cizu_converter::data_area_fits(0));
  EXPECT_TRUE(cizu_converter::data_area_fits(4294927296u));
  EXPECT_FALSE(cizu_converter::data_area_fits(4294927297u));
  EXPECT_FALSE(cizu_converter::data_area_fits(std::uint64_t{1} << 32));
}

}  // namespace
