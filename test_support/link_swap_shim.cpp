// Test-only LD_PRELOAD library. The moment a program creates a temporary output file, it puts a
// symbolic link to $SWAP_VICTIM in its place, as a user who may write the output's folder could:
// a writer that changes its file through the path afterwards then changes the victim instead.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

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
    return fd;                                                                   \
  }

SWAPPING_OPEN(open)
SWAPPING_OPEN(open64)
SWAPPING_OPENAT(openat)
SWAPPING_OPENAT(openat64)
