// Writes an output beside its target and renames it over the target when complete, or straight into
// a device or a FIFO. After the check every change goes through the open descriptor: a path could
// by then name another file, put there by whoever else may write the folder.
#include "platform/replaced_file.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <random>

#include "platform/signals.h"

namespace platform {

namespace {

constexpr int kNameAttempts = 100;
constexpr int kLinkHops = 40;  // as many links as the system follows in one path before ELOOP
constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kCreationBits = 0777;
constexpr mode_t kKeptBits = 07777;
constexpr mode_t kSetIdBits = S_ISUID | S_ISGID;

std::string folder_of(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string temporary_name() {
  static std::mt19937_64 generator{std::random_device{}()};
  constexpr char kDigits[] = "0123456789abcdef";
  std::string name = kTemporaryPrefix;
  std::uint64_t bits = generator();
  for (std::size_t i = 0; i < kTemporaryDigits; ++i, bits >>= 4) name.push_back(kDigits[bits & 0xF]);
  return name;
}

bool is_link(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

// A path that did not open because nothing is there: when it is a dangling link, the file the
// link (and any link it names) leads to, which writing through the link creates. Returns 0 or an
// error number.
int follow_dangling_link(std::string& path) {
  for (int hop = 0; hop < kLinkHops; ++hop) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT ? 0 : errno;
    if (!S_ISLNK(st.st_mode)) return 0;
    char named[PATH_MAX];
    ssize_t n = ::readlink(path.c_str(), named, sizeof named);
    if (n < 0) return errno;
    if (static_cast<std::size_t>(n) == sizeof named) return ENAMETOOLONG;
    std::string link(named, static_cast<std::size_t>(n));
    path = link.front() == '/' ? link : folder_of(path) + "/" + link;
  }
  return ELOOP;
}

}  // namespace

// The owner, group and mode of the file a replacement takes the place of.
struct ReplacedFile::KeptIdentity {
  uid_t owner;
  gid_t group;
  mode_t mode;
};

ReplacedFile::Descriptor& ReplacedFile::Descriptor::operator=(Descriptor&& other) noexcept {
  if (this != &other) {
    reset();
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

void ReplacedFile::Descriptor::reset() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

ReplacedFile::~ReplacedFile() { discard(); }

void ReplacedFile::discard() {
  HeldSignals held;
  file_.reset();
  direct_ = false;
  if (!temporary_.empty()) {
    ::unlink(temporary_.c_str());
    temporary_.clear();
  }
  keep_on_signal(signal_slot_);
  signal_slot_ = -1;
}

bool ReplacedFile::fail(int error) {
  error_ = error != 0 ? error : EIO;
  discard();
  return false;
}

int ReplacedFile::open(const std::string& target) {
  discard();
  error_ = 0;
  // The path as given, links followed, for writing: what it refuses is refused now. Without
  // blocking, so that a FIFO without a reader fails (ENXIO) instead of waiting for one.
  Descriptor probe(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!probe) {
    if (errno != ENOENT) return error_ = errno;
    std::string created = target;
    if (int error = follow_dangling_link(created); error != 0) return error_ = error;
    if (int error = create_temporary(created, nullptr); error != 0) fail(error);
    return error_;
  }
  struct stat st {};
  if (::fstat(probe.get(), &st) != 0) return error_ = errno;
  if (!S_ISREG(st.st_mode)) {
    int flags = ::fcntl(probe.get(), F_GETFL);
    if (flags < 0 || ::fcntl(probe.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) return error_ = errno;
    file_ = std::move(probe);
    direct_ = true;
    return 0;
  }
  std::string replaced = target;
  if (is_link(target)) {
    // Resolved once: the rename then replaces the file the link named at the check.
    char* resolved = ::realpath(target.c_str(), nullptr);
    if (resolved == nullptr) return error_ = errno;
    replaced = resolved;
    std::free(resolved);
  }
  probe.reset();
  KeptIdentity identity{st.st_uid, st.st_gid, static_cast<mode_t>(st.st_mode & kKeptBits)};
  if (int error = create_temporary(replaced, &identity); error != 0) fail(error);
  return error_;
}

int ReplacedFile::create_temporary(const std::string& replaced, const KeptIdentity* identity) {
  std::string folder = folder_of(replaced);
  // Never wider than the final mode, even for a moment; the umask may narrow it, fchmod restores it.
  mode_t mode = identity != nullptr ? (identity->mode & kCreationBits) : kNewFileMode;
  for (int attempt = 0; attempt < kNameAttempts && !file_; ++attempt) {
    std::string candidate = folder + "/" + temporary_name();
    HeldSignals held;
    Descriptor fd(::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    if (!fd) {
      if (errno == EEXIST) continue;
      return errno;
    }
    file_ = std::move(fd);
    temporary_ = candidate;
    signal_slot_ = remove_on_signal(temporary_.c_str());
  }
  if (!file_) return EEXIST;
  target_ = replaced;
  if (identity == nullptr) return 0;

  // Owner and group first: a change of owner clears the set-id bits that the mode then sets.
  struct stat now {};
  if (::fstat(file_.get(), &now) != 0) return errno;
  if (now.st_uid != identity->owner || now.st_gid != identity->group) {
    // Only root gives a file away; anyone may still keep a group they belong to. What cannot be
    // kept stays the process's own.
    if (::fchown(file_.get(), identity->owner, identity->group) != 0) {
      (void)::fchown(file_.get(), static_cast<uid_t>(-1), identity->group);
    }
    if (::fstat(file_.get(), &now) != 0) return errno;
  }
  mode = identity->mode;
  // A set-id bit on a file of another owner or group would hand out rights its owner never gave.
  if (now.st_uid != identity->owner || now.st_gid != identity->group) mode &= ~kSetIdBits;
  if (::fchmod(file_.get(), mode) != 0) return errno;
  return 0;
}

bool ReplacedFile::write(const void* data, std::size_t n) {
  if (!file_) return fail(error_ != 0 ? error_ : EBADF);
  const char* bytes = static_cast<const char*>(data);
  while (n > 0) {
    ssize_t written = ::write(file_.get(), bytes, n);
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return fail(errno);
    if (written == 0) return fail(EIO);
    bytes += written;
    n -= static_cast<std::size_t>(written);
  }
  return true;
}

bool ReplacedFile::commit() {
  if (!file_) return fail(error_ != 0 ? error_ : EBADF);
  if (direct_) {
    direct_ = false;
    if (::close(file_.release()) != 0) return fail(errno);
    return true;
  }
  // Synced before the rename, so that a crash never leaves a short file under the target's name.
  if (::fsync(file_.get()) != 0) return fail(errno);
  if (::close(file_.release()) != 0) return fail(errno);
  {
    HeldSignals held;
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) return fail(errno);
    temporary_.clear();
    keep_on_signal(signal_slot_);
    signal_slot_ = -1;
  }
  // The rename lasts only once its folder is synced; a file system that cannot sync a folder
  // (EINVAL) has nothing more to give.
  Descriptor folder(::open(folder_of(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!folder) return fail(errno);
  if (::fsync(folder.get()) != 0 && errno != EINVAL) return fail(errno);
  return true;
}

}  // namespace platform
