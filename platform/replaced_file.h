// An output file replaced whole, or written straight into a device or a FIFO. The bytes of a
// regular file go to a temporary file in the folder of the file they replace, which is synced and
// renamed over it only once everything was written; a run that stops early, or whose write fails,
// leaves an existing file byte for byte as it was. A device or a FIFO cannot be renamed over and
// holds no old bytes to keep, so it takes the bytes as they are written, in one pass.
#pragma once

#include <sys/stat.h>

#include <cerrno>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/descriptor.h"
#include "platform/file_permissions.h"

namespace platform {

// A temporary file is named this prefix and 12 hexadecimal digits, whatever the target's name, so it
// fits beside a target of any valid name.
constexpr char kTemporaryPrefix[] = ".tmp-";
constexpr std::size_t kTemporaryDigits = 12;

// The error a run fails with when the target's name no longer leads to the file that was checked
// (a link changed, or the file was replaced, while the program ran): the new bytes would otherwise
// take the place, owner and mode of a file nobody asked for.
constexpr int kTargetChanged = ESTALE;

class ReplacedFile {
 public:
  ReplacedFile() = default;
  ~ReplacedFile();
  ReplacedFile(const ReplacedFile&) = delete;
  ReplacedFile& operator=(const ReplacedFile&) = delete;

  // Checks, at the moment the program opens its output, that the target can be written, as opening
  // the path for writing would, and what else can be known now that the end of the run would meet:
  // its folder exists and can be written and opened for its sync and is neither immutable nor
  // append-only, it is no folder, no socket, no FIFO without a reader and no mount point, an
  // existing target is writable, and a sticky folder would let it be replaced. Resolves the path once, creates the temporary file beside the file it names, or opens
  // a device or a FIFO directly. Returns 0, or the error number of the failed check.
  int open(const std::string& target);

  // Each returns false on failure, with error() holding the system's error number.
  bool write(const void* data, std::size_t n);
  bool write(std::string_view bytes) { return write(bytes.data(), bytes.size()); }
  // Gives the temporary file its permissions, syncs and closes it, checks that the target's name
  // still leads where it did, renames the file over it and syncs the folder; a device or a FIFO is
  // only closed.
  bool commit();

  int error() const { return error_; }

 private:
  int create_temporary();
  int check_target_unchanged() const;
  int rename_over_target() const;
  bool fail(int error);
  void discard();

  Descriptor file_;
  bool direct_ = false;     // a device or a FIFO, written in place
  Descriptor folder_;       // the folder whose entry `name_` the rename replaces
  std::string name_;
  std::optional<struct stat> replaced_;        // the file the rename replaces; none for a new name
  std::optional<KeptPermissions> kept_;        // that file's permissions, for the new one
  std::string temporary_;  // the temporary file's entry in `folder_`; empty once renamed or removed
  int signal_slot_ = -1;   // the temporary file's registration for removal on a signal
  int error_ = 0;
};

}  // namespace platform
