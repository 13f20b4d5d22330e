// Standard output that cannot be written: where it carries the product (DBGVIEW's summary and text,
// LEXMOOR's comparison listing) the run reports it and exits 1; where the product is a file
// (TOMBRAL, KESTRAWN, LEXMOOR's writing runs) the file is written and the status stays.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "phrase_tool/messages.h"
#include "platform/build_date.h"
#include "platform/report.h"
#include "test_support/process.h"
#include "test_support/scratch.h"

namespace {

using test_support::ProcessOptions;
using test_support::ProcessResult;
using test_support::ScratchDir;

const char kFullDisk[] = "\nWrite error on file: standard output: No space left on device\n";
const char kWords[] = "\xA4\xA4\xA4\xE5\n\xA4\xA4\xB0\xEA\xA4\x48\n";

ProcessResult run_in(const ScratchDir& dir, const char* program, const std::vector<std::string>& args,
                     const std::string& stdout_path = "") {
  ProcessOptions options;
  options.cwd = dir.path();
  options.stdout_path = stdout_path;
  return test_support::run_process(program, args, options);
}

TEST(StandardOutput, DbgviewAndLexmoorComparisonReportAFullDisk) {
  ScratchDir dir;
  dir.write("table.b5", "abc \xA4\xA4\n");
  ASSERT_EQ(run_in(dir, TOMBRAL_PATH, {"table.b5", "cizu.dbg"}).status, 0);
  dir.write("words.b5", kWords);
  ASSERT_EQ(run_in(dir, LEXMOOR_PATH, {"#", "+words.b5"}).status, 1);
  std::filesystem::rename(dir / "LEXMOOR.DBG", dir / "a.DBG");
  const std::string lexmoor_banner =
      platform::format(phrase_tool::msg::kBanner, platform::build_date()) + phrase_tool::msg::kNotice;

  struct Case {
    const char* program;
    std::vector<std::string> args;
    std::string err;
  };
  for (const Case& c : std::vector<Case>{{DBGVIEW_PATH, {"cizu.dbg"}, kFullDisk},
                                         {DBGVIEW_PATH, {"--text", "cizu.dbg"}, kFullDisk},
                                         {DBGVIEW_PATH, {"--text", "--utf8", "cizu.dbg"}, kFullDisk},
                                         {LEXMOOR_PATH, {"@a.DBG", "@a.DBG"}, lexmoor_banner + kFullDisk}}) {
    ProcessResult r = run_in(dir, c.program, c.args, "/dev/full");
    EXPECT_EQ(r.status, 1) << c.args[0];
    EXPECT_EQ(r.err, c.err) << c.args[0];
  }
  EXPECT_FALSE(dir.exists("LEXMOOR.DBG"));
}

TEST(StandardOutput, WritersKeepTheirStatusAndWriteTheirFile) {
  ScratchDir dir;
  const std::string lexmoor_banner =
      platform::format(phrase_tool::msg::kBanner, platform::build_date()) + phrase_tool::msg::kNotice;
  dir.write("words.b5", kWords);
  dir.write("table.b5", "abc \xA4\xA4\n");
  dir.write("input.b5", "\xBC\xC6\xA6\x72 N 8 W 0-9 . (Numbers) [\xBC\xC6]\n1 \xA4\x40\n");
  struct Case {
    const char* program;
    std::vector<std::string> args;
    std::string output;
    int status;
    std::string err;
  };
  for (const Case& c : std::vector<Case>{{LEXMOOR_PATH, {"#", "+words.b5"}, "LEXMOOR.DBG", 1, lexmoor_banner},
                                         {TOMBRAL_PATH, {"table.b5", "out.dbg"}, "out.dbg", 0, ""},
                                         {KESTRAWN_PATH, {"input.b5", "out.dbg"}, "out.dbg", 0, ""}}) {
    ASSERT_EQ(run_in(dir, c.program, c.args).status, c.status) << c.program;
    const std::string expected = dir.read(c.output);
    std::filesystem::remove(dir / c.output);
    ProcessResult r = run_in(dir, c.program, c.args, "/dev/full");
    EXPECT_EQ(r.status, c.status) << c.program;
    EXPECT_EQ(r.err, c.err) << c.program;
    EXPECT_EQ(dir.read(c.output), expected) << c.program;
  }
}

}  // namespace
