// Following an output path to its last entry, one link at a time, through folder descriptors.
#include "platform/output_path.h"

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

namespace platform {

namespace {

constexpr int kLinkHops = 40;  // as many links as the system follows in one path before ELOOP

struct Split {
  std::string folder;
  std::string entry;
};

Split split(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return {".", path};
  return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// A link in a sticky folder that anyone may write (such as /tmp) is followed only when it belongs to
// the user or to the folder's owner, as the system's own rule for protected links has it: anyone
// else could have put it there after the program checked the name, and lead the output anywhere.
bool link_protected(int folder, const struct stat& link) {
  struct stat st {};
  if (::fstat(folder, &st) != 0) return true;
  const bool open_to_all = (st.st_mode & S_ISVTX) != 0 && (st.st_mode & S_IWOTH) != 0;
  return open_to_all && link.st_uid != ::geteuid() && link.st_uid != st.st_uid;
}

}  // namespace

int resolve_output_path(const std::string& path, OutputPlace& place) {
  std::string current = path;
  Descriptor base;  // the folder of the last link read: its text is relative to it
  for (int hop = 0; hop <= kLinkHops; ++hop) {
    if (current.empty()) return ENOENT;
    Split parts = split(current);
    // A name that ends in a slash, or in "." or "..", is a folder: no file can be made there.
    if (parts.entry.empty() || parts.entry == "." || parts.entry == "..") return EISDIR;
    Descriptor folder(::openat(base ? base.get() : AT_FDCWD, parts.folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!folder) return errno;
    struct stat st {};
    const bool found = ::fstatat(folder.get(), parts.entry.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    if (!found && errno != ENOENT) return errno;
    if (found && S_ISLNK(st.st_mode)) {
      if (link_protected(folder.get(), st)) return EACCES;
      char text[PATH_MAX];
      ssize_t n = ::readlinkat(folder.get(), parts.entry.c_str(), text, sizeof text);
      if (n < 0) return errno;
      if (static_cast<std::size_t>(n) == sizeof text) return ENAMETOOLONG;
      current.assign(text, static_cast<std::size_t>(n));
      base = std::move(folder);
      continue;
    }
    // The folder that takes the output is synced after the rename, which needs it open for reading.
    Descriptor readable(::openat(folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!readable) return errno;
    place.folder = std::move(readable);
    place.name = parts.entry;
    place.entry = found ? std::optional<struct stat>(st) : std::nullopt;
    return 0;
  }
  return ELOOP;
}

}  // namespace platform
