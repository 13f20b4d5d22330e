// A CiZu key's two forms: the bucket its line hashes to, taken from the key bytes as they stand
// once the line's leading capitals are folded, and the stored key, folded and shifted byte by byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "big5dict/ascii.h"
#include "big5dict/hashed_layout.h"

namespace big5dict::hashed {

// Whether a folded source byte is kept in a stored key (0x21..0x7E, as the hash takes them).
constexpr bool is_key_byte(std::uint8_t b) { return b >= kFirstKeyByte && b <= kLastKeyByte; }

// The stored form of one source key byte, or nothing when the byte is dropped.
constexpr std::optional<std::uint8_t> stored_key_byte(std::uint8_t source) {
  const std::uint8_t folded = to_ascii_lower(source);
  if (!is_key_byte(folded)) return std::nullopt;
  return static_cast<std::uint8_t>(folded - kStoredKeyShift);
}

// Appends the stored form of every byte of `key` that is kept.
void append_stored_key(std::string_view key, std::string& out);

// Folds the run of 'A'..'Z' that begins the line to lower case and leaves the rest as it is, so
// ABC and Abc hash like abc while aBc hashes as written.
void fold_leading_capitals(std::string& line);

// The bucket of a line, taken from its key bytes as they stand (no folding here): the sum over
// positions p = 1, 2, ... of (b | p) * (b ^ p), stopping at the first byte outside 0x21..0x7E,
// modulo the bucket count. Every term is positive, so the remainder is taken as it goes and the
// value is the exact sum's remainder for a key of any length; a term stays below 2^42 for the
// positions of the longest line a reader takes.
std::size_t key_hash(std::string_view line);

// The term of key byte `b` at position `p` (from 1), modulo the bucket count: the spelling search
// sums the same terms to find a spelling of a stored key that reaches its bucket.
constexpr std::size_t key_hash_term(std::uint8_t b, std::uint64_t p) {
  return static_cast<std::size_t>(((b | p) * (b ^ p)) % kBucketCount);
}

}  // namespace big5dict::hashed
