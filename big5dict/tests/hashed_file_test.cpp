#include "big5dict/hashed_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "big5dict/bytes.h"
#include "test_support/scratch.h"

namespace {

namespace hashed = big5dict::hashed;
using hashed::BucketTable;
using hashed::HashedFile;
using hashed::kHeaderBytes;
using hashed::kHeaderWords;
using hashed::kMagic;
using test_support::bytes;
using test_support::hex;

std::uint32_t word(const std::string& file, std::size_t k) {
  return big5dict::get_u32(reinterpret_cast<const std::uint8_t*>(file.data()) + 4 * k);
}

// Writes the table through the real writer and returns the file's bytes.
std::string written(const BucketTable& table, std::size_t* max_length = nullptr) {
  std::string file;
  std::optional<std::size_t> longest = hashed::write_dictionary(table, [&file](std::string_view block) {
    file += block;
    return true;
  });
  EXPECT_TRUE(longest.has_value());
  if (max_length != nullptr && longest) *max_length = *longest;
  return file;
}

std::string set_word(std::string file, std::size_t k, std::uint32_t value) {
  big5dict::put_u32(reinterpret_cast<std::uint8_t*>(file.data()) + 4 * k, value);
  return file;
}

TEST(BucketTable, JoinsRecordsWithOneNulAndCountsEmptyRecords) {
  BucketTable table;
  table.add_record(5, "");
  EXPECT_EQ(table.bytes(5), "");
  table.add_record(5, "AB");
  table.add_record(5, "");
  table.add_record(5, "");
  table.add_record(5, "C");
  EXPECT_EQ(hex(table.bytes(5)), hex(bytes({0x00, 'A', 'B', 0x00, 0x00, 0x00, 'C'})));
}

// Records of every length about the one where the arena's header takes eight bytes more, built in
// place or added, in buckets taken in turn: each bucket holds its own, in order.
TEST(BucketTable, KeepsRecordsOfEveryLengthInTheirBuckets) {
  BucketTable table;
  std::vector<std::string> expected(3);
  const std::size_t buckets[] = {9998, 0, 4711};
  std::size_t turn = 0;
  for (std::size_t length : {0, 1, 253, 254, 255, 256, 70000, 2}) {
    for (int built = 0; built < 2; ++built, ++turn) {
      const std::string record(length, static_cast<char>('a' + turn % 26));
      const std::size_t which = turn % 3;
      if (built != 0) {
        table.begin_record().append(record);
        table.end_record(buckets[which]);
      } else {
        table.add_record(buckets[which], record);
      }
      if (turn >= 3) expected[which].push_back('\0');
      expected[which] += record;
    }
  }
  std::string data;
  for (std::size_t k = 0; k < hashed::kBucketCount; ++k) {
    if (k == 0) data += expected[1];
    if (k == 4711) data += expected[2];
    if (k == 9998) data += expected[0];
  }
  for (std::size_t which = 0; which < 3; ++which) {
    EXPECT_EQ(table.bytes(buckets[which]), expected[which]) << which;
    EXPECT_EQ(table.length(buckets[which]), expected[which].size()) << which;
  }
  EXPECT_EQ(table.bytes(1), "");
  EXPECT_EQ(written(table).substr(kHeaderBytes), data);
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

// Blocks of up to 64 KB in file order, a bucket of 64 KB or more on its own.
hashed::BucketTable three_large_buckets() {
  BucketTable table;
  table.add_record(1, std::string(30000, 'a'));
  table.add_record(2, std::string(70000, 'b'));
  table.add_record(3, std::string(20000, 'c'));
  return table;
}

TEST(Writer, GathersBucketsIntoBlocksOfUpTo64KB) {
  std::vector<std::size_t> blocks;
  std::string file;
  auto sink = [&](std::string_view block) {
    blocks.push_back(block.size());
    file += block;
    return true;
  };
  EXPECT_EQ(hashed::write_dictionary(three_large_buckets(), sink), 70000u);
  EXPECT_EQ(blocks, (std::vector<std::size_t>{40000, 30000, 70000, 20000}));
  EXPECT_EQ(file.size(), kHeaderBytes + 120000);
}

// A block that is not written ends the writing there, whichever block it is.
TEST(Writer, FailedWriteIsReported) {
  const BucketTable table = three_large_buckets();
  for (std::size_t failing = 0; failing < 4; ++failing) {
    std::size_t handed = 0;
    auto fails = [&](std::string_view) { return handed++ != failing; };
    EXPECT_FALSE(hashed::write_dictionary(table, fails).has_value()) << failing;
    EXPECT_EQ(handed, failing + 1);
  }
}

// The last header word counts the whole data area from offset 40000; it must not pass 2^32.
TEST(Writer, DataAreaFitsUpTo2To32LessTheHeader) {
  BucketTable table;
  table.add_record(0, "ab");
  table.add_record(9998, "cde");
  EXPECT_EQ(hashed::data_area_bytes(table), 5u);
  EXPECT_TRUE(hashed::data_area_fits(0));
  EXPECT_TRUE(hashed::data_area_fits(4294927296u));
  EXPECT_FALSE(hashed::data_area_fits(4294927297u));
  EXPECT_FALSE(hashed::data_area_fits(std::uint64_t{1} << 32));
}

// Buckets come back as the header words place them, biased by word 0 and modulo 2^32, and only
// while they lie within the bytes held.
TEST(HashedFile, PlacesBucketsByTheHeaderWords) {
  BucketTable table;
  table.add_record(0, "xy");
  table.add_record(9998, "abc");
  const std::string file = written(table);

  struct Case {
    const char* name;
    std::string bytes;
    std::size_t bucket;
    std::optional<std::string> held;
  };
  const std::string wrapped = set_word(set_word(file, 0, 0xFFFFFFFF), 1, 1);  // word 1 - word 0 wraps to 2
  for (const Case& c : {Case{"First", file, 0, "xy"}, Case{"Last", file, 9998, "abc"}, Case{"Empty", file, 5, ""},
                        Case{"Cut", file.substr(0, file.size() - 1), 9998, std::nullopt},
                        Case{"CutBeforeIt", file.substr(0, kHeaderBytes + 1), 0, std::nullopt},
                        Case{"GoesBack", set_word(file, 5, kMagic + 1), 4, std::nullopt},
                        Case{"WrapsModulo2To32", wrapped, 0, "xy"},
                        Case{"EndsFarPastTheWrap", wrapped, 1, std::nullopt}}) {
    const HashedFile hashed_file(c.bytes);
    const std::optional<std::string_view> bucket = hashed_file.bucket(c.bucket);
    EXPECT_EQ(bucket, c.held) << c.name;
  }
  EXPECT_EQ(HashedFile(wrapped).offset(1), 2u);
  EXPECT_EQ(HashedFile(file).data_length(), 5u);
  EXPECT_EQ(HashedFile(file).held(), 5u);
}

TEST(HashedFile, HoldsAHeaderOnlyWithTheMagicAndAllItsBytes) {
  const std::string file = written(BucketTable{});
  EXPECT_TRUE(HashedFile::holds_header(file));
  EXPECT_FALSE(HashedFile::holds_header(file.substr(0, kHeaderBytes - 1)));
  EXPECT_FALSE(HashedFile::holds_header(set_word(file, 0, kMagic + 1)));
  EXPECT_FALSE(HashedFile::holds_header(""));
  EXPECT_THROW(HashedFile(file.substr(0, kHeaderBytes - 1)), std::out_of_range);
}

}  // namespace
