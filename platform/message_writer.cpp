// Filling printf-style formats, into the writer's buffer or into a string.
#include "platform/message_writer.h"

#include <algorithm>
#include <charconv>
#include <cstdarg>
#include <cstdint>
#include <cstring>

namespace platform {

namespace {

enum class Length { kNone, kShort, kLong, kLongLong, kSize };

struct Conversion {
  bool left = false;
  bool zeros = false;
  std::size_t width = 0;
  Length length = Length::kNone;
  char letter = 0;
};

// A text being formatted into a string.
class StringOut {
 public:
  explicit StringOut(std::string& text) : text_(text) {}
  void write(std::string_view s) { text_.append(s); }
  void put(char c) { text_.push_back(c); }
  void pad(std::size_t n, char c) { text_.append(n, c); }

 private:
  std::string& text_;
};

long long signed_argument(Length length, va_list& args) {
  switch (length) {
    case Length::kLong: return va_arg(args, long);
    case Length::kLongLong: return va_arg(args, long long);
    case Length::kSize: return static_cast<long long>(va_arg(args, std::ptrdiff_t));
    case Length::kShort:
    case Length::kNone: break;
  }
  return va_arg(args, int);
}

unsigned long long unsigned_argument(Length length, va_list& args) {
  switch (length) {
    case Length::kLong: return va_arg(args, unsigned long);
    case Length::kLongLong: return va_arg(args, unsigned long long);
    case Length::kSize: return va_arg(args, std::size_t);
    case Length::kShort:
    case Length::kNone: break;
  }
  return va_arg(args, unsigned);
}

// The field of one conversion, padded to its width.
template <typename Out>
void put_field(Out& out, const Conversion& conv, std::string_view field, bool numeric) {
  const std::size_t fill = conv.width > field.size() ? conv.width - field.size() : 0;
  if (conv.left) {
    out.write(field);
    out.pad(fill, ' ');
  } else if (conv.zeros && numeric) {
    if (!field.empty() && field[0] == '-') {
      out.put('-');
      field.remove_prefix(1);
    }
    out.pad(fill, '0');
    out.write(field);
  } else {
    out.pad(fill, ' ');
    out.write(field);
  }
}

template <typename Out>
void fill(Out& out, const char* format, va_list& args) {
  for (const char* p = format; *p != '\0';) {
    if (*p != '%') {
      // The text up to the next conversion goes in at once.
      const char* end = std::strchr(p, '%');
      if (end == nullptr) end = p + std::strlen(p);
      out.write(std::string_view(p, static_cast<std::size_t>(end - p)));
      p = end;
      continue;
    }
    const char* start = p++;
    Conversion conv;
    for (; *p == '-' || *p == '0'; ++p) (*p == '-' ? conv.left : conv.zeros) = true;
    for (; *p >= '0' && *p <= '9'; ++p) conv.width = conv.width * 10 + static_cast<std::size_t>(*p - '0');
    if (*p == 'h') {
      conv.length = Length::kShort;
      while (*p == 'h') ++p;
    } else if (*p == 'l') {
      conv.length = p[1] == 'l' ? Length::kLongLong : Length::kLong;
      p += conv.length == Length::kLongLong ? 2 : 1;
    } else if (*p == 'z') {
      conv.length = Length::kSize;
      ++p;
    }
    conv.letter = *p;
    if (conv.letter == '\0') {
      out.write(start);  // a format cut inside a conversion shows what it holds
      return;
    }
    ++p;
    char digits[24];
    switch (conv.letter) {
      case '%':
        out.put('%');
        break;
      case 's': {
        const char* text = va_arg(args, const char*);
        put_field(out, conv, text != nullptr ? std::string_view(text) : std::string_view("(null)"), false);
        break;
      }
      case 'c': {
        const char c = static_cast<char>(static_cast<unsigned char>(va_arg(args, int)));
        put_field(out, conv, std::string_view(&c, 1), false);
        break;
      }
      case 'd':
      case 'i': {
        const auto end = std::to_chars(digits, digits + sizeof digits, signed_argument(conv.length, args)).ptr;
        put_field(out, conv, std::string_view(digits, static_cast<std::size_t>(end - digits)), true);
        break;
      }
      case 'u':
      case 'x':
      case 'X': {
        const int base = conv.letter == 'u' ? 10 : 16;
        const auto end = std::to_chars(digits, digits + sizeof digits, unsigned_argument(conv.length, args), base).ptr;
        if (conv.letter == 'X') std::transform(digits, end, digits, [](char c) { return c >= 'a' ? c - 'a' + 'A' : c; });
        put_field(out, conv, std::string_view(digits, static_cast<std::size_t>(end - digits)), true);
        break;
      }
      default:
        // No program writes another conversion (the compiler checks every format): shown as it is.
        out.write(std::string_view(start, static_cast<std::size_t>(p - start)));
        break;
    }
  }
}

}  // namespace

void MessageWriter::write(std::string_view text) {
  while (!text.empty()) {
    if (used_ == buffer_.size()) flush();
    const std::size_t n = std::min(text.size(), buffer_.size() - used_);
    std::memcpy(buffer_.data() + used_, text.data(), n);
    used_ += n;
    text.remove_prefix(n);
  }
}

void MessageWriter::pad(std::size_t n, char c) {
  while (n > 0) {
    if (used_ == buffer_.size()) flush();
    const std::size_t run = std::min(n, buffer_.size() - used_);
    std::memset(buffer_.data() + used_, c, run);
    used_ += run;
    n -= run;
  }
}

void MessageWriter::flush() {
  if (used_ == 0) return;
  out_.write(buffer_.data(), static_cast<std::streamsize>(used_));
  used_ = 0;
}

void MessageWriter::print(const char* format, ...) {
  va_list args;
  va_start(args, format);
  fill(*this, format, args);
  va_end(args);
}

std::string format(const char* format, ...) {
  std::string text;
  StringOut out(text);
  va_list args;
  va_start(args, format);
  fill(out, format, args);
  va_end(args);
  return text;
}

}  // namespace platform
