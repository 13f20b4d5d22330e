// The phrase dictionary's rules, each broken in a file of its own: the finding names the offset and
// the slot. Files are laid out by LEXMOOR's own writer.
#include "dictionary_viewer/phrase_examiner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "dictionary_viewer/tests/examination_lines.h"
#include "phrase_tool/tests/dictionary_image.h"
#include "test_support/scratch.h"

namespace dictionary_viewer {
namespace {

using phrase_tool::test_images::dictionary_file;
using test_support::bytes;
using testing::DamageCase;
using testing::finding_lines;

// Slot 0 (A4 40) holding two entries, 8 bytes: the next bucket starts at 27012.
const std::string kSlot0 = bytes({0x88, 0x88, 0x24, 0x41, 0x88, 0x88, 0x24, 0x42});

std::string long_phrase(int characters) {
  std::string entry = bytes({0x88, 0x64, 0xA4, 0x41});
  for (int i = 2; i < characters; ++i) entry += bytes({0x24, 0x42});
  return entry;
}

std::string many_entries(std::size_t count) {
  std::string bucket;
  for (std::size_t i = 0; i < count; ++i) bucket += bytes({0x88, 0x88, 0x24, 0x41});
  return bucket;
}

std::string without_identification_end() {
  std::string file = dictionary_file({});
  for (std::size_t i = 8; i < 64; ++i) file[i] = 'x';
  return file;
}

std::vector<DamageCase> damage_cases() {
  std::string slot3_at = "offset 27012: slot 3: ";
  std::string too_long = dictionary_file({{0, many_entries(4096)}});
  std::string cut = dictionary_file({{0, kSlot0}});
  cut.resize(cut.size() - 2);
  return {
      {"NoFrequencyUnit", dictionary_file({{0, kSlot0}, {3, bytes({0x41, 0x41, 0x24, 0x40})}}),
       {slot3_at + "entry does not start with a frequency unit (byte 0x41)"}},
      {"TwoCharacterAfterLong",
       dictionary_file({{3, bytes({0x88, 0x86, 0xA4, 0x41, 0x24, 0x42, 0x88, 0x88, 0x24, 0x40})}}),
       {"offset 27010: slot 3: two-character entry after a long entry"}},
      {"TrailNotBig5", dictionary_file({{0, kSlot0}, {3, bytes({0x88, 0x88, 0x24, 0x20})}}),
       {"offset 27014: slot 3: 0x24 0x20 is no Big5 character (lead byte restored to 0xA4)"}},
      {"LeadBelowBig5Rows", dictionary_file({{0, kSlot0}, {3, bytes({0x88, 0x88, 0x10, 0x40})}}),
       {"offset 27014: slot 3: 0x10 0x40 is no Big5 character (lead byte restored to 0x90)"}},
      {"NulInBucket", dictionary_file({{0, kSlot0}, {3, bytes({0x88, 0x00, 0x24, 0x40})}}),
       {"offset 27013: slot 3: NUL byte in the bucket; in memory the bucket ends there"}},
      {"EntryWithoutCharacters", dictionary_file({{0, kSlot0}, {3, bytes({0x88, 0x88, 0x24, 0x40, 0x88, 0x88})}}),
       {"offset 27016: slot 3: entry has no characters after its frequency unit"}},
      {"PhraseLongerThan20", dictionary_file({{0, kSlot0}, {3, long_phrase(21)}}),
       {slot3_at + "phrase of 21 characters; a phrase has at most 20"}},
      {"BucketOf16384Bytes", too_long,
       {"offset 66: slot 0: the half-offsets give a bucket of 16384 bytes; a bucket must stay under 16384 "
        "bytes to be read back"}},
      {"DataAreaShort", cut,
       {"offset 27010: slot 0: the file ends inside this bucket: the half-offsets promise 8 bytes of data, "
        "the file holds 6"}},
      {"IdentificationWithoutNul", without_identification_end(),
       {"offset 0: identification field: no NUL ends the identification text within its 64 bytes"}},
      {"BytesAfterLastBucket", dictionary_file({{0, kSlot0}}) + "zz",
       {"warning: offset 27012: data area: 2 bytes after the last bucket, which a loader ignores"}, true},
      {"TwoCharacterPhraseStoredLong", dictionary_file({{0, kSlot0}, {3, bytes({0x88, 0x88, 0xA4, 0x40})}}),
       {"warning: offset 27012: slot 3: two-character phrase stored as a long entry (its only stored "
        "character keeps bit 7)"},
       true},
      {"PhraseOf20Characters", dictionary_file({{0, kSlot0}, {3, long_phrase(20)}}), {}, true},
  };
}

class PhraseDamage : public ::testing::TestWithParam<DamageCase> {};

TEST_P(PhraseDamage, FindingNamesOffsetAndSlot) {
  const DamageCase& c = GetParam();
  Examination result;
  examine_phrase_dictionary(c.file, whole(c.file), false, result);
  EXPECT_EQ(finding_lines(result), c.findings);
  EXPECT_EQ(result.sound(), c.sound);
}

INSTANTIATE_TEST_SUITE_P(EveryRule, PhraseDamage, ::testing::ValuesIn(damage_cases()), testing::case_name);

TEST(PhraseExaminer, SummaryCountsPhrasesByLength) {
  std::string file = dictionary_file({{0, kSlot0}, {66, bytes({0x88, 0x86, 0xA4, 0x41, 0x24, 0x42})}});
  Examination result;
  examine_phrase_dictionary(file, whole(file), false, result);
  EXPECT_TRUE(result.sound());
  EXPECT_EQ(result.summary,
            "identification: OVBig5CZ Orvane Big5 phrase dictionary, kept with LEXMOOR 5.0\n"
            "slots used: 2 of 13469\n"
            "phrases: 3 (2 characters: 2, 3 characters: 1)\n"
            "largest bucket: 8 bytes, slot 0 (A4 40)\n"
            "data area: 14 bytes\n");
}

TEST(PhraseExaminer, WrappedHalfOffsetsReadBack) {
  // Nine buckets of 16000 bytes: 144000 bytes of data, more than 65536 half-offset units.
  std::map<int, std::string> buckets;
  for (int slot = 0; slot < 9; ++slot) buckets[slot * 100] = many_entries(4000);
  Examination result;
  const std::string file = dictionary_file(buckets);
  examine_phrase_dictionary(file, whole(file), false, result);
  EXPECT_EQ(finding_lines(result), std::vector<std::string>{});
  EXPECT_NE(result.summary.find("phrases: 36000 (2 characters: 36000)\n"), std::string::npos);
  EXPECT_NE(result.summary.find("data area: 144000 bytes\n"), std::string::npos);
}

TEST(PhraseExaminer, TextIsTheExportLayout) {
  // Slot 0 holds A4 40 + A4 41, A4 40 + A4 42 and the long phrase A4 40 A4 41 A4 42.
  std::string file = dictionary_file({{0, kSlot0 + bytes({0x88, 0x86, 0xA4, 0x41, 0x24, 0x42})}});
  Examination result;
  examine_phrase_dictionary(file, whole(file), true, result);
  std::string expected = "OVBig5CZ Orvane Big5 phrase dictionary, kept with LEXMOOR 5.0\n";
  expected += bytes({0xA4, 0x40, ' ', 0xA4, 0x41, 0xA4, 0x42, '\n', '-', '-', ' ', 0xA4, 0x41, 0xA4, 0x42, '\n'});
  expected += bytes({0xA4, 0x41, ' ', '\n'});
  EXPECT_EQ(result.text.substr(0, expected.size()), expected);
  // The identification line, then one head line per slot and one line per long phrase.
  EXPECT_EQ(std::count(result.text.begin(), result.text.end(), '\n'), 1 + 13469 + 1);
}

}  // namespace
}  // namespace dictionary_viewer
