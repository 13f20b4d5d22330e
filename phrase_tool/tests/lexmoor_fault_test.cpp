// LEXMOOR run as a process against failing files: an output it may not write, an output that is a
// folder, a disk that fills, inputs that are folders or unreadable. Each gives its report and
// status, no signal, no temporary file, and leaves an existing output byte for byte as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "phrase_tool/messages.h"
#include "phrase_tool/tests/dictionary_image.h"
#include "phrase_tool/tests/lexmoor_texts.h"
#include "test_support/fault_suite.h"
#include "test_support/process.h"
#include "test_support/scratch.h"
#include "test_support/unprivileged.h"

namespace {

namespace fs = std::filesystem;
using namespace phrase_tool::test_images;
using namespace phrase_tool::lexmoor_texts;
namespace msg = phrase_tool::msg;
using test_support::ProcessResult;
using test_support::ScratchDir;
using test_support::FolderModeRestorer;
using test_support::give_to;

const std::string kOldDictionary = dictionary_file({{0, kWorkedBucket}});
const std::string kOldExport = "an earlier export\n";

void set_mode(const fs::path& path, int mode) {
  fs::permissions(path, static_cast<fs::perms>(mode), fs::perm_options::replace);
}

// Every case starts from a folder holding an earlier LEXMOOR.DBG and LEXMOOR.B5X, a word list
// "list" that asks for the export, and an empty word list "words".
struct FaultCase {
  const char* name;
  test_support::FaultRun run;
  std::string out;
  int status;
  std::string dictionary = kOldDictionary;  // LEXMOOR.DBG afterwards
  std::vector<std::string> extra_entries = {};  // besides LEXMOOR.B5X, LEXMOOR.DBG, list, words
};

const std::string kExportRefused = " Adding words listed in [list]\ncan't open file: LEXMOOR.B5X\n";

std::vector<FaultCase> fault_cases() {
  return {
      {"DictionaryFolderNotWritable", {true,
       [](const ScratchDir& dir, int uid) {
         give_to(dir / "LEXMOOR.DBG", uid);
         set_mode(dir.path(), 0555);
       },
       {"#"}, -1}, "can't open file: LEXMOOR.DBG\n", 1},
      {"ExistingDictionaryNotWritable", {true,
       [](const ScratchDir& dir, int) {
         set_mode(dir / "LEXMOOR.DBG", 0444);
         set_mode(dir.path(), 0777);  // only the file's own mode refuses
       },
       {"#"}, -1}, "can't open file: LEXMOOR.DBG\n", 1},
      {"ExportFolderNotWritable", {true,
       [](const ScratchDir& dir, int uid) {
         give_to(dir / "LEXMOOR.B5X", uid);
         set_mode(dir.path(), 0555);
       },
       {"#", "list"}, -1}, kExportRefused, 1},
      {"ExistingExportNotWritable", {true,
       [](const ScratchDir& dir, int) {
         set_mode(dir / "LEXMOOR.B5X", 0444);
         set_mode(dir.path(), 0777);
       },
       {"#", "list"}, -1}, kExportRefused, 1},
      // The folder is synced after the rename, so one that cannot be opened is refused at once.
      {"DictionaryFolderUnreadable", {true,
       [](const ScratchDir& dir, int uid) {
         give_to(dir / "LEXMOOR.DBG", uid);
         set_mode(dir.path(), 0333);
       },
       {"#"}, -1}, "can't open file: LEXMOOR.DBG\n", 1},
      // Another user's writable file in another user's sticky folder: the rename would be refused.
      {"StickyFolderOfAnother", {true,
       [](const ScratchDir& dir, int) {
         set_mode(dir / "LEXMOOR.DBG", 0666);
         set_mode(dir.path(), 01777);
       },
       {"#"}, -1, true}, "can't open file: LEXMOOR.DBG\n", 1},
      {"DiskFillsWhileWritingTheDictionary", {false, [](const ScratchDir&, int) {}, {"#"}, 10000},
       std::string(msg::kWritingTo) + "\nWrite error on file: LEXMOOR.DBG: File too large\n", 1},
      {"DiskFillsWhileWritingTheExport", {false, [](const ScratchDir&, int) {}, {"#", "list"}, 10000},
       " Adding words listed in [list]\n\nWrite error on file: LEXMOOR.B5X: File too large\n", 1},
      {"DictionaryIsAFolder", {false, [](const ScratchDir& dir, int) { fs::create_directory(dir / "folder"); },
       {"@folder"}, -1}, "Reading folder \nRead error on file: folder: Is a directory\n", 1, kOldDictionary,
       {"folder"}},
      {"SourceTextIsAFolder", {false, [](const ScratchDir& dir, int) { fs::create_directory(dir / "folder"); },
       {"$folder"}, -1}, "Reading folder ...\n\nRead error on file: folder: Is a directory\n", 1, kOldDictionary,
       {"folder"}},
      {"WordListIsAFolder", {false, [](const ScratchDir& dir, int) { fs::create_directory(dir / "folder"); },
       {"#", "+folder"}, -1}, " Adding words listed in [folder]\n\nRead error on file: folder: Is a directory\n",
       1, kOldDictionary, {"folder"}},
      {"SecondDictionaryIsAFolder", {false,
       [](const ScratchDir& dir, int) { fs::create_directory(dir / "folder"); }, {"#", "@folder"}, -1},
       "  Comparing with file: folder ...\nList of words only in file: folder \n"
       "\nRead error on file: folder: Is a directory\n",
       1, kOldDictionary, {"folder"}},
      // A dictionary that does not open is no source the program knows.
      {"DictionaryUnreadable", {true,
       [](const ScratchDir& dir, int) {
         dir.write("locked", dictionary_file({}));
         set_mode(dir / "locked", 0);
       },
       {"@locked", "words"}, -1}, usage(), 0, kOldDictionary, {"locked"}},
      // A word list that does not open is passed over and the run goes on to write.
      {"WordListUnreadable", {true,
       [](const ScratchDir& dir, int uid) {
         dir.write("locked", "\n" + A + B + "\n");
         set_mode(dir / "locked", 0);
         give_to(dir / "LEXMOOR.DBG", uid);
         set_mode(dir.path(), 0777);
       },
       {"#", "-locked"}, -1}, writer_report({}), 1, dictionary_file({}), {"locked"}},
      // A second dictionary that does not open is taken, "@" and all, as a word list's name.
      {"SecondDictionaryUnreadable", {true,
       [](const ScratchDir& dir, int uid) {
         dir.write("locked", dictionary_file({{0, kWorkedBucket}}));
         set_mode(dir / "locked", 0);
         give_to(dir / "LEXMOOR.DBG", uid);
         set_mode(dir.path(), 0777);
       },
       {"#", "@locked"}, -1}, writer_report({}), 1, dictionary_file({}), {"locked"}},
      // A source text that does not open falls back to LEXMOOR.B5.
      {"SourceTextUnreadable", {true,
       [](const ScratchDir& dir, int uid) {
         dir.write("locked", A + " " + K + "\n");
         set_mode(dir / "locked", 0);
         dir.write("LEXMOOR.B5", A + " " + B + "\n");
         set_mode(dir / "LEXMOOR.B5", 0644);
         give_to(dir / "LEXMOOR.DBG", uid);
         set_mode(dir.path(), 0777);
       },
       {"$locked"}, -1}, "Reading LEXMOOR.B5 ...\nLine: 1\r" + writer_report({{0, entry(B)}}), 1,
       dictionary_file({{0, entry(B)}}), {"LEXMOOR.B5", "locked"}},
  };
}

class LexmoorFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(LexmoorFault, ReportsAndLeavesTheOldOutput) {
  const FaultCase& c = GetParam();
  ScratchDir dir;
  FolderModeRestorer restorer{dir};
  dir.write("LEXMOOR.DBG", kOldDictionary);
  dir.write("LEXMOOR.B5X", kOldExport);
  dir.write("list", "PRINT-TO-BIG5\n");
  dir.write("words", "");
  test_support::FaultRunResult run =
      test_support::run_fault(dir, LEXMOOR_PATH, c.run);
  if (!run.skip_reason.empty()) GTEST_SKIP() << run.skip_reason;
  const ProcessResult& r = run.process;
  EXPECT_EQ(r.signal, 0);
  EXPECT_EQ(r.status, c.status);
  EXPECT_EQ(r.out, c.out);
  EXPECT_EQ(r.err, banner());
  EXPECT_TRUE(same_bytes(dir.read("LEXMOOR.DBG"), c.dictionary));
  EXPECT_EQ(dir.read("LEXMOOR.B5X"), kOldExport);
  std::vector<std::string> entries = {"LEXMOOR.B5X", "LEXMOOR.DBG", "list", "words"};
  entries.insert(entries.end(), c.extra_entries.begin(), c.extra_entries.end());
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(dir.entries(), entries);
}

INSTANTIATE_TEST_SUITE_P(Faults, LexmoorFault, ::testing::ValuesIn(fault_cases()), test_support::case_name<FaultCase>);

// The fixed output names as folders: the check that the output can be written refuses them.
TEST(LexmoorFault, OutputNamesThatAreFolders) {
  ScratchDir dir;
  fs::create_directory(dir / "LEXMOOR.DBG");
  fs::create_directory(dir / "LEXMOOR.B5X");
  dir.write("list", "PRINT-TO-BIG5\n");
  ProcessResult r = lexmoor(dir, {"#"});
  EXPECT_EQ(r.signal, 0);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "can't open file: LEXMOOR.DBG\n");
  r = lexmoor(dir, {"#", "list"});
  EXPECT_EQ(r.signal, 0);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, kExportRefused);
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"LEXMOOR.B5X", "LEXMOOR.DBG", "list"}));
  EXPECT_TRUE(fs::is_empty(dir / "LEXMOOR.DBG"));
  EXPECT_TRUE(fs::is_empty(dir / "LEXMOOR.B5X"));
}

}  // namespace
