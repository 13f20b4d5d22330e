// Running a program against failing files for the fault suites.
#include "test_support/fault_suite.h"

#include <unistd.h>

#include <algorithm>
#include <utility>

namespace test_support {

namespace fs = std::filesystem;

FaultRunResult run_fault(ScratchDir& dir, const std::string& program, const FaultRun& run) {
  UnprivilegedUser user;  // the current user, running the program where it was built
  user.program = program;
  if (run.needs_root && ::geteuid() != 0) return {"giving a file to another user needs root", {}, {}};
  if (run.unprivileged) {
    user = unprivileged_user(dir, program);
    if (!user.skip_reason.empty()) return {user.skip_reason, {}, std::move(user.stage)};
  }
  run.prepare(dir, user.uid);

  ProcessOptions options;
  options.cwd = dir.path();
  options.file_size_limit = run.file_size_limit;
  options.run_as_uid = user.uid;
  return {"", run_process(user.program, run.args, options), std::move(user.stage)};
}

std::vector<ConverterFaultCase> permission_cases(const std::string& input, const std::string& output) {
  const std::vector<std::string> both = {input, output};
  const std::string refused = output + ": Permission denied\n";
  return {
      {"OutputFolderNotWritable", {true,
       [output](const ScratchDir& dir, int uid) {
         give_to(dir / output, uid);
         fs::permissions(dir.path(), fs::perms(0555), fs::perm_options::replace);
       },
       both, -1}, "", refused, both},
      {"ExistingOutputNotWritable", {true,
       [output](const ScratchDir& dir, int) {
         fs::permissions(dir / output, fs::perms(0444), fs::perm_options::replace);
         // The folder itself lets anyone create files: only the output's own mode refuses.
         fs::permissions(dir.path(), fs::perms(0777), fs::perm_options::replace);
       },
       both, -1}, "", refused, both},
      // The folder is synced after the rename, so one that cannot be opened is refused at once.
      {"OutputFolderUnreadable", {true,
       [output](const ScratchDir& dir, int uid) {
         give_to(dir / output, uid);
         fs::permissions(dir.path(), fs::perms(0333), fs::perm_options::replace);
       },
       both, -1}, "", refused, both},
      // Another user's writable file in another user's sticky folder: the rename would be refused.
      {"StickyFolderOfAnother", {true,
       [output](const ScratchDir& dir, int) {
         fs::permissions(dir / output, fs::perms(0666), fs::perm_options::replace);
         fs::permissions(dir.path(), fs::perms(01777), fs::perm_options::replace);
       },
       both, -1, true}, "", output + ": Operation not permitted\n", both},
      {"InputUnreadable", {true,
       [input](const ScratchDir& dir, int) { fs::permissions(dir / input, fs::perms(0), fs::perm_options::replace); },
       both, -1}, "", input + ": Permission denied\n", both},
  };
}

std::string check_converter_fault(const ConverterFaultCase& c, const ConverterFolder& folder) {
  ScratchDir dir;
  FolderModeRestorer restorer{dir};
  dir.write(folder.input, folder.table);
  dir.write(folder.output, folder.old_output);
  FaultRunResult run = run_fault(dir, folder.program, c.run);
  if (!run.skip_reason.empty()) return run.skip_reason;
  const ProcessResult& r = run.process;
  EXPECT_EQ(r.signal, 0);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, folder.banner + c.out);
  EXPECT_EQ(r.err, c.err);
  EXPECT_EQ(dir.read(folder.output), folder.old_output);
  EXPECT_EQ(dir.entries(), c.entries);
  return "";
}

std::string check_in_place(const std::string& program, const std::filesystem::path& table,
                           const std::string& other_arg, const std::string& other_output,
                           const std::string& converting_to_other, const std::string& converting_in_place) {
  ScratchDir dir;
  fs::copy_file(table, dir / "table.b5");
  const ProcessResult to_other = run_in(dir.path(), program, {"table.b5", other_arg});
  const ProcessResult in_place = run_in(dir.path(), program, {"table.b5", "table.b5"});
  EXPECT_EQ(to_other.status, 0);
  if (to_other.status != 0) return "";
  EXPECT_EQ(in_place.status, 0);
  EXPECT_EQ(in_place.signal, 0);
  EXPECT_EQ(in_place.err, "");
  std::string expected_out = to_other.out;
  expected_out.replace(expected_out.find(converting_to_other), converting_to_other.size(), converting_in_place);
  EXPECT_EQ(in_place.out, expected_out);
  const std::string converted = dir.read("table.b5");
  EXPECT_TRUE(dir.exists(other_output) && converted == dir.read(other_output)) << hex(converted.substr(0, 32));
  std::vector<std::string> entries = {other_output, "table.b5"};
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(dir.entries(), entries);
  return converted;
}

}  // namespace test_support
