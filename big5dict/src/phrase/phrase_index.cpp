// The index of a sound bucket: its entries in an open-addressed table by their stored characters.
#include "big5dict/phrase_index.h"

#include <algorithm>

#include "big5dict/phrase_entry.h"
#include "big5dict/phrase_layout.h"

namespace big5dict::phrase {

namespace {

// Positions are kept as position + 1 in 16 bits.
constexpr std::size_t kLargestIndexedBucket = 0xFFFE;
constexpr std::size_t kSmallestTable = 4;

std::uint8_t byte_at(std::string_view bytes, std::size_t pos) { return static_cast<std::uint8_t>(bytes[pos]); }

// 16 bits of the tail's hash: they choose the cell where its search starts, and tell most other
// tails apart before any byte of the bucket is compared.
std::uint32_t tail_hash(std::string_view tail) {
  std::uint32_t h = 2166136261u;
  for (char c : tail) h = (h ^ static_cast<std::uint8_t>(c)) * 16777619u;
  h ^= h >> 16;
  h *= 0x45D9F3Bu;
  h ^= h >> 16;
  return h & 0xFFFF;
}

// Where the long entry whose first stored character stands at `first` ends, in a bucket whose
// entries are whole.
std::size_t long_end(std::string_view bucket, std::size_t first) {
  std::size_t pos = first + kCharacterBytes;
  while (pos < bucket.size() && byte_at(bucket, pos) < kMarkBit) pos += kCharacterBytes;
  return pos;
}

// The stored characters of the entry at `pos` of a sound bucket.
std::string_view tail_at(std::string_view bucket, std::size_t pos) {
  const std::size_t first = pos + kFrequencyUnitBytes;
  if (byte_at(bucket, first) < kMarkBit) return bucket.substr(first, kCharacterBytes);
  return bucket.substr(first, long_end(bucket, first) - first);
}

// The entry at `pos` holds exactly `tail`: the same bytes, and the entry ends where they do.
bool holds_entry(std::string_view bucket, std::size_t pos, std::string_view tail) {
  const std::size_t first = pos + kFrequencyUnitBytes;
  const std::size_t end = first + tail.size();
  return end <= bucket.size() && bucket.compare(first, tail.size(), tail) == 0 &&
         (end == bucket.size() || byte_at(bucket, end) >= kMarkBit);
}

// Whether `entry` is a whole entry of the form a sound bucket holds, and which kind.
std::optional<EntryKind> sound_entry(std::string_view entry) {
  if (entry.size() < kTwoCharacterEntryBytes || entry.size() % kCharacterBytes != 0) return std::nullopt;
  if (entry.find('\0') != std::string_view::npos || byte_at(entry, 0) < kMarkBit) return std::nullopt;
  if (!indexable_tail(entry.substr(kFrequencyUnitBytes))) return std::nullopt;
  return kind_of_tail(entry.substr(kFrequencyUnitBytes));
}

}  // namespace

bool indexable_tail(std::string_view tail) {
  if (tail.size() < kCharacterBytes || tail.size() % kCharacterBytes != 0) return false;
  if (tail.find('\0') != std::string_view::npos) return false;
  if (tail.size() == kCharacterBytes) return byte_at(tail, 0) < kMarkBit;
  if (byte_at(tail, 0) <= kMarkBit) return false;
  for (std::size_t pos = kCharacterBytes; pos < tail.size(); pos += kCharacterBytes) {
    if (byte_at(tail, pos) >= kMarkBit) return false;
  }
  return true;
}

void BucketIndex::forget() {
  std::vector<std::uint32_t>().swap(cells_);
  entries_ = 0;
  two_character_entries_ = 0;
  sound_ = false;
  checked_ = false;
}

void BucketIndex::clear_cells(std::size_t capacity) {
  std::size_t size = kSmallestTable;
  while (size < capacity) size *= 2;
  cells_.assign(size, 0);
}

bool BucketIndex::build(std::string_view bucket) {
  forget();
  checked_ = true;
  const std::size_t length = bucket.size();
  if (length > kLargestIndexedBucket || length % kCharacterBytes != 0 ||
      bucket.find('\0') != std::string_view::npos) {
    return false;
  }
  // The leading run of two-character entries, then the long ones, every entry whole.
  std::size_t pos = 0;
  std::size_t two_character = 0;
  while (pos < length && (pos + kFrequencyUnitBytes >= length || byte_at(bucket, pos + kFrequencyUnitBytes) <= kMarkBit)) {
    if (byte_at(bucket, pos) < kMarkBit || pos + kTwoCharacterEntryBytes > length ||
        byte_at(bucket, pos + kFrequencyUnitBytes) == kMarkBit) {
      return false;
    }
    pos += kTwoCharacterEntryBytes;
    ++two_character;
  }
  std::size_t count = two_character;
  while (pos < length) {
    if (byte_at(bucket, pos) < kMarkBit || pos + kTwoCharacterEntryBytes > length ||
        byte_at(bucket, pos + kFrequencyUnitBytes) <= kMarkBit) {
      return false;
    }
    pos = long_end(bucket, pos + kFrequencyUnitBytes);
    ++count;
  }
  clear_cells(count * 2);
  for (pos = 0; pos < length; pos += kFrequencyUnitBytes + tail_at(bucket, pos).size()) {
    place(tail_hash(tail_at(bucket, pos)), pos);
  }
  entries_ = static_cast<std::uint16_t>(count);
  two_character_entries_ = static_cast<std::uint16_t>(two_character);
  sound_ = true;
  return true;
}

void BucketIndex::place(std::uint32_t hash, std::size_t pos) {
  const std::size_t mask = cells_.size() - 1;
  std::size_t i = hash & mask;
  while (cells_[i] != 0) i = (i + 1) & mask;
  cells_[i] = (hash << 16) | static_cast<std::uint32_t>(pos + 1);
}

void BucketIndex::shift_from(std::size_t pos, std::ptrdiff_t by) {
  // Every cell whose entry starts at `pos` or later; an empty cell reads as position -1.
  const auto from = static_cast<std::uint32_t>(pos + 1);
  const auto step = static_cast<std::uint32_t>(by);
  // Without a branch, so that the loop goes several cells at a time.
  for (std::uint32_t& cell : cells_) cell += step & (0u - static_cast<std::uint32_t>((cell & kPositionMask) >= from));
}

std::optional<BucketSearch> BucketIndex::find(std::string_view bucket, std::string_view tail) const {
  if (!sound_ || !indexable_tail(tail)) return std::nullopt;
  const bool two_character = kind_of_tail(tail) == EntryKind::kTwoCharacter;
  BucketSearch search;
  const std::size_t long_entries = std::size_t{two_character_entries_} * kTwoCharacterEntryBytes;
  const std::uint32_t hash = tail_hash(tail);
  const std::size_t mask = cells_.size() - 1;
  // A bucket may hold the same phrase twice: the walk finds the first.
  for (std::size_t i = hash & mask; cells_[i] != 0; i = (i + 1) & mask) {
    if ((cells_[i] >> 16) != hash) continue;
    const std::size_t pos = (cells_[i] & kPositionMask) - 1;
    if (pos < search.found && holds_entry(bucket, pos, tail)) search.found = pos;
  }
  // The walk of a two-character tail says where the long entries begin only when it finds nothing.
  if (!two_character || search.found == kNoEntry) search.long_entries = long_entries;
  return search;
}

void BucketIndex::inserted(std::string_view bucket, std::size_t pos, std::string_view entry) {
  if (!sound_) return;
  const std::optional<EntryKind> kind = sound_entry(entry);
  const std::size_t long_entries = std::size_t{two_character_entries_} * kTwoCharacterEntryBytes;
  const std::size_t old_length = bucket.size() - entry.size();
  // A two-character entry keeps the bucket sound anywhere in the leading run, a long one right
  // after it or at the end.
  const bool keeps_order =
      kind == EntryKind::kTwoCharacter ? pos % kTwoCharacterEntryBytes == 0 && pos <= long_entries
                                       : pos == long_entries || pos == old_length;
  if (!kind || !keeps_order || bucket.size() > kLargestIndexedBucket) {
    forget();
    return;
  }
  // An entry added at the end moves no other.
  if (pos < old_length) shift_from(pos, static_cast<std::ptrdiff_t>(entry.size()));
  if ((std::size_t{entries_} + 1) * 4 > cells_.size() * 3) {
    build(bucket);
    return;
  }
  place(tail_hash(entry.substr(kFrequencyUnitBytes)), pos);
  ++entries_;
  if (kind == EntryKind::kTwoCharacter) ++two_character_entries_;
}

void BucketIndex::erasing(std::string_view bucket, std::size_t pos, std::size_t size) {
  if (!sound_) return;
  if (pos + kTwoCharacterEntryBytes > bucket.size()) {
    forget();
    return;
  }
  const std::string_view tail = tail_at(bucket, pos);
  const std::uint32_t hash = tail_hash(tail);
  const std::size_t mask = cells_.size() - 1;
  const std::uint32_t cell = (hash << 16) | static_cast<std::uint32_t>(pos + 1);
  std::size_t hole = hash & mask;
  while (cells_[hole] != 0 && cells_[hole] != cell) hole = (hole + 1) & mask;
  if (cells_[hole] == 0 || kFrequencyUnitBytes + tail.size() != size) {
    forget();
    return;
  }
  // Linear probing without tombstones: every later cell of the run that may stand in the hole
  // moves back into it.
  for (std::size_t next = (hole + 1) & mask; cells_[next] != 0; next = (next + 1) & mask) {
    const std::size_t home = (cells_[next] >> 16) & mask;
    const bool stays = hole <= next ? hole < home && home <= next : hole < home || home <= next;
    if (stays) continue;
    cells_[hole] = cells_[next];
    hole = next;
  }
  cells_[hole] = 0;
  --entries_;
  if (byte_at(tail, 0) < kMarkBit) --two_character_entries_;
  if (pos + size < bucket.size()) shift_from(pos + 1, -static_cast<std::ptrdiff_t>(size));
}

}  // namespace big5dict::phrase
