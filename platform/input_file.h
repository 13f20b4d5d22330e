// An input read as bytes with the end-of-file indicator of a buffered stream: a read that asks for
// more than is left returns what is left and raises the indicator. The same type reads an image held
// in memory, so tests and fuzzers drive every reader without touching the disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "big5dict/byte_source.h"

namespace platform {

class InputFile : public big5dict::ByteSource {
 public:
  InputFile() = default;
  InputFile(InputFile&&) noexcept = default;
  InputFile& operator=(InputFile&&) noexcept = default;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  static InputFile from_bytes(std::string bytes);

  // Opens a file for reading. Returns 0, or the system's error number when it does not open.
  // A folder opens; its first read fails.
  int open(const std::string& path);

  // Reads up to n bytes; returns how many arrived. Fewer than n means the end of the input was met
  // (at_end) or the system failed (error).
  std::size_t read(void* dst, std::size_t n) override;

  // The length of a regular file as the system gives it, or of the bytes in memory; none for a pipe
  // or a device, whose length is known only by reading it.
  std::optional<std::uint64_t> regular_size() const;

  bool at_end() const override { return at_end_; }
  // The system's error number of a failed read, 0 when none failed.
  int error() const override { return error_; }

 private:
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
  bool in_memory_ = false;
  std::string bytes_;
  std::size_t pos_ = 0;
  bool at_end_ = false;
  int error_ = 0;
};

}  // namespace platform
