// An output file replaced whole. The bytes go to a temporary file in the target's folder, which is
// renamed over the target only once everything was written, flushed and closed; a run that stops
// early, or whose write fails, leaves an existing target byte for byte as it was.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

class ReplacedFile {
 public:
  ReplacedFile() = default;
  ~ReplacedFile();
  ReplacedFile(const ReplacedFile&) = delete;
  ReplacedFile& operator=(const ReplacedFile&) = delete;

  // Checks, at the moment the program opens its output, that the target can be written (its folder
  // exists and is writable, it is no folder, an existing target is writable) and creates the
  // temporary file. Returns 0, or the error number that opening the target for writing would give.
  int open(const std::string& target);

  // Each returns false on failure, with error() holding the system's error number.
  bool write(const void* data, std::size_t n);
  bool write(std::string_view bytes) { return write(bytes.data(), bytes.size()); }
  bool seek_to_start();
  // Flushes and closes the temporary file and renames it over the target.
  bool commit();

  int error() const { return error_; }

 private:
  bool fail(int error);
  void discard();

  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
  std::string target_;     // the path the rename replaces (a symbolic link's target, resolved)
  std::string temporary_;  // empty once renamed or removed
  int error_ = 0;
};

}  // namespace platform
