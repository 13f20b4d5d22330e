// DBGVIEW run as a process: exact output and status, and round trips through the three programs:
// a dictionary built from a table, dumped with --text and rebuilt from the dump, is the same file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "phrase_tool/tests/dictionary_image.h"
#include "test_support/process.h"
#include "test_support/scratch.h"

namespace {

using test_support::hex;
using test_support::ProcessResult;
using test_support::ScratchDir;

ProcessResult run_in(const ScratchDir& dir, const char* program, const std::vector<std::string>& args) {
  return test_support::run_in(dir.path(), program, args);
}

ProcessResult dbgview(const ScratchDir& dir, const std::vector<std::string>& args) {
  return run_in(dir, DBGVIEW_PATH, args);
}

// Dumps `file` with --text into `dump`; the dump of a sound file has no findings.
void dump(const ScratchDir& dir, const std::string& file, const std::string& dump_name) {
  ProcessResult r = dbgview(dir, {"--text", file});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  dir.write(dump_name, r.out);
}

const char kUsage[] =
    "Usage: DBGVIEW [--text] [--utf8 [--encoding NAME]] FILE\n"
    "       DBGVIEW --find WHAT [--utf8 [--encoding NAME]] FILE\n"
    "  DBGVIEW FILE               tell the file's format, summarise it and verify every rule\n"
    "  DBGVIEW --utf8 FILE        the same, with the Big5 names and characters in UTF-8\n"
    "  DBGVIEW --text FILE        write its content as the Big5 text its own program reads back\n"
    "  DBGVIEW --text --utf8 FILE the same text in UTF-8\n"
    "  --encoding NAME            the Big5 variant for --utf8: BIG5 (the default), CP950 (the same\n"
    "                             table here) or BIG5-HKSCS\n"
    "  DBGVIEW --find WHAT FILE   what the file holds for WHAT, one result a line: the phrases under a\n"
    "                             character or the phrase itself (phrase dictionary), the phrases of a\n"
    "                             key (hashed), the key of a character or the characters of a key (input)\n"
    "Exit status: 0 sound, 1 not sound or unreadable, 2 usage error; with --find 0 found, 1 nothing\n"
    "found, 2 usage error or a file that is unreadable, unknown or not sound.\n";

TEST(DbgviewProcess, UsageErrorsGiveStatus2) {
  ScratchDir dir;
  dir.write("a.dbg", "x");
  for (std::vector<std::string> args :
       {std::vector<std::string>{}, {"a.dbg", "a.dbg"}, {"--bogus", "a.dbg"}, {"--utf8"}, {"--text"},
        {"--utf8", "--encoding"}}) {
    ProcessResult r = dbgview(dir, args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, kUsage);
  }
}

TEST(DbgviewProcess, UnreadableFilesGiveStatus1) {
  ScratchDir dir;
  ProcessResult missing = dbgview(dir, {"nope.dbg"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err, "nope.dbg: No such file or directory\n");

  std::filesystem::create_directory(dir / "folder");
  ProcessResult folder = dbgview(dir, {"folder"});
  EXPECT_EQ(folder.status, 1);
  EXPECT_EQ(folder.err, "\nRead error on file: folder: Is a directory\n");

  dir.write("short.dbg", "OVBig5CZ");
  ProcessResult unknown = dbgview(dir, {"--text", "short.dbg"});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.out, "");
  EXPECT_EQ(unknown.err,
            "DBGVIEW: short.dbg: not a dictionary file DBGVIEW knows (8 bytes): a phrase dictionary starts with "
            "\"OVBig5CZ\" and has at least 27004 bytes, a hashed phrase dictionary starts with the word "
            "0x5651DE88 and has at least 40000 bytes, an input dictionary starts with the byte 5 and has 79318 "
            "bytes (130 for the empty stub)\n");
}

// Phrases of one to several slots, of 2 to 20 characters, added in an order that is not the order
// of the buckets.
const char kWordList[] =
    "\xA4\xA4\xA4\xE5\n"                                  // 中文
    "\xA4\xA4\xB0\xEA\xA4\x48\n"                          // 中國人
    "\xA4\x40\xA5\xDB\xA4\x47\xB3\xBE\n"                  // 一石二鳥
    "\xA4\xA4\xB0\xEA \xA4\xA4\xA4\xC8\n"                 // 中國 中午
    "\xB9\x71\xB8\xA3\n"                                  // 電腦
    "\xA4\x40\xA4\x40\xA4\x40\xA4\x40\xA4\x40\xA4\x40\xA4\x40\xA4\x40\xA4\x40\xA4\x40"
    "\xA4\x40\xA4\x40\xA4\x40\xA4\x40\xA4\x40\xA4\x40\xA4\x40\xA4\x40\xA4\x40\xA4\x40\n"  // 20 characters
    "\xF9\xDD\xA4\x40\n";                                 // the last slot

TEST(DbgviewProcess, PhraseDictionaryRoundTripsThroughLexmoor) {
  ScratchDir dir;
  dir.write("words.b5", kWordList);
  ProcessResult built = run_in(dir, LEXMOOR_PATH, {"#", "+words.b5"});
  ASSERT_EQ(built.status, 1) << built.out;
  const std::string original = dir.read("LEXMOOR.DBG");

  ProcessResult check = dbgview(dir, {"LEXMOOR.DBG"});
  EXPECT_EQ(check.status, 0) << check.out;
  EXPECT_EQ(check.err, "");
  EXPECT_NE(check.out.find("phrases: 8 (2 characters: 5, 3 characters: 1, 4 characters: 1, 20 characters: 1)\n"),
            std::string::npos)
      << check.out;
  EXPECT_NE(check.out.find("LEXMOOR.DBG: sound\n"), std::string::npos);

  dump(dir, "LEXMOOR.DBG", "dump.b5x");
  std::filesystem::remove(dir / "LEXMOOR.DBG");
  ProcessResult rebuilt = run_in(dir, LEXMOOR_PATH, {"$dump.b5x"});
  ASSERT_EQ(rebuilt.status, 1) << rebuilt.out;
  EXPECT_EQ(dir.read("LEXMOOR.DBG"), original);
}

// A dump whose head lines list thousands of phrases rebuilds the same file.
TEST(DbgviewProcess, LargePhraseDictionaryRoundTripsThroughLexmoor) {
  ScratchDir dir;
  const std::string original = phrase_tool::test_images::dictionary_file(phrase_tool::test_images::generated_buckets());
  dir.write("big.DBG", original);
  dump(dir, "big.DBG", "dump.b5x");
  ProcessResult rebuilt = run_in(dir, LEXMOOR_PATH, {"$dump.b5x"});
  ASSERT_EQ(rebuilt.status, 1);
  EXPECT_TRUE(phrase_tool::test_images::same_bytes(dir.read("LEXMOOR.DBG"), original));
}

// Keys in capitals, mixed case, cut by a tab, empty, without phrases, repeated, and a comment.
const char kCizuTable[] =
    "* comment\n"
    "zg \xA4\xA4\xB0\xEA \xA4\xA4\xB0\xEA\xA4\x48\n"
    "ZW \xA4\xA4\xA4\xE5\n"
    "aBc \xA4\xA4\n"
    "xYz \xA4\x40 \xA4\x41\n"
    "ab\tcd \xA4\x42\n"
    " \xA4\x43\n"
    "nophrase \n"
    "zg \xB9\x71\xB8\xA3\n"
    "q{1}@ \xA4\x44\n";

TEST(DbgviewProcess, HashedDictionaryRoundTripsThroughTombral) {
  ScratchDir dir;
  dir.write("table.b5", kCizuTable);
  ASSERT_EQ(run_in(dir, TOMBRAL_PATH, {"table.b5", "cizu.dbg"}).status, 0);
  dump(dir, "cizu.dbg", "dump.b5");
  ASSERT_EQ(run_in(dir, TOMBRAL_PATH, {"dump.b5", "again.dbg"}).status, 0);
  EXPECT_EQ(dir.read("again.dbg"), dir.read("cizu.dbg"));

  ProcessResult check = dbgview(dir, {"cizu.dbg"});
  EXPECT_EQ(check.status, 0) << check.out;
  EXPECT_NE(check.out.find("records: 9\nphrases: 10\n"), std::string::npos) << check.out;
  EXPECT_NE(check.out.find("records whose key hashed in a mixed-case or cut spelling: 3\n"), std::string::npos)
      << check.out;
}

const char kAlphaTable[] =
    "* an input table\n"
    "\xC2\xB2\xA9\xF6 A 4 U a-z z 164-249 (Simplex) [\xC2\xB2\xA9\xF6\xBF\xE9\xA4\x4A]\n"
    "a   \xA4\xE9\xA4\xEA\n"
    "ab  \xA9\xFA\n"
    "ahmm \xAC\x50 \xA4\xE9\n"  // the second listing of A4 E9 is refused
    "zz,. \xF9\xFE\n"           // the last row of a table that starts at 164
    "\n";

const char kNumberTable[] =
    "\xBC\xC6\xA6\x72 N+ 8 W 0-9 . (Numbers) [\xBC\xC6]\n"
    "1 \xA4\x40\n"
    "........ \xA4\x41\n"
    "12 \xA4\x42\n";

const char kAlphaNumericalTable[] =
    "\xB2\xD5\xA6\x58 X 5 - a-9 ; 33-121 (Mixed) []\n"
    "a0 \xA4\x40\n"
    "*bc \xA4\x41\n"  // a comment among the entry lines
    "?! \xA4\x42\n"
    "9z@ \xA4\x43\n";

class KestrawnRoundTrip : public ::testing::TestWithParam<const char*> {};

TEST_P(KestrawnRoundTrip, InputDictionaryRoundTrips) {
  ScratchDir dir;
  dir.write("table.b5", GetParam());
  ASSERT_EQ(run_in(dir, KESTRAWN_PATH, {"table.b5", "input.dbg"}).status, 0);
  ProcessResult check = dbgview(dir, {"input.dbg"});
  EXPECT_EQ(check.status, 0) << check.out;
  dump(dir, "input.dbg", "dump.b5");
  ASSERT_EQ(run_in(dir, KESTRAWN_PATH, {"dump.b5", "again.dbg"}).status, 0);
  EXPECT_EQ(hex(dir.read("again.dbg")), hex(dir.read("input.dbg"))) << dir.read("dump.b5");
}

INSTANTIATE_TEST_SUITE_P(EveryKeyType, KestrawnRoundTrip,
                         ::testing::Values(kAlphaTable, kNumberTable, kAlphaNumericalTable));

TEST(DbgviewProcess, StubGivesItsHeaderLineAndRoundTrips) {
  ScratchDir dir;
  dir.write("table.b5", kAlphaTable);
  ASSERT_EQ(run_in(dir, KESTRAWN_PATH, {"table.b5", "j.dbg", "*CIZU"}).status, 0);
  ProcessResult text = dbgview(dir, {"--text", "j.dbg"});
  EXPECT_EQ(text.status, 0);
  EXPECT_EQ(text.out, "\xC2\xB2\xA9\xF6 A 1 U a-z z 164-249 (Simplex) [\xC2\xB2\xA9\xF6\xBF\xE9\xA4\x4A]\n");
  dir.write("dump.b5", text.out);
  ASSERT_EQ(run_in(dir, KESTRAWN_PATH, {"dump.b5", "j.again", "*cizu"}).status, 0);
  EXPECT_EQ(dir.read("j.again"), dir.read("j.dbg"));

  ProcessResult check = dbgview(dir, {"j.dbg"});
  EXPECT_EQ(check.status, 0);
  EXPECT_EQ(check.out,
            "j.dbg: empty input dictionary stub\n"
            "stub character: J (the text system needs OVCIZUJ.DBG)\n"
            "key type: 0 (Alpha)\n"
            "English name: Simplex\n"
            "Chinese name: \xC2\xB2\xA9\xF6\xBF\xE9\xA4\x4A\n"
            "short name: \xC2\xB2\xA9\xF6\n"
            "j.dbg: sound\n");
}

// The summary's Big5 fields in UTF-8; the file's name, given in the terminal's encoding, as it is.
TEST(DbgviewProcess, Utf8SummaryConvertsTheBig5Fields) {
  ScratchDir dir;
  dir.write("table.b5", kAlphaTable);
  const std::string name = "j.\xE8\xA9\x9E";  // a UTF-8 name: j.詞
  ASSERT_EQ(run_in(dir, KESTRAWN_PATH, {"table.b5", name, "*CIZU"}).status, 0);
  ProcessResult r = dbgview(dir, {"--utf8", name});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            name + ": empty input dictionary stub\n"
            "stub character: J (the text system needs OVCIZUJ.DBG)\n"
            "key type: 0 (Alpha)\n"
            "English name: Simplex\n"
            "Chinese name: 簡易輸入\n"
            "short name: 簡易\n" + name + ": sound\n");
}

TEST(DbgviewProcess, UnsoundFileGivesWhatItCanReadAndItsFindings) {
  ScratchDir dir;
  dir.write("table.b5", "abc \xA4\xA4\n");
  ASSERT_EQ(run_in(dir, TOMBRAL_PATH, {"table.b5", "cizu.dbg"}).status, 0);
  std::string file = dir.read("cizu.dbg");
  file[40000] = 0x60;  // the stored key byte of 'a' (0x41) becomes one no key byte gives
  dir.write("bad.dbg", file);

  ProcessResult text = dbgview(dir, {"--text", "bad.dbg"});
  EXPECT_EQ(text.status, 1);
  EXPECT_EQ(text.out, "\x80" "bc \xA4\xA4\n");
  EXPECT_EQ(text.err,
            "offset 40000: bucket 8226: stored key byte 0x60 is outside 0x01..0x5E\n"
            "bad.dbg: not sound: 1 violations\n");

  ProcessResult check = dbgview(dir, {"bad.dbg"});
  EXPECT_EQ(check.status, 1);
  EXPECT_EQ(check.err, "");
  EXPECT_EQ(check.out,
            "bad.dbg: hashed phrase dictionary\n"
            "records: 1\nphrases: 1\nMAXLEN: 5\nbuckets used: 1 of 9999\ndata area: 5 bytes\n"
            "offset 40000: bucket 8226: stored key byte 0x60 is outside 0x01..0x5E\n"
            "bad.dbg: not sound: 1 violations\n");
}

// The text in UTF-8 and its closing lines. A3 C0 is a Big5 pair that iconv's BIG5 has no character
// for. --encoding names the variant: each shows its own characters and escapes the codes whose UTF-8
// would not come back as the same bytes; private-use code points are shown and counted apart. In
// the hashed table, 8840 and 8862 (Ê with a macron) are Hong Kong characters; C6A1 is private use in
// BIG5 and the circled one in Big5-HKSCS; A2CC decodes in BIG5 to the character that A451 encodes,
// and not at all in Big5-HKSCS. A backslash of a name that B5IMPORT would read as an escape is
// written as one, \x5C, while a key keeps its own (the AlphaNumerical key \x41, as stored).
TEST(DbgviewProcess, Utf8TextInEachVariant) {
  struct Case {
    const char* name;
    const char* program;
    std::string table;
    std::vector<std::string> args;
    std::string out, err;
  };
  auto counts = [](const std::string& variant, int codes, int private_use) {
    std::string err = "DBGVIEW: " + std::to_string(codes) + " codes have no UTF-8 form that " + variant +
                      " turns back into them; shown as \\xHH\\xHH\n";
    if (private_use == 0) return err;
    return err + "DBGVIEW: " + std::to_string(private_use) +
           " characters are shown as private-use code points, which only " + variant + " turns back into their codes\n";
  };
  const std::string hashed = "hk \x88\x40\x88\x62 \xA4\xA4\npu \xC6\xA1\nsym \xA2\xCC\xA4\x51\n";
  // In bucket order.
  const std::string hashed_big5 = "sym \\xA2\\xCC十\nhk \\x88\\x40\\x88\\x62 中\npu \xEF\x9A\xB1\n";
  const Case cases[] = {
      // zg hashes to an earlier bucket than abc (8226).
      {"NoUtf8Form", TOMBRAL_PATH, "zg \xA4\xA4\xB0\xEA \xA4\xA4\xA4\xE5\nABC \xB9\x71\xA3\xC0\xB8\xA3\n",
       {"--text", "--utf8", "d.dbg"}, "zg 中國 中文\nabc 電\\xA3\\xC0腦\n", counts("BIG5", 1, 0)},
      {"Default", TOMBRAL_PATH, hashed, {"--text", "--utf8", "d.dbg"}, hashed_big5, counts("BIG5", 3, 1)},
      {"Big5", TOMBRAL_PATH, hashed, {"--text", "--utf8", "--encoding", "BIG5", "d.dbg"}, hashed_big5,
       counts("BIG5", 3, 1)},
      {"Cp950InSmallLetters", TOMBRAL_PATH, hashed, {"--encoding", "cp950", "--utf8", "--text", "d.dbg"},
       hashed_big5, counts("CP950", 3, 1)},
      {"Big5Hkscs", TOMBRAL_PATH, hashed, {"--text", "--utf8", "--encoding", "BIG5-HKSCS", "d.dbg"},
       "sym \\xA2\\xCC十\nhk \xE3\x87\x80\xC3\x8A\xCC\x84 中\npu \xE2\x91\xA0\n", counts("BIG5-HKSCS", 1, 0)},
      {"BackslashesOfNamesAndKeys", KESTRAWN_PATH, "\xC2\xB2\xA9\xF6 X 5 - a-9 ; (a\\x41) [\\xA4]\n\\x41 \xA4\x40\n",
       {"--text", "--utf8", "d.dbg"}, "簡易 X 5 - a-9 ; 161-249 (a\\x5Cx41) [\\x5CxA4]\n\\x41 一\n",
       counts("BIG5", 2, 0)},
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    dir.write("table.b5", c.table);
    ASSERT_EQ(run_in(dir, c.program, {"table.b5", "d.dbg"}).status, 0);
    ProcessResult r = dbgview(dir, c.args);
    EXPECT_EQ(r.status, 0) << c.name;
    EXPECT_EQ(r.out, c.out) << c.name;
    EXPECT_EQ(r.err, c.err) << c.name;
  }
}

TEST(DbgviewProcess, EncodingUsageErrors) {
  ScratchDir dir;
  dir.write("a.dbg", "x");
  ProcessResult unknown = dbgview(dir, {"--utf8", "--encoding", "BIG5HKSCS", "a.dbg"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.out, "");
  EXPECT_EQ(unknown.err, std::string("DBGVIEW: unknown encoding BIG5HKSCS: BIG5, CP950 or BIG5-HKSCS\n") + kUsage);
  ProcessResult without_utf8 = dbgview(dir, {"--text", "--encoding", "BIG5-HKSCS", "a.dbg"});
  EXPECT_EQ(without_utf8.status, 2);
  EXPECT_EQ(without_utf8.out, "");
  EXPECT_EQ(without_utf8.err,
            std::string("DBGVIEW: --encoding names the Big5 variant of --utf8, which is not given\n") + kUsage);
}

}  // namespace
