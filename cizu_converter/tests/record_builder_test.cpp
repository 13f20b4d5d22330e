#include "cizu_converter/record_builder.h"

#include <gtest/gtest.h>

#include <string>

#include "cizu_converter/hashed_dictionary.h"
#include "test_support/case_name.h"
#include "test_support/scratch.h"

namespace {

using cizu_converter::key_hash;
using test_support::bytes;
using test_support::hex;

struct LineCase {
  const char* name;
  std::string line;    // as one read delivers it
  std::string record;  // the record it makes
  long phrases;
  std::size_t bucket;
};

class LineToRecord : public testing::TestWithParam<LineCase> {};

// The line loop's own order: fold the leading capitals, hash, build.
TEST_P(LineToRecord, MakesTheExpectedRecordInTheExpectedBucket) {
  const LineCase& c = GetParam();
  std::string line = c.line;
  cizu_converter::fold_leading_capitals(line);
  cizu_converter::Record record = cizu_converter::build_record(line);
  EXPECT_EQ(hex(record.bytes), hex(c.record));
  EXPECT_EQ(record.phrases, c.phrases);
  EXPECT_EQ(key_hash(line), c.bucket);
}

const std::string kAbc = bytes({0x41, 0x42, 0x43});

INSTANTIATE_TEST_SUITE_P(
    Lines, LineToRecord,
    testing::Values(
        LineCase{"WorkedExample", "abc \xA4\xA4\xA4\xE5 \xA6\x72\n",
                 bytes({0x41, 0x42, 0x43, 0xA4, 0xA4, 0x24, 0xE5, 0xA6, 0x72}), 2, 8226},
        LineCase{"UpperCaseKeyFolds", "ABC \xA4\xA4\xA4\xE5 \xA6\x72\n",
                 bytes({0x41, 0x42, 0x43, 0xA4, 0xA4, 0x24, 0xE5, 0xA6, 0x72}), 2, 8226},
        LineCase{"LeadingCapitalFolds", "Abc \xA4\xA4\n", kAbc + "\xA4\xA4", 1, 8226},
        LineCase{"InnerCapitalHashedAsWritten", "aBc \xA4\xA4\n", kAbc + "\xA4\xA4", 1, key_hash("aBc")},
        LineCase{"DigitInKey", "a1 \n", bytes({0x41, 0x11}), 0, key_hash("a1")},
        LineCase{"StoredKeyByteMayBeSpace", "x@ \n", bytes({0x58, 0x20}), 0, key_hash("x@")},
        LineCase{"KeyAloneWithoutSpace", "abc\n", kAbc, 0, 8226},
        LineCase{"EmptyLine", "\n", "", 0, 0},
        LineCase{"LineOfSpaces", "   \n", "", 0, 0},
        LineCase{"LeadingSpaceEmptiesTheKey", " \xA4\xA4 \xA6\x72\n", "\xA4\xA4\xA6\x72", 2, 0},
        LineCase{"RunsOfSpacesActAsOne", "abc    \xA4\xA4    \xA6\x72   \n", kAbc + "\xA4\xA4\xA6\x72", 2, 8226},
        LineCase{"CommaEndsTheLine", "abc \xA4\xA4,\xA6\x72\n", kAbc + "\xA4\xA4", 1, 8226},
        LineCase{"ByteAfterSpacesEndsTheLine", "abc \xA4\xA4  ,\xA6\x72\n", kAbc + "\xA4\xA4", 1, 8226},
        LineCase{"TabIsNoSeparator", "ab\tcd \xA4\xA4\n", bytes({0x41, 0x42, 0x43, 0x44}) + "\xA4\xA4", 1,
                 key_hash("ab")},
        LineCase{"TabAndHighBytesDroppedFromKey", "ab\t\xA4\xA4 \xA6\x72\n", bytes({0x41, 0x42}) + "\xA6\x72",
                 1, key_hash("ab")},
        LineCase{"CarriageReturnAfterKeySpaces", "abc \r\n", kAbc, 0, 8226},
        LineCase{"CarriageReturnAfterPhrase", "abc \xA4\xA4\r\n", kAbc + "\xA4\xA4", 1, 8226},
        LineCase{"CarriageReturnInKeyDropped", "abc\r\n", kAbc, 0, 8226},
        LineCase{"LeadBeforeLineFeedTakesIt", "abc \xA4\n", kAbc + "\xA4\n", 1, 8226},
        LineCase{"LeadCutAtEndOfReadDropped", "abc \xA4\xA4\xA5", kAbc + "\xA4\xA4", 1, 8226},
        LineCase{"LoneLeadCutAtEndOfRead", "abc \xA4", kAbc, 0, 8226},
        LineCase{"TrailByteTakenWhateverItIs", "abc \xA4 \xA6\x72\n", kAbc + "\xA4\x20\x26\x72", 1, 8226},
        LineCase{"ThreePhrases", "k \xA4\xA4\xA4\xA4 \xA5\x40 \xB0\xAA\xB0\xAA\xB0\xAA\n",
                 bytes({0x4B, 0xA4, 0xA4, 0x24, 0xA4, 0xA5, 0x40, 0xB0, 0xAA, 0x30, 0xAA, 0x30, 0xAA}), 3,
                 key_hash("k")},
        LineCase{"ByteEightyIsNoLead", "abc \x80\x40\n", kAbc, 0, 8226},
        LineCase{"NulInKeyDropped", std::string("a\0bc \xA4\xA4\n", 9), kAbc + "\xA4\xA4", 1, 9312},
        LineCase{"NulAfterPhraseEndsLine", std::string("abc \xA4\xA4\0 \xA6\x72\n", 11), kAbc + "\xA4\xA4", 1,
                 8226},
        LineCase{"NulAsTrailEndsLine", std::string("abc \xA4\xA4\xA5\0\xA6\x72\n", 11), kAbc + "\xA4\xA4", 1,
                 8226},
        LineCase{"NulAsFirstTrailDropsThePhrase", std::string("abc \xA4\0\n", 7), kAbc, 0, 8226}),
    test_support::case_name<LineCase>);

TEST(FoldLeadingCapitals, FoldsOnlyTheRunThatBeginsTheLine) {
  struct {
    std::string in, out;
  } cases[] = {{"ABC x", "abc x"}, {"Abc", "abc"}, {"A1B", "a1B"}, {"aBc", "aBc"}, {"*ABC", "*ABC"},
               {"AB CD", "ab CD"}, {"", ""}};
  for (auto& c : cases) {
    std::string line = c.in;
    cizu_converter::fold_leading_capitals(line);
    EXPECT_EQ(line, c.out) << c.in;
  }
}

TEST(IsComment, OnlyAStarInTheFirstByte) {
  EXPECT_TRUE(cizu_converter::is_comment("* note\n"));
  EXPECT_TRUE(cizu_converter::is_comment("*"));
  EXPECT_FALSE(cizu_converter::is_comment(" * note\n"));
  EXPECT_FALSE(cizu_converter::is_comment(""));
}

// Every record decodes back by the rule that the loader relies on: the key has no byte with bit 7
// set and no 0x00, then two-byte units follow, and the phrase count is the units with bit 7 set.
TEST(BuildRecord, RecordsDelimitThemselves) {
  const std::string pieces[] = {"a", "Z", " ", "\t", "\n", std::string(1, '\0'), "\xA4", "\x40", "\x80",
                                "\xFE", ","};
  // Every line of up to four pieces.
  std::size_t n = std::size(pieces);
  for (std::size_t i = 0; i < n * n * n * n; ++i) {
    std::string line;
    for (std::size_t j = 0, v = i; j < 4; ++j, v /= n) line += pieces[v % n];
    cizu_converter::Record record = cizu_converter::build_record(line);
    std::size_t pos = 0;
    while (pos < record.bytes.size() && !(static_cast<unsigned char>(record.bytes[pos]) & 0x80)) {
      ASSERT_NE(record.bytes[pos], '\0') << hex(line);
      ++pos;
    }
    ASSERT_EQ((record.bytes.size() - pos) % 2, 0u) << hex(line);
    long starts = 0;
    for (std::size_t u = pos; u < record.bytes.size(); u += 2) {
      if (static_cast<unsigned char>(record.bytes[u]) & 0x80) ++starts;
      ASSERT_NE(record.bytes[u + 1], '\0') << hex(line);
    }
    if (pos < record.bytes.size()) {
      ASSERT_TRUE(static_cast<unsigned char>(record.bytes[pos]) & 0x80) << hex(line);
    }
    ASSERT_EQ(starts, record.phrases) << hex(line);
  }
}

}  // namespace
