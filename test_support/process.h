// Runs a program as a child process and captures its standard output, standard error and status.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace test_support {

struct ProcessOptions {
  std::filesystem::path cwd;       // empty: the test's own working folder
  std::string stdin_data;          // fed to standard input, which then closes
  long long file_size_limit = -1;  // bytes; like `ulimit -f`, -1 for none
  int run_as_uid = -1;             // switch to this user and group id before exec (root only)
};

struct ProcessResult {
  std::string out;
  std::string err;
  int status = -1;  // exit status, or -1 when the process was killed by a signal
  int signal = 0;   // the signal that killed it
};

// The statuses of a child that never reached the program: it could not enter `cwd` or become the
// user, or the program could not be executed.
constexpr int kNotStarted = 126;
constexpr int kNotExecuted = 127;

ProcessResult run_process(const std::string& program, const std::vector<std::string>& args,
                          const ProcessOptions& options = {});

}  // namespace test_support
