// fork/exec with pipes for the three standard streams, read without deadlock through poll().
#include "test_support/process.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace test_support {

namespace {

void close_fd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

}  // namespace

RunningProcess::RunningProcess(const std::string& program, const std::vector<std::string>& args,
                               const ProcessOptions& options)
    : stdin_data_(options.stdin_data), time_limit_seconds_(options.time_limit_seconds) {
  int in_pipe[2], out_pipe[2], err_pipe[2];
  if (::pipe(in_pipe) != 0 || ::pipe(out_pipe) != 0 || ::pipe(err_pipe) != 0) {
    throw std::runtime_error("pipe failed");
  }
  // With the reader closed before the fork, no process ever reads the program's standard output.
  if (options.stdout_closed) close_fd(out_pipe[0]);
  ::signal(SIGPIPE, SIG_IGN);
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    ::dup2(in_pipe[0], 0);
    ::dup2(out_pipe[1], 1);
    ::dup2(err_pipe[1], 2);
    for (int fd : {in_pipe[0], in_pipe[1], out_pipe[0], out_pipe[1], err_pipe[0], err_pipe[1]}) {
      if (fd >= 0) ::close(fd);
    }
    if (!options.cwd.empty() && ::chdir(options.cwd.c_str()) != 0) _exit(kNotStarted);
    if (!options.stdout_path.empty()) {
      int fd = ::open(options.stdout_path.c_str(), O_WRONLY);
      if (fd < 0 || ::dup2(fd, 1) < 0) _exit(kNotStarted);
      ::close(fd);
    }
    if (options.address_space_limit >= 0) {
      rlimit limit{static_cast<rlim_t>(options.address_space_limit),
                   static_cast<rlim_t>(options.address_space_limit)};
      if (::setrlimit(RLIMIT_AS, &limit) != 0) _exit(kNotStarted);
    }
    if (options.file_size_limit >= 0) {
      rlimit limit{static_cast<rlim_t>(options.file_size_limit),
                   static_cast<rlim_t>(options.file_size_limit)};
      if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(kNotStarted);
    }
    if (options.run_as_uid >= 0) {
      if (::setgid(static_cast<gid_t>(options.run_as_uid)) != 0 ||
          ::setuid(static_cast<uid_t>(options.run_as_uid)) != 0) {
        _exit(kNotStarted);
      }
    }
    for (const auto& [name, value] : options.environment) ::setenv(name.c_str(), value.c_str(), 1);
    // A program killed by a signal leaves no core file among a test's files.
    rlimit no_core{0, 0};
    ::setrlimit(RLIMIT_CORE, &no_core);
    // The child starts with the default actions and nothing blocked, as a program started from an
    // interactive shell does.
    for (int s = 1; s < NSIG; ++s) {
      if (s != SIGKILL && s != SIGSTOP) std::signal(s, SIG_DFL);
    }
    for (int fd : options.closed_descriptors) ::close(fd);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    _exit(kNotExecuted);
  }
  ::close(in_pipe[0]);
  ::close(out_pipe[1]);
  ::close(err_pipe[1]);
  in_fd_ = in_pipe[1];
  out_fd_ = out_pipe[0];
  err_fd_ = err_pipe[0];
}

RunningProcess::~RunningProcess() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  close_fd(in_fd_);
  close_fd(out_fd_);
  close_fd(err_fd_);
}

void RunningProcess::send_signal(int signal_number) const {
  if (pid_ > 0) ::kill(pid_, signal_number);
}

ProcessResult RunningProcess::wait() {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + std::chrono::seconds(time_limit_seconds_);
  ProcessResult result;
  std::size_t written = 0;
  if (stdin_data_.empty()) close_fd(in_fd_);
  char chunk[65536];
  while (out_fd_ >= 0 || err_fd_ >= 0) {
    pollfd fds[3];
    int n = 0;
    if (out_fd_ >= 0) fds[n++] = {out_fd_, POLLIN, 0};
    if (err_fd_ >= 0) fds[n++] = {err_fd_, POLLIN, 0};
    if (in_fd_ >= 0) fds[n++] = {in_fd_, POLLOUT, 0};
    int timeout = -1;
    if (time_limit_seconds_ >= 0) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) {
        ::kill(pid_, SIGKILL);  // its pipes then close, and the loop ends
        time_limit_seconds_ = -1;
        continue;
      }
      timeout = static_cast<int>(left);
    }
    int ready = ::poll(fds, static_cast<nfds_t>(n), timeout);
    if (ready < 0) {
      if (errno == EINTR) continue;
      throw std::runtime_error("poll failed");
    }
    for (int i = 0; i < n; ++i) {
      if (fds[i].revents == 0) continue;
      if (fds[i].fd == in_fd_) {
        ssize_t w = ::write(in_fd_, stdin_data_.data() + written, stdin_data_.size() - written);
        if (w > 0) written += static_cast<std::size_t>(w);
        if (w < 0 || written == stdin_data_.size()) close_fd(in_fd_);
        continue;
      }
      ssize_t r = ::read(fds[i].fd, chunk, sizeof chunk);
      if (r > 0) {
        (fds[i].fd == out_fd_ ? result.out : result.err).append(chunk, static_cast<std::size_t>(r));
      } else if (r == 0 || errno != EINTR) {
        close_fd(fds[i].fd == out_fd_ ? out_fd_ : err_fd_);
      }
    }
  }
  close_fd(in_fd_);
  int status = 0;
  while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  pid_ = -1;
  if (WIFEXITED(status)) {
    result.status = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    result.signal = WTERMSIG(status);
  }
  return result;
}

ProcessResult run_process(const std::string& program, const std::vector<std::string>& args,
                          const ProcessOptions& options) {
  return RunningProcess(program, args, options).wait();
}

ProcessResult run_in(const std::filesystem::path& folder, const std::string& program,
                     const std::vector<std::string>& args, ProcessOptions options) {
  options.cwd = folder;
  return run_process(program, args, options);
}

}  // namespace test_support
