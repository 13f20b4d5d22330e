// Big5 character slots: every character that can begin a phrase owns one slot, the index of its
// bucket in the phrase table and of its half-offset in the dictionary file.
#pragma once

#include <cstdint>

namespace phrase_tool {

struct Big5Char {
  std::uint8_t lead;
  std::uint8_t trail;
  friend constexpr bool operator==(Big5Char, Big5Char) = default;
};

// 157 positions per lead byte: 63 for trail bytes 0x40..0x7E, then 94 for 0xA1..0xFE.
constexpr int kFirstLead = 0xA4;
constexpr int kLastLead = 0xFE;
constexpr int kLowTrailFirst = 0x40;
constexpr int kLowTrailLast = 0x7E;
constexpr int kHighTrailFirst = 0xA1;
constexpr int kHighTrailLast = 0xFE;
constexpr int kLowTrailCount = kLowTrailLast - kLowTrailFirst + 1;
constexpr int kSlotsPerLead = kLowTrailCount + (kHighTrailLast - kHighTrailFirst + 1);
static_assert(kLowTrailCount == 63 && kSlotsPerLead == 157);

// Slots 0..13468 hold buckets (lead 0xA4 trail 0x40 through lead 0xF9 trail 0xDD). The tables have
// one entry more: the end entry of the half-offset table.
constexpr int kSlotCount = 13469;
constexpr int kTableEntries = kSlotCount + 1;

// Inside a bucket bit 7 of a lead byte is a marker; every real lead byte has it set.
constexpr std::uint8_t kMarkBit = 0x80;

// The index of a character in the slot geometry, or -1. Indices from kSlotCount up (lead 0xF9
// trail 0xDE and later) exist but have no slot: see has_slot.
constexpr int slot_index(std::uint8_t lead, std::uint8_t trail) {
  if (lead >= kFirstLead && lead <= kLastLead && trail >= kLowTrailFirst && trail <= kLowTrailLast) {
    return (lead - kFirstLead) * kSlotsPerLead + (trail - kLowTrailFirst);
  }
  if (lead >= kFirstLead && lead <= kLastLead && trail >= kHighTrailFirst && trail <= kHighTrailLast) {
    return (lead - kFirstLead) * kSlotsPerLead + (trail - kHighTrailFirst) + kLowTrailCount;
  }
  return -1;
}

constexpr bool has_slot(int index) { return index >= 0 && index < kSlotCount; }

// The character of a slot (0 <= slot < kSlotCount).
constexpr Big5Char slot_character(int slot) {
  int r = slot % kSlotsPerLead;
  int trail = r < kLowTrailCount ? r + kLowTrailFirst : r - kLowTrailCount + kHighTrailFirst;
  return Big5Char{static_cast<std::uint8_t>(slot / kSlotsPerLead + kFirstLead),
                  static_cast<std::uint8_t>(trail)};
}

static_assert(slot_index(0xF9, 0xDD) == kSlotCount - 1);
static_assert(slot_character(62) == Big5Char{0xA4, 0x7E} && slot_character(63) == Big5Char{0xA4, 0xA1});

}  // namespace phrase_tool
