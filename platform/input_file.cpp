// Byte input from a file or from memory, with a stream's end-of-file indicator.
#include "platform/input_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace platform {

InputFile InputFile::from_bytes(std::string bytes) {
  InputFile in;
  in.in_memory_ = true;
  in.bytes_ = std::move(bytes);
  return in;
}

int InputFile::open(const std::string& path) {
  errno = 0;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return errno != 0 ? errno : EIO;
  file_.reset(f);
  in_memory_ = false;
  at_end_ = false;
  error_ = 0;
  return 0;
}

std::optional<std::uint64_t> InputFile::regular_size() const {
  if (in_memory_) return bytes_.size();
  struct stat st {};
  if (!file_ || ::fstat(::fileno(file_.get()), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return static_cast<std::uint64_t>(st.st_size);
}

std::size_t InputFile::read(void* dst, std::size_t n) {
  if (n == 0) return 0;
  if (in_memory_) {
    std::size_t left = bytes_.size() - pos_;
    std::size_t got = n < left ? n : left;
    std::memcpy(dst, bytes_.data() + pos_, got);
    pos_ += got;
    if (got < n) at_end_ = true;
    return got;
  }
  if (!file_) {
    error_ = EBADF;
    return 0;
  }
  errno = 0;
  std::size_t got = std::fread(dst, 1, n, file_.get());
  if (got < n) {
    if (std::ferror(file_.get())) {
      error_ = errno != 0 ? errno : EIO;
    } else {
      at_end_ = true;
    }
  }
  return got;
}

}  // namespace platform
