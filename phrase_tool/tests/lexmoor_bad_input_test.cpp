// LEXMOOR run as a process on malformed inputs: dictionaries cut in the header and in a bucket,
// wrong half-offsets, buckets of 16384 bytes, NUL bytes, lone lead bytes, CR LF, 0x1A, long,
// unterminated and over-long lines in word lists and source text, empty files. Each case gives its
// exact output and status, and either the exact LEXMOOR.DBG or none.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "big5dict/phrase_layout.h"
#include "big5dict/phrase_layout.h"
#include "phrase_tool/tests/dictionary_image.h"
#include "phrase_tool/tests/lexmoor_texts.h"
#include "platform/report.h"
#include "test_support/case_name.h"
#include "test_support/process.h"
#include "test_support/scratch.h"

namespace {

using namespace phrase_tool::test_images;
using namespace phrase_tool::lexmoor_texts;
using test_support::ProcessResult;
using test_support::raw;
using test_support::repeat;
using test_support::ScratchDir;

using Buckets = std::map<int, std::string>;

// A dictionary file with some of its bytes replaced.
std::string patched(std::string file, std::size_t at, const std::string& bytes) {
  return file.replace(at, bytes.size(), bytes);
}

// The characters of slots first, first + 1, ... first + count - 1.
std::string characters(int first, int count) {
  std::string text;
  for (int slot = first; slot < first + count; ++slot) {
    big5dict::Big5Char c = big5dict::phrase::slot_character(slot);
    text += {static_cast<char>(c.lead), static_cast<char>(c.trail)};
  }
  return text;
}

constexpr std::size_t kLongest = 1048576;
const std::string kLone = "\xA6";  // a lead byte without its trail byte
const std::string kAdding = " Adding words listed in [w]\n";
const std::string kWorked = dictionary_file({{0, kWorkedBucket}});
constexpr std::size_t kFirstHalfOffset = 64;

struct BadInput {
  const char* name;
  std::map<std::string, std::string> files;
  std::vector<std::string> args;
  std::string out;
  int status;
  std::optional<Buckets> written;  // the buckets of LEXMOOR.DBG, none when nothing is written
};

BadInput dictionary_case(const char* name, const std::string& file, const std::string& out, int status) {
  return {name, {{"d", file}}, {"@d"}, "Reading d " + out, status, std::nullopt};
}

// A word list applied to a new dictionary, which echoes every phrase it adds.
BadInput word_list_case(const char* name, const std::string& list, const std::string& echoes, const Buckets& buckets) {
  return {name, {{"w", list}}, {"#", "w"}, kAdding + echoes + writer_report(buckets), 1, buckets};
}

BadInput source_case(const char* name, const std::string& text, const std::string& shown, const Buckets& buckets) {
  return {name, {{"s", text}}, {"$s"}, "Reading s ...\n" + shown + writer_report(buckets), 1, buckets};
}

std::vector<BadInput> bad_inputs() {
  const std::string big_bucket = repeat(entry(B), 4095) + "\x88\x88";  // 16382 bytes
  std::string long_run;
  for (int i = 0; i < 41; ++i) long_run += B;
  // A word list line of 599 bytes: 120 words, each the characters of slots 2i and 2i + 1.
  std::string many_words;
  std::string many_echoes;
  Buckets many_buckets;
  for (int i = 0; i < 120; ++i) {
    if (i > 0) many_words += " ";
    many_words += characters(2 * i, 2);
    many_echoes += characters(2 * i, 2) + "\n";
    many_buckets[2 * i] = entry(characters(2 * i + 1, 1));
  }
  // Head lines of 600 and 5000 bytes.
  auto head_bucket = [](int first, int count) {
    std::string bucket;
    for (int slot = first; slot < first + count; ++slot) bucket += entry(characters(slot, 1));
    return bucket;
  };
  const std::string head_600 = A + characters(10, 299);
  const std::string head_5000 = A2 + characters(400, 2499);
  return {
      // Dictionary files, loaded with @.
      dictionary_case("EmptyDictionary", "", "EOF at i= 0\n", 1),
      dictionary_case("DictionaryCutInsideTheHeader", dictionary_file({}).substr(0, 1000), "EOF at i= 0\n", 1),
      dictionary_case("HeaderOneByteShort", dictionary_file({}).substr(0, 27003), "EOF at i= 0\n", 1),
      dictionary_case("HeaderCutAfterABucketLength", kWorked.substr(0, 100), "Error in file: d\n", 1),
      dictionary_case("DictionaryCutInsideABucket",
                      dictionary_file({{0, kWorkedBucket}, {5, kWorkedBucket}}).substr(0, 27004 + 18),
                      "Error in file: d\n", 1),
      dictionary_case("BucketOf16384Bytes", dictionary_file({{3, std::string(16384, '\x88')}}),
                      "MAX_BUFF is too small, need 16384\n", 0),
      // Half-offsets that go down wrap: the length of slot 0 is then (0 + 65536 - 1) x 2.
      dictionary_case("HalfOffsetsGoingDown", patched(dictionary_file({}), kFirstHalfOffset, "\x01"),
                      "MAX_BUFF is too small, need 131070\n", 0),
      {"BucketOf16382BytesLoads", {{"d", dictionary_file({{0, big_bucket}})}}, {"@d"},
       "Reading d " + writer_report({{0, big_bucket}}), 1, Buckets{{0, big_bucket}}},
      {"BytesAfterTheLastBucketAreIgnored", {{"d", kWorked + "\x1A\x88"}}, {"@d"},
       "Reading d " + writer_report({{0, kWorkedBucket}}), 1, Buckets{{0, kWorkedBucket}}},
      {"BucketWithoutAFrequencyMark", {{"d", dictionary_file({{0, "\x7F\x88\x25\x42"}})}}, {"@d"},
       "Reading d FREQ Error: i=0, len=2-0 offset: 27004\n" + writer_report({{0, "\x7F\x88\x25\x42"}}), 1,
       Buckets{{0, "\x7F\x88\x25\x42"}}},
      // A dictionary is read as bytes: 0x1A and CR LF inside it are data like any other.
      {"EndOfTextAndCrLfBytesAreData", {{"d", dictionary_file({{0, "\x88\x1A\x25\x0D\x88\x0A\x25\x0A"}})}}, {"@d"},
       "Reading d " + writer_report({{0, "\x88\x1A\x25\x0D\x88\x0A\x25\x0A"}}), 1,
       Buckets{{0, "\x88\x1A\x25\x0D\x88\x0A\x25\x0A"}}},
      // In memory a bucket ends at its first NUL.
      {"NulInsideABucket", {{"d", dictionary_file({{0, raw("\x88\x88\x25\x42\0\0\x88\x88\x26\x43")}})}}, {"@d"},
       "Reading d " + writer_report({{0, "\x88\x88\x25\x42"}}), 1, Buckets{{0, "\x88\x88\x25\x42"}}},
      // A NUL in a trail byte: the bucket keeps its whole units, and the buckets after it stay where
      // the half-offsets put them in the file written back.
      {"NulInATrailByte",
       {{"d", dictionary_file({{0, raw("\x88\x88\x25\0\x88\x88\x26\x43")}, {1, "\x88\x88\x27\x44"}})}},
       {"@d"}, "Reading d " + writer_report({{0, "\x88\x88"}, {1, "\x88\x88\x27\x44"}}), 1,
       Buckets{{0, "\x88\x88"}, {1, "\x88\x88\x27\x44"}}},
      // A second dictionary, compared with.
      {"EmptySecondDictionary", {{"e", ""}}, {"#", "@e"},
       "  Comparing with file: e ...\nList of words only in file: e \nEOF at i= 0\n", 1, std::nullopt},
      {"SecondDictionaryWithABucketOf16384Bytes", {{"e", dictionary_file({{2, std::string(16384, '\x88')}})}},
       {"#", "@e"},
       "  Comparing with file: e ...\nList of words only in file: e \nMAX_BUFF is too small, need 16384\n", 0,
       std::nullopt},

      // Word lists.
      word_list_case("EmptyWordList", "", "", {}),
      word_list_case("NulEndsAWordListLine", raw("\xA4\x40\xA5\x42\0\xA4\x40\xA8\x7E\n"), A + B + "\n",
                     {{0, entry(B)}}),
      // A lead byte before the line feed has no trail byte: it is dropped and ends the run.
      word_list_case("LoneLeadByteBeforeTheLineFeed", A + B + kLone + "\n", A + B + "\n", {{0, entry(B)}}),
      word_list_case("LoneLeadByteBeforeANul", A + B + kLone + raw("\0") + A + C + "\n", A + B + "\n",
                     {{0, entry(B)}}),
      word_list_case("LoneLeadByteAtTheEndOfTheFile", A + B + "\n" + A + C + kLone, A + B + "\n" + A + C + "\n",
                     {{0, entry(B) + entry(C)}}),
      word_list_case("NoReadCutsACharacter", std::string(250, 'x') + A + B + kLone + "\x72\n",
                     A + B + kLone + "\x72\n", {{0, entry(B + kLone + "\x72")}}),
      word_list_case("CrLfWordList", A + B + "\r\n" + A + C + kLone + "\r\n", A + B + "\n" + A + C + "\n",
                     {{0, entry(B) + entry(C)}}),
      word_list_case("EndOfTextInsideAWordList", A + B + "\n\x1A" + A + C + "\n", A + B + "\n", {{0, entry(B)}}),
      word_list_case("WordAfterTenThousandBytes", std::string(10000, 'x') + " " + A + B + "\n", A + B + "\n",
                     {{0, entry(B)}}),
      {"TooLongRunAfterTenThousandBytes", {{"w", std::string(10000, 'x') + " " + A + long_run + "\n"}}, {"#", "w"},
       kAdding + "Word Too Long Line: 1 " + A + long_run + "\n", 0, std::nullopt},
      {"TenThousandBytesOfCharacters", {{"w", repeat(A, 5000) + "\n"}}, {"#", "w"},
       kAdding + "Word Too Long Line: 1 " + repeat(A, 5000) + "\n", 0, std::nullopt},
      word_list_case("WordListLineOf600Bytes", many_words + "\n", many_echoes, many_buckets),
      word_list_case("LastWordListLineWithoutLineFeed", A + B, A + B + "\n", {{0, entry(B)}}),
      word_list_case("LastWordListLineBefore0x1A", A + B + "\x1A", A + B + "\n", {{0, entry(B)}}),
      word_list_case("WordListLineOfTheLongestLength", std::string(kLongest, 'x') + "\n" + A + B + "\n",
                     A + B + "\n", {{0, entry(B)}}),
      {"WordListLineOneByteLonger", {{"w", A + B + "\n" + std::string(kLongest + 1, 'x') + "\n" + A + C + "\n"}},
       {"#", "w"}, kAdding + A + B + "\n" + platform::long_line_report(2, "w"), 0, std::nullopt},

      // Phrase source text, imported with $.
      source_case("EmptySourceText", "", "", {}),
      source_case("NulEndsAHeadLine", A + " " + B + raw("\0") + C + "\n", lines(1, 1), {{0, entry(B)}}),
      source_case("NulEndsASkippedLine", raw("ab\0cd\n") + A + " " + B + "\n",
                  lines(1, 1) + "Skip line: 1: ab\n" + lines(2, 2), {{0, entry(B)}}),
      source_case("LoneLeadByteBeforeTheLineFeedOfAHeadLine", A + " " + B + kLone + "\n", lines(1, 1),
                  {{0, entry(B)}}),
      source_case("LoneLeadByteBeforeTheLineFeedOfAContinuationLine", A + "\n-- " + C + D + kLone + "\n",
                  lines(1, 2), {{0, entry(C + D)}}),
      source_case("LoneLeadByteAtTheEndOfTheSource", A + " " + B + "\n-- " + C + D + kLone, lines(1, 2),
                  {{0, entry(B) + entry(C + D)}}),
      source_case("CrLfSourceText", "ident\r\n" + A + " " + B + "\r\n-- " + C + D + "\r\n",
                  lines(1, 1) + "Skip line: 1: ident\n\n" + lines(2, 3), {{0, entry(B) + entry(C + D)}}),
      source_case("EndOfTextInsideTheSource", A + " " + B + "\n\x1A-- " + C + "\n", lines(1, 1), {{0, entry(B)}}),
      source_case("SourceLineOfTenThousandBytes", std::string(10000, 'x') + "\n" + A + " " + B + "\n",
                  lines(1, 1) + "Skip line: 1: " + std::string(10000, 'x') + "\n\n" + lines(2, 2), {{0, entry(B)}}),
      source_case("HeadLinesOf600And5000Bytes", head_600 + "\n" + head_5000 + "\r\n", lines(1, 2),
                  {{0, head_bucket(10, 299)}, {1, head_bucket(400, 2499)}}),
      source_case("LastSourceLineBefore0x1A", A + "\n-- " + C + D + "\x1A", lines(1, 2), {{0, entry(C + D)}}),
      source_case("SourceLineOfTheLongestLength", std::string(kLongest, 'x') + "\n" + A + " " + B,
                  lines(1, 1) + "Skip line: 1: " + std::string(kLongest, 'x') + "\n\n" + lines(2, 2),
                  {{0, entry(B)}}),
      {"SourceLineOneByteLonger", {{"s", A + " " + B + "\n" + std::string(kLongest + 1, 'x') + "\n"}}, {"$s"},
       "Reading s ...\n" + lines(1, 1) + platform::long_line_report(2, "s"), 0, std::nullopt},
      // The name in the report is that of the file the import opened.
      {"DefaultSourceLineOneByteLonger", {{"LEXMOOR.B5", std::string(kLongest + 1, 'x')}}, {"$missing"},
       "Reading LEXMOOR.B5 ...\n" + platform::long_line_report(1, "LEXMOOR.B5"), 0, std::nullopt},
  };
}

class LexmoorBadInput : public ::testing::TestWithParam<BadInput> {};

TEST_P(LexmoorBadInput, ExactOutputStatusAndDictionary) {
  const BadInput& c = GetParam();
  ScratchDir dir;
  std::vector<std::string> entries;
  for (const auto& [name, bytes] : c.files) {
    dir.write(name, bytes);
    entries.push_back(name);
  }
  ProcessResult r = lexmoor(dir, c.args);
  EXPECT_EQ(r.signal, 0);
  EXPECT_EQ(r.status, c.status);
  EXPECT_EQ(r.err, banner());
  EXPECT_TRUE(same_bytes(r.out, c.out));
  if (c.written) {
    EXPECT_TRUE(same_bytes(dir.read("LEXMOOR.DBG"), dictionary_file(*c.written)));
    entries.push_back("LEXMOOR.DBG");
  }
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(dir.entries(), entries);
}

INSTANTIATE_TEST_SUITE_P(Inputs, LexmoorBadInput, ::testing::ValuesIn(bad_inputs()), test_support::case_name<BadInput>);

// /dev/zero, a word list or source that never ends, stops at the longest line with status 0 and
// leaves the dictionary already there as it was.
TEST(LexmoorLongLine, EndlessInputLeavesTheDictionary) {
  struct Case {
    std::vector<std::string> args;
    std::string out;
  };
  for (const Case& c : {
           Case{{"#", "+z"}, " Adding words listed in [z]\n" + platform::long_line_report(1, "z")},
           Case{{"$z"}, "Reading z ...\n" + platform::long_line_report(1, "z")},
       }) {
    ScratchDir dir;
    std::filesystem::create_symlink("/dev/zero", dir / "z");
    dir.write("LEXMOOR.DBG", kWorked);
    ProcessResult r = lexmoor(dir, c.args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, banner());
    EXPECT_EQ(r.out, c.out);
    EXPECT_TRUE(same_bytes(dir.read("LEXMOOR.DBG"), kWorked));
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"LEXMOOR.DBG", "z"}));
  }
}

}  // namespace
