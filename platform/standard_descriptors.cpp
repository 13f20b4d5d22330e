// Making the three standard descriptors safe to rely on, and telling when an output is standard
// output itself.
#include "platform/standard_descriptors.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

void open_standard_descriptors() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // The lowest free descriptor is `fd` itself, as every lower one is open by now.
    int opened = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    if (opened < 0) opened = ::open("/", O_RDONLY | O_DIRECTORY);
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
  return target.st_dev == out.st_dev && target.st_ino == out.st_ino;
}

}  // namespace platform
