// "\xHH": how the UTF-8 text of a dictionary spells a byte that stands for no character there, so
// that the way back to Big5 restores the byte itself. DBGVIEW writes the escapes, B5IMPORT reads
// them; both go by these two functions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

constexpr std::size_t kEscapeBytes = 4;  // the backslash, "x" and two hexadecimal digits

// The byte that the escape at `pos` stands for; nothing when no escape begins there (a "\x"
// without two hexadecimal digits behind it is text). Digits of either case are taken.
std::optional<std::uint8_t> escape_at(std::string_view text, std::size_t pos);

// Appends the escape of `byte`, with capital digits.
void append_escape(std::uint8_t byte, std::string& out);

}  // namespace platform
