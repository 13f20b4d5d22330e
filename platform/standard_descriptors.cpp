// Making the three standard descriptors safe to rely on, and telling when an output is standard
// output itself.
#include "platform/standard_descriptors.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

namespace {

// A closed standard input becomes the root folder, which every read refuses: an input named
// /dev/stdin then fails to read, where /dev/null would read as an empty table and replace an output
// with an empty dictionary. Output and error take /dev/null, which takes every byte.
int placeholder(int fd) {
  int opened = fd == STDIN_FILENO ? ::open("/", O_RDONLY | O_DIRECTORY) : ::open("/dev/null", O_WRONLY);
  if (opened < 0) opened = ::open(fd == STDIN_FILENO ? "/dev/null" : "/", O_RDONLY);
  return opened;
}

}  // namespace

void open_standard_descriptors() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // The lowest free descriptor is `fd` itself, as every lower one is open by now.
    const int opened = placeholder(fd);
    if (opened >= 0 && opened != fd) {
      ::dup2(opened, fd);
      ::close(opened);
    }
  }
}

bool names_standard_output(const std::string& path) {
  struct stat target {};
  struct stat out {};
  if (path.empty() || ::stat(path.c_str(), &target) != 0 || ::fstat(STDOUT_FILENO, &out) != 0) return false;
  // A character device takes both streams as they come (/dev/null, a terminal): only a pipe, a
  // FIFO, a socket or a file would hold a product spoilt by the messages.
  return target.st_dev == out.st_dev && target.st_ino == out.st_ino && !S_ISCHR(out.st_mode);
}

}  // namespace platform
