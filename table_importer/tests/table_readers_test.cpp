// The table readers in memory: the rows and facts each format gives for its lines, the text's one
// pass (ASCII, characters, a letter with its marks, what the variant lacks), the rows found equal
// by their hashes even when every hash collides, and the choices of the input table's target that
// the process tests do not reach.
#include <gtest/gtest.h>

#include <sstream>

#include "platform/input_file.h"
#include "platform/text_reader.h"
#include "table_importer/conversion.h"
#include "table_importer/cizu_table_target.h"
#include "table_importer/equal_rows.h"
#include "table_importer/input_table_target.h"
#include "table_importer/table_layout.h"
#include "test_support/case_name.h"
#include "test_support/scratch.h"

namespace table_importer {
namespace {

using test_support::hex;

// Every row as "line|text|code|weight", code "-" when there is none.
class RowList : public RowSink {
 public:
  void row(const SourceRow& r) override {
    rows += std::to_string(r.line) + "|" + std::string(r.text) + "|" + (r.code ? std::string(*r.code) : "-") + "|" +
            std::to_string(static_cast<long>(r.weight)) + "\n";
  }
  std::string rows;
};

struct ReaderCase {
  std::string name;
  std::optional<TableFormat> format;
  std::string table;
  std::string rows;
  std::string facts;  // "name|chinese name|original or weights"
};

class Readers : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(Readers, GiveTheRowsAndFactsOfTheirFormat) {
  const ReaderCase& c = GetParam();
  std::ostringstream err;
  const SourceContext context{err, "t"};
  std::unique_ptr<TableSource> source = make_table_source(c.format, context);
  RowList list;
  TableLayout lines(*source, list);
  platform::TextReader reader(platform::InputFile::from_bytes(c.table));
  std::string unused;
  EXPECT_FALSE(convert_source(reader, "t", lines, unused, err));
  EXPECT_FALSE(source->end());
  EXPECT_EQ(list.rows, c.rows);
  const TableFacts& f = source->facts();
  EXPECT_EQ(f.name + "|" + f.chinese_name + "|" + (f.original_order ? "original" : "weights"), c.facts);
  EXPECT_EQ(err.str(), "");
}

INSTANTIATE_TEST_SUITE_P(
    EveryFormat, Readers,
    ::testing::Values(
        // Quotes and comments come off values; a nested key's lines and other keys are passed over;
        // a column that is none of the three is skipped; blanks around a field go.
        ReaderCase{"RimeFrontMatter", TableFormat::kRime,
                   "# c\n\n---\nname: \"quoted\"  # its name\nsort: 'original'\nimport_tables:\n  - other\n"
                   "columns:\n  - text\n  - code\n  - stem\n  - weight\nencoder:\n  rules:\n    - formula: \"x\"\n"
                   "...\n中 \t a b \tstem\t7\n\n#中\tx\n文\n國\t\t\t50%\n",
                   "17|中|a b|7\n20|文|-|0\n21|國|-|50\n", "quoted||original"},
        ReaderCase{"RimeFlowColumnsOfTwo", TableFormat::kRime, "---\ncolumns: [ text , weight ]\nsort: by_weight\n...\n中\t3\n",
                   "5|中|-|3\n", "||weights"},
        // A weight that is no number counts as 0.
        ReaderCase{"RimeWeightsThatAreNoNumbers", TableFormat::kRime, "---\n...\n中\tz\tmany\n文\tw\tnan\n國\tg\t1e3\n",
                   "3|中|z|0\n4|文|w|0\n5|國|g|1000\n", "||weights"},
        // %prompt names the table only without %cname; the keyboard's keys are no rows; the
        // directives' words in any letter case; "#" lines inside the chardef are comments.
        ReaderCase{"CinDirectives", TableFormat::kCin,
                   "%prompt 提示\n%cname 名稱\n%prompt 另一\n%ename Name\n%KEYNAME BEGIN\na 日\n%keyname end\n"
                   "%chardef Begin\n# c\nA\t日 \nb  月 日\nc\n%chardef END\nd 不\n",
                   "10|日|A|0\n11|月 日|b|0\n12||c|0\n", "Name|名稱|weights"},
        ReaderCase{"TsvFields", TableFormat::kTsv, "中\n文\tw\n國\tg\t2%\n\t\n  \n人\t\t5\n",
                   "1|中|-|0\n2|文|w|0\n3|國|g|2\n6|人|-|5\n", "||weights"},
        ReaderCase{"WordsLines", TableFormat::kWords, "中文\n\n \t\n 大學 生\n", "1|中文|-|0\n4|大學 生|-|0\n", "||weights"},
        ReaderCase{"ToldAsRime", std::nullopt, "# c\n\n---\nname: r\n...\n中\tz\n", "6|中|z|0\n", "r||weights"},
        ReaderCase{"ToldAsCin", std::nullopt, "# c\n  \n%ename c\n%chardef begin\nz 中\n%chardef end\n", "5|中|z|0\n",
                   "c||weights"}),
    test_support::case_name<ReaderCase>);

TEST(TextForm, OnePassGivesAsciiCharactersAndBig5) {
  Big5Characters big5(platform::Big5Variant::kBig5);
  Big5Characters hkscs(platform::Big5Variant::kBig5Hkscs);
  struct Case {
    Big5Characters& variant;
    std::string utf8;
    bool ascii;
    std::size_t characters;
    bool whole;
    std::string bytes;
  };
  const Case cases[] = {
      {big5, "中文", false, 2, true, "\xA4\xA4\xA4\xE5"},
      {big5, "中 文", true, 3, true, "\xA4\xA4 \xA4\xE5"},
      {big5, "𠀀中", false, 2, false, ""},
      // A letter and its combining mark are one character; Big5-HKSCS has it in one code.
      {hkscs, "\xC3\x8A\xCC\x84中", false, 2, true, "\x88\x62\xA4\xA4"},
      {big5, "\xC3\x8A\xCC\x84", false, 1, false, ""},
      {hkscs, "\xCC\x84", false, 1, false, ""},
  };
  for (const Case& c : cases) {
    std::string out = "x";
    const TextForm form = c.variant.convert(c.utf8, out);
    EXPECT_EQ(form.ascii, c.ascii) << c.utf8;
    EXPECT_EQ(form.characters, c.characters) << c.utf8;
    EXPECT_EQ(form.whole, c.whole) << c.utf8;
    EXPECT_EQ(hex(out), hex("x" + c.bytes)) << c.utf8;
  }
  EXPECT_EQ(big5.utf8_of("\xA4\xA4\xA4\xE5"), "中文");
}

// Rows equal to an earlier one point at the first of them by rank; rows whose hashes collide but
// whose bytes differ stay apart.
TEST(EqualRows, FirstOfEqualsByRankEvenWhenAllHashesCollide) {
  const std::vector<std::string> rows = {"a", "b", "a", "c", "b", "a"};
  const auto same = [&rows](std::uint32_t x, std::uint32_t y) { return rows[x] == rows[y]; };
  const std::vector<std::uint32_t> colliding(rows.size(), 7);
  EXPECT_EQ(first_of_equals(colliding, {}, same), (std::vector<std::uint32_t>{0, 1, 0, 3, 1, 0}));
  // Row 5 stands first in this order, row 4 before row 1.
  const std::vector<std::uint32_t> rank = {3, 4, 2, 5, 1, 0};
  EXPECT_EQ(first_of_equals(colliding, rank, same), (std::vector<std::uint32_t>{5, 4, 5, 3, 4, 5}));
  std::vector<std::uint32_t> hashes;
  for (const std::string& r : rows) hashes.push_back(hash_bytes(r));
  EXPECT_EQ(first_of_equals(hashes, {}, same), (std::vector<std::uint32_t>{0, 1, 0, 3, 1, 0}));
  std::vector<std::uint64_t> values = {std::uint64_t{2} << 32 | 0, std::uint64_t{1} << 32 | 1, std::uint64_t{2} << 32 | 2,
                                       std::uint64_t{0x300} << 32 | 3, std::uint64_t{1} << 32 | 4};
  sort_by_high_word(values);
  EXPECT_EQ(values, (std::vector<std::uint64_t>{std::uint64_t{1} << 32 | 1, std::uint64_t{1} << 32 | 4,
                                                std::uint64_t{2} << 32 | 0, std::uint64_t{2} << 32 | 2,
                                                std::uint64_t{0x300} << 32 | 3}));
}

struct Made {
  std::string big5, err, summary;
};

Made make(Target& target, DropReport& report, const std::vector<SourceRow>& rows, const TableFacts& facts = {}) {
  for (const SourceRow& r : rows) target.row(r);
  Made made;
  EXPECT_FALSE(target.finish(facts, made.big5));
  std::ostringstream summary;
  report.write_summary(summary, "t");
  made.summary = summary.str();
  return made;
}

SourceRow row(int line, std::string_view text, std::optional<std::string_view> code, double weight = 0) {
  return SourceRow{line, text, code, weight};
}

// A code with more phrases than are compared one with another files them: a repeat far down its
// line is still found, and the best of the repeats is the one kept.
TEST(CizuTableTarget, RepeatsUnderACodeOfManyPhrases) {
  Big5Characters big5(platform::Big5Variant::kBig5);
  DropReport report;
  CizuTableTarget target(big5, report);
  const std::vector<std::string> phrases = {"一二", "一三", "一四", "一五", "一六", "一七", "一八", "一九", "一十", "二一",
                                            "二三", "二四", "二五", "二六", "二七", "二八", "二九", "二十", "三一", "三二"};
  std::vector<SourceRow> rows;
  for (std::size_t i = 0; i < phrases.size(); ++i) rows.push_back(row(static_cast<int>(i) + 1, phrases[i], "k"));
  rows.push_back(row(21, "一三", "K", 5));  // the best of the two: kept where its weight puts it
  rows.push_back(row(22, "三二", "k"));
  const Made made = make(target, report, rows);
  std::string expected = "k \xA4\x40\xA4\x54";
  for (std::size_t i = 0; i < phrases.size(); ++i) {
    if (i == 1) continue;
    std::string code;
    big5.append(phrases[i], code);
    expected += " " + code;
  }
  EXPECT_EQ(hex(made.big5), hex(expected + "\n"));
  EXPECT_EQ(made.summary,
            "B5IMPORT: t: line 2: duplicate: 一三\nB5IMPORT: t: line 22: duplicate: 三二\n"
            "B5IMPORT: t: 22 rows read, 20 kept, 2 dropped\nB5IMPORT:   duplicate        2\n");
}

// A code whose line would pass what a reader takes goes on in another line with the same code.
TEST(CizuTableTarget, LineThatWouldPassTheLongestLineGoesOnUnderTheSameCode) {
  Big5Characters big5(platform::Big5Variant::kBig5);
  DropReport report;
  CizuTableTarget target(big5, report);
  std::vector<std::string> characters;
  for (int lead = 0xA4; characters.size() < 470; ++lead) {
    for (int trail = 0xA1; trail <= 0xFE && characters.size() < 470; ++trail) {
      characters.push_back(big5.utf8_of(std::string{static_cast<char>(lead), static_cast<char>(trail)}));
    }
  }
  std::vector<std::string> phrases;
  for (const std::string& a : characters) {
    for (const std::string& b : characters) phrases.push_back(a + b);
  }
  int line = 0;
  for (const std::string& p : phrases) target.row(row(++line, p, "k"));
  std::string out;
  EXPECT_FALSE(target.finish({}, out));
  // "k" and 209715 phrases of a space and four bytes make 1048576 bytes; the rest, a line of its own.
  const std::size_t first_line = 1 + 209715 * 5;
  ASSERT_GT(out.size(), first_line + 2);
  EXPECT_EQ(out.substr(first_line, 3), "\nk ");
  EXPECT_EQ(out.size(), first_line + 1 + 1 + (phrases.size() - 209715) * 5 + 1);
  EXPECT_EQ(report.kept(), phrases.size());
}

// The key type: --max-len 7 leaves Alpha out; a later, heavier row is the preferred code, and a
// repeat of a pair that is not preferred is a duplicate, not another code.
TEST(InputTableTarget, PreferredCodesAndTheKeyTypeMaxLenAllows) {
  Big5Characters big5(platform::Big5Variant::kBig5);
  DropReport report;
  std::ostringstream err;
  InputHeaderOptions options;
  options.short_name = "中文";
  options.max_len = 7;
  InputTableTarget target(big5, report, options, "t", err);
  const Made made = make(target, report,
                         {row(1, "中", "abcdefg"), row(2, "中", "abc", 1), row(3, "中", "ab", 9), row(4, "中", "abc", 1),
                          row(5, "文", "abcdefghi"), row(6, "文", "b")});
  EXPECT_EQ(hex(made.big5), hex("\xA4\xA4\xA4\xE5 X 7 - a-b b 161-249 (t) [\xA4\xA4\xA4\xE5]\nab \xA4\xA4\nb \xA4\xE5\n"));
  EXPECT_EQ(made.summary,
            "B5IMPORT: t: line 1: key-too-long: 中\nB5IMPORT: t: line 4: duplicate: 中\n"
            "B5IMPORT: t: line 5: key-too-long: 文\nB5IMPORT: t: 6 rows read, 2 kept, 4 dropped\n"
            "B5IMPORT:   key-too-long     2\nB5IMPORT:   other-code       1\nB5IMPORT:   duplicate        1\n");
}

}  // namespace
}  // namespace table_importer
