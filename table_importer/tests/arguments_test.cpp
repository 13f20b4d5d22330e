// The command line taken apart: every form that runs, and every usage error with its own line.
#include "table_importer/arguments.h"

#include <gtest/gtest.h>

namespace table_importer {
namespace {

TEST(Arguments, FormsThatRun) {
  struct Case {
    std::vector<std::string> args;
    std::string_view from;
    platform::Big5Variant encoding;
    std::string source, output;
  };
  using platform::Big5Variant;
  const Case cases[] = {
      {{"--from", "cizu-table", "d.txt"}, "cizu-table", Big5Variant::kBig5, "d.txt", ""},
      {{"d.txt", "d.b5", "--from", "phrase-text"}, "phrase-text", Big5Variant::kBig5, "d.txt", "d.b5"},
      {{"--encoding", "big5-hkscs", "-", "-", "--from", "input-table"}, "input-table", Big5Variant::kBig5Hkscs,
       "-", ""},
      {{"--from", "cizu-table", "--encoding", "CP950", "a", "b"}, "cizu-table", Big5Variant::kCp950, "a", "b"},
  };
  for (const Case& c : cases) {
    ParsedArguments parsed = parse_arguments(c.args);
    ASSERT_TRUE(parsed.arguments) << c.args[0];
    EXPECT_FALSE(parsed.arguments->help);
    EXPECT_EQ(parsed.arguments->from->name, c.from);
    EXPECT_EQ(parsed.arguments->encoding, c.encoding);
    EXPECT_EQ(parsed.arguments->source, c.source);
    EXPECT_EQ(parsed.arguments->output, c.output);
  }
  ParsedArguments help = parse_arguments({"--from", "nothing", "--help"});
  ASSERT_TRUE(help.arguments);
  EXPECT_TRUE(help.arguments->help);
}

TEST(Arguments, UsageErrors) {
  struct Case {
    std::vector<std::string> args;
    std::string error;
  };
  const Case cases[] = {
      {{}, ""},
      {{"--from", "cizu-table"}, ""},
      {{"--from", "cizu-table", "a", "b", "c"}, ""},
      {{"--from"}, ""},
      {{"--from", "cizu-table", "a", "--encoding"}, ""},
      {{"--from", "cizu-table", "--utf8", "a"}, ""},
      {{"a"}, "B5IMPORT: --from LAYOUT is needed: phrase-text, cizu-table or input-table\n"},
      {{"--from", "rime", "a"}, "B5IMPORT: unknown layout rime: phrase-text, cizu-table or input-table\n"},
      {{"--from", "cizu-table", "--encoding", "GBK", "a"}, "B5IMPORT: unknown encoding GBK: BIG5, CP950 or BIG5-HKSCS\n"},
  };
  for (const Case& c : cases) {
    ParsedArguments parsed = parse_arguments(c.args);
    EXPECT_FALSE(parsed.arguments) << c.args.size();
    EXPECT_EQ(parsed.error, c.error);
  }
}

}  // namespace
}  // namespace table_importer
