// A text system's look-up: the records of a key, found in a file written from table lines the way
// TOMBRAL writes it.
#include "big5dict/hashed_lookup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "big5dict/bytes.h"
#include "big5dict/hashed_file.h"
#include "big5dict/hashed_key.h"
#include "big5dict/hashed_record.h"
#include "test_support/scratch.h"

namespace {

namespace hashed = big5dict::hashed;
using hashed::Phrases;
using test_support::bytes;

// The record of every table line in its bucket, as TOMBRAL's line loop files it.
void file_lines(const std::vector<std::string>& lines, hashed::BucketTable& table) {
  hashed::Record record;
  for (std::string line : lines) {
    hashed::fold_leading_capitals(line);
    hashed::build_record(line, record);
    table.add_record(hashed::key_hash(line), record.bytes);
  }
}

std::string file_of(const hashed::BucketTable& table) {
  std::string file;
  hashed::write_dictionary(table, [&file](std::string_view block) {
    file += block;
    return true;
  });
  return file;
}

const std::vector<std::string> kLines = {
    "abc \xA4\xA4\xA4\xE5 \xA6\x72\n", "hello \xA7\x41\n", "ABC \xA4\x40\n", "abc \n",
    "aBc \xB0\xAA\xB0\xAA\n", " \xA4\xA4\n", "a1 \xA4\xA4 \xA4\x40\xA4\x41\n",
};

TEST(RecordsOf, EveryRecordOfTheKeyInLineOrder) {
  hashed::BucketTable table;
  file_lines(kLines, table);
  // A record of another key in the bucket of abc: the look-up passes it over.
  table.add_record(hashed::key_hash("abc"), bytes({0x58, 0x59, 0x5A, 0xA5, 0x40}));
  const std::string file = file_of(table);

  struct Case {
    const char* key;
    std::vector<Phrases> records;
  };
  const std::vector<Phrases> abc = {{"\xA4\xA4\xA4\xE5", "\xA6\x72"}, {"\xA4\x40"}, {}};
  for (const Case& c : {Case{"abc", abc}, Case{"ABC", abc}, Case{"Abc", abc},
                        Case{"abc \xA5\x40 the rest of a line", abc},
                        // Hashed as written: a capital after a small letter reaches another bucket.
                        Case{"aBc", {{"\xB0\xAA\xB0\xAA"}}}, Case{"hello", {{"\xA7\x41"}}},
                        Case{"A1", {{"\xA4\xA4", "\xA4\x40\xA4\x41"}}}, Case{"", {{"\xA4\xA4"}}},
                        Case{" ", {{"\xA4\xA4"}}}, Case{"xyz", {}}, Case{"abcd", {}}}) {
    EXPECT_EQ(hashed::records_of(file, c.key), c.records) << c.key;
  }
}

// A file that is no dictionary, or whose header places the key's bucket where no bytes are, has no
// records; a phrase cut by the end of the bucket gives the units it holds whole.
TEST(RecordsOf, NothingOutsideTheBytesHeld) {
  hashed::BucketTable table;
  file_lines({"abc \xA4\xA4 \xA6\x72\n"}, table);
  const std::string file = file_of(table);
  ASSERT_EQ(hashed::records_of(file, "abc"), (std::vector<Phrases>{{"\xA4\xA4", "\xA6\x72"}}));

  std::string other_magic = file;
  big5dict::put_u32(reinterpret_cast<std::uint8_t*>(other_magic.data()), hashed::kMagic + 1);
  std::string goes_back = file;  // bucket 8226 ends before it begins
  big5dict::put_u32(reinterpret_cast<std::uint8_t*>(goes_back.data()) + 4 * 8226, hashed::kMagic + 8);
  std::string past_end = file;  // the header gives the bucket one byte more than the file holds
  big5dict::put_u32(reinterpret_cast<std::uint8_t*>(past_end.data()) + 4 * 8227, hashed::kMagic + 8);
  for (const std::string& damaged : {std::string(), file.substr(0, hashed::kHeaderBytes - 1), other_magic, goes_back,
                                     past_end, file.substr(0, file.size() - 1)}) {
    EXPECT_EQ(hashed::records_of(damaged, "abc"), std::vector<Phrases>{}) << damaged.size();
  }
  hashed::BucketTable cut;
  cut.add_record(hashed::key_hash("abc"), bytes({0x41, 0x42, 0x43, 0xA4, 0xA4, 0xA6}));
  EXPECT_EQ(hashed::records_of(file_of(cut), "abc"), (std::vector<Phrases>{{"\xA4\xA4", ""}}));
}

}  // namespace
