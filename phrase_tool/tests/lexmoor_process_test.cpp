// LEXMOOR run as a process in a scratch folder: exact standard output and error, exit status and
// output bytes for each mode of its command line.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "phrase_tool/messages.h"
#include "phrase_tool/tests/dictionary_image.h"
#include "phrase_tool/tests/lexmoor_texts.h"
#include "platform/report.h"
#include "test_support/process.h"
#include "test_support/scratch.h"

namespace {

using namespace phrase_tool::test_images;
using namespace phrase_tool::lexmoor_texts;
namespace msg = phrase_tool::msg;
using test_support::ProcessResult;

// The export of a table holding `blocks` (slot -> the text after the head character and space).
std::string export_text(const std::map<int, std::string>& blocks) {
  std::string text = std::string(big5dict::phrase::kBuiltInIdentification) + "\n";
  for (int slot = 0; slot < big5dict::phrase::kSlotCount; ++slot) {
    big5dict::Big5Char head = big5dict::phrase::slot_character(slot);
    text += std::string{static_cast<char>(head.lead), static_cast<char>(head.trail), ' '};
    auto it = blocks.find(slot);
    if (it != blocks.end()) text += it->second;
    text += "\n";
  }
  return text;
}

class Lexmoor : public LexmoorFolder {};

// Slot 1 (A2) and slot 0 (A): A2+B, A2+C, A2+DEG as words of a list, with A+B, A+K.
const int kSlotA2 = 1;

TEST_F(Lexmoor, NoArgumentsShowsTheUsage) {
  ProcessResult r = lexmoor({});
  EXPECT_EQ(r.out, usage());
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(dir.entries().empty());
}

TEST_F(Lexmoor, OnlyAtEndShowsTheUsage) {
  ProcessResult r = lexmoor({"/atend"});
  EXPECT_EQ(r.out, usage());
  EXPECT_EQ(r.status, 0);
}

TEST_F(Lexmoor, UnknownSourceFormsShowTheUsage) {
  for (const char* source : {"x.DBG", "", "+w.b5", "@", "/atend"}) {
    ProcessResult r = lexmoor({"/ATEND", source, "+w.b5"});
    EXPECT_EQ(r.out, usage()) << source;
    EXPECT_EQ(r.status, 0) << source;
  }
  EXPECT_TRUE(dir.entries().empty());
}

TEST_F(Lexmoor, EmptyStartWritesTheEmptyDictionary) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"#"}, {"/AtEnd", "#"}, {"#anything", "+missing.b5"}}) {
    ProcessResult r = lexmoor(args);
    EXPECT_EQ(r.out, writer_report({})) << args[0];
    EXPECT_EQ(r.status, 1);
    std::string written = dir.read("LEXMOOR.DBG");
    EXPECT_EQ(written.size(), 27004u);
    EXPECT_TRUE(same_bytes(written, dictionary_file({})));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"LEXMOOR.DBG"});
  }
}

TEST_F(Lexmoor, MissingDictionaryShowsTheUsageAndWritesNothing) {
  dir.write("w.b5", A + B + "\n");
  ProcessResult r = lexmoor({"@missing.DBG", "+w.b5"});
  EXPECT_EQ(r.out, usage());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"w.b5"});
}

TEST_F(Lexmoor, NewDictionaryFromAList) {
  // The empty start sets the at-end flag: phrases keep the order of the list.
  dir.write("list", "; comment\n" + A2 + D + E + G + " " + A2 + B + "\r\n" + A2 + C + "," + A + K + "\n" + A +
                        B + " " + A2 + B + " " + A + "\n");
  ProcessResult r = lexmoor({"#", "+list"});
  const std::map<int, std::string> buckets = {{0, entry(K) + entry(B)},
                                              {kSlotA2, entry(B) + entry(C) + entry(D + E + G)}};
  EXPECT_EQ(r.out, " Adding words listed in [list]\n" + A2 + D + E + G + "\n" + A2 + B + "\n" + A2 + C + "\n" +
                       A + K + "\n" + A + B + "\n" + writer_report(buckets));
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(same_bytes(dir.read("LEXMOOR.DBG"), dictionary_file(buckets)));
}

TEST_F(Lexmoor, DeletingFromALoadedDictionary) {
  big5dict::phrase::HeaderImage header;
  std::memcpy(header.data(), "OVBig5CZ kept\0after", 19);
  const std::string start = dictionary_file(
      {{0, entry(K) + entry(B)}, {kSlotA2, entry(B) + entry(C) + entry(D + E + G)}}, 7, header);
  dir.write("LEXMOOR.DBG", start);
  dir.write("list", A2 + C + " " + A2 + D + E + G + " " + A + C + "\n" + A + K + "\n");
  ProcessResult r = lexmoor({"@LEXMOOR.DBG", "-list"});
  const std::map<int, std::string> buckets = {{0, entry(B)}, {kSlotA2, entry(B)}};
  EXPECT_EQ(r.out, "Reading LEXMOOR.DBG  Removing words listed in [list]\n--??" + bytes({0x28, 0x7E}) + "\n-" +
                       writer_report(buckets));
  EXPECT_EQ(r.status, 1);
  // The identification field survives whole, bytes after its NUL included.
  EXPECT_TRUE(same_bytes(dir.read("LEXMOOR.DBG"), dictionary_file(buckets, 0, header)));
}

TEST_F(Lexmoor, AddingAtEndToALoadedDictionary) {
  dir.write("x.DBG", dictionary_file({{kSlotA2, entry(B) + entry(D + E + G)}}));
  dir.write("list", A2 + C + " " + A2 + K + G + " " + A2 + B + "\n");
  ProcessResult r = lexmoor({"/atend", "@x.DBG", "+list"});
  const std::map<int, std::string> buckets = {{kSlotA2, entry(B) + entry(C) + entry(D + E + G) + entry(K + G)}};
  EXPECT_EQ(r.out, "Reading x.DBG  Adding words listed in [list]\n" + A2 + C + "\n" + A2 + K + G + "\n" +
                       writer_report(buckets));
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(same_bytes(dir.read("LEXMOOR.DBG"), dictionary_file(buckets)));

  // Without /atend the newest phrases stand first among their kind.
  r = lexmoor({"@x.DBG", "+list"});
  EXPECT_TRUE(same_bytes(dir.read("LEXMOOR.DBG"),
                         dictionary_file({{kSlotA2, entry(C) + entry(B) + entry(K + G) + entry(D + E + G)}})));
}

TEST_F(Lexmoor, PrintToBig5ExportsTheText) {
  dir.write("x.DBG", dictionary_file({{0, entry(B) + entry(K) + entry(D + E + G)}, {kLastSlot, entry(C + D)}}));
  dir.write("list", A2 + B + "\nPRINT-TO-BIG5\n");
  ProcessResult r = lexmoor({"@x.DBG", "*list"});
  EXPECT_EQ(r.out, "Reading x.DBG  Adding words listed in [list]\n" + A2 + B + "\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"LEXMOOR.B5X", "list", "x.DBG"}));
  EXPECT_TRUE(same_bytes(dir.read("LEXMOOR.B5X"), export_text({{0, B + K + "\n-- " + D + E + G},
                                                                {kSlotA2, B},
                                                                {kLastSlot, "\n-- " + C + D}})));
}

TEST_F(Lexmoor, ExportReadBackAsSourceGivesTheSameDictionary) {
  const std::map<int, std::string> buckets = {{0, entry(B) + entry(K) + entry(D + E + G) + entry(C + D)},
                                              {kLastSlot, entry(A) + entry(E + G + K + B + D)}};
  dir.write("x.DBG", dictionary_file(buckets));
  dir.write("list", "PRINT-TO-BIG5\n");
  ASSERT_EQ(lexmoor({"@x.DBG", "list"}).status, 1);
  ProcessResult r = lexmoor({"$LEXMOOR.B5X"});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(same_bytes(dir.read("LEXMOOR.DBG"), dictionary_file(buckets)));
}

// Head lines of thousands of phrases are read back whole: export and import keep every phrase.
TEST_F(Lexmoor, LargeDictionaryRoundTripsThroughItsExport) {
  const std::string original = dictionary_file(generated_buckets());
  dir.write("x.DBG", original);
  dir.write("list", "PRINT-TO-BIG5\n");
  ASSERT_EQ(lexmoor({"@x.DBG", "list"}).status, 1);
  ProcessResult r = lexmoor({"$LEXMOOR.B5X"});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(same_bytes(dir.read("LEXMOOR.DBG"), original));
}

TEST_F(Lexmoor, SecondDictionaryThatDoesNotOpenIsAWordListName) {
  const std::string start = dictionary_file({{0, kWorkedBucket}});
  dir.write("a.DBG", start);
  ProcessResult r = lexmoor({"@a.DBG", "@missing.DBG"});
  EXPECT_EQ(r.out, "Reading a.DBG " + writer_report({{0, kWorkedBucket}}));
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(same_bytes(dir.read("LEXMOOR.DBG"), start));

  // A list of that very name is applied.
  dir.write("@missing.DBG", A + K + "\n");
  r = lexmoor({"@a.DBG", "@missing.DBG"});
  EXPECT_EQ(r.out, "Reading a.DBG  Adding words listed in [@missing.DBG]\n" + A + K + "\n" +
                       writer_report({{0, entry(K) + kWorkedBucket}}));
}

TEST_F(Lexmoor, ComparisonListsThePhrasesOnlyInTheSecondAndWritesNothing) {
  dir.write("a.DBG", dictionary_file({{0, entry(B)}, {kSlotA2, entry(C)}}));
  dir.write("b.DBG", dictionary_file({{0, entry(K) + entry(B) + entry(K) + entry(D + E)}, {2, entry(C)}}));
  dir.write("LEXMOOR.DBG", "previous");
  ProcessResult r = lexmoor({"@a.DBG", "@b.DBG"});
  EXPECT_EQ(r.out, "Reading a.DBG   Comparing with file: b.DBG ...\nList of words only in file: b.DBG \n" + A + K +
                       "\n" + A + D + E + "\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(dir.read("LEXMOOR.DBG"), "previous");
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"LEXMOOR.DBG", "a.DBG", "b.DBG"}));
}

TEST_F(Lexmoor, BucketFullRefusesThePhraseAndTheFileReadsBack) {
  // 4096 different second characters for slot A: the last would make the bucket 16384 bytes.
  std::string list;
  std::string bucket;
  std::string last;
  int added = 0;
  for (int slot = 0; added < 4096; ++slot) {
    big5dict::Big5Char c = big5dict::phrase::slot_character(slot);
    std::string second{static_cast<char>(c.lead), static_cast<char>(c.trail)};
    list += A + second + "\n";
    if (++added < 4096) {
      bucket += entry(second);
    } else {
      last = A + second;
    }
  }
  dir.write("list", list);
  ProcessResult r = lexmoor({"#", "list"});
  EXPECT_EQ(r.status, 1);
  const std::string report = "Bucket full, phrase not added: " + last + "\n";
  ASSERT_NE(r.out.find(report + "\nWriting to"), std::string::npos);
  EXPECT_EQ(r.out.find("Bucket full"), r.out.rfind("Bucket full"));
  ASSERT_EQ(bucket.size(), 16380u);
  EXPECT_TRUE(same_bytes(dir.read("LEXMOOR.DBG"), dictionary_file({{0, bucket}})));

  r = lexmoor({"@LEXMOOR.DBG"});
  EXPECT_EQ(r.out, "Reading LEXMOOR.DBG " + writer_report({{0, bucket}}));
  EXPECT_EQ(r.status, 1);
}

TEST_F(Lexmoor, OutputThatCannotBeCreated) {
  std::filesystem::create_directory(dir / "LEXMOOR.DBG");
  ProcessResult r = lexmoor({"#"});
  EXPECT_EQ(r.out, "can't open file: LEXMOOR.DBG\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"LEXMOOR.DBG"});

  std::filesystem::create_directory(dir / "LEXMOOR.B5X");
  dir.write("list", "PRINT-TO-BIG5\n");
  r = lexmoor({"#", "list"});
  EXPECT_EQ(r.out, " Adding words listed in [list]\ncan't open file: LEXMOOR.B5X\n");
  EXPECT_EQ(r.status, 1);
}

TEST_F(Lexmoor, FailedWriteLeavesThePreviousDictionary) {
  const std::string previous = dictionary_file({{0, kWorkedBucket}});
  dir.write("LEXMOOR.DBG", previous);
  ProcessResult r = lexmoor({"#"}, test_support::file_size_limited(10000));
  const std::string report = "\nWrite error on file: LEXMOOR.DBG: File too large\n";
  EXPECT_EQ(r.out.substr(0, std::string(msg::kWritingTo).size()), msg::kWritingTo);
  ASSERT_GE(r.out.size(), report.size());
  EXPECT_EQ(r.out.substr(r.out.size() - report.size()), report);
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(same_bytes(dir.read("LEXMOOR.DBG"), previous));
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"LEXMOOR.DBG"});
}

TEST_F(Lexmoor, WordListThatIsAFolderIsAReadError) {
  std::filesystem::create_directory(dir / "words");
  ProcessResult r = lexmoor({"#", "-words"});
  EXPECT_EQ(r.out, " Removing words listed in [words]\n" + platform::read_error_report("words", EISDIR));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"words"});
}

TEST_F(Lexmoor, FaultsInTheContentEndWithStatusZero) {
  dir.write("long", "\n" + A + B + C + D + E + G + K + B + C + D + E + G + K + B + C + D + E + G + K + B + C +
                        "\n");
  ProcessResult r = lexmoor({"#", "long"});
  const std::string phrase = A + B + C + D + E + G + K + B + C + D + E + G + K + B + C + D + E + G + K + B + C;
  EXPECT_EQ(r.out, " Adding words listed in [long]\n\a\a\aWord [" + phrase + "] Length > 40 !");
  EXPECT_EQ(r.status, 0);

  std::string run;
  for (int i = 0; i < 41; ++i) run += B;
  dir.write("long", A + K + "\n\n" + run + "\n");
  r = lexmoor({"#", "long"});
  EXPECT_EQ(r.out, " Adding words listed in [long]\n" + A + K + "\nWord Too Long Line: 3 " + run + "\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"long"});
}

}  // namespace
