// The key hash, the stored key and the folding of a line's leading capitals.
#include "big5dict/hashed_key.h"

namespace big5dict::hashed {

void append_stored_key(std::string_view key, std::string& out) {
  for (char b : key) {
    if (auto stored = stored_key_byte(static_cast<std::uint8_t>(b))) out.push_back(static_cast<char>(*stored));
  }
}

void fold_leading_capitals(std::string& line) {
  for (char& c : line) {
    if (!is_ascii_capital(static_cast<std::uint8_t>(c))) break;
    c = to_ascii_lower(c);
  }
}

std::size_t key_hash(std::string_view line) {
  std::uint64_t sum = 0;
  std::uint64_t position = 0;
  for (char c : line) {
    const auto b = static_cast<std::uint8_t>(c);
    if (!is_key_byte(b)) break;
    ++position;
    sum = (sum + key_hash_term(b, position)) % kBucketCount;
  }
  return static_cast<std::size_t>(sum);
}

}  // namespace big5dict::hashed
