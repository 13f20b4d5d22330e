// Runs a program as a child process and captures its standard output, standard error and status,
// at once or after the test has acted on the running program.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace test_support {

struct ProcessOptions {
  std::filesystem::path cwd;       // empty: the test's own working folder
  std::string stdin_data;          // fed to standard input, which then closes
  long long file_size_limit = -1;  // bytes; like `ulimit -f`, -1 for none
  int run_as_uid = -1;             // switch to this user and group id before exec (root only)
  bool stdout_closed = false;      // standard output is a pipe whose reader is gone before the start
  int time_limit_seconds = -1;     // killed (SIGKILL) when still running after this long; -1 for none
  std::vector<std::pair<std::string, std::string>> environment;  // variables set for the program
  std::string stdout_path;         // standard output goes to this file ("/dev/full") instead of `out`
  long long address_space_limit = -1;  // bytes; like `ulimit -v`, -1 for none
  std::vector<int> closed_descriptors;  // of 0, 1 and 2: closed when the program starts, as `<&-`
};

struct ProcessResult {
  std::string out;
  std::string err;
  int status = -1;  // exit status, or -1 when the process was killed by a signal
  int signal = 0;   // the signal that killed it
};

// A program started and left running, so that the test can act on it (send a signal, look at its
// files) before collecting what it showed. Its standard input is fed and its standard output and
// error are read only in wait(): a program that writes more than a pipe holds waits until then.
class RunningProcess {
 public:
  RunningProcess(const std::string& program, const std::vector<std::string>& args,
                 const ProcessOptions& options = {});
  ~RunningProcess();  // kills and reaps a program that was not waited for
  RunningProcess(const RunningProcess&) = delete;
  RunningProcess& operator=(const RunningProcess&) = delete;

  void send_signal(int signal_number) const;
  ProcessResult wait();

 private:
  pid_t pid_ = -1;
  int in_fd_ = -1, out_fd_ = -1, err_fd_ = -1;
  std::string stdin_data_;
  int time_limit_seconds_ = -1;
};

// The statuses of a child that never reached the program: it could not enter `cwd` or become the
// user, or the program could not be executed.
constexpr int kNotStarted = 126;
constexpr int kNotExecuted = 127;

ProcessResult run_process(const std::string& program, const std::vector<std::string>& args,
                          const ProcessOptions& options = {});

// Options that set nothing but a limit of `bytes` on the size of the files a run writes.
inline ProcessOptions file_size_limited(long long bytes) {
  ProcessOptions options;
  options.file_size_limit = bytes;
  return options;
}

// The same run with `folder` as its working folder, as every process test runs a program.
ProcessResult run_in(const std::filesystem::path& folder, const std::string& program,
                     const std::vector<std::string>& args, ProcessOptions options = {});

}  // namespace test_support
