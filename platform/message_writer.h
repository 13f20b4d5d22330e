// One buffered writer for a program's progress and report lines: printf-style formats are filled
// in place, without a string per line, and reach the stream in large blocks.
#pragma once

#include <array>
#include <concepts>
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace platform {

// One value a conversion takes: a number for %d, %ld, %u and %c, a text for %s. A text ends at
// its first NUL, as the C library's printf reads it.
class FormatArg {
 public:
  template <std::integral T>
  FormatArg(T number) : number_(static_cast<long long>(number)) {}  // NOLINT: converts on purpose
  FormatArg(const char* text) : text_(text) {}                      // NOLINT
  FormatArg(const std::string& text) : text_(text.c_str()) {}      // NOLINT
  FormatArg(std::string_view text) : text_(text.substr(0, text.find('\0'))) {}  // NOLINT

  long long number() const { return number_; }
  std::string_view text() const { return text_; }

 private:
  long long number_ = 0;
  std::string_view text_;
};

class MessageWriter {
 public:
  explicit MessageWriter(std::ostream& out) : out_(out) {}
  ~MessageWriter() { flush(); }
  MessageWriter(const MessageWriter&) = delete;
  MessageWriter& operator=(const MessageWriter&) = delete;

  void write(std::string_view text);

  // Writes `format` with its conversions filled as printf would: flags '-' and '0', a width, the
  // length letters 'l' and 'z', and the conversions d, i, u, c, s and %%.
  template <typename... Args>
  void print(const char* format, const Args&... args) {
    const FormatArg list[sizeof...(Args) + 1] = {FormatArg(args)..., FormatArg(0)};
    print_list(format, list, sizeof...(Args));
  }

  // Hands the buffered bytes to the stream; a failed progress line changes nothing, so the
  // stream's own state is the caller's concern.
  void flush();

 private:
  void print_list(const char* format, const FormatArg* args, std::size_t count);
  void put(char c) {
    if (used_ == buffer_.size()) flush();
    buffer_[used_++] = c;
  }
  void pad(std::size_t n, char c);

  std::ostream& out_;
  std::array<char, 16384> buffer_;
  std::size_t used_ = 0;
};

}  // namespace platform
