// Which rows are equal to an earlier one, found by sorting their hashes instead of filing them in
// a table: every pass goes through memory in order, so that 200,000 rows cost no cache miss each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace table_importer {

// A hash of short keys and phrases, eight bytes at a step, on top of `seed`.
inline std::uint32_t hash_bytes(std::string_view bytes, std::uint32_t seed = 0) {
  std::uint64_t h = seed ^ (bytes.size() * 0x9E3779B97F4A7C15);
  std::size_t pos = 0;
  for (; pos + 8 <= bytes.size(); pos += 8) {
    std::uint64_t chunk;
    std::memcpy(&chunk, bytes.data() + pos, 8);
    h = (h ^ chunk) * 0xBF58476D1CE4E5B9;
    h ^= h >> 31;
  }
  std::uint64_t tail = 0;
  std::memcpy(&tail, bytes.data() + pos, bytes.size() - pos);
  h = (h ^ tail) * 0x94D049BB133111EB;
  h ^= h >> 29;
  return static_cast<std::uint32_t>(h ^ h >> 32);
}

// Sorts `values` by the 32 bits above their low 32, keeping the order of those equal (LSD radix).
void sort_by_high_word(std::vector<std::uint64_t>& values);

// For each row, the row that stands first among those equal to it: the one of lowest rank, or
// of lowest number when `rank` is empty. `hashes[r]` is row r's hash; `same(a, b)` tells whether
// two rows of equal hashes are equal.
template <typename Same>
std::vector<std::uint32_t> first_of_equals(const std::vector<std::uint32_t>& hashes, const std::vector<std::uint32_t>& rank,
                                           Same same) {
  const auto rank_of = [&rank](std::uint32_t r) { return rank.empty() ? r : rank[r]; };
  std::vector<std::uint64_t> by_hash(hashes.size());
  for (std::size_t r = 0; r < hashes.size(); ++r) by_hash[r] = std::uint64_t{hashes[r]} << 32 | r;
  sort_by_high_word(by_hash);
  std::vector<std::uint32_t> first(hashes.size());
  std::vector<std::uint32_t> leaders;  // the distinct rows of one hash so far
  std::vector<std::uint32_t> matched;  // the leader each row of the hash is equal to
  for (std::size_t i = 0; i < by_hash.size();) {
    std::size_t end = i + 1;
    while (end < by_hash.size() && by_hash[end] >> 32 == by_hash[i] >> 32) ++end;
    if (end == i + 1) {  // a hash of its own: nothing to compare, and no row's bytes to fetch
      first[static_cast<std::uint32_t>(by_hash[i])] = static_cast<std::uint32_t>(by_hash[i]);
      i = end;
      continue;
    }
    leaders.clear();
    matched.clear();
    for (std::size_t k = i; k < end; ++k) {
      const auto row = static_cast<std::uint32_t>(by_hash[k]);
      std::size_t l = 0;
      while (l < leaders.size() && !same(leaders[l], row)) ++l;
      if (l == leaders.size()) {
        leaders.push_back(row);
      } else if (rank_of(row) < rank_of(leaders[l])) {
        leaders[l] = row;
      }
      matched.push_back(static_cast<std::uint32_t>(l));
    }
    for (std::size_t k = i; k < end; ++k) first[static_cast<std::uint32_t>(by_hash[k])] = leaders[matched[k - i]];
    i = end;
  }
  return first;
}

}  // namespace table_importer
