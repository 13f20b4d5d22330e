// DBGVIEW --find run as a process on dictionaries the three programs built: every kind of file with
// every kind of WHAT, exact output and grep's status.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "test_support/process.h"
#include "test_support/scratch.h"

namespace {

using test_support::ProcessResult;
using test_support::ScratchDir;

// 中文 中國 中國人 中午 電腦, and 一石二鳥 in another slot.
const char kWords[] =
    "\xA4\xA4\xA4\xE5\n\xA4\xA4\xB0\xEA\n\xA4\xA4\xB0\xEA\xA4\x48\n\xA4\xA4\xA4\xC8\n\xB9\x71\xB8\xA3\n"
    "\xA4\x40\xA5\xDB\xA4\x47\xB3\xBE\n";
// Two records of zg, one of ZW (stored as zw), a key whose bucket holds another key.
const char kCizuTable[] =
    "zg \xA4\xA4\xB0\xEA \xA4\xA4\xA4\xE5\n"
    "ZW \xA4\xA4\xA4\xC8\n"
    "zg \xB9\x71\xB8\xA3\n"
    "aBc \xA4\xA4\n";
// Key type A: 日 and 曰 under a, 明 under ab.
const char kInputTable[] =
    "\xC2\xB2\xA9\xF6 A 4 U a-z z 164-249 (Simplex) [\xC2\xB2\xA9\xF6]\n"
    "a \xA4\xE9\xA4\xEA\n"
    "ab \xA9\xFA\n";

class DbgviewFind : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = std::make_unique<ScratchDir>();
    dir_->write("words.b5", kWords);
    dir_->write("cizu.b5", kCizuTable);
    dir_->write("input.b5", kInputTable);
    ASSERT_EQ(test_support::run_in(dir_->path(), LEXMOOR_PATH, {"#", "+words.b5"}).status, 1);
    ASSERT_EQ(test_support::run_in(dir_->path(), TOMBRAL_PATH, {"cizu.b5", "cizu.dbg"}).status, 0);
    ASSERT_EQ(test_support::run_in(dir_->path(), KESTRAWN_PATH, {"input.b5", "input.dbg"}).status, 0);
    ASSERT_EQ(test_support::run_in(dir_->path(), KESTRAWN_PATH, {"input.b5", "stub.dbg", "*CIZU"}).status, 0);
    // The last bucket (電's) cut short: the file is not sound, and the rest of it is still searched.
    std::string cut = dir_->read("LEXMOOR.DBG");
    cut.resize(cut.size() - 2);
    dir_->write("cut.DBG", cut);
  }
  static void TearDownTestSuite() { dir_.reset(); }

  static ProcessResult dbgview(const std::vector<std::string>& args) {
    return test_support::run_in(dir_->path(), DBGVIEW_PATH, args);
  }

  static std::unique_ptr<ScratchDir> dir_;
};

std::unique_ptr<ScratchDir> DbgviewFind::dir_;

struct FindCase {
  const char* name;
  std::vector<std::string> args;
  int status;
  std::string out;
  std::string err;
};

TEST_F(DbgviewFind, EveryFileAndWhat) {
  const std::string kPhraseFits = "a phrase dictionary is looked up by Big5 characters, and WHAT is none\n";
  const std::string kInputFits =
      "an input dictionary is looked up by one character or by a key of its key type, and WHAT is neither\n";
  const FindCase cases[] = {
      {"PhrasesUnderOneCharacterInBucketOrder", {"--find", "\xA4\xA4", "LEXMOOR.DBG"}, 0,
       "\xA4\xA4\xA4\xE5\n\xA4\xA4\xB0\xEA\n\xA4\xA4\xA4\xC8\n\xA4\xA4\xB0\xEA\xA4\x48\n", ""},
      {"PhrasesUnderOneCharacterInUtf8", {"--utf8", "--find", "中", "LEXMOOR.DBG"}, 0,
       "中文\n中國\n中午\n中國人\n", ""},
      {"CharacterWithoutPhrases", {"--find", "\xA4\xA5", "LEXMOOR.DBG"}, 1, "", ""},
      {"CharacterWithoutSlot", {"--find", "\xA1\x40", "LEXMOOR.DBG"}, 1, "", ""},
      {"WholePhrase", {"--utf8", "--find", "一石二鳥", "LEXMOOR.DBG"}, 0, "一石二鳥\n", ""},
      {"AbsentPhrase", {"--utf8", "--find", "中國話", "LEXMOOR.DBG"}, 1, "", ""},
      {"KeyInPhraseDictionary", {"--find", "zg", "LEXMOOR.DBG"}, 2, "", "DBGVIEW: LEXMOOR.DBG: " + kPhraseFits},
      {"CutPhraseDictionaryIsSearchedAsFarAsItGoes", {"--utf8", "--find", "中", "cut.DBG"}, 2,
       "中文\n中國\n中午\n中國人\n",
       "offset 27032: slot 3346: the file ends inside this bucket: the half-offsets promise 30 bytes of data, "
       "the file holds 28\ncut.DBG: not sound: 1 violations\n"},
      {"KeyRecordByRecord", {"--find", "zg", "cizu.dbg"}, 0, "\xA4\xA4\xB0\xEA\n\xA4\xA4\xA4\xE5\n\xB9\x71\xB8\xA3\n",
       ""},
      {"KeyInCapitalsIsFolded", {"--utf8", "--find", "ZG", "cizu.dbg"}, 0, "中國\n中文\n電腦\n", ""},
      {"StoredInCapitalsFoundInSmallLetters", {"--utf8", "--find", "zw", "cizu.dbg"}, 0, "中午\n", ""},
      {"MixedCaseKeyHashesAsWritten", {"--utf8", "--find", "aBc", "cizu.dbg"}, 0, "中\n", ""},
      {"MixedCaseKeyOtherwiseWritten", {"--find", "abc", "cizu.dbg"}, 1, "", ""},
      {"AbsentKey", {"--find", "qq", "cizu.dbg"}, 1, "", ""},
      {"CharactersInHashedDictionary", {"--find", "\xA4\xA4", "cizu.dbg"}, 2, "",
       "DBGVIEW: cizu.dbg: a hashed phrase dictionary is looked up by a key of printable ASCII without blanks, "
       "and WHAT is none\n"},
      {"KeyOfACharacter", {"--utf8", "--find", "明", "input.dbg"}, 0, "ab\n", ""},
      {"CharacterWithoutKey", {"--utf8", "--find", "中", "input.dbg"}, 1, "", ""},
      {"CharactersOfAKeyInSlotOrder", {"--utf8", "--find", "A", "input.dbg"}, 0, "日\n曰\n", ""},
      {"KeyWithoutCharacters", {"--find", "zz", "input.dbg"}, 1, "", ""},
      {"KeyOfAnotherType", {"--find", "a1", "input.dbg"}, 2, "", "DBGVIEW: input.dbg: " + kInputFits},
      {"KeyTooLongForItsType", {"--find", "abcdefg", "input.dbg"}, 2, "", "DBGVIEW: input.dbg: " + kInputFits},
      {"TwoCharactersInInputDictionary", {"--utf8", "--find", "日曰", "input.dbg"}, 2, "",
       "DBGVIEW: input.dbg: " + kInputFits},
      {"StubHoldsNothing", {"--find", "a", "stub.dbg"}, 1, "", ""},
      {"StubHoldsNothingForACharacter", {"--find", "\xA4\xE9", "stub.dbg"}, 1, "", ""},
      {"LoneLeadByte", {"--find", "\xA4\xA4\xA4", "LEXMOOR.DBG"}, 2, "",
       "DBGVIEW: WHAT ends in the lead byte 0xA4, which has no trail byte\n"},
      {"CharacterTheVariantLacks", {"--utf8", "--find", "😀", "LEXMOOR.DBG"}, 2, "",
       "DBGVIEW: WHAT is not UTF-8, or holds a character that BIG5 has no code for\n"},
      {"Utf8WithoutTheOption", {"--find", "中學", "LEXMOOR.DBG"}, 1, "",
       "DBGVIEW: WHAT reads as UTF-8 text: give --utf8 to look it up in Big5\n"},
      {"Utf8WithoutTheOptionEndingInALeadByte", {"--find", "中", "LEXMOOR.DBG"}, 2, "",
       "DBGVIEW: WHAT ends in the lead byte 0xAD, which has no trail byte\n"
       "DBGVIEW: WHAT reads as UTF-8 text: give --utf8 to look it up in Big5\n"},
      {"NotUtf8", {"--utf8", "--find", "\xA4\xA4", "LEXMOOR.DBG"}, 2, "",
       "DBGVIEW: WHAT is not UTF-8, or holds a character that BIG5 has no code for\n"},
      {"MissingFile", {"--find", "a", "none.dbg"}, 2, "", "none.dbg: No such file or directory\n"},
      {"UnknownFormat", {"--find", "a", "words.b5"}, 2, "",
       "DBGVIEW: words.b5: not a dictionary file DBGVIEW knows (36 bytes): a phrase dictionary starts with "
       "\"OVBig5CZ\" and has at least 27004 bytes, a hashed phrase dictionary starts with the word 0x5651DE88 "
       "and has at least 40000 bytes, an input dictionary starts with the byte 5 and has 79318 bytes (130 for "
       "the empty stub)\n"},
  };
  for (const FindCase& c : cases) {
    SCOPED_TRACE(c.name);
    ProcessResult r = dbgview(c.args);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
  }
}

TEST_F(DbgviewFind, UsageErrors) {
  const struct {
    std::vector<std::string> args;
    std::string first_line;
  } cases[] = {
      {{"--find"}, ""},
      {{"LEXMOOR.DBG", "--find"}, ""},
      {{"--find", "a", "--find", "b", "LEXMOOR.DBG"}, ""},
      {{"--find", "", "LEXMOOR.DBG"}, "DBGVIEW: --find needs a WHAT that is not empty\n"},
      {{"--text", "--find", "a", "LEXMOOR.DBG"},
       "DBGVIEW: --find writes what it finds, --text the whole content: give one\n"},
      {{"--encoding", "BIG5", "--find", "a", "LEXMOOR.DBG"},
       "DBGVIEW: --encoding names the Big5 variant of --utf8, which is not given\n"},
  };
  // The usage text itself is held by the process test; here it is what DBGVIEW gives for no arguments.
  const std::string usage = dbgview({}).err;
  ASSERT_EQ(usage.rfind("Usage: DBGVIEW", 0), 0u);
  for (const auto& c : cases) {
    ProcessResult r = dbgview(c.args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, c.first_line + usage);
  }
}

}  // namespace
