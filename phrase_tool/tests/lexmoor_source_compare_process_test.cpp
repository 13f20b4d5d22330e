// LEXMOOR as a process: building a dictionary from source text with $, and comparing two
// dictionaries with @a @b, with exact standard output, status and file bytes.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "big5dict/phrase_layout.h"
#include "phrase_tool/tests/dictionary_image.h"
#include "phrase_tool/tests/lexmoor_texts.h"
#include "test_support/process.h"
#include "test_support/scratch.h"

namespace {

using namespace phrase_tool::test_images;
using namespace phrase_tool::lexmoor_texts;
using test_support::ProcessResult;
using test_support::repeat;

const std::string H63 = bytes({0xA4, 0xA1});  // the character of slot 63
constexpr int kSlotOfC = 690;

std::string comparing(const std::string& name) {
  return "  Comparing with file: " + name + " ...\nList of words only in file: " + name + " \n";
}

// The first dictionary: AB and ADEG in slot 0; two phrases of slot 63; one of C's slot.
const std::map<int, std::string> kFirst = {
    {0, kWorkedBucket}, {63, entry(B) + entry(C + D)}, {kSlotOfC, entry(K)}};
// The second: more phrases in slot 0 (AC twice, AD beside ADEG), phrases in slot 1 which the
// first leaves empty, and slot 63 with two phrases the first lacks.
const std::map<int, std::string> kSecond = {
    {0, entry(B) + entry(C) + entry(D) + entry(C) + entry(D + E + G) + entry(K + K)},
    {1, entry(C) + entry(D + E)},
    {63, entry(B) + entry(E) + entry(C + D) + entry(G + G + G)},
    {kSlotOfC, entry(K)}};
const std::string kOnlyInSecond = A + C + "\n" + A + D + "\n" + A + K + K + "\n" + H63 + E + "\n" + H63 + G + G + G + "\n";

class LexmoorSourceAndCompare : public LexmoorFolder {};

TEST_F(LexmoorSourceAndCompare, ImportsSourceTextAndWritesTheDictionary) {
  dir.write("src.b5", "OVBig5CZ our phrases\n" + A + " " + B + "\n-- " + D + E + G + "\n\n" + bytes({0xA1, 0x40}) +
                          " " + B + "\n-- " + K + K + "\n" + C + "   " + K + "\n" + A2 + " " + B);
  ProcessResult r = lexmoor({"$src.b5"});
  // The last line has no line feed and is imported all the same.
  std::map<int, std::string> buckets = {{0, kWorkedBucket}, {1, entry(B)}, {kSlotOfC, entry(K)}};
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(same_bytes(r.out, "Reading src.b5 ...\nLine: 1\rSkip line: 1: OVBig5CZ our phrases\n\n" + lines(2, 4) +
                                    "Skip line: 4: \n\n" + lines(5, 6) + "Skip line: 6: -- " + K + K + "\n\n" +
                                    lines(7, 8) + writer_report(buckets)));
  EXPECT_TRUE(same_bytes(dir.read("LEXMOOR.DBG"), dictionary_file(buckets)));
}

TEST_F(LexmoorSourceAndCompare, DollarAloneReadsLexmoorB5) {
  dir.write("LEXMOOR.B5", A + " " + B + "\n");
  for (const std::string& argument : {std::string("$"), std::string("$missing.b5")}) {
    ProcessResult r = lexmoor({argument});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(same_bytes(r.out, "Reading LEXMOOR.B5 ...\nLine: 1\r" + writer_report({{0, entry(B)}})));
    EXPECT_TRUE(same_bytes(dir.read("LEXMOOR.DBG"), dictionary_file({{0, entry(B)}})));
  }
}

TEST_F(LexmoorSourceAndCompare, NoSourceTextAtAll) {
  dir.write("LEXMOOR.DBG", "old");
  ProcessResult r = lexmoor({"$"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "can't open file: LEXMOOR.B5\n");
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"LEXMOOR.DBG"});
  EXPECT_EQ(dir.read("LEXMOOR.DBG"), "old");
}

TEST_F(LexmoorSourceAndCompare, ContinuationBeforeAnyHeadLineStopsWithStatus0) {
  dir.write("LEXMOOR.DBG", "old");
  dir.write("src.b5", "-- " + B + C + "\n");
  ProcessResult r = lexmoor({"$src.b5", "+words.b5"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "Reading src.b5 ...\nLine: 1\rError at Line: 1\n");
  EXPECT_EQ(dir.read("LEXMOOR.DBG"), "old");
}

TEST_F(LexmoorSourceAndCompare, ExportReadBackGivesTheSameDictionary) {
  std::map<int, std::string> buckets = kFirst;
  buckets[1] = entry(B) + entry(C) + entry(repeat(D, 19)) + entry(E + G);
  buckets[big5dict::phrase::kSlotCount - 1] = entry(Z + Z + Z);
  dir.write("a.DBG", dictionary_file(buckets));
  dir.write("print.b5", "PRINT-TO-BIG5\n");
  ProcessResult exported = lexmoor({"@a.DBG", "print.b5"});
  ASSERT_EQ(exported.status, 1);
  EXPECT_FALSE(dir.exists("LEXMOOR.DBG"));
  ProcessResult imported = lexmoor({"$LEXMOOR.B5X"});
  EXPECT_EQ(imported.status, 1);
  EXPECT_TRUE(same_bytes(dir.read("LEXMOOR.DBG"), dir.read("a.DBG")));
}

TEST_F(LexmoorSourceAndCompare, FailedWriteAfterAnImportLeavesThePreviousDictionary) {
  dir.write("LEXMOOR.DBG", "previous");
  dir.write("src.b5", A + " " + B + "\n");
  ProcessResult r = lexmoor({"$src.b5"}, test_support::file_size_limited(10000));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "Reading src.b5 ...\nLine: 1\r\nWriting to: LEXMOOR.DBG ... \n\nWrite error on file: LEXMOOR.DBG: File too large\n");
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"LEXMOOR.DBG", "src.b5"}));
  EXPECT_EQ(dir.read("LEXMOOR.DBG"), "previous");
}

TEST_F(LexmoorSourceAndCompare, ComparisonListsThePhrasesOnlyInTheSecondFile) {
  dir.write("a.DBG", dictionary_file(kFirst));
  dir.write("b.DBG", dictionary_file(kSecond));
  dir.write("LEXMOOR.DBG", "previous dictionary");
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"@a.DBG", "@b.DBG"}, std::vector<std::string>{"/atend", "@a.DBG", "@b.DBG"}}) {
    ProcessResult r = lexmoor(args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Reading a.DBG " + comparing("b.DBG") + kOnlyInSecond);
  }
  EXPECT_EQ(dir.read("LEXMOOR.DBG"), "previous dictionary");
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"LEXMOOR.DBG", "a.DBG", "b.DBG"}));
}

TEST_F(LexmoorSourceAndCompare, SelfComparisonAndEmptyFirstDictionaryListNothing) {
  dir.write("a.DBG", dictionary_file(kFirst));
  ProcessResult self = lexmoor({"@a.DBG", "@a.DBG"});
  EXPECT_EQ(self.status, 0);
  EXPECT_EQ(self.out, "Reading a.DBG " + comparing("a.DBG"));
  ProcessResult empty = lexmoor({"#", "@a.DBG"});
  EXPECT_EQ(empty.status, 0);
  EXPECT_EQ(empty.out, comparing("a.DBG"));
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"a.DBG"});
}

TEST_F(LexmoorSourceAndCompare, SecondFileShorterThanItsHeaderPromises) {
  dir.write("a.DBG", dictionary_file(kFirst));
  std::string second = dictionary_file(kSecond);
  dir.write("b.DBG", second.substr(0, second.size() - 2));  // the last bucket, slot 690, is cut
  ProcessResult r = lexmoor({"@a.DBG", "@b.DBG"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "Reading a.DBG " + comparing("b.DBG") + kOnlyInSecond + "Error in file: b.DBG\n");
  EXPECT_FALSE(dir.exists("LEXMOOR.DBG"));
}

TEST_F(LexmoorSourceAndCompare, ListingFedBackAsAWordListCompletesTheFirstDictionary) {
  dir.write("a.DBG", dictionary_file(kFirst));
  dir.write("b.DBG", dictionary_file(kSecond));
  ProcessResult listing = lexmoor({"@a.DBG", "@b.DBG"});
  ASSERT_EQ(listing.status, 0);
  dir.write("new.b5", listing.out);

  ProcessResult added = lexmoor({"@a.DBG", "+new.b5"});
  EXPECT_EQ(added.status, 1);
  std::string expected_start = "Reading a.DBG  Adding words listed in [new.b5]\n" + kOnlyInSecond + "\nWriting to: LEXMOOR.DBG";
  EXPECT_EQ(added.out.substr(0, expected_start.size()), expected_start);
  std::string total = "\nTotal Word Length=" + std::to_string(dir.read("LEXMOOR.DBG").size() - big5dict::phrase::kHeaderBytes) + "\n";
  EXPECT_EQ(added.out.substr(added.out.size() - total.size()), total);

  ProcessResult again = lexmoor({"@LEXMOOR.DBG", "@b.DBG"});
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(again.out, "Reading LEXMOOR.DBG " + comparing("b.DBG"));
}

}  // namespace
