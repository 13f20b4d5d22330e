// An output file replaced whole, or written straight into a device or a FIFO. The bytes of a
// regular file go to a temporary file in the folder of the file they replace, which is synced and
// renamed over it only once everything was written; a run that stops early, or whose write fails,
// leaves an existing file byte for byte as it was. A device or a FIFO cannot be renamed over and
// holds no old bytes to keep, so it takes the bytes as they are written, in one pass.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace platform {

// A temporary file is named this prefix and 12 hexadecimal digits, whatever the target's name, so it
// fits beside a target of any valid name.
constexpr char kTemporaryPrefix[] = ".tmp-";
constexpr std::size_t kTemporaryDigits = 12;

class ReplacedFile {
 public:
  ReplacedFile() = default;
  ~ReplacedFile();
  ReplacedFile(const ReplacedFile&) = delete;
  ReplacedFile& operator=(const ReplacedFile&) = delete;

  // Checks, at the moment the program opens its output, that the target can be written, as opening
  // the path for writing would: its folder exists and is writable, it is no folder, no socket and
  // no FIFO without a reader, and an existing target is writable. Creates the temporary file, or
  // opens a device or a FIFO directly. Returns 0, or the error number of the failed check.
  int open(const std::string& target);

  // Each returns false on failure, with error() holding the system's error number.
  bool write(const void* data, std::size_t n);
  bool write(std::string_view bytes) { return write(bytes.data(), bytes.size()); }
  // Syncs and closes the temporary file, renames it over the target and syncs the folder; a device
  // or a FIFO is only closed.
  bool commit();

  int error() const { return error_; }

 private:
  class Descriptor {
   public:
    Descriptor() = default;
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }
    void reset();
    explicit operator bool() const { return fd_ >= 0; }

   private:
    int fd_ = -1;
  };

  struct KeptIdentity;
  int create_temporary(const std::string& replaced, const KeptIdentity* identity);
  bool fail(int error);
  void discard();

  Descriptor file_;
  bool direct_ = false;    // a device or a FIFO, written in place
  std::string target_;     // the path the rename replaces (a symbolic link's file, resolved once)
  std::string temporary_;  // empty once renamed or removed
  int signal_slot_ = -1;   // the temporary file's registration for removal on a signal
  int error_ = 0;
};

}  // namespace platform
