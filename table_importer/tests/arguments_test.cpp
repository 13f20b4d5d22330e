// The command line taken apart: the forms that run, options and names in any order, and --help
// whatever stands beside it.
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

}  // namespace
}  // namespace table_importer
