// What a decoder reads a dictionary file through: bytes in order, with the end-of-file indicator of
// a buffered stream. A read that asks for more than is left returns what is left and raises the
// indicator, so a file that ends exactly where a read ends does not show its end until the next.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <utility>

namespace big5dict {

class ByteSource {
 public:
  virtual ~ByteSource() = default;

  // Reads up to n bytes into `into`; returns how many arrived. Fewer than n means the end of the
  // input was met (at_end) or the system failed to read (error).
  virtual std::size_t read(void* into, std::size_t n) = 0;
  // True once a read has asked for more than was left.
  virtual bool at_end() const = 0;
  // The system's error number of a failed read, 0 while none failed.
  virtual int error() const = 0;
};

// Bytes held in memory as a source: reads them in order, and never fails.
class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::string bytes) : bytes_(std::move(bytes)) {}

  std::size_t read(void* into, std::size_t n) override {
    if (n == 0) return 0;
    const std::size_t left = bytes_.size() - pos_;
    const std::size_t got = n < left ? n : left;
    std::memcpy(into, bytes_.data() + pos_, got);
    pos_ += got;
    if (got < n) at_end_ = true;
    return got;
  }
  bool at_end() const override { return at_end_; }
  int error() const override { return 0; }

 private:
  std::string bytes_;
  std::size_t pos_ = 0;
  bool at_end_ = false;
};

}  // namespace big5dict
