// B5IMPORT on today's tables, as a process: each source format into each target, every header
// default of an input table and every reason a row is dropped for, with the exact Big5 written and
// the exact report; then the tables it refuses, each with its message and status and nothing
// written. The expected Big5 is spelt in UTF-8 and taken through the C library's iconv.
#include <gtest/gtest.h>
#include <iconv.h>

#include <filesystem>
#include <string>
#include <vector>

#include "test_support/case_name.h"
#include "test_support/process.h"
#include "test_support/scratch.h"

namespace {

using test_support::hex;
using test_support::ProcessResult;
using test_support::ScratchDir;

// The bytes iconv gives for `utf8` in `variant`: what the programs read.
std::string big5(const std::string& utf8, const char* variant = "BIG5") {
  iconv_t cd = iconv_open(variant, "UTF-8");
  std::string out(utf8.size() * 2 + 8, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t in_left = utf8.size();
  char* to = out.data();
  std::size_t to_left = out.size();
  const std::size_t done = iconv(cd, &in, &in_left, &to, &to_left);
  iconv(cd, nullptr, nullptr, &to, &to_left);
  iconv_close(cd);
  EXPECT_NE(done, static_cast<std::size_t>(-1)) << utf8;
  out.resize(out.size() - to_left);
  return out;
}

struct TableCase {
  std::string name;
  std::vector<std::string> args;  // the source (written as `file`) and out.b5 follow them
  std::string file;
  std::string source;
  std::string big5;  // UTF-8, converted with `variant`
  std::string err;
  const char* variant = "BIG5";
};

class Tables : public ::testing::TestWithParam<TableCase> {};

TEST_P(Tables, WriteWhatIsKeptAndNameWhatIsNot) {
  const TableCase& c = GetParam();
  ScratchDir dir;
  dir.write(c.file, c.source);
  std::vector<std::string> args = c.args;
  args.insert(args.end(), {c.file, "out.b5"});
  ProcessResult r = test_support::run_in(dir.path(), B5IMPORT_PATH, args);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, c.err);
  EXPECT_EQ(hex(dir.read("out.b5")), hex(big5(c.big5, c.variant)));
}

// The listing and summary of a source `name`.
std::string summary(const std::string& name, int read, int kept, const std::vector<std::pair<const char*, int>>& counts) {
  int dropped = 0;
  std::string text;
  for (const auto& [reason, count] : counts) {
    char line[64];
    std::snprintf(line, sizeof line, "B5IMPORT:   %-16s %d\n", reason, count);
    text += line;
    dropped += count;
  }
  return "B5IMPORT: " + name + ": " + std::to_string(read) + " rows read, " + std::to_string(kept) + " kept, " +
         std::to_string(dropped) + " dropped\n" + text;
}

std::string named(const std::string& name, int line, const char* reason, const std::string& text) {
  return "B5IMPORT: " + name + ": line " + std::to_string(line) + ": " + reason + ": " + text + "\n";
}

const char kRime[] =
    "# a table of our own\n"
    "---\n"
    "name: trial\n"
    "version: \"1.0\"\n"
    "sort: by_weight\n"
    "columns: [text, code, weight]   # the default, written out\n"
    "...\n"
    "中文\tzhong wen\t5%\n"
    "中國\tZhong Guo\t10\n"
    "大學\tdaxue\n"
    "# a comment row\n"
    "中文\tzhongwen\t1\n"
    "中\tzhong\t3\n"
    "𠀀文\txw\n"
    "a文\taw\n"
    "國\t\t2\n"
    "人\t*r\n";

const char kCin[] =
    "# a .cin of our own\n"
    "%gen_inp\n"
    "%ename Simplex\n"
    "%cname 簡易輸入\n"
    "%selkey 123456789\n"
    "%keyname begin\n"
    "a 日\n"
    "b 月\n"
    "%keyname end\n"
    "%chardef begin\n"
    "a 日\n"
    "A 曰\n"
    "b 月\n"
    "ab 明\n"
    "c 日\n"
    "a 日\n"
    "d 日月\n"
    "abcdefg 林\n"
    "%chardef end\n";

INSTANTIATE_TEST_SUITE_P(
    EverySourceAndTarget, Tables,
    ::testing::Values(
        // By descending weight, source order among equals; a code is not needed.
        TableCase{"RimeToWordList", {"--to", "word-list"}, "t.dict.yaml", kRime, "中國\n中文\n大學\n",
                  named("t.dict.yaml", 12, "duplicate", "中文") + named("t.dict.yaml", 13, "single-character", "中") +
                      named("t.dict.yaml", 14, "no-big5", "𠀀文") + named("t.dict.yaml", 15, "not-big5-text", "a文") +
                      named("t.dict.yaml", 16, "single-character", "國") +
                      named("t.dict.yaml", 17, "single-character", "人") +
                      summary("t.dict.yaml", 9, 3,
                              {{"no-big5", 1}, {"not-big5-text", 1}, {"single-character", 3}, {"duplicate", 1}})},
        // Codes lose their spaces and capitals; "zhong wen" and "zhongwen" are one code.
        TableCase{"RimeToCizuTable", {"--from", "rime", "--to", "cizu-table"}, "t.dict.yaml", kRime,
                  "zhongwen 中文\nzhongguo 中國\ndaxue 大學\nzhong 中\n",
                  named("t.dict.yaml", 12, "duplicate", "中文") + named("t.dict.yaml", 14, "no-big5", "𠀀文") +
                      named("t.dict.yaml", 15, "not-big5-text", "a文") + named("t.dict.yaml", 16, "no-code", "國") +
                      named("t.dict.yaml", 17, "bad-key", "人") +
                      summary("t.dict.yaml", 9, 4,
                              {{"no-big5", 1}, {"not-big5-text", 1}, {"no-code", 1}, {"bad-key", 1}, {"duplicate", 1}})},
        // sort: original keeps the source's order under a code; a block list names the columns.
        TableCase{"RimeInOriginalOrderWithBlockColumns",
                  {"--to", "cizu-table"},
                  "o.dict.yaml",
                  "---\nname: o\nsort: original\ncolumns:\n  - code\n  - text\n  - weight\nencoder:\n  rules:\n"
                  "    - length_equal: 2\n...\nzw\t中文\t1\nzw\t中國\t9\nzw\t文\nzg\t中國\n",
                  "zw 中文 中國 文\nzg 中國\n", summary("o.dict.yaml", 4, 4, {})},
        // Told by its "%" lines. The first line that lists a character keeps it; the header comes
        // from the table and the kept keys.
        TableCase{"CinToInputTable", {"--to", "input-table"}, "simplex.cin", kCin,
                  "簡易 A 2 - a-b b 161-249 (Simplex) [簡易輸入]\na 日曰\nb 月\nab 明\n",
                  "B5IMPORT: header line: 簡易 A 2 - a-b b 161-249 (Simplex) [簡易輸入]\n" +
                      named("simplex.cin", 16, "duplicate", "日") + named("simplex.cin", 17, "not-a-character", "日月") +
                      named("simplex.cin", 18, "key-too-long", "林") +
                      summary("simplex.cin", 8, 4,
                              {{"not-a-character", 1}, {"key-too-long", 1}, {"other-code", 1}, {"duplicate", 1}})},
        TableCase{"CinToCizuTable", {"--from", "cin", "--to", "cizu-table"}, "simplex.cin", kCin,
                  "a 日 曰\nb 月\nab 明\nc 日\nd 日月\nabcdefg 林\n",
                  named("simplex.cin", 16, "duplicate", "日") + summary("simplex.cin", 8, 7, {{"duplicate", 1}})},
        // Digits: Number and AlphaNumerical keep as many, and Number goes first; the highest
        // weight is a character's preferred code; the English name is the file's.
        TableCase{"TsvToInputTableOfNumbers", {"--from", "tsv", "--to", "input-table", "--short-name", "數字"},
                  "keys.v1.tsv", "中\t1\t1\n中\t23\t7\n文\t23\n國\ta+\n大\n\n",
                  "數字 N 2 - 2-3 3 161-249 (keys) [數字]\n23 中文\n",
                  "B5IMPORT: header line: 數字 N 2 - 2-3 3 161-249 (keys) [數字]\n" + named("keys.v1.tsv", 4, "bad-key", "國") +
                      named("keys.v1.tsv", 5, "no-code", "大") +
                      summary("keys.v1.tsv", 5, 2, {{"no-code", 1}, {"bad-key", 1}, {"other-code", 1}})},
        // Letters and digits together: only AlphaNumerical keeps them.
        TableCase{"TsvToInputTableAlphaNumerical", {"--from", "tsv", "--to", "input-table", "--short-name", "混合"},
                  "mixed", "中\ta1\n文\tb\n", "混合 X 2 - 1-b b 161-249 (mixed) [混合]\na1 中\nb 文\n",
                  "B5IMPORT: header line: 混合 X 2 - 1-b b 161-249 (mixed) [混合]\n" + summary("mixed", 2, 2, {})},
        // Every header field given; names cut where a field cannot hold them.
        TableCase{"InputTableHeaderFromOptions",
                  {"--from", "tsv", "--to", "input-table", "--short-name", "簡易", "--key-type", "a", "--max-len", "3",
                   "--option", "u", "--range", "A-Z", "--single", "y", "--rows", "164-249", "--english-name",
                   "A name too long", "--chinese-name", "中文]名"},
                  "h.tsv", "中\tabc\n文\tabcd\n，\tb\n國\ta1\n",
                  "簡易 A 3 U a-z y 164-249 (A name too l) [中文]\nabc 中\n",
                  "B5IMPORT: the English name A name too long is cut to A name too l: a name field holds 12 bytes\n"
                  "B5IMPORT: the Chinese name 中文]名 is cut to 中文: a ] would end it\n"
                  "B5IMPORT: header line: 簡易 A 3 U a-z y 164-249 (A name too l) [中文]\n" +
                      named("h.tsv", 2, "key-too-long", "文") + named("h.tsv", 3, "out-of-rows", "，") +
                      named("h.tsv", 4, "bad-key", "國") +
                      summary("h.tsv", 4, 1, {{"bad-key", 1}, {"key-too-long", 1}, {"out-of-rows", 1}})},
        // Characters below row 161 give the rows that hold them.
        TableCase{"InputTableRowsOfHkscs",
                  {"--from", "tsv", "--to", "input-table", "--short-name", "香港", "--encoding", "BIG5-HKSCS"},
                  "hk", "㇀\thk\n中\tz\n", "香港 A 2 - h-z z 136-164 (hk) [香港]\nhk ㇀\nz 中\n",
                  "B5IMPORT: header line: 香港 A 2 - h-z z 136-164 (hk) [香港]\n" + summary("hk", 2, 2, {}), "BIG5-HKSCS"},
        // A first character without a slot, a lead byte of 0xA0 or below, more than 20 characters.
        TableCase{"WordsThatLexmoorCannotStore",
                  {"--from", "words", "--to", "word-list", "--encoding", "BIG5-HKSCS"},
                  "w.txt", "，中\n中㇀\n中中中中中中中中中中中中中中中中中中中中中\n  中文  \n\n大學\n",
                  "中文\n大學\n",
                  named("w.txt", 1, "not-storable", "，中") + named("w.txt", 2, "not-storable", "中㇀") +
                      named("w.txt", 3, "not-storable", "中中中中中中中中中中中中中中中中中中中中中") +
                      summary("w.txt", 5, 2, {{"not-storable", 3}}), "BIG5-HKSCS"},
        // What a name field cannot hold: a ")" that would end it, a control character, a character
        // the variant lacks.
        TableCase{"NamesCutBeforeWhatEndsTheirField",
                  {"--from", "tsv", "--to", "input-table", "--short-name", "名稱", "--english-name", "Left (x) right",
                   "--chinese-name", "中𠀀文"},
                  "n", "中\ta\n", "名稱 A 1 - a-a a 161-249 (Left (x) [中]\na 中\n",
                  "B5IMPORT: the English name Left (x) right is cut to Left (x: a ) would end it\n"
                  "B5IMPORT: the Chinese name 中𠀀文 is cut to 中: the Big5 variant has no 𠀀\n"
                  "B5IMPORT: header line: 名稱 A 1 - a-a a 161-249 (Left (x) [中]\n" + summary("n", 1, 1, {})},
        TableCase{"NameCutAtAControlCharacter",
                  {"--from", "tsv", "--to", "input-table", "--short-name", "名稱", "--english-name", "two\nlines"},
                  "n", "中\ta\n", "名稱 A 1 - a-a a 161-249 (two) [名稱]\na 中\n",
                  "B5IMPORT: the English name two\nlines is cut to two: a control character would end the line\n"
                  "B5IMPORT: header line: 名稱 A 1 - a-a a 161-249 (two) [名稱]\n" + summary("n", 1, 1, {})},
        // A Big5 source read through --from-encoding, told as rime.
        TableCase{"RimeInBig5", {"--from-encoding", "big5", "--to", "cizu-table"}, "b.dict.yaml",
                  "---\nname: b\n...\n\xA4\xA4\xA4\xE5\tzw\n", "zw 中文\n", summary("b.dict.yaml", 1, 1, {})},
        // Another encoding whose ASCII bytes are ASCII: the Chinese name comes as GB18030 too.
        TableCase{"CinInGb18030", {"--from-encoding", "GB18030", "--to", "input-table"}, "gb.cin",
                  "%ename gb\n%prompt \xD6\xD0\xCE\xC4\n%chardef begin\nz \xD6\xD0\n%chardef end\n",
                  "中文 A 1 - z-z z 161-249 (gb) [中文]\nz 中\n",
                  "B5IMPORT: header line: 中文 A 1 - z-z z 161-249 (gb) [中文]\n" + summary("gb.cin", 1, 1, {})}),
    test_support::case_name<TableCase>);

// A new dictionary's bucket takes 409 phrases of 20 characters (40 bytes each) and refuses the
// 410th, which would bring it to 16400 bytes; the phrases after it, under another first
// character, still go in.
TEST(TablesBucket, FullBucketDropsThePhraseThatWouldReachTheLimit) {
  const std::vector<std::string> tails = {"一", "二", "三", "四", "五", "六", "七", "八", "九", "十"};
  std::string source, expected;
  for (int n = 0; n <= 409; ++n) {
    std::string phrase = "中";
    for (int k = n, i = 0; i < 19; ++i, k /= 10) phrase += i < 3 ? tails[static_cast<std::size_t>(k % 10)] : "文";
    source += phrase + "\n";
    if (n < 409) expected += phrase + "\n";
  }
  source += "大學\n";
  expected += "大學\n";
  ScratchDir dir;
  dir.write("w.txt", source);
  ProcessResult r = test_support::run_in(dir.path(), B5IMPORT_PATH, {"--from", "words", "--to", "word-list", "w.txt", "-"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, big5(expected));
  EXPECT_EQ(r.err, named("w.txt", 410, "bucket-full", "中十一五文文文文文文文文文文文文文文文文") +
                       summary("w.txt", 411, 410, {{"bucket-full", 1}}));
}

// Standard error names 20 entries and counts the rest; --report lists all of them.
TEST(TablesReport, NamesTwentyAndReportsEvery) {
  std::string source, report, err;
  for (int i = 1; i <= 22; ++i) {
    std::string text(1, 'x');
    text.append(std::to_string(i));
    source.append(text).append("\n");
    report.append(std::to_string(i)).append("\tnot-big5-text\t").append(text).append("\n");
    if (i <= 20) err += named("w.txt", i, "not-big5-text", text);
  }
  source += "中文\n";
  ScratchDir dir;
  dir.write("w.txt", source);
  ProcessResult r =
      test_support::run_in(dir.path(), B5IMPORT_PATH, {"--from", "words", "--to", "word-list", "--report", "r.tsv", "w.txt", "o"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, err + "B5IMPORT: w.txt: 2 more dropped entries are not named here; --report FILE lists every one\n" +
                       summary("w.txt", 23, 1, {{"not-big5-text", 22}}));
  EXPECT_EQ(dir.read("r.tsv"), report);
  EXPECT_EQ(dir.read("o"), big5("中文\n"));
}

// A run that keeps nothing writes no output, but its report all the same; a source from standard
// input is told by its lines.
TEST(TablesReport, WrittenWhenNothingIsKept) {
  ScratchDir dir;
  test_support::ProcessOptions options;
  options.stdin_data = "---\n...\nabc\tx\n";
  ProcessResult r =
      test_support::run_in(dir.path(), B5IMPORT_PATH, {"--to", "word-list", "--report", "r.tsv", "-", "o"}, options);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, named("standard input", 3, "not-big5-text", "abc") +
                       summary("standard input", 1, 0, {{"not-big5-text", 1}}) +
                       "B5IMPORT: standard input: nothing is kept, so nothing is written\n");
  EXPECT_EQ(dir.read("r.tsv"), "3\tnot-big5-text\tabc\n");
  EXPECT_FALSE(dir.exists("o"));
}

struct RefusedCase {
  std::string name;
  std::vector<std::string> args;  // s.txt and out.b5 follow them
  std::string source;             // empty: s.txt links to /dev/zero
  int status;
  std::string err;
};

class RefusedTables : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedTables, GiveTheirMessageAndWriteNothing) {
  const RefusedCase& c = GetParam();
  ScratchDir dir;
  if (c.source.empty()) {
    std::filesystem::create_symlink("/dev/zero", dir / "s.txt");
  } else {
    dir.write("s.txt", c.source);
  }
  dir.write("out.b5", "the old output\n");
  const std::vector<std::string> before = dir.entries();
  std::vector<std::string> args = c.args;
  args.insert(args.end(), {"s.txt", "out.b5"});
  ProcessResult r = test_support::run_in(dir.path(), B5IMPORT_PATH, args);
  EXPECT_EQ(r.status, c.status);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, c.err);
  EXPECT_EQ(dir.read("out.b5"), "the old output\n");
  EXPECT_EQ(dir.entries(), before);
}

const std::vector<std::string> kToWords = {"--to", "word-list"};

INSTANTIATE_TEST_SUITE_P(
    EveryRefusal, RefusedTables,
    ::testing::Values(
        RefusedCase{"InvalidUtf8", kToWords, "---\n...\n中文\tzw\n大\xE5\xAD\tdx\n", 1,
                    "B5IMPORT: s.txt: line 4: byte 0xE5 at byte offset 3 is not UTF-8\n"},
        RefusedCase{"FrontMatterWithoutEnd", kToWords, "# t\n---\nname: t\n中文\tzw\n", 1,
                    "B5IMPORT: s.txt: the front matter that begins on line 2 has no end, a line ...\n"},
        RefusedCase{"RimeWithoutFrontMatter", {"--from", "rime", "--to", "word-list"}, "中文\tzw\n", 1,
                    "B5IMPORT: s.txt: line 1: a rime table begins with its front matter, a line ---\n"},
        RefusedCase{"ColumnsWithoutText", kToWords, "---\ncolumns: [code, weight]\n...\nzw\t1\n", 1,
                    "B5IMPORT: s.txt: line 2: the columns name no text\n"},
        RefusedCase{"ChardefWithoutEnd", kToWords, "%ename t\n%chardef begin\nzw 中文\n", 1,
                    "B5IMPORT: s.txt: %chardef begin on line 2 has no %chardef end\n"},
        RefusedCase{"LineOverTheLimit", {"--from", "words", "--to", "word-list"}, "中文\n" + std::string(1048577, 'a') + "\n",
                    1, "\nLine 2 of s.txt is longer than 1048576 bytes\n"},
        RefusedCase{"DevZero", {"--from", "tsv", "--to", "cizu-table"}, "", 1,
                    "\nLine 1 of s.txt is longer than 1048576 bytes\n"},
        RefusedCase{"NothingKept", kToWords, "---\n...\n中\tz\n", 1,
                    "B5IMPORT: s.txt: line 3: single-character: 中\n" + summary("s.txt", 1, 0, {{"single-character", 1}}) +
                        "B5IMPORT: s.txt: nothing is kept, so nothing is written\n"},
        RefusedCase{"StrictAndDropped", {"--strict", "--to", "word-list"}, "---\n...\n中\tz\n中文\tzw\n", 1,
                    "B5IMPORT: s.txt: line 3: single-character: 中\n" + summary("s.txt", 2, 1, {{"single-character", 1}}) +
                        "B5IMPORT: --strict: 1 entries are dropped, so nothing is written\n"},
        RefusedCase{"ReportCannotBeWritten", {"--report", "no/r.tsv", "--to", "word-list"}, "---\n...\n中文\tzw\n", 1,
                    "no/r.tsv: No such file or directory\n"},
        RefusedCase{"UnknownSourceEncoding", {"--from-encoding", "NO-SUCH", "--to", "word-list"}, "x\n", 2,
                    "B5IMPORT: unknown source encoding NO-SUCH: this system's iconv does not read it\n"},
        RefusedCase{"SourceEncodingNotAscii", {"--from-encoding", "UTF-16LE", "--to", "word-list"}, "x\n", 2,
                    "B5IMPORT: --from-encoding UTF-16LE: ASCII bytes do not stand for ASCII in it, so its lines "
                    "cannot be taken apart\n"},
        RefusedCase{"FormatCannotBeTold", kToWords, "# t\n\n中文\tzw\n", 2,
                    "B5IMPORT: s.txt: line 3: the format cannot be told (a rime table begins with ---, a .cin with %): "
                    "give --from rime, cin, tsv or words\n"},
        RefusedCase{"NoShortName", {"--from", "rime", "--to", "input-table"}, "---\n...\n中\tz\n", 2,
                    "B5IMPORT: an input table needs a short name of two characters: give --short-name\n"},
        RefusedCase{"CinWithoutChineseName", {"--to", "input-table"}, "%ename t\n%chardef begin\nz 中\n%chardef end\n", 2,
                    "B5IMPORT: an input table needs a short name of two characters: give --short-name\n"},
        RefusedCase{"ShortNameBig5Lacks", {"--from", "tsv", "--to", "input-table", "--short-name", "中𠀀"}, "中\tz\n", 2,
                    "B5IMPORT: --short-name 中𠀀: two characters that the Big5 variant has\n"}),
    test_support::case_name<RefusedCase>);

// Usage errors of the table options, each followed by the usage text; nothing is read.
TEST(TablesUsage, OptionsThatCannotGoTogether) {
  struct Case {
    std::vector<std::string> args;
    std::string error;
  };
  const Case cases[] = {
      {{"--from", "words", "--to", "cizu-table", "s"}, "B5IMPORT: words cannot make the target cizu-table: a word list has no codes\n"},
      {{"--from", "words", "--to", "input-table", "s"}, "B5IMPORT: words cannot make the target input-table: a word list has no codes\n"},
      {{"--to", "phrase-text", "s"}, "B5IMPORT: unknown target phrase-text: word-list, cizu-table or input-table\n"},
      {{"--from", "yaml", "--to", "word-list", "s"}, "B5IMPORT: unknown format yaml: rime, cin, tsv or words\n"},
      {{"--from", "cizu-table", "--to", "word-list", "s"},
       "B5IMPORT: --from cizu-table keeps its layout and takes no --to; a table is rime, cin, tsv or words\n"},
      {{"--from", "rime", "s"}, "B5IMPORT: --from rime needs --to TARGET: word-list, cizu-table or input-table\n"},
      {{"--from", "cizu-table", "--strict", "s"}, "B5IMPORT: --strict is taken only with --to\n"},
      {{"--to", "word-list", "--key-type", "A", "s"}, "B5IMPORT: --key-type is taken only with --to input-table\n"},
      {{"--to", "input-table", "--key-type", "Z", "s"}, "B5IMPORT: --key-type Z: A, N or X\n"},
      {{"--to", "input-table", "--key-type", "A", "--max-len", "7", "s"},
       "B5IMPORT: --max-len 7: a digit from 1 to 6 for key type A, to 8 for N and X\n"},
      {{"--to", "input-table", "--option", "V", "s"}, "B5IMPORT: --option V: U, W or -\n"},
      {{"--to", "input-table", "--range", "a-", "s"}, "B5IMPORT: --range a-: two key characters joined by -, the second not -\n"},
      {{"--to", "input-table", "--single", "ab", "s"}, "B5IMPORT: --single ab: one key character\n"},
      {{"--to", "input-table", "--rows", "100-249", "s"},
       "B5IMPORT: --rows 100-249: two lead bytes in decimal from 129 to 254 joined by -, the first not above the second\n"},
      {{"--to", "input-table", "--english-name", "\xFF", "s"}, "B5IMPORT: --english-name \xFF: not UTF-8\n"},
  };
  ScratchDir dir;
  const ProcessResult help = test_support::run_in(dir.path(), B5IMPORT_PATH, {"--help"});
  for (const Case& c : cases) {
    ProcessResult r = test_support::run_in(dir.path(), B5IMPORT_PATH, c.args);
    EXPECT_EQ(r.status, 2) << c.error;
    EXPECT_EQ(r.err, c.error + help.out);
  }
}

}  // namespace
