// KESTRAWN run as a process against failing files: an output it may not write, an output that is a
// folder, a disk that fills, inputs that are folders or unreadable. Each gives its report and
// status, no signal, no temporary file, and leaves an existing output byte for byte as it was.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/report.h"
#include "test_support/process.h"
#include "test_support/scratch.h"
#include "test_support/unprivileged.h"

namespace {

namespace fs = std::filesystem;
using test_support::hex;
using test_support::ProcessOptions;
using test_support::ProcessResult;
using test_support::ScratchDir;
using test_support::FolderModeRestorer;
using test_support::give_to;
using test_support::UnprivilegedUser;
using test_support::unprivileged_user;

const std::string kOldOutput = "an earlier dictionary";
const std::string kTable = "\xA4\x40\xA4\x41 A 4 u a-z ; (Test) [\xA4\x42]\na \xA4\x40\xA4\x41\n";

std::string banner() {
  return platform::format("KESTRAWN - Convert Big5 input table to DBG file for ORVANE Big5 v4.5 %s\n",
                          platform::build_date()) +
         "Builds the key table of an input method from Big5 text.\n\n";
}

std::string converting(const std::string& in, const std::string& out) {
  return "GANTRELL: converting " + in + " to " + out + " ...";
}

struct FaultCase {
  const char* name;
  bool unprivileged;  // the case needs a user whom permissions stop
  // Prepares the folder (input "in.B5" and output "out.DBG" exist beforehand) for a run as `uid`.
  std::function<void(const ScratchDir&, int uid)> prepare;
  std::vector<std::string> args;
  long long file_size_limit;
  std::string out;  // after the banner
  std::string err;
  std::vector<std::string> entries;  // the folder afterwards
};

std::vector<FaultCase> fault_cases() {
  const std::vector<std::string> both = {"in.B5", "out.DBG"};
  return {
      {"OutputFolderNotWritable", true,
       [](const ScratchDir& dir, int uid) {
         give_to(dir / "out.DBG", uid);
         fs::permissions(dir.path(), fs::perms(0555), fs::perm_options::replace);
       },
       {"in.B5", "out.DBG"}, -1, "", "out.DBG: Permission denied\n", both},
      {"ExistingOutputNotWritable", true,
       [](const ScratchDir& dir, int) {
         fs::permissions(dir / "out.DBG", fs::perms(0444), fs::perm_options::replace);
         // The folder itself lets anyone create files: only the output's own mode refuses.
         fs::permissions(dir.path(), fs::perms(0777), fs::perm_options::replace);
       },
       {"in.B5", "out.DBG"}, -1, "", "out.DBG: Permission denied\n", both},
      {"OutputIsAFolder", false, [](const ScratchDir& dir, int) { fs::create_directory(dir / "folder.DBG"); },
       {"in", "folder"}, -1, "", "folder.DBG: Is a directory\n", {"folder.DBG", "in.B5", "out.DBG"}},
      {"DiskFillsWhileWriting", false, [](const ScratchDir&, int) {}, {"in", "out"}, 4096,
       converting("in.B5", "out.DBG") + "Qu=161 - 249\n" +
           "\nWrite error on file: out.DBG: File too large\n",
       "", both},
      // The stub is small enough to sit in the stream's buffer: the flush before the rename fails.
      {"DiskFillsWhileFlushingTheStub", false, [](const ScratchDir&, int) {}, {"in", "out", "*cizu"}, 64,
       converting("in.B5", "out.DBG") + "Qu=161 - 249\n" +
           "\nWrite error on file: out.DBG: File too large\n",
       "", both},
      {"InputIsAFolder", false, [](const ScratchDir& dir, int) { fs::create_directory(dir / "folder.B5"); },
       {"folder", "out"}, -1,
       converting("folder.B5", "out.DBG") + "\nRead error on file: folder.B5: Is a directory\n", "",
       {"folder.B5", "in.B5", "out.DBG"}},
      {"InputUnreadable", true,
       [](const ScratchDir& dir, int) { fs::permissions(dir / "in.B5", fs::perms(0), fs::perm_options::replace); },
       {"in.B5", "out.DBG"}, -1, "", "in.B5: Permission denied\n", both},
  };
}

class KestrawnFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(KestrawnFault, ReportsAndLeavesTheOldOutput) {
  const FaultCase& c = GetParam();
  ScratchDir dir;
  FolderModeRestorer restorer{dir};
  dir.write("in.B5", kTable);
  dir.write("out.DBG", kOldOutput);
  UnprivilegedUser user;  // the current user, running the program where it was built
  user.program = KESTRAWN_PATH;
  if (c.unprivileged) {
    user = unprivileged_user(dir, KESTRAWN_PATH);
    if (!user.skip_reason.empty()) GTEST_SKIP() << user.skip_reason;
  }
  const int uid = user.uid;
  c.prepare(dir, uid);

  ProcessOptions options;
  options.cwd = dir.path();
  options.file_size_limit = c.file_size_limit;
  options.run_as_uid = uid;
  ProcessResult r = test_support::run_process(user.program, c.args, options);
  EXPECT_EQ(r.signal, 0);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, banner() + c.out);
  EXPECT_EQ(r.err, c.err);
  EXPECT_EQ(dir.read("out.DBG"), kOldOutput);
  EXPECT_EQ(dir.entries(), c.entries);
}

INSTANTIATE_TEST_SUITE_P(Faults, KestrawnFault, ::testing::ValuesIn(fault_cases()),
                         [](const ::testing::TestParamInfo<FaultCase>& param) { return param.param.name; });

// The table named again as the output is read whole before the result replaces it, and the result
// is the same file a conversion to another name gives.
TEST(KestrawnFault, InputNamedAsOutputIsReplacedByItsConversion) {
  ScratchDir dir;
  fs::copy_file(KESTRAWN_EXAMPLE, dir / "table.b5");
  ProcessOptions options;
  options.cwd = dir.path();
  ProcessResult other = test_support::run_process(KESTRAWN_PATH, {"table.b5", "other"}, options);
  ASSERT_EQ(other.status, 0);
  ProcessResult same = test_support::run_process(KESTRAWN_PATH, {"table.b5", "table.b5"}, options);
  EXPECT_EQ(same.status, 0);
  EXPECT_EQ(same.signal, 0);
  EXPECT_EQ(same.err, "");
  std::string expected_out = other.out;
  expected_out.replace(expected_out.find(converting("table.b5", "other.DBG")),
                       converting("table.b5", "other.DBG").size(), converting("table.b5", "table.b5"));
  EXPECT_EQ(same.out, expected_out);
  std::string converted = dir.read("table.b5");
  EXPECT_EQ(converted.size(), 79318u);
  EXPECT_TRUE(converted == dir.read("other.DBG")) << hex(converted.substr(0, 32));
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"other.DBG", "table.b5"}));
}

}  // namespace
