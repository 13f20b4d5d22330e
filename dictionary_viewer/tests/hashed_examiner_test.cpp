// The hashed phrase dictionary's rules, each broken in a file of its own: the finding names the
// offset and the bucket. Files are built through the library's bucket table and header image, as
// TOMBRAL builds them.
#include "dictionary_viewer/hashed_examiner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "big5dict/bytes.h"
#include "big5dict/hashed_file.h"
#include "big5dict/hashed_key.h"
#include "big5dict/hashed_record.h"
#include "dictionary_viewer/tests/examination_lines.h"
#include "test_support/scratch.h"

namespace dictionary_viewer {
namespace {

namespace cz = big5dict::hashed;
using test_support::bytes;
using testing::DamageCase;
using testing::finding_lines;

// A file whose buckets hold the given records, laid out as TOMBRAL writes it.
std::string hashed_file(const std::vector<std::pair<std::size_t, std::string>>& records) {
  cz::BucketTable table;
  for (const auto& [bucket, record] : records) table.add_record(bucket, record);
  std::string file = cz::header_image(table);
  for (std::size_t k = 0; k < cz::kBucketCount; ++k) file += table.bytes(k);
  return file;
}

// The record of a table line, in the bucket TOMBRAL files it in.
std::pair<std::size_t, std::string> line_record(std::string line) {
  cz::fold_leading_capitals(line);
  cz::Record record;
  cz::build_record(line, record);
  return {cz::key_hash(line), record.bytes};
}

std::string set_word(std::string file, std::size_t k, std::uint32_t value) {
  big5dict::put_u32(reinterpret_cast<std::uint8_t*>(file.data()) + 4 * k, value);
  return file;
}

// abc, a space, A4 A4 A4 E5: bucket 8226, the record 41 42 43 A4 A4 24 E5.
const std::string kAbcRecord = bytes({0x41, 0x42, 0x43, 0xA4, 0xA4, 0x24, 0xE5});
constexpr std::size_t kAbcBucket = 8226;

std::vector<DamageCase> damage_cases() {
  std::string longer = hashed_file({{kAbcBucket, kAbcRecord}}) + "x";
  std::string shorter = hashed_file({{kAbcBucket, kAbcRecord}});
  shorter.pop_back();
  // Word 101 is back at offset 0 after word 100 was moved to 7: bucket 99 then holds the abc record.
  std::string back = set_word(hashed_file({{kAbcBucket, kAbcRecord}}), 100, cz::kMagic + 7);
  return {
      {"OffsetGoesBack", back,
       {"offset 404: bucket 100: the data offset goes back from 7 to 0",
        "offset 40000: bucket 99: no spelling of the key \"abc\" hashes to this bucket (in small letters it "
        "hashes to bucket 8226)"}},
      {"FileLongerThanHeaderSays", longer,
       {"offset 39996: header word 9999: the header words give a file of 40007 bytes; the file has 40008"}},
      {"FileShorterThanHeaderSays", shorter,
       {"offset 39996: header word 9999: the header words give a file of 40007 bytes; the file has 40006",
        "offset 40000: bucket 8226: the bucket runs past the end of the file"}},
      {"KeyByteAbove5E", hashed_file({{5, bytes({0x41, 0x60, 0xA4, 0xA4})}}),
       {"offset 40001: bucket 5: stored key byte 0x60 is outside 0x01..0x5E"}},
      {"KeyByteOfACapital", hashed_file({{5, bytes({0x21, 0xA4, 0xA4})}}),
       {"offset 40000: bucket 5: stored key byte 0x21 would read back as the capital 'A', which the converter "
        "folds to lower case"}},
      {"UnitCutByBucketEnd", hashed_file({{kAbcBucket, bytes({0x41, 0x42, 0x43, 0xA4, 0xA4, 0x24})}}),
       {"offset 40005: bucket 8226: phrase unit cut by the end of the bucket"}},
      {"TrailNotBig5", hashed_file({{kAbcBucket, bytes({0x41, 0x42, 0x43, 0xA4, 0x20})}}),
       {"offset 40003: bucket 8226: 0xA4 0x20 is no Big5 character"}},
      {"ContinuationLeadFF", hashed_file({{kAbcBucket, bytes({0x41, 0x42, 0x43, 0xA4, 0xA4, 0x7F, 0x40})}}),
       {"offset 40005: bucket 8226: 0xFF 0x40 is no Big5 character"}},
      {"KeyInWrongBucket", hashed_file({{5, kAbcRecord}}),
       {"offset 40000: bucket 5: no spelling of the key \"abc\" hashes to this bucket (in small letters it "
        "hashes to bucket 8226)"}},
      {"EmptyKeyOutsideBucket0", hashed_file({{7, bytes({0xA4, 0xA4})}}),
       {"offset 40000: bucket 7: no spelling of the key \"\" hashes to this bucket (in small letters it hashes "
        "to bucket 0)"}},
      {"MixedCaseKey", hashed_file({line_record("aBc \xA4\xA4\n")}), {}, true},
      {"KeyCutByATab", hashed_file({line_record("ab\tcd \xA4\xA4\n")}), {}, true},
      {"EmptyRecordsAndSeparators", hashed_file({{0, ""}, {0, ""}, {0, bytes({0xA4, 0xA4})}}), {}, true},
      // TOMBRAL reads lines of up to 1048576 bytes whole, so a key may be that long and no longer.
      {"KeyOfTheLongestLine", hashed_file({line_record(std::string(1048576, 'a'))}), {}, true},
      {"KeyLongerThanALine", hashed_file({{7, std::string(1048577, 'A')}}),
       {"offset 40000: bucket 7: stored key of 1048577 bytes is longer than a table line can hold"}},
  };
}

class HashedDamage : public ::testing::TestWithParam<DamageCase> {};

TEST_P(HashedDamage, FindingNamesOffsetAndBucket) {
  const DamageCase& c = GetParam();
  Examination result;
  examine_hashed_dictionary(c.file, whole(c.file), false, result);
  EXPECT_EQ(finding_lines(result), c.findings);
  EXPECT_EQ(result.sound(), c.sound);
}

INSTANTIATE_TEST_SUITE_P(EveryRule, HashedDamage, ::testing::ValuesIn(damage_cases()), testing::case_name);

TEST(HashedExaminer, SummaryAndTableOfWorkedLines) {
  std::string file = hashed_file({line_record("abc \xA4\xA4\xA4\xE5 \xA6\x72\n"), line_record(" \xA4\xA4\n"),
                                  line_record("abc \n"), line_record("ABC \xA4\x40\n")});
  Examination result;
  examine_hashed_dictionary(file, whole(file), true, result);
  EXPECT_TRUE(result.sound());
  EXPECT_EQ(result.summary,
            "records: 4\nphrases: 4\nMAXLEN: 19\nbuckets used: 2 of 9999\ndata area: 21 bytes\n");
  // Bucket 0 first, then bucket 8226 with its three records in line order.
  EXPECT_EQ(result.text, " \xA4\xA4\nabc \xA4\xA4\xA4\xE5 \xA6\x72\nabc \nabc \xA4\x40\n");
}

TEST(HashedExaminer, MixedCaseKeyIsSpeltSoItHashesBack) {
  auto [bucket, record] = line_record("aBc \xA4\xA4\n");
  ASSERT_NE(bucket, kAbcBucket);
  Examination result;
  const std::string file = hashed_file({{bucket, record}});
  examine_hashed_dictionary(file, whole(file), true, result);
  EXPECT_NE(result.summary.find("records whose key hashed in a mixed-case or cut spelling: 1\n"), std::string::npos);
  std::string line = result.text.substr(0, result.text.find('\n') + 1);
  std::string folded = line;
  cz::fold_leading_capitals(folded);
  EXPECT_EQ(cz::key_hash(folded), bucket) << line;
  cz::Record read_back;
  cz::build_record(folded, read_back);
  EXPECT_EQ(read_back.bytes, record);
}

}  // namespace
}  // namespace dictionary_viewer
