// Test-only LD_PRELOAD library that acts, at the worst moment, as a user who may write the output's
// folder could:
// - with $SWAP_VICTIM, the moment a program creates a temporary output file it puts a symbolic link
//   to the victim in its place: a writer that changes its file through the path afterwards then
//   changes the victim instead;
// - with $FLIP_LINK and $FLIP_TO, right after the program's first open of the path $FLIP_LINK (the
//   check of its output) it points that link at $FLIP_TO: a writer that looks the path up again
//   then takes one file's owner and mode for another; with $FLIP_OWNER the link is that user's.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

#include "platform/replaced_file.h"

namespace {

template <typename Open>
Open real(const char* name) {
  return reinterpret_cast<Open>(::dlsym(RTLD_NEXT, name));
}

void swap_for_link(int folder, const char* path, int flags, int fd) {
  const char* victim = std::getenv("SWAP_VICTIM");
  if (fd < 0 || (flags & O_CREAT) == 0 || victim == nullptr) return;
  const char* slash = std::strrchr(path, '/');
  const char* name = slash != nullptr ? slash + 1 : path;
  if (std::strncmp(name, platform::kTemporaryPrefix, std::strlen(platform::kTemporaryPrefix)) != 0) return;
  ::unlinkat(folder, path, 0);
  ::symlinkat(victim, folder, path);
}

void flip_link(int folder, const char* path) {
  static bool flipped = false;
  const char* link = std::getenv("FLIP_LINK");
  const char* to = std::getenv("FLIP_TO");
  if (flipped || link == nullptr || to == nullptr || std::strcmp(path, link) != 0) return;
  flipped = true;
  const int error = errno;  // the program reads the open's own error afterwards
  ::unlinkat(folder, path, 0);
  ::symlinkat(to, folder, path);
  // $FLIP_OWNER: the link is that user's, as if that user had made it.
  if (const char* owner = std::getenv("FLIP_OWNER")) {
    const auto uid = static_cast<uid_t>(std::strtoul(owner, nullptr, 10));
    ::fchownat(folder, path, uid, static_cast<gid_t>(uid), AT_SYMLINK_NOFOLLOW);
  }
  errno = error;
}

}  // namespace

#define SWAPPING_OPEN(name)                                                      \
  extern "C" int name(const char* path, int flags, ...) {                        \
    va_list args;                                                                \
    va_start(args, flags);                                                       \
    mode_t mode = (flags & O_CREAT) != 0 ? va_arg(args, mode_t) : 0;             \
    va_end(args);                                                                \
    static auto open_file = real<int (*)(const char*, int, ...)>(#name);         \
    int fd = open_file(path, flags, mode);                                       \
    swap_for_link(AT_FDCWD, path, flags, fd);                                    \
    flip_link(AT_FDCWD, path);                                                   \
    return fd;                                                                   \
  }

#define SWAPPING_OPENAT(name)                                                    \
  extern "C" int name(int folder, const char* path, int flags, ...) {            \
    va_list args;                                                                \
    va_start(args, flags);                                                       \
    mode_t mode = (flags & O_CREAT) != 0 ? va_arg(args, mode_t) : 0;             \
    va_end(args);                                                                \
    static auto open_file = real<int (*)(int, const char*, int, ...)>(#name);    \
    int fd = open_file(folder, path, flags, mode);                               \
    swap_for_link(folder, path, flags, fd);                                      \
    flip_link(folder, path);                                                     \
    return fd;                                                                   \
  }

SWAPPING_OPEN(open)
SWAPPING_OPEN(open64)
SWAPPING_OPENAT(openat)
SWAPPING_OPENAT(openat64)
