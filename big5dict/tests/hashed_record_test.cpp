#include "big5dict/hashed_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "big5dict/hashed_key.h"
#include "test_support/case_name.h"
#include "test_support/scratch.h"

namespace {

namespace hashed = big5dict::hashed;
using hashed::key_hash;
using test_support::bytes;
using test_support::hex;

hashed::Record record_of(std::string_view line) {
  hashed::Record record{"left from the line before", 7};
  hashed::build_record(line, record);
  return record;
}

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
  hashed::fold_leading_capitals(line);
  hashed::Record record = record_of(line);
  EXPECT_EQ(hex(record.bytes), hex(c.record));
  EXPECT_EQ(record.phrases, c.phrases);
  EXPECT_EQ(key_hash(line), c.bucket);
}

// The converter's one pass, on the line as read: the same record behind the bytes already there,
// the same bucket, and the line left as it was.
TEST_P(LineToRecord, OnePassGivesTheSameRecordAndBucket) {
  const LineCase& c = GetParam();
  const std::string line = c.line;
  std::string out = "before";
  const hashed::FiledLine filed = hashed::append_line_record(line, out);
  EXPECT_EQ(hex(out), hex("before" + c.record));
  EXPECT_EQ(filed.phrases, c.phrases);
  EXPECT_EQ(filed.bucket, c.bucket);
  EXPECT_EQ(line, c.line);
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

// The one pass hashes every line of up to four pieces as the fold and the hash taken apart do.
TEST(AppendLineRecord, HashesAsFoldingThenHashing) {
  const std::string pieces[] = {"a", "Z", "Q", " ", "\t", "~", "!", std::string(1, '\0'), "\xA4", "\x7F", "\n"};
  const std::size_t n = std::size(pieces);
  for (std::size_t i = 0; i < n * n * n * n; ++i) {
    std::string line;
    for (std::size_t j = 0, v = i; j < 4; ++j, v /= n) line += pieces[v % n];
    std::string folded = line;
    hashed::fold_leading_capitals(folded);
    std::string out;
    EXPECT_EQ(hashed::append_line_record(line, out).bucket, key_hash(folded)) << hex(line);
  }
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
    hashed::Record record = record_of(line);
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

struct WalkCase {
  const char* name;
  std::string bucket;
  // Each record: its start, its stored key, then each phrase's units (a trailing "|" marks a cut).
  std::vector<std::vector<std::string>> records;
  std::vector<std::size_t> starts;
};

// A record as the walkers give it: key first, then its phrases.
std::vector<std::string> walked(const hashed::StoredRecord& record) {
  std::vector<std::string> parts{hex(std::string(record.key))};
  hashed::PhraseWalker walker(record.phrases);
  std::size_t expected_start = 0;
  while (std::optional<hashed::StoredPhrase> phrase = walker.next()) {
    EXPECT_EQ(phrase->start, expected_start);
    expected_start += phrase->units.size() + (phrase->cut ? 1 : 0);
    parts.push_back(hex(std::string(phrase->units)) + (phrase->cut ? "|" : ""));
  }
  EXPECT_EQ(expected_start, record.phrases.size());
  return parts;
}

class WalkBucket : public testing::TestWithParam<WalkCase> {};

TEST_P(WalkBucket, GivesEachRecordAndPhrase) {
  const WalkCase& c = GetParam();
  hashed::RecordWalker walker(c.bucket);
  std::vector<std::vector<std::string>> records;
  std::vector<std::size_t> starts;
  while (std::optional<hashed::StoredRecord> record = walker.next()) {
    records.push_back(walked(*record));
    starts.push_back(record->start);
  }
  EXPECT_EQ(records, c.records);
  EXPECT_EQ(starts, c.starts);
  EXPECT_FALSE(walker.next().has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Buckets, WalkBucket,
    testing::Values(
        WalkCase{"Empty", "", {}, {}},
        WalkCase{"OneSeparatorTwoEmptyRecords", bytes({0x00}), {{""}, {""}}, {0, 1}},
        WalkCase{"KeyAndPhrasesThenKeyAlone", bytes({0x41, 0x42, 0xA4, 0xA4, 0x24, 0xE5, 0xA6, 0x72, 0x00, 0x43}),
                 {{"41 42", "A4 A4 24 E5", "A6 72"}, {"43"}}, {0, 9}},
        WalkCase{"SeparatorAtTheEnd", bytes({0x41, 0x00}), {{"41"}, {""}}, {0, 2}},
        WalkCase{"NulAsTrailByteIsNoSeparator", bytes({0x41, 0xA4, 0x00, 0xA5, 0x40}), {{"41", "A4 00", "A5 40"}}, {0}},
        WalkCase{"ContinuationUnitLooksLikeAKey", bytes({0xA4, 0xA4, 0x41, 0x42}), {{"", "A4 A4 41 42"}}, {0}},
        WalkCase{"SeparatorsInARow", bytes({0xA4, 0xA4, 0x00, 0x00}), {{"", "A4 A4"}, {""}, {""}}, {0, 3, 4}},
        WalkCase{"UnitCutByTheEnd", bytes({0x41, 0xA4, 0xA4, 0x25}), {{"41", "A4 A4|"}}, {0}},
        WalkCase{"FirstUnitCutByTheEnd", bytes({0x41, 0xA4, 0xA4, 0xA5}), {{"41", "A4 A4", "|"}}, {0}}),
    test_support::case_name<WalkCase>);

// What the builder writes, the walkers read back: every record of the lines above, filed one
// after another in one bucket, comes back with its stored key, its units and its phrase count.
TEST(RecordWalker, ReadsBackEveryBuiltRecord) {
  const std::string pieces[] = {"a", "Z", " ", "\t", "\n", std::string(1, '\0'), "\xA4", "\x40", "\x80",
                                "\xFE", ","};
  std::size_t n = std::size(pieces);
  std::vector<hashed::Record> built;
  std::string bucket;
  for (std::size_t i = 0; i < n * n * n; ++i) {
    std::string line;
    for (std::size_t j = 0, v = i; j < 3; ++j, v /= n) line += pieces[v % n];
    if (!built.empty()) bucket.push_back('\0');
    bucket += built.emplace_back(record_of(line)).bytes;
  }
  hashed::RecordWalker walker(bucket);
  for (const hashed::Record& record : built) {
    std::optional<hashed::StoredRecord> read = walker.next();
    ASSERT_TRUE(read.has_value());
    ASSERT_EQ(hex(std::string(read->key) + std::string(read->phrases)), hex(record.bytes));
    long phrases = 0;
    hashed::PhraseWalker phrase_walker(read->phrases);
    while (std::optional<hashed::StoredPhrase> phrase = phrase_walker.next()) {
      ASSERT_FALSE(phrase->cut) << hex(record.bytes);
      ++phrases;
    }
    ASSERT_EQ(phrases, record.phrases) << hex(record.bytes);
  }
  EXPECT_FALSE(walker.next().has_value());
}

}  // namespace
