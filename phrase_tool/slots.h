// Big5 character slots: every character that can begin a phrase owns one slot, the index of its
// bucket in the phrase table and of its half-offset in the dictionary file.
#pragma once

#include <cstdint>

#include "platform/big5.h"

namespace phrase_tool {

using platform::Big5Char;

// 157 positions per lead byte, as every Big5 row has them.
constexpr int kFirstLead = 0xA4;
constexpr int kLastLead = platform::kLastLead;
constexpr int kLowTrailFirst = platform::kLowTrailFirst;
constexpr int kLowTrailLast = platform::kLowTrailLast;
constexpr int kHighTrailFirst = platform::kHighTrailFirst;
constexpr int kHighTrailLast = platform::kHighTrailLast;
constexpr int kLowTrailCount = platform::kLowTrailCount;
constexpr int kSlotsPerLead = platform::kRowPositions;
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
