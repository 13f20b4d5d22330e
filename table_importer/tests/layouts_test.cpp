// Each layout's lines in memory, through the line loop: what a character the variant lacks takes
// with it (and nothing more), where escapes give their bytes and where a key keeps them, and the
// exact messages; the loop's byte-order mark, CR LF, 0x1A and its bytes that are no UTF-8.
#include <gtest/gtest.h>

#include <sstream>

#include "platform/input_file.h"
#include "platform/text_reader.h"
#include "table_importer/conversion.h"
#include "table_importer/source_formats.h"
#include "test_support/case_name.h"
#include "test_support/scratch.h"

namespace table_importer {
namespace {

using platform::Big5Variant;
using test_support::hex;

struct Converted {
  StopStatus stop;
  std::string big5, err;
};

Converted convert(std::string_view layout, const std::string& utf8, Big5Variant variant = Big5Variant::kBig5) {
  Big5Text big5(variant);
  std::ostringstream err;
  LineReport report(err, "t.txt", variant);
  std::unique_ptr<Layout> reader = find_source_format(layout)->make(big5, report);
  platform::TextReader text(platform::InputFile::from_bytes(utf8));
  Converted result;
  result.stop = convert_source(text, "t.txt", *reader, result.big5, err);
  result.err = err.str();
  return result;
}

std::string lacking(int line, const std::string& character, const std::string& code_points, const char* left_out) {
  return "B5IMPORT: t.txt: line " + std::to_string(line) + ": " + character + " (" + code_points +
         ") has no BIG5 form; " + left_out + "\n";
}

const char kSecond[] = "the phrase it makes with the slot's character is left out";
const char kSlot[] = "its head line and the phrases filed under it are left out";
const char kPhrase[] = "the phrase that holds it is left out";
const char kAlone[] = "it is left out";
const char kKey[] = "it stands in the key, so the line is left out";
const char kEntry[] = "its entry is left out";

struct LayoutCase {
  std::string name;
  std::string layout;
  std::string utf8;
  std::string big5;
  std::string err;
};

class Layouts : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(Layouts, LeaveOutOnlyWhatHoldsTheCharacter) {
  const LayoutCase& c = GetParam();
  Converted result = convert(c.layout, c.utf8);
  EXPECT_FALSE(result.stop);
  EXPECT_EQ(hex(result.big5), hex(c.big5));
  EXPECT_EQ(result.err, c.err);
}

const std::string kX = "𠀀";  // U+20000: no Big5 variant has it
const std::string kXName = "U+20000";

INSTANTIATE_TEST_SUITE_P(
    EveryLayout, Layouts,
    ::testing::Values(
        LayoutCase{"HeadLineSecondCharacter", "phrase-text", "中 文" + kX + "國\n-- 國人\n",
                   "\xA4\xA4 \xA4\xE5\xB0\xEA\n-- \xB0\xEA\xA4\x48\n", lacking(1, kX, kXName, kSecond)},
        // The "--" lines after a head line left out would file under the slot before: they go too,
        // over a skipped line, up to the next head line.
        LayoutCase{"HeadLineSlotCharacter", "phrase-text",
                   "中 文\n-- 國人\n" + kX + " 文\n-- 國人\nnote " + kX + "\n-- 文字\n丁 文\n-- 國\n",
                   "\xA4\xA4 \xA4\xE5\n-- \xB0\xEA\xA4\x48\nnote \n\xA4\x42 \xA4\xE5\n-- \xB0\xEA\n",
                   lacking(3, kX, kXName, kSlot) +
                       "B5IMPORT: t.txt: line 4: left out with the head line of line 3\n" +
                       lacking(5, kX, kXName, kAlone) +
                       "B5IMPORT: t.txt: line 6: left out with the head line of line 3\n"},
        LayoutCase{"ContinuationLine", "phrase-text", "中 文\n-- 國" + kX + "人\n-- 國\n",
                   "\xA4\xA4 \xA4\xE5\n-- \xB0\xEA\n", lacking(2, kX, kXName, kPhrase)},
        LayoutCase{"PhraseTextEscapes", "phrase-text", "OVBig5CZ \\x5Cx41\n\\xF9\\xFE \\xA2\\xCC文\n",
                   "OVBig5CZ \\x41\n\xF9\xFE \xA2\xCC\xA4\xE5\n", ""},
        LayoutCase{"PhraseFirstLastMiddleAndOnly", "cizu-table",
                   "k " + kX + " 中 文\nk 中 " + kX + " 文\nk 中 文 " + kX + "\nk " + kX + "\nk 中  " + kX + "  文 \n",
                   "k \xA4\xA4 \xA4\xE5\nk \xA4\xA4 \xA4\xE5\nk \xA4\xA4 \xA4\xE5\nk \nk \xA4\xA4  \xA4\xE5 \n",
                   lacking(1, kX, kXName, kPhrase) + lacking(2, kX, kXName, kPhrase) + lacking(3, kX, kXName, kPhrase) +
                       lacking(4, kX, kXName, kPhrase) + lacking(5, kX, kXName, kPhrase)},
        LayoutCase{"CizuKeysKeepEscapes", "cizu-table",
                   "a\\x41 \\xA4\\x40 \\x8\n\t*x \\xA4\\x40\n \\xA4\\x41\n" + kX + "k 中\n* " + kX + " note\n",
                   "a\\x41 \xA4\x40 \\x8\n\t*x \xA4\x40\n \xA4\x41\n*  note\n",
                   lacking(4, kX, kXName, kKey) + lacking(5, kX, kXName, kAlone)},
        LayoutCase{"InputEntries", "input-table",
                   "* " + kX + "\n簡易 A 4 U a-z z (S) [\\xA4]\na 中" + kX + "文\n" + kX + "b 中\n  * " + kX +
                       "\n\\x41 \\xA4\\x40\n",
                   "* \n\xC2\xB2\xA9\xF6 A 4 U a-z z (S) [\xA4]\na \xA4\xA4\xA4\xE5\n  * \n\\x41 \xA4\x40\n",
                   lacking(1, kX, kXName, kAlone) + lacking(3, kX, kXName, kEntry) + lacking(4, kX, kXName, kKey) +
                       lacking(5, kX, kXName, kAlone)}),
    test_support::case_name<LayoutCase>);

TEST(Layouts, InputTableHeaderLineStopsTheRun) {
  Converted result = convert("input-table", "簡" + kX + " A 4 U a-z z (S) [名]\na 中\n");
  EXPECT_EQ(result.stop, Outcome::kHeaderLacking);
  EXPECT_EQ(result.err, lacking(1, kX, kXName, "the header line cannot be written without it, so nothing is written"));
}

TEST(Layouts, HkscsLettersWithMarks) {
  // Ê with a macron and ê with a caron: one code each, also as the slot's second characters.
  Converted result = convert("phrase-text", "中 \xC3\x8A\xCC\x84\xC3\xAA\xCC\x8C\xC3\xAA\n", Big5Variant::kBig5Hkscs);
  EXPECT_EQ(hex(result.big5), hex("\xA4\xA4 \x88\x62\x88\xA5\x88\xA7\n"));
  EXPECT_EQ(result.err, "");
}

struct LoopCase {
  std::string name;
  std::string utf8;
  std::string big5;  // what came before the stop
  StopStatus stop;
  std::string err;
};

class LineLoop : public ::testing::TestWithParam<LoopCase> {};

TEST_P(LineLoop, ReadsEveryLineOrStops) {
  const LoopCase& c = GetParam();
  Converted result = convert("cizu-table", c.utf8);
  EXPECT_EQ(result.stop, c.stop);
  EXPECT_EQ(hex(result.big5), hex(c.big5));
  EXPECT_EQ(result.err, c.err);
}

std::string not_utf8(int line, int byte, int offset) {
  char text[100];
  std::snprintf(text, sizeof text, "B5IMPORT: t.txt: line %d: byte 0x%02X at byte offset %d is not UTF-8\n", line,
                byte, offset);
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    EveryWay, LineLoop,
    ::testing::Values(
        // Only at the start: elsewhere it is U+FEFF, which Big5 lacks.
        LoopCase{"ByteOrderMarkSkipped", "\xEF\xBB\xBF" "ab 中\n\xEF\xBB\xBF" "cd\n", "ab \xA4\xA4\n", std::nullopt,
                 lacking(2, "\xEF\xBB\xBF", "U+FEFF", kKey)},
        LoopCase{"CrLfAndEndOfText", "ab 中\r\ncd 文\r\n\x1A" "ef 國\n", "ab \xA4\xA4\ncd \xA4\xE5\n", std::nullopt, ""},
        LoopCase{"LastLineWithoutLineFeed", "ab 中\ncd", "ab \xA4\xA4\ncd", std::nullopt, ""},
        LoopCase{"CutSequence", "ab 中\ncd \xE4\xB8\n", "ab \xA4\xA4\n", Outcome::kNotUtf8, not_utf8(2, 0xE4, 3)},
        LoopCase{"CutAtTheEnd", "ab \xE4\xB8", "", Outcome::kNotUtf8, not_utf8(1, 0xE4, 3)},
        LoopCase{"Overlong", "a\xC0\x80", "", Outcome::kNotUtf8, not_utf8(1, 0xC0, 1)},
        LoopCase{"Surrogate", "a\xED\xA0\x80", "", Outcome::kNotUtf8, not_utf8(1, 0xED, 1)},
        LoopCase{"PastU10FFFF", "\xF4\x90\x80\x80", "", Outcome::kNotUtf8, not_utf8(1, 0xF4, 0)},
        LoopCase{"StrayContinuation", "ab\x80", "", Outcome::kNotUtf8, not_utf8(1, 0x80, 2)},
        LoopCase{"Big5Bytes", "ab \xA4\xA4\n", "", Outcome::kNotUtf8, not_utf8(1, 0xA4, 3)}),
    test_support::case_name<LoopCase>);

}  // namespace
}  // namespace table_importer
