// Filling printf-style formats into the writer's buffer.
#include "platform/message_writer.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace platform {

namespace {

struct Conversion {
  bool left = false;
  bool zeros = false;
  std::size_t width = 0;
  char letter = 0;
};

bool is_length_letter(char c) { return c == 'l' || c == 'z' || c == 'h'; }

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

void MessageWriter::print_list(const char* format, const FormatArg* args, std::size_t count) {
  std::size_t next = 0;
  for (const char* p = format; *p != '\0'; ++p) {
    if (*p != '%') {
      // The text up to the next conversion goes in at once.
      const char* end = p;
      while (*end != '\0' && *end != '%') ++end;
      write(std::string_view(p, static_cast<std::size_t>(end - p)));
      p = end - 1;
      continue;
    }
    Conversion conv;
    for (++p; *p == '-' || *p == '0'; ++p) (*p == '-' ? conv.left : conv.zeros) = true;
    for (; *p >= '0' && *p <= '9'; ++p) conv.width = conv.width * 10 + static_cast<std::size_t>(*p - '0');
    while (is_length_letter(*p)) ++p;
    conv.letter = *p;
    if (conv.letter == '\0') return;
    if (conv.letter == '%') {
      put('%');
      continue;
    }
    const FormatArg& arg = args[next < count ? next++ : count];

    char digits[24];
    std::string_view field;
    char c = 0;
    switch (conv.letter) {
      case 's':
        field = arg.text();
        break;
      case 'c':
        c = static_cast<char>(static_cast<unsigned char>(arg.number()));
        field = std::string_view(&c, 1);
        break;
      case 'u':
        field = std::string_view(digits, static_cast<std::size_t>(
            std::to_chars(digits, digits + sizeof digits, static_cast<unsigned long long>(arg.number())).ptr - digits));
        break;
      default:  // d and i
        field = std::string_view(digits, static_cast<std::size_t>(
            std::to_chars(digits, digits + sizeof digits, arg.number()).ptr - digits));
        break;
    }
    std::size_t fill = conv.width > field.size() ? conv.width - field.size() : 0;
    bool numeric = conv.letter != 's' && conv.letter != 'c';
    if (conv.left) {
      write(field);
      pad(fill, ' ');
    } else if (conv.zeros && numeric) {
      if (!field.empty() && field[0] == '-') {
        put('-');
        field.remove_prefix(1);
      }
      pad(fill, '0');
      write(field);
    } else {
      pad(fill, ' ');
      write(field);
    }
  }
}

}  // namespace platform
