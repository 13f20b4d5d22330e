// Bytes of a file: little-endian numbers to and from them, one byte at a time, checked reads that
// refuse to pass the end of the bytes they are given, and the text a NUL ends. No file layout ever
// depends on the host's byte order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace big5dict {

// Writes a 16- or 32-bit number at `p` (2 or 4 bytes the caller holds), lowest byte first.
inline void put_u16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

inline void put_u32(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
  p[2] = static_cast<std::uint8_t>(v >> 16);
  p[3] = static_cast<std::uint8_t>(v >> 24);
}

// Reads the number whose lowest byte stands at `p` (2 or 4 bytes the caller holds).
inline std::uint16_t get_u16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t get_u32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// Checked reads from a block of outside bytes: a read that would pass the block's end throws
// instead of reading memory the block does not hold. The checks read only where the file's length
// was checked first, so a throw is a fault of the reader, never of the file.
// The byte, or the 32-bit number lowest byte first, at `offset`; throws std::out_of_range past the end.
inline std::uint8_t get_u8(std::string_view bytes, std::size_t offset) {
  if (offset >= bytes.size()) throw std::out_of_range("byte past the end of the bytes read");
  return static_cast<std::uint8_t>(bytes[offset]);
}

inline std::uint32_t get_u32(std::string_view bytes, std::size_t offset) {
  if (offset > bytes.size() || bytes.size() - offset < 4) throw std::out_of_range("word past the end of the bytes read");
  return get_u32(reinterpret_cast<const std::uint8_t*>(bytes.data()) + offset);
}

// The `size` bytes at `offset`, all of them inside the block.
inline std::string_view get_bytes(std::string_view bytes, std::size_t offset, std::size_t size) {
  if (offset > bytes.size() || bytes.size() - offset < size) throw std::out_of_range("bytes past the end of the bytes read");
  return bytes.substr(offset, size);
}

// The text of `bytes` up to its first NUL, all of it when it holds none: a NUL ends the text of a
// line, a name field and a bucket in memory.
constexpr std::string_view text_before_nul(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

// Appends a 16- or 32-bit number, lowest byte first.
inline void append_u16(std::string& out, std::uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}

inline void append_u32(std::string& out, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

}  // namespace big5dict
