// One formatter for every message of every program: printf-style formats, checked by the compiler
// as printf's are, filled by the conversions the programs use. A buffered writer puts them on a
// stream in large blocks without a string per line; format() gives the same text as a string.
#pragma once

#include <array>
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace platform {

class MessageWriter {
 public:
  explicit MessageWriter(std::ostream& out) : out_(out) {}
  ~MessageWriter() { flush(); }
  MessageWriter(const MessageWriter&) = delete;
  MessageWriter& operator=(const MessageWriter&) = delete;

  void write(std::string_view text);

  // Writes `format` with its conversions filled as printf would: the flags '-' and '0', a width,
  // the length letters 'h', 'l', 'll' and 'z', and the conversions d, i, u, x, X, c, s and %%.
  void print(const char* format, ...) __attribute__((format(printf, 2, 3)));

  // Hands the buffered bytes to the stream; a failed progress line changes nothing, so the
  // stream's own state is the caller's concern.
  void flush();

  // For the formatter: one byte, and `n` bytes of `c`.
  void put(char c) {
    if (used_ == buffer_.size()) flush();
    buffer_[used_++] = c;
  }
  void pad(std::size_t n, char c);

  // For a formatter of its own: room for up to `n` bytes (no more than kBufferBytes) at the end of
  // the buffer, made by handing the buffered bytes on when needed; commit() takes the bytes
  // written there up to `end`.
  static constexpr std::size_t kBufferBytes = 16384;
  char* room(std::size_t n) {
    if (buffer_.size() - used_ < n) flush();
    return buffer_.data() + used_;
  }
  void commit(const char* end) { used_ = static_cast<std::size_t>(end - buffer_.data()); }

 private:
  std::ostream& out_;
  std::array<char, kBufferBytes> buffer_;
  std::size_t used_ = 0;
};

// The same conversions into a string.
std::string format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace platform
