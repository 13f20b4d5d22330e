// Writes an output beside its target and renames it over the target when complete, or straight into
// a device or a FIFO. The path is looked up once, at the check; from then on every change goes
// through the folder's and the file's descriptors, since a path could by then lead elsewhere, put
// there by whoever else may write a folder on its way.
#include "platform/replaced_file.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <stdio.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <random>

#include "platform/output_path.h"
#include "platform/signals.h"

namespace platform {

namespace {

constexpr int kNameAttempts = 100;
// statx's attribute of a mount's root, which older C library headers do not name.
#ifdef STATX_ATTR_MOUNT_ROOT
constexpr std::uint64_t kMountRootAttribute = STATX_ATTR_MOUNT_ROOT;
#else
constexpr std::uint64_t kMountRootAttribute = 0x00002000;
#endif
constexpr mode_t kNewFileMode = 0666;

std::string temporary_name() {
  static std::mt19937_64 generator{std::random_device{}()};
  constexpr char kDigits[] = "0123456789abcdef";
  std::string name = kTemporaryPrefix;
  std::uint64_t bits = generator();
  for (std::size_t i = 0; i < kTemporaryDigits; ++i, bits >>= 4) name.push_back(kDigits[bits & 0xF]);
  return name;
}

// In a sticky folder only the file's owner, the folder's owner or root may rename over a file.
bool sticky_folder_refuses(int folder, const struct stat& file) {
  struct stat st {};
  if (::fstat(folder, &st) != 0 || (st.st_mode & S_ISVTX) == 0) return false;
  const uid_t self = ::geteuid();
  return self != 0 && file.st_uid != self && st.st_uid != self;
}

// A folder whose entries cannot be changed (immutable, or append-only) would refuse the rename and
// the removal of the temporary file alike.
bool folder_frozen(int folder) {
  int flags = 0;
  if (::ioctl(folder, FS_IOC_GETFLAGS, &flags) != 0) return false;  // a file system without such flags
  return (flags & (FS_APPEND_FL | FS_IMMUTABLE_FL)) != 0;
}

// A file that is a mount point (a bind mount over it) cannot be renamed over.
bool mount_point(int folder, const std::string& name) {
  struct statx st {};
  if (::statx(folder, name.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS, &st) != 0) return false;
  return (st.stx_attributes_mask & kMountRootAttribute) != 0 && (st.stx_attributes & kMountRootAttribute) != 0;
}

}  // namespace

ReplacedFile::~ReplacedFile() { discard(); }

void ReplacedFile::discard() {
  HeldSignals held;
  file_.reset();
  direct_ = false;
  if (!temporary_.empty()) {
    ::unlinkat(folder_.get(), temporary_.c_str(), 0);
    temporary_.clear();
  }
  keep_on_signal(signal_slot_);
  signal_slot_ = -1;
  folder_.reset();
  replaced_.reset();
  kept_.reset();
}

bool ReplacedFile::fail(int error) {
  error_ = error != 0 ? error : EIO;
  discard();
  return false;
}

int ReplacedFile::open(const std::string& target) {
  discard();
  error_ = 0;
  // An empty name names no file; the rename at the end would refuse it.
  if (target.empty()) return error_ = ENOENT;
  // The path as given, links followed, for writing: what it refuses is refused now. Without
  // blocking, so that a FIFO without a reader fails (ENXIO) instead of waiting for one.
  Descriptor probe(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!probe && errno != ENOENT) return error_ = errno;
  struct stat st {};
  if (probe) {
    if (::fstat(probe.get(), &st) != 0) return error_ = errno;
    if (!S_ISREG(st.st_mode)) {
      int flags = ::fcntl(probe.get(), F_GETFL);
      if (flags < 0 || ::fcntl(probe.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) return error_ = errno;
      file_ = std::move(probe);
      direct_ = true;
      return 0;
    }
  }
  OutputPlace place;
  if (int error = resolve_output_path(target, place); error != 0) return error_ = error;
  // The name must lead, once resolved, to what the probe opened (or to nothing, as the probe
  // found): a link that changed in between would hand one file's owner and mode to another.
  const bool same = probe ? place.entry && same_file(*place.entry, st) : !place.entry;
  if (!same) return error_ = kTargetChanged;
  if (probe && sticky_folder_refuses(place.folder.get(), st)) return error_ = EPERM;
  if (folder_frozen(place.folder.get())) return error_ = EPERM;
  if (probe && mount_point(place.folder.get(), place.name)) return error_ = EBUSY;
  folder_ = std::move(place.folder);
  name_ = std::move(place.name);
  if (probe) {
    replaced_ = st;
    kept_ = take_permissions(probe.get(), st.st_uid, st.st_gid, st.st_mode);
  }
  probe.reset();
  if (int error = create_temporary(); error != 0) fail(error);
  return error_;
}

int ReplacedFile::create_temporary() {
  // A new file gets at once what creating it gives; one that replaces another gets its permissions
  // only through its descriptor, from nothing.
  const mode_t mode = kept_ ? kReplacementCreationMode : kNewFileMode;
  for (int attempt = 0; attempt < kNameAttempts && !file_; ++attempt) {
    std::string candidate = temporary_name();
    HeldSignals held;
    Descriptor fd(::openat(folder_.get(), candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    if (!fd) {
      if (errno == EEXIST) continue;
      return errno;
    }
    file_ = std::move(fd);
    temporary_ = std::move(candidate);
    signal_slot_ = remove_on_signal(folder_.get(), temporary_.c_str());
  }
  if (!file_) return EEXIST;
  if (!kept_) return 0;
  if (!kept_->access_list) drop_inherited_access_list(file_.get());
  // Owner and group first: a change of owner clears the set-id bits that the mode then sets.
  return give_owner(file_.get(), *kept_);
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

int ReplacedFile::check_target_unchanged() const {
  struct stat now {};
  if (::fstatat(folder_.get(), name_.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0) {
    return errno == ENOENT && !replaced_ ? 0 : kTargetChanged;
  }
  return replaced_ && same_file(now, *replaced_) ? 0 : kTargetChanged;
}

int ReplacedFile::rename_over_target() const {
  if (!replaced_) {
    // A new name stays new: what appeared there meanwhile is not replaced.
    if (::renameat2(folder_.get(), temporary_.c_str(), folder_.get(), name_.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno == EEXIST) return kTargetChanged;
    if (errno != EINVAL && errno != ENOSYS) return errno;
  }
  if (::renameat(folder_.get(), temporary_.c_str(), folder_.get(), name_.c_str()) != 0) return errno;
  return 0;
}

bool ReplacedFile::commit() {
  if (!file_) return fail(error_ != 0 ? error_ : EBADF);
  if (direct_) {
    direct_ = false;
    if (::close(file_.release()) != 0) return fail(errno);
    return true;
  }
  // The mode after the last write, which would clear a set-id bit; the sync after the mode, so that
  // a crash never leaves a short or a wrongly permitted file under the target's name.
  if (kept_) {
    if (int error = give_permissions(file_.get(), *kept_); error != 0) return fail(error);
  }
  if (::fsync(file_.get()) != 0) return fail(errno);
  if (::close(file_.release()) != 0) return fail(errno);
  {
    HeldSignals held;
    if (int error = check_target_unchanged(); error != 0) return fail(error);
    if (int error = rename_over_target(); error != 0) return fail(error);
    temporary_.clear();
    keep_on_signal(signal_slot_);
    signal_slot_ = -1;
  }
  // The rename lasts only once its folder is synced; a file system that cannot sync a folder
  // (EINVAL) has nothing more to give.
  if (::fsync(folder_.get()) != 0 && errno != EINVAL) return fail(errno);
  folder_.reset();
  return true;
}

}  // namespace platform
