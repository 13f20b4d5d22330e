// A format of long decimals taken apart once, and a long right-aligned in its field.
#include "platform/decimal_format.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <stdexcept>

namespace platform {

namespace {
constexpr std::size_t kWidestField = 65536;
}  // namespace

char* put_decimal(char* out, long value, std::size_t width) {
  char digits[kLongDigits];
  const std::size_t n = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
  if (width > n) {
    std::memset(out, ' ', width - n);
    out += width - n;
  }
  std::memcpy(out, digits, n);
  return out + n;
}

DecimalFormat::DecimalFormat(const char* format) {
  const std::string_view f(format);
  std::size_t longest = 0;
  std::size_t text_start = 0;
  for (std::size_t pos = f.find('%'); pos != std::string_view::npos; pos = f.find('%', text_start)) {
    std::size_t p = pos + 1;
    std::size_t width = 0;
    for (; p < f.size() && f[p] >= '0' && f[p] <= '9'; ++p) {
      // No line a program writes is this wide; a width past it could not be held.
      if (width > kWidestField) throw std::invalid_argument("a field wider than any line");
      width = width * 10 + static_cast<std::size_t>(f[p] - '0');
    }
    // A leading 0 is printf's flag for zeros, which no decimal format here asks for.
    if (p > pos + 1 && f[pos + 1] == '0') throw std::invalid_argument("a conversion other than %ld");
    if (f.substr(p, 2) != "ld") throw std::invalid_argument("a conversion other than %ld");
    fields_.push_back(Field{f.substr(text_start, pos - text_start), width});
    longest += pos - text_start + std::max(width, kLongDigits);
    text_start = p + 2;
  }
  tail_ = f.substr(text_start);
  longest += tail_.size();
  line_.resize(longest);
}

std::string_view DecimalFormat::fill(const long* values, std::size_t count) {
  if (count != fields_.size()) throw std::invalid_argument("values not one a conversion");
  char* const start = line_.data();
  char* p = start;
  for (std::size_t i = 0; i < count; ++i) {
    std::memcpy(p, fields_[i].before.data(), fields_[i].before.size());
    p = put_decimal(p + fields_[i].before.size(), values[i], fields_[i].width);
  }
  std::memcpy(p, tail_.data(), tail_.size());
  p += tail_.size();
  return std::string_view(start, static_cast<std::size_t>(p - start));
}

void DecimalFormat::print_values(MessageWriter& out, const long* values, std::size_t count) {
  out.write(fill(values, count));
}

}  // namespace platform
