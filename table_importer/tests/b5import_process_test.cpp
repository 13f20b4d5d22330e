// B5IMPORT run as a process: sources it cannot take stop the run with status 1, an exact message
// on standard error and nothing written (an existing output stays as it was, and no temporary file
// is left); a character the variant lacks and a "\x" that is no escape let the run go on with
// status 0 and the rest written; standard input and output; the usage text and usage errors.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "test_support/case_name.h"
#include "test_support/process.h"
#include "test_support/scratch.h"

namespace {

using test_support::hex;
using test_support::ProcessOptions;
using test_support::ProcessResult;
using test_support::repeat;
using test_support::ScratchDir;

ProcessResult b5import(const ScratchDir& dir, const std::vector<std::string>& args, ProcessOptions options = {}) {
  return test_support::run_in(dir.path(), B5IMPORT_PATH, args, std::move(options));
}

const char kUsage[] =
    "Usage: B5IMPORT --from LAYOUT [--encoding NAME] SOURCE [OUTPUT]\n"
    "       B5IMPORT [--from FORMAT] --to TARGET [options] SOURCE [OUTPUT]\n"
    "  Brings the UTF-8 text of DBGVIEW --text --utf8 --encoding NAME, edited or not, back into Big5\n"
    "  in the same layout, for the dictionary's own program to read.\n"
    "  LAYOUT  phrase-text   the LEXMOOR.B5X layout, for LEXMOOR '$file'\n"
    "          cizu-table    a CiZu table, for TOMBRAL\n"
    "          input-table   an input table, header line first, for KESTRAWN\n"
    "  NAME    the Big5 variant: BIG5 (the default), CP950 (the same table here) or BIG5-HKSCS\n"
    "  SOURCE  the UTF-8 text; - for standard input\n"
    "  OUTPUT  the Big5 text, a file replaced whole; standard output when absent or -\n"
    "  A table of today in UTF-8 into what one of the three programs reads, every loss reported:\n"
    "  FORMAT  rime (a *.dict.yaml), cin, tsv (text TAB code [TAB weight]) or words (a phrase a line);\n"
    "          rime and cin are told by their first lines when --from is left out\n"
    "  TARGET  word-list (for LEXMOOR), cizu-table (for TOMBRAL) or input-table (for KESTRAWN)\n"
    "  --from-encoding NAME  the source's encoding, one in which ASCII bytes stand for ASCII (UTF-8)\n"
    "  --report FILE         every dropped entry as tab-separated line, reason and text\n"
    "  --strict              write nothing when anything is dropped\n"
    "  input-table header:   --short-name XY --key-type A|N|X --max-len N --option U|W|-\n"
    "                        --range X-Y --single C --rows FIRST-LAST --english-name NAME\n"
    "                        --chinese-name NAME\n"
    "Exit status: 0 written, 1 nothing written (a file, a write or the text failed, nothing kept, or\n"
    "--strict and something dropped), 2 usage error (a pair that cannot be made, a format not told).\n";

const char kOld[] = "the old output\n";

struct BadSource {
  std::string name;
  std::string source;  // written as s.txt; empty: s.txt is a link to /dev/zero
  std::vector<std::string> args;
  std::string err;
};

class BadSources : public ::testing::TestWithParam<BadSource> {};

TEST_P(BadSources, StopWithStatus1AndWriteNothing) {
  const BadSource& c = GetParam();
  ScratchDir dir;
  if (c.source.empty()) {
    std::filesystem::create_symlink("/dev/zero", dir / "s.txt");
  } else {
    dir.write("s.txt", c.source);
  }
  std::filesystem::create_directory(dir / "folder");
  dir.write("out.b5", kOld);
  const std::vector<std::string> before = dir.entries();
  ProcessResult r = b5import(dir, c.args);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, c.err);
  EXPECT_EQ(dir.read("out.b5"), kOld);
  EXPECT_EQ(dir.entries(), before);
}

const std::vector<std::string> kToOut = {"--from", "cizu-table", "s.txt", "out.b5"};

INSTANTIATE_TEST_SUITE_P(
    EveryFault, BadSources,
    ::testing::Values(
        BadSource{"InvalidUtf8", "ab 中\ncd \xE4\xB8\n", kToOut,
                  "B5IMPORT: s.txt: line 2: byte 0xE4 at byte offset 3 is not UTF-8\n"},
        BadSource{"Big5Source", "ab \xA4\xA4\n", kToOut,
                  "B5IMPORT: s.txt: line 1: byte 0xA4 at byte offset 3 is not UTF-8\n"},
        BadSource{"LineOverTheLimit", "ab 中\n" + repeat("a", 1048577) + "\n", kToOut,
                  "\nLine 2 of s.txt is longer than 1048576 bytes\n"},
        BadSource{"DevZero", "", kToOut, "\nLine 1 of s.txt is longer than 1048576 bytes\n"},
        BadSource{"MissingSource", "ab\n", {"--from", "cizu-table", "nope.txt", "out.b5"},
                  "nope.txt: No such file or directory\n"},
        BadSource{"SourceIsAFolder", "ab\n", {"--from", "cizu-table", "folder", "out.b5"},
                  "\nRead error on file: folder: Is a directory\n"},
        BadSource{"OutputItCannotCreate", "ab\n", {"--from", "cizu-table", "s.txt", "missing/out.b5"},
                  "missing/out.b5: No such file or directory\n"},
        BadSource{"OutputIsAFolder", "ab\n", {"--from", "cizu-table", "s.txt", "folder"}, "folder: Is a directory\n"},
        BadSource{"HeaderLineLacksACharacter", "簡𠀀 A 4 U a-z z (S) [名]\na 中\n",
                  {"--from", "input-table", "s.txt", "out.b5"},
                  "B5IMPORT: s.txt: line 1: 𠀀 (U+20000) has no BIG5 form; the header line cannot be written "
                  "without it, so nothing is written\n"}),
    test_support::case_name<BadSource>);

TEST(B5importProcess, FullStandardOutputIsAWriteError) {
  ScratchDir dir;
  dir.write("s.txt", "ab 中\n");
  ProcessOptions options;
  options.stdout_path = "/dev/full";
  ProcessResult r = b5import(dir, {"--from", "cizu-table", "s.txt"}, options);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "\nWrite error on file: standard output: No space left on device\n");
}

struct GoodSource {
  std::string name;
  std::vector<std::string> args;
  std::string source;
  std::string big5;
  std::string err;
};

class GoodSources : public ::testing::TestWithParam<GoodSource> {};

TEST_P(GoodSources, WriteTheRestWithStatus0) {
  const GoodSource& c = GetParam();
  ScratchDir dir;
  dir.write("s.txt", c.source);
  dir.write("out.b5", kOld);
  std::vector<std::string> args = c.args;
  args.insert(args.end(), {"s.txt", "out.b5"});
  ProcessResult r = b5import(dir, args);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, c.err);
  EXPECT_EQ(hex(dir.read("out.b5")), hex(c.big5));
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"out.b5", "s.txt"}));
}

INSTANTIATE_TEST_SUITE_P(
    EveryLayout, GoodSources,
    ::testing::Values(
        GoodSource{"LackingCharacterDropsItsEntry",
                   {"--from", "input-table"},
                   "簡易 A 4 U a-z z (S) [名]\na 中𠀀文\nb 國\n",
                   "\xC2\xB2\xA9\xF6 A 4 U a-z z (S) [\xA6\x57]\na \xA4\xA4\xA4\xE5\nb \xB0\xEA\n",
                   "B5IMPORT: s.txt: line 2: 𠀀 (U+20000) has no BIG5 form; its entry is left out\n"
                   "B5IMPORT: 1 characters have no BIG5 form; what held them is left out\n"},
        GoodSource{"HkscsCharacterLackingInBig5",
                   {"--from", "cizu-table", "--encoding", "BIG5"},
                   "hk ㇀ 中\n",
                   "hk \xA4\xA4\n",
                   "B5IMPORT: s.txt: line 1: ㇀ (U+31C0) has no BIG5 form; the phrase that holds it is left out\n"
                   "B5IMPORT: 1 characters have no BIG5 form; what held them is left out\n"},
        GoodSource{"HkscsCharacterInHkscs", {"--from", "cizu-table", "--encoding", "BIG5-HKSCS"}, "hk ㇀ 中\n",
                   "hk \x88\x40 \xA4\xA4\n", ""},
        GoodSource{"EscapeWithoutTwoHexDigitsIsText",
                   {"--from", "cizu-table"},
                   "ab \\x4中 \\xZZ \\x\n\\xA4\\x40 \\xA4\\x40\n",
                   "ab \\x4\xA4\xA4 \\xZZ \\x\n\\xA4\\x40 \xA4\x40\n",
                   ""},
        GoodSource{"ByteOrderMarkCrLfAndEndOfText",
                   {"--from", "phrase-text"},
                   "\xEF\xBB\xBF" "OVBig5CZ\r\n中 文\r\n\x1A-- 國\n",
                   "OVBig5CZ\n\xA4\xA4 \xA4\xE5\n",
                   ""}),
    test_support::case_name<GoodSource>);

TEST(B5importProcess, StandardInputToStandardOutput) {
  ScratchDir dir;
  ProcessOptions options;
  options.stdin_data = "ab 中\ncd \\xA4\\x40\n";
  ProcessResult r = b5import(dir, {"-", "--from", "cizu-table", "-"}, options);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "ab \xA4\xA4\ncd \xA4\x40\n");
  EXPECT_EQ(r.err, "");
  options.stdin_data = "ab 𠀀\n";
  r = b5import(dir, {"--from", "cizu-table", "-"}, options);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "ab \n");
  EXPECT_EQ(r.err,
            "B5IMPORT: standard input: line 1: 𠀀 (U+20000) has no BIG5 form; the phrase that holds it is left out\n"
            "B5IMPORT: 1 characters have no BIG5 form; what held them is left out\n");
  EXPECT_TRUE(dir.entries().empty());
}

TEST(B5importProcess, HelpAndUsageErrors) {
  ScratchDir dir;
  ProcessResult help = b5import(dir, {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out, kUsage);
  EXPECT_EQ(help.err, "");
  struct Case {
    std::vector<std::string> args;
    std::string err;
  };
  const Case cases[] = {
      {{}, kUsage},
      {{"s.txt"},
       std::string("B5IMPORT: --from LAYOUT (phrase-text, cizu-table or input-table) or --to TARGET (word-list, "
                   "cizu-table or input-table) is needed\n") +
           kUsage},
      {{"--from", "word-list", "s.txt"},
       std::string("B5IMPORT: unknown layout word-list: phrase-text, cizu-table or input-table\n") + kUsage},
      {{"--from", "cizu-table", "--encoding", "UTF-8", "s.txt"},
       std::string("B5IMPORT: unknown encoding UTF-8: BIG5, CP950 or BIG5-HKSCS\n") + kUsage},
      {{"--from", "cizu-table", "s.txt", "a", "b"}, kUsage},
      {{"--from", "cizu-table", "--utf8", "s.txt"}, kUsage},
      {{"s.txt", "--from"}, kUsage},
      {{"--from", "cizu-table", "s.txt", "--encoding"}, kUsage},
  };
  for (const Case& c : cases) {
    ProcessResult r = b5import(dir, c.args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, c.err);
  }
}

}  // namespace
