// A set of row numbers found by what the caller hashes and compares: open addressing over one
// flat array, so that filing and finding 200,000 rows costs a few cache misses each and nothing
// to free one by one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace table_importer {

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

  // Asks the processor for the slot a search for `hash` starts at, ahead of the search.
  void prefetch(std::uint64_t hash) const {
    if (!slots_.empty()) __builtin_prefetch(&slots_[fold(hash) & (slots_.size() - 1)]);
  }

 private:
  static std::uint32_t fold(std::uint64_t hash) { return static_cast<std::uint32_t>(hash ^ hash >> 32); }

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
