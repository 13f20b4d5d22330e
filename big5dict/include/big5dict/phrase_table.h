// The phrase table: one bucket per slot, owned for the whole run. An empty string and an absent
// bucket mean the same to every reader.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "big5dict/phrase_index.h"
#include "big5dict/phrase_layout.h"
#include "big5dict/phrase_search.h"

namespace big5dict::phrase {

// How the table finds an entry: through the index of each sound bucket of 512 bytes or more (a
// shorter one walks faster than it is indexed), through the index of every sound bucket (so that
// tests and fuzzing hold the index to the walk on small buckets too), or always by walking the
// bucket (the reference the index is held to).
enum class BucketLookup { kIndexed, kIndexedEveryBucket, kWalk };

class PhraseTable {
 public:
  explicit PhraseTable(BucketLookup lookup = BucketLookup::kIndexed)
      : buckets_(kTableEntries),
        indexes_(lookup == BucketLookup::kWalk ? 0 : kTableEntries),
        smallest_indexed_(lookup == BucketLookup::kIndexed ? kSmallestIndexedBucket : 0) {}

  static constexpr std::size_t kSmallestIndexedBucket = 512;

  // Stores a copy of `bytes` up to its first NUL as the slot's bucket, replacing the earlier one:
  // in memory a bucket is a NUL-terminated string, so a NUL inside loaded bytes ends it there,
  // at the start of the two-byte unit that holds it.
  void set_bucket(int slot, std::string_view bytes);

  // Inserts `bytes` (no NUL) into the slot's bucket at `pos`, or erases `n` bytes at `pos`: an
  // edit changes the bucket where it stands, never a copy of it.
  void insert(int slot, std::size_t pos, std::string_view bytes);
  void erase(int slot, std::size_t pos, std::size_t n);

  const std::string& bucket(int slot) const { return buckets_[static_cast<std::size_t>(slot)]; }

  // Frees the slot's bucket.
  void release(int slot);

  // The walk's answer for the stored characters `tail` in the slot's bucket (walk_bucket).
  BucketSearch search(int slot, std::string_view tail);

 private:
  std::vector<std::string> buckets_;
  std::vector<BucketIndex> indexes_;  // one a slot, or none when every search walks
  std::size_t smallest_indexed_;      // a shorter bucket is walked
};

}  // namespace big5dict::phrase
