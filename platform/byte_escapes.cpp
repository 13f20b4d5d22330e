// Reading and writing the "\xHH" escapes.
#include "platform/byte_escapes.h"

namespace platform {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

std::optional<int> hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return std::nullopt;
}

}  // namespace

std::optional<std::uint8_t> escape_at(std::string_view text, std::size_t pos) {
  if (pos >= text.size() || text.size() - pos < kEscapeBytes || text[pos] != '\\' || text[pos + 1] != 'x') {
    return std::nullopt;
  }
  std::optional<int> high = hex_digit(text[pos + 2]);
  std::optional<int> low = hex_digit(text[pos + 3]);
  if (!high || !low) return std::nullopt;
  return static_cast<std::uint8_t>(*high * 16 + *low);
}

void append_escape(std::uint8_t byte, std::string& out) {
  out += "\\x";
  out.push_back(kDigits[byte >> 4]);
  out.push_back(kDigits[byte & 0x0F]);
}

}  // namespace platform
