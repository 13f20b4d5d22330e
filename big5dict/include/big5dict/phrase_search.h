// Looking a stored tail up in a bucket by walking it: the editor's reference search, which every
// other way of finding an entry must answer as.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace big5dict::phrase {

// The search stages, in the order a search passes them: a two-character phrase is looked for in
// the leading run (stage 1); a long phrase first skips that run (stage 2), then walks the long
// entries (stage 3).
constexpr std::size_t kSearchStages = 3;

constexpr std::size_t kNoEntry = static_cast<std::size_t>(-1);

struct BucketSearch {
  // Where the entry found starts, or kNoEntry.
  std::size_t found = kNoEntry;
  // Where the long entries begin, the place of a new entry that goes after the two-character
  // ones; said only when nothing is found.
  std::size_t long_entries = 0;
  // Entries the search met that begin with no frequency unit (a byte below 0x80), by stage; the
  // search goes on past each.
  std::array<int, kSearchStages> unmarked_entries{};

  bool operator==(const BucketSearch&) const = default;
};

// Walks `bucket` (no NUL in it; every position past its end reads as the NUL that ends it in
// memory) for the entry whose stored characters 2..k are `tail`, as the editor has always looked:
// a two-character tail in the leading run at a fixed stride, a long one among the long entries,
// matching whole entries only. However damaged the bucket, nothing beyond its end is read.
BucketSearch walk_bucket(std::string_view bucket, std::string_view tail);

}  // namespace big5dict::phrase
