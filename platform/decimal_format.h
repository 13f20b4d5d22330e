// A printf format of long decimals only ("Words=%5ld  Line=%5ld\r"), taken apart once and then
// filled without parsing it again: a converter writes its progress line for every line it reads,
// and the general formatter's parse of the format would cost more than the line's own work.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/message_writer.h"

namespace platform {

// The longest a long is written in decimal: "-9223372036854775808".
constexpr std::size_t kLongDigits = 20;

// Writes `value` right-aligned in a field of at least `width` bytes, spaces before it, as printf's
// "%*ld" does, and returns the end. `out` holds at least max(width, kLongDigits) bytes.
char* put_decimal(char* out, long value, std::size_t width);

class DecimalFormat {
 public:
  // `format` is text and conversions "%ld" or "%Nld" (N a width) only; a conversion of another
  // kind throws std::invalid_argument, a fault of the caller.
  explicit DecimalFormat(const char* format);

  // Writes the format with its conversions filled by `values` in order; a count of values other
  // than the format's conversions throws std::invalid_argument.
  template <typename... Longs>
  void print(MessageWriter& out, Longs... values) const {
    const std::array<long, sizeof...(Longs)> filled{values...};
    print_values(out, filled.data(), filled.size());
  }

  // The same text as a string, for tests.
  template <typename... Longs>
  std::string text(Longs... values) const {
    const std::array<long, sizeof...(Longs)> filled{values...};
    return fill(filled.data(), filled.size());
  }

 private:
  static constexpr std::size_t kChunk = 16;

  // A text of the format, as kept in texts_.
  struct Text {
    std::size_t start;
    std::size_t size;
  };
  struct Field {
    Text before;  // the text ahead of the conversion
    std::size_t width;
  };

  Text keep_text(std::string_view text);
  char* put_text(char* out, Text text) const;

  void print_values(MessageWriter& out, const long* values, std::size_t count) const;
  // Writes the line at `out`, which has room for longest_ bytes, and returns its end.
  char* fill(char* out, const long* values, std::size_t count) const;
  std::string fill(const long* values, std::size_t count) const;

  std::vector<Field> fields_;
  Text tail_{};             // the text behind the last conversion
  std::string texts_;       // the texts, each followed by a chunk of room
  std::size_t longest_ = 0;  // the longest line the format makes, and a chunk of room
};

}  // namespace platform
