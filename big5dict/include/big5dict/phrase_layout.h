// The phrase dictionary file (LEXMOOR's .DBG): the slots of the characters that begin phrases, the
// file's layout, the entries of a bucket and the header image held in memory.
//
// OFFSET | SIZE  | MEANING
// -------+-------+---------------------------------------------------------------------------
// 0      | 64    | identification field: NUL-terminated text beginning with "OVBig5CZ"
// 64     | 26940 | half-offset table H[0..13469], u16 little-endian: a bucket's byte offset
//        |       | from the start of the data area, divided by 2, modulo 65536; H[13469] ends
// 27004  | rest  | the data area: buckets of slots 0..13468 back to back, no separator
//
// Bucket i is ((H[i+1] - H[i]) mod 65536) * 2 bytes long; a bucket must stay under 16384 bytes,
// or the file cannot be read back. A bucket is a run of entries, two-character entries first:
//   F1 F2 tail   F1 has bit 7 set and marks the entry's start; F2 is carried, never examined;
//                the tail is the phrase's characters 2..k. For k = 2 its lead byte has bit 7
//                clear; for k >= 3 the first tail lead keeps bit 7 and the later ones have it clear.
//
// Every character that can begin a phrase owns a slot, the index of its bucket in the phrase table
// and of its half-offset in the file: 157 slots a lead byte from 0xA4, as every Big5 row has them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "big5dict/big5.h"

namespace big5dict::phrase {

constexpr int kFirstLead = 0xA4;
constexpr int kSlotsPerLead = kRowPositions;

// Slots 0..13468 hold buckets (lead 0xA4 trail 0x40 through lead 0xF9 trail 0xDD). The tables have
// one entry more: the end entry of the half-offset table.
constexpr int kSlotCount = 13469;
constexpr int kTableEntries = kSlotCount + 1;

// Inside a bucket bit 7 of a lead byte is a marker; every real lead byte has it set.
constexpr std::uint8_t kMarkBit = 0x80;

// The index of a character in the slot geometry, or -1. Indices from kSlotCount up (lead 0xF9
// trail 0xDE and later) exist but have no slot: see has_slot.
constexpr int slot_index(std::uint8_t lead, std::uint8_t trail) {
  if (lead < kFirstLead || lead > kLastLead || row_position(trail) < 0) return -1;
  return (lead - kFirstLead) * kSlotsPerLead + row_position(trail);
}

// Whether an index of the slot geometry owns a bucket.
constexpr bool has_slot(int index) { return index >= 0 && index < kSlotCount; }

// The character of a slot (0 <= slot < kSlotCount).
constexpr Big5Char slot_character(int slot) {
  return Big5Char{static_cast<std::uint8_t>(slot / kSlotsPerLead + kFirstLead), position_trail(slot % kSlotsPerLead)};
}

static_assert(slot_index(0xF9, 0xDD) == kSlotCount - 1);
static_assert(slot_character(62) == Big5Char{0xA4, 0x7E} && slot_character(63) == Big5Char{0xA4, 0xA1});

constexpr std::size_t kIdentificationBytes = 64;
constexpr std::size_t kHalfOffsetBytes = 2;
constexpr std::size_t kHeaderBytes = kIdentificationBytes + kTableEntries * kHalfOffsetBytes;
static_assert(kHeaderBytes == 27004);

constexpr std::size_t kBucketLimit = 16384;  // every bucket is shorter than this
constexpr std::size_t kMaxPhraseBytes = 40;  // 20 Big5 characters
constexpr std::size_t kCharacterBytes = 2;
constexpr std::size_t kMaxPhraseCharacters = kMaxPhraseBytes / kCharacterBytes;

// The largest file a phrase dictionary can be: every bucket one byte pair short of the limit.
constexpr std::uint64_t kLargestFile = kHeaderBytes + static_cast<std::uint64_t>(kSlotCount) * kBucketLimit;
static_assert(kLargestFile == 220'703'100);

constexpr char kTag[] = "OVBig5CZ";
// The built-in identification text: the tag and a notice, 61 characters, NUL at offset 61, and
// the value 500 in the field's last two bytes.
constexpr char kBuiltInIdentification[] =
    "OVBig5CZ Orvane Big5 phrase dictionary, kept with LEXMOOR 5.0";
static_assert(sizeof kBuiltInIdentification - 1 == 61);
constexpr std::uint16_t kBuiltInTrailerValue = 500;

// An entry: its frequency unit, then the stored characters 2..k of its phrase.
constexpr std::size_t kFrequencyUnitBytes = 2;
constexpr std::size_t kTwoCharacterEntryBytes = kFrequencyUnitBytes + kCharacterBytes;

// Frequency unit of a new entry: F1 0x88, F2 0x8A minus the tail's byte length.
constexpr std::uint8_t kNewEntryF1 = 0x88;
constexpr std::uint8_t new_entry_f2(std::size_t tail_bytes) {
  return static_cast<std::uint8_t>(0x8A - tail_bytes);
}

// The 27004-byte header block, in memory exactly as in the file.
class HeaderImage {
 public:
  // The built-in identification field and all half-offsets 0.
  HeaderImage();

  // The 27004 bytes, to read a file's header into or to write it from.
  std::uint8_t* data() { return bytes_.data(); }
  const std::uint8_t* data() const { return bytes_.data(); }
  static constexpr std::size_t size() { return kHeaderBytes; }

  // Half-offset `entry` (0 <= entry < kTableEntries), little-endian at 64 + 2 * entry.
  std::uint16_t half_offset(int entry) const;
  void set_half_offset(int entry, std::uint16_t value);

  // ((H[slot+1] - H[slot]) mod 65536) * 2.
  std::size_t bucket_length(int slot) const;

  // The identification field's bytes up to its NUL (all 64 when it has none).
  std::string identification_text() const;

 private:
  std::array<std::uint8_t, kHeaderBytes> bytes_;
};

}  // namespace big5dict::phrase
