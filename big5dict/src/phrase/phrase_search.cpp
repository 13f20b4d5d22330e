// The walk through a bucket for one stored tail.
#include "big5dict/phrase_search.h"

#include <cstdint>

#include "big5dict/phrase_entry.h"
#include "big5dict/phrase_layout.h"

namespace big5dict::phrase {

namespace {

// A bucket as the editor walks it: every position at or past its end reads as the NUL that ends
// it in memory, so no walk, however damaged the bucket, reads beyond it. A bucket of the table
// holds no NUL.
class BucketView {
 public:
  explicit BucketView(std::string_view bytes) : bytes_(bytes) {}

  std::size_t length() const { return bytes_.size(); }
  std::uint8_t at(std::size_t pos) const {
    return pos < bytes_.size() ? static_cast<std::uint8_t>(bytes_[pos]) : 0;
  }
  bool starts_entry(std::size_t pos) const { return at(pos) >= kMarkBit; }
  // The unit at `pos` ends the entry before it: the bucket's end or the next entry's F1.
  bool ends_entry(std::size_t pos) const { return at(pos) == 0 || starts_entry(pos); }
  bool is_long(std::size_t pos) const { return entry_kind(at(pos + kFrequencyUnitBytes)) == EntryKind::kLong; }
  bool holds_at(std::size_t pos, std::string_view tail) const {
    return pos <= bytes_.size() && bytes_.substr(pos, tail.size()) == tail;
  }

 private:
  std::string_view bytes_;
};

// Where the long entries begin, the two-character ones up to `pos` being known.
std::size_t long_entries_from(const BucketView& bucket, std::size_t pos) {
  while (bucket.at(pos) != 0 && !bucket.is_long(pos)) pos += kTwoCharacterEntryBytes;
  return pos < bucket.length() ? pos : bucket.length();
}

// Two-character entries stand first and are 4 bytes each, so a fixed-stride walk finds them. The
// walk notes where the long entries begin as it passes, so that an addition need not walk again.
BucketSearch find_two_character(const BucketView& bucket, std::string_view tail) {
  BucketSearch search;
  if (bucket.length() == 0 || bucket.is_long(0)) return search;
  std::size_t long_entries = kNoEntry;
  std::size_t pos = 0;
  for (; bucket.at(pos) != 0 && pos < bucket.length(); pos += kTwoCharacterEntryBytes) {
    if (long_entries == kNoEntry && bucket.is_long(pos)) long_entries = pos;
    if (!bucket.starts_entry(pos)) ++search.unmarked_entries[0];
    if (!bucket.ends_entry(pos + kTwoCharacterEntryBytes)) break;  // a long entry
    if (bucket.holds_at(pos + kFrequencyUnitBytes, tail)) {
      search.found = pos;
      return search;
    }
  }
  search.long_entries = long_entries != kNoEntry ? long_entries : long_entries_from(bucket, pos);
  return search;
}

// A long phrase is looked for among the long entries only, and matches a whole entry: its tail
// must end exactly where the entry does.
BucketSearch find_long(const BucketView& bucket, std::string_view tail) {
  BucketSearch search;
  std::size_t pos = 0;
  while (bucket.at(pos) != 0) {
    if (!bucket.starts_entry(pos)) ++search.unmarked_entries[1];
    if (bucket.is_long(pos)) break;
    pos += kTwoCharacterEntryBytes;
  }
  search.long_entries = pos < bucket.length() ? pos : bucket.length();
  while (bucket.at(pos) != 0 && pos < bucket.length()) {
    if (!bucket.starts_entry(pos)) ++search.unmarked_entries[2];
    if (bucket.ends_entry(pos + kFrequencyUnitBytes + tail.size()) && bucket.holds_at(pos + kFrequencyUnitBytes, tail)) {
      search.found = pos;
      return search;
    }
    pos += kTwoCharacterEntryBytes;
    while (!bucket.ends_entry(pos)) pos += kCharacterBytes;
  }
  return search;
}

}  // namespace

BucketSearch walk_bucket(std::string_view bytes, std::string_view tail) {
  const BucketView bucket(bytes);
  BucketSearch search = kind_of_tail(tail) == EntryKind::kTwoCharacter ? find_two_character(bucket, tail)
                                                                        : find_long(bucket, tail);
  if (search.found != kNoEntry &&
      (bucket.at(search.found) == 0 || search.found + kFrequencyUnitBytes > bucket.length())) {
    search.found = kNoEntry;
  }
  return search;
}

}  // namespace big5dict::phrase
