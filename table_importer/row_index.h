// A set of row numbers found by what the caller hashes and compares: open addressing over one
// flat array, so that filing and finding 200,000 rows costs a few cache misses each and nothing
// to free one by one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace table_importer {

// FNV-1a over the bytes: short keys and phrases, hashed once each.
constexpr std::uint64_t hash_bytes(std::string_view bytes, std::uint64_t seed = 0xCBF29CE484222325) {
  std::uint64_t h = seed;
  for (char c : bytes) h = (h ^ static_cast<std::uint8_t>(c)) * 0x100000001B3;
  return h;
}

class RowIndex {
 public:
  // The row already filed under `hash` that `same` finds equal to the new one, or `row`, which is
  // then filed.
  template <typename Same>
  std::uint32_t file(std::uint32_t row, std::uint64_t hash, Same same) {
    // At most three slots in four are used, so that a search meets an empty slot soon.
    if ((used_ + 1) * 4 > slots_.size() * 3) grow();
    const std::uint32_t h = static_cast<std::uint32_t>(hash ^ hash >> 32);
    for (std::size_t at = h & (slots_.size() - 1);; at = (at + 1) & (slots_.size() - 1)) {
      Slot& slot = slots_[at];
      if (slot.row == kEmpty) {
        slot = {h, row};
        ++used_;
        return row;
      }
      if (slot.hash == h && same(slot.row)) return slot.row;
    }
  }

 private:
  struct Slot {
    std::uint32_t hash;
    std::uint32_t row;
  };
  static constexpr std::uint32_t kEmpty = UINT32_MAX;

  void grow() {
    std::vector<Slot> old(slots_.empty() ? 64 : slots_.size() * 2, Slot{0, kEmpty});
    old.swap(slots_);
    for (const Slot& s : old) {
      if (s.row == kEmpty) continue;
      std::size_t at = s.hash & (slots_.size() - 1);
      while (slots_[at].row != kEmpty) at = (at + 1) & (slots_.size() - 1);
      slots_[at] = s;
    }
  }

  std::vector<Slot> slots_;
  std::size_t used_ = 0;
};

}  // namespace table_importer
