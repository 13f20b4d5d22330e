// The machinery the programs' fault suites share: a run against a failing file, as a user whom
// permissions stop where the case needs one, and a run that names its input again as its output.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "test_support/case_name.h"
#include "test_support/process.h"
#include "test_support/scratch.h"
#include "test_support/unprivileged.h"

namespace test_support {

// What a fault case does before and while the program runs in the scratch folder.
struct FaultRun {
  bool unprivileged;  // the case needs a user whom permissions stop
  // Breaks a file or folder for a run as `uid` (-1: the current user).
  std::function<void(const ScratchDir&, int uid)> prepare;
  std::vector<std::string> args;
  long long file_size_limit;  // bytes, -1 for none
  bool needs_root = false;    // the case gives files to another user: skipped for anyone else
};

struct FaultRunResult {
  std::string skip_reason;  // not empty when the case cannot be made real here: nothing ran
  ProcessResult process;
  StagingFolder stage;  // holds the scratch folder of an unprivileged run until the checks are done
};

// Prepares `dir` (its inputs already written) and runs `program` there. As root an unprivileged
// case runs a copy as the user nobody, with `dir` moved beside it.
FaultRunResult run_fault(ScratchDir& dir, const std::string& program, const FaultRun& run);

// A case of a converter's fault suite (TOMBRAL, KESTRAWN): every such case stops with status 1.
struct ConverterFaultCase {
  const char* name;
  FaultRun run;  // its folder holds the input and an earlier output beforehand
  std::string out;  // after the banner
  std::string err;
  std::vector<std::string> entries;  // the folder afterwards
};

// The converter a fault suite runs and the folder each of its cases starts from.
struct ConverterFolder {
  std::string program;
  std::string banner;
  std::string input, table;  // the input's name and bytes
  std::string output;        // the output's name; an earlier output of these bytes is there
  std::string old_output = "an earlier dictionary";
};

// The cases every converter shares: an output whose folder or whose own mode refuses the write, a
// folder that cannot be opened for its sync, a sticky folder that would refuse the rename, and an
// input nobody may read. Each fails at the check, before the banner is followed by more.
std::vector<ConverterFaultCase> permission_cases(const std::string& input, const std::string& output);

// Runs `c` in a fresh folder and checks its report, its status 1, no signal, the earlier output
// byte for byte as it was and no file left behind. Returns why the case was skipped, or "".
std::string check_converter_fault(const ConverterFaultCase& c, const ConverterFolder& folder);

// Runs a converter on a copy of `table` twice: once to `other_output` (named `other_arg` on the
// command line), then with the table named again as its output. Checks that both complete, that
// the second shows what the first showed with `converting_in_place` for `converting_to_other`, and
// that the table's file becomes the first run's output. Returns the table's file afterwards.
std::string check_in_place(const std::string& program, const std::filesystem::path& table,
                           const std::string& other_arg, const std::string& other_output,
                           const std::string& converting_to_other, const std::string& converting_in_place);

}  // namespace test_support
