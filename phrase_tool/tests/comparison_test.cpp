#include "phrase_tool/comparison.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "phrase_tool/run.h"
#include "phrase_tool/tests/dictionary_image.h"
#include "test_support/scratch.h"

namespace phrase_tool {
namespace {

using namespace test_images;

const std::string kHeaderLines = "  Comparing with file: two.DBG ...\nList of words only in file: two.DBG \n";

std::string repeat(const std::string& unit, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += unit;
  return text;
}

struct Compared {
  Outcome status;
  std::string out;
  std::string err;
  PhraseTable table;
};

Compared compare(const std::map<int, std::string>& first, const std::string& second_file, bool list_added = true) {
  Compared result;
  for (const auto& [slot, bucket] : first) result.table.set_bucket(slot, bucket);
  platform::InputFile second = platform::InputFile::from_bytes(second_file);
  std::ostringstream out;
  std::ostringstream err;
  RunFlags flags;
  flags.list_added = list_added;
  result.status = compare_dictionaries(second, "two.DBG", result.table, flags, Console{out, err});
  result.out = out.str();
  result.err = err.str();
  return result;
}

TEST(Comparison, ListsThePhrasesOnlyInTheSecondFileInItsOrder) {
  Compared compared = compare({{0, kWorkedBucket}, {2, entry(B)}},
                              dictionary_file({{0, entry(B) + entry(C) + entry(D + E + G) + entry(K + K)},
                                               {2, entry(B) + entry(E + E)}}));
  EXPECT_EQ(compared.status, Outcome::kCompared);
  EXPECT_EQ(exit_status(compared.status), 0);
  EXPECT_EQ(compared.out, kHeaderLines + A + C + "\n" + A + K + K + "\n" + bytes({0xA4, 0x42}) + E + E + "\n");
  EXPECT_EQ(compared.err, "");
}

TEST(Comparison, SelfComparisonListsNothing) {
  std::map<int, std::string> buckets = {{0, kWorkedBucket}, {63, entry(B) + entry(C + D)}, {kLastSlot, entry(Z)}};
  Compared compared = compare(buckets, dictionary_file(buckets));
  EXPECT_EQ(compared.status, Outcome::kCompared);
  EXPECT_EQ(compared.out, kHeaderLines);
}

TEST(Comparison, PhraseTwiceInTheSecondBucketIsListedOnce) {
  Compared compared = compare({{0, kWorkedBucket}}, dictionary_file({{0, entry(C) + entry(C) + entry(D + D) + entry(D + D)}}));
  EXPECT_EQ(compared.out, kHeaderLines + A + C + "\n" + A + D + D + "\n");
}

TEST(Comparison, SlotEmptyInTheFirstDictionaryListsNothing) {
  Compared compared = compare({{0, kWorkedBucket}}, dictionary_file({{1, entry(C)}, {5, entry(D + E)}}));
  EXPECT_EQ(compared.out, kHeaderLines);
  Compared from_empty = compare({}, dictionary_file({{0, entry(C)}}));
  EXPECT_EQ(from_empty.out, kHeaderLines);
}

TEST(Comparison, TwoCharacterPhraseIsListedThoughALongerOneSharesItsStart) {
  Compared compared = compare({{0, entry(D + E + G)}}, dictionary_file({{0, entry(D) + entry(D + E)}}));
  EXPECT_EQ(compared.out, kHeaderLines + A + D + "\n" + A + D + E + "\n");
}

TEST(Comparison, WithoutTheListAddedFlagEachAdditionIsAMark) {
  Compared compared = compare({{0, kWorkedBucket}}, dictionary_file({{0, entry(C) + entry(K)}}), false);
  EXPECT_EQ(compared.out, kHeaderLines + "++");
}

TEST(Comparison, EveryFirstDictionaryBucketIsReleased) {
  Compared compared = compare({{0, kWorkedBucket}, {9, entry(B)}}, dictionary_file({{0, entry(C)}}));
  EXPECT_EQ(compared.table.bucket(0), "");
  EXPECT_EQ(compared.table.bucket(9), "");
}

TEST(Comparison, FileShorterThanItsHeaderPromisesStopsAfterTheEarlierSlots) {
  std::string file = dictionary_file({{0, entry(C)}, {9, entry(D) + entry(E)}});
  Compared compared = compare({{0, kWorkedBucket}, {9, entry(B)}}, file.substr(0, file.size() - 2));
  EXPECT_EQ(compared.status, Outcome::kFileFault);
  EXPECT_EQ(exit_status(compared.status), 1);
  EXPECT_EQ(compared.out, kHeaderLines + A + C + "\nError in file: two.DBG\n");
}

TEST(Comparison, FatalHeaderChecksOfTheSecondFile) {
  HeaderImage huge;
  for (int entry_index = 1; entry_index < kTableEntries; ++entry_index) huge.set_half_offset(entry_index, 8192);
  std::string huge_file(reinterpret_cast<const char*>(huge.data()), kHeaderBytes);
  Compared too_long = compare({{0, kWorkedBucket}}, huge_file);
  EXPECT_EQ(too_long.status, Outcome::kContentFault);
  EXPECT_EQ(too_long.out, kHeaderLines + "MAX_BUFF is too small, need 16384\n");

  Compared cut = compare({{0, kWorkedBucket}}, dictionary_file({}).substr(0, 500));
  EXPECT_EQ(cut.status, Outcome::kFileFault);
  EXPECT_EQ(cut.out, kHeaderLines + "EOF at i= 0\n");
}

TEST(Comparison, NoFrequencyCheckOnTheSecondFile) {
  Compared compared = compare({{0, kWorkedBucket}}, dictionary_file({{0, bytes({0x7F, 0x88, 0x25, 0x42}) + entry(C)}}));
  EXPECT_EQ(compared.status, Outcome::kCompared);
  EXPECT_EQ(compared.out.find("FREQ"), std::string::npos);
}

TEST(Comparison, PhraseLongerThan40BytesEndsTheRun) {
  Compared compared =
      compare({{0, kWorkedBucket}}, dictionary_file({{0, entry(repeat(D, 19)) + entry(repeat(E, 20)) + entry(C)}}));
  EXPECT_EQ(compared.status, Outcome::kContentFault);
  EXPECT_EQ(compared.out, kHeaderLines + A + repeat(D, 19) + "\n\a\a\aWord [" + A + repeat(E, 20) + "] Length > 40 !");
}

TEST(Comparison, BucketFullRuleHoldsDuringTheComparison) {
  std::string nearly_full = repeat(entry(B), 4095);  // 16380 bytes: one more entry would make 16384
  Compared compared = compare({{0, nearly_full}}, dictionary_file({{0, entry(C)}}));
  EXPECT_EQ(compared.status, Outcome::kCompared);
  EXPECT_EQ(compared.out, kHeaderLines + "Bucket full, phrase not added: " + A + C + "\n");
}

TEST(Comparison, FolderAsSecondFileIsAReadError) {
  test_support::ScratchDir dir;
  platform::InputFile second;
  ASSERT_EQ(second.open(dir.path().string()), 0);
  PhraseTable table;
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(compare_dictionaries(second, "two.DBG", table, RunFlags{}, Console{out, err}), Outcome::kFileFault);
  EXPECT_EQ(out.str(), kHeaderLines + "\nRead error on file: two.DBG: Is a directory\n");
}

// Damaged buckets of the second file: the walk never reads past the bucket's end or its NUL, and
// an entry without a whole character yields no phrase.
struct DamagedCase {
  const char* name;
  std::string other;
  std::string listed;
};

void PrintTo(const DamagedCase& c, std::ostream* os) { *os << c.name; }

class DamagedSecondBucket : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedSecondBucket, YieldsOnlyWholePhrases) {
  const DamagedCase& c = GetParam();
  PhraseTable table;
  table.set_bucket(0, kWorkedBucket);
  std::ostringstream out;
  std::ostringstream err;
  RunFlags flags;
  flags.list_added = true;
  EXPECT_FALSE(compare_bucket(table, c.other, 0, flags, Console{out, err}).has_value());
  EXPECT_EQ(out.str(), c.listed);
}

INSTANTIATE_TEST_SUITE_P(
    All, DamagedSecondBucket,
    ::testing::Values(
        DamagedCase{"frequency_unit_without_a_character", entry(C) + bytes({0x88, 0x88}), A + C + "\n"},
        DamagedCase{"frequency_unit_and_a_lone_byte", entry(C) + bytes({0x88, 0x88, 0x28}), A + C + "\n"},
        DamagedCase{"long_entry_cut_inside_a_character", bytes({0x88, 0x84, 0xA6, 0xA1, 0x30}), A + D + "\n"},
        DamagedCase{"nul_ends_the_bucket", entry(C) + bytes({0x88, 0x88, 0x2D, 0x00, 0x88, 0x88, 0x2D, 0x5A}),
                    A + C + "\n"},
        DamagedCase{"nul_inside_a_long_entry", bytes({0x88, 0x84, 0xA6, 0xA1, 0x30, 0x00, 0x44, 0xE3}), A + D + "\n"},
        DamagedCase{"walk_stops_at_a_byte_of_0x20_or_below", entry(C) + bytes({0x20, 0x88, 0x2D, 0x5A}) + entry(K),
                    A + C + "\n"},
        DamagedCase{"odd_lone_byte", bytes({0x88}), ""},
        DamagedCase{"empty", "", ""}));

}  // namespace
}  // namespace phrase_tool
