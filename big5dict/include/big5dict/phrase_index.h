// An index of one bucket's entries, in memory only, so that the editor finds a phrase, and the
// place of a new one, without walking the bucket for every word.
//
// The index stands only for a sound bucket: under 65535 bytes, no NUL, every entry starting with
// an F1 of bit 7 set and whole, the two-character entries (F1 F2 L T, L below 0x80) first, then the
// long ones (F1 F2 L2 T2, L2 above 0x80, then characters whose lead bytes lie below 0x80). On such
// a bucket the walk finds the first entry whose stored characters equal the tail, and meets no
// unmarked entry, so a table of entries by their stored characters gives the walk's answer. Any
// other bucket, and any tail of a form the walk could match across entries, is left to the walk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "big5dict/phrase_search.h"

namespace big5dict::phrase {

class BucketIndex {
 public:
  // Indexes `bucket` when it is sound; says whether it is. An unsound bucket leaves the index
  // empty and not sound.
  bool build(std::string_view bucket);

  bool sound() const { return sound_; }
  // Whether the bucket was looked at since it last changed in a way the index could not follow.
  bool checked() const { return checked_; }

  // Forgets the bucket: it must be built again before it answers.
  void forget();

  // The walk's answer for `tail` on the indexed `bucket`, or nothing when the tail is of a form
  // that the index does not answer for.
  std::optional<BucketSearch> find(std::string_view bucket, std::string_view tail) const;

  // `bucket` now holds `entry` at `pos`, inserted there. The index follows when the bucket stays
  // sound, and forgets it otherwise.
  void inserted(std::string_view bucket, std::size_t pos, std::string_view entry);

  // The `size` bytes at `pos` of `bucket` are about to be erased. The index follows when they are
  // one whole entry, and forgets the bucket otherwise.
  void erasing(std::string_view bucket, std::size_t pos, std::size_t size);

  std::size_t entries() const { return entries_; }

 private:
  // A cell holds (tag << 16) | (position + 1); 0 is an empty cell.
  static constexpr std::uint32_t kPositionMask = 0xFFFF;

  void clear_cells(std::size_t capacity);
  void place(std::uint32_t hash, std::size_t pos);
  void shift_from(std::size_t pos, std::ptrdiff_t by);

  std::vector<std::uint32_t> cells_;
  std::uint16_t entries_ = 0;
  std::uint16_t two_character_entries_ = 0;
  bool sound_ = false;
  bool checked_ = false;
};

// Whether the index answers for `tail`: the form a phrase's stored characters take, a two-character
// tail with its lead below 0x80, a long one with its first lead above 0x80 and the later ones below
// 0x80, no NUL.
bool indexable_tail(std::string_view tail);

}  // namespace big5dict::phrase
