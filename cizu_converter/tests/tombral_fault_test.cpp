// TOMBRAL run as a process against failing files: an output it may not write, an output that is a
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
const std::string kTable = "abc \xA4\xA4\xA4\xE5 \xA6\x72\n";

std::string banner() {
  return platform::format("TOMBRAL - Convert Big5 CiZu table to DBG file for ORVANE 5.0  %s\n",
                          platform::build_date()) +
         "Files the phrases of each key code under one of 9999 hash buckets.\n\n";
}

std::string converting(const std::string& in, const std::string& out) {
  return "converting " + in + " to " + out + " ...\n";
}

struct FaultCase {
  const char* name;
  bool unprivileged;  // the case needs a user whom permissions stop
  // Prepares the folder (input "in.b5" and output "out.dic" exist beforehand) for a run as `uid`.
  std::function<void(const ScratchDir&, int uid)> prepare;
  std::vector<std::string> args;
  long long file_size_limit;
  std::string out;  // after the banner
  std::string err;
  std::vector<std::string> entries;  // the folder afterwards
};

std::vector<FaultCase> fault_cases() {
  const std::vector<std::string> both = {"in.b5", "out.dic"};
  return {
      {"OutputFolderNotWritable", true,
       [](const ScratchDir& dir, int uid) {
         give_to(dir / "out.dic", uid);
         fs::permissions(dir.path(), fs::perms(0555), fs::perm_options::replace);
       },
       {"in.b5", "out.dic"}, -1, "", "out.dic: Permission denied\n", both},
      {"ExistingOutputNotWritable", true,
       [](const ScratchDir& dir, int) {
         fs::permissions(dir / "out.dic", fs::perms(0444), fs::perm_options::replace);
         // The folder itself lets anyone create files: only the output's own mode refuses.
         fs::permissions(dir.path(), fs::perms(0777), fs::perm_options::replace);
       },
       {"in.b5", "out.dic"}, -1, "", "out.dic: Permission denied\n", both},
      {"OutputIsAFolder", false, [](const ScratchDir& dir, int) { fs::create_directory(dir / "folder"); },
       {"in.b5", "folder"}, -1, "", "folder: Is a directory\n", {"folder", "in.b5", "out.dic"}},
      {"DiskFillsWhileWriting", false, [](const ScratchDir&, int) {}, {"in.b5", "out.dic"}, 20000,
       converting("in.b5", "out.dic") + "Words=    0  Line=    1\rcount=    2\n" +
           "\nWrite error on file: out.dic: File too large\n",
       "", both},
      {"InputIsAFolder", false, [](const ScratchDir& dir, int) { fs::create_directory(dir / "folder"); },
       {"folder", "out.dic"}, -1,
       converting("folder", "out.dic") + "\nRead error on file: folder: Is a directory\n", "",
       {"folder", "in.b5", "out.dic"}},
      {"InputUnreadable", true,
       [](const ScratchDir& dir, int) { fs::permissions(dir / "in.b5", fs::perms(0), fs::perm_options::replace); },
       {"in.b5", "out.dic"}, -1, "", "in.b5: Permission denied\n", both},
  };
}

class TombralFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(TombralFault, ReportsAndLeavesTheOldOutput) {
  const FaultCase& c = GetParam();
  ScratchDir dir;
  FolderModeRestorer restorer{dir};
  dir.write("in.b5", kTable);
  dir.write("out.dic", kOldOutput);
  UnprivilegedUser user;  // the current user, running the program where it was built
  user.program = TOMBRAL_PATH;
  if (c.unprivileged) {
    user = unprivileged_user(dir, TOMBRAL_PATH);
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
  EXPECT_EQ(dir.read("out.dic"), kOldOutput);
  EXPECT_EQ(dir.entries(), c.entries);
}

INSTANTIATE_TEST_SUITE_P(Faults, TombralFault, ::testing::ValuesIn(fault_cases()),
                         [](const ::testing::TestParamInfo<FaultCase>& param) { return param.param.name; });

// The table named again as the output is read whole before the result replaces it, and the result
// is the same file a conversion to another name gives.
TEST(TombralFault, InputNamedAsOutputIsReplacedByItsConversion) {
  ScratchDir dir;
  fs::copy_file(fs::path(TOMBRAL_SOURCE_DIR) / "examples" / "cizu-table.b5", dir / "table.b5");
  ProcessOptions options;
  options.cwd = dir.path();
  ProcessResult other = test_support::run_process(TOMBRAL_PATH, {"table.b5", "other.dic"}, options);
  ASSERT_EQ(other.status, 0);
  ProcessResult same = test_support::run_process(TOMBRAL_PATH, {"table.b5", "table.b5"}, options);
  EXPECT_EQ(same.status, 0);
  EXPECT_EQ(same.signal, 0);
  EXPECT_EQ(same.err, "");
  std::string expected_out = other.out;
  expected_out.replace(expected_out.find(converting("table.b5", "other.dic")),
                       converting("table.b5", "other.dic").size(), converting("table.b5", "table.b5"));
  EXPECT_EQ(same.out, expected_out);
  std::string converted = dir.read("table.b5");
  EXPECT_GT(converted.size(), 40000u);
  EXPECT_TRUE(converted == dir.read("other.dic")) << hex(converted.substr(0, 32));
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"other.dic", "table.b5"}));
}

}  // namespace
