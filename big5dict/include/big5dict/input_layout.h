// The input dictionary file (KESTRAWN's .DBG) and its empty stub: where each header field lies, the
// key table and the trailer, the fixed texts, and the character hash that indexes the key table.
//
// DictHeader, 108 bytes at offset 0. Numbers are u32 little-endian; names end in a zero byte inside
// their field.
//
// OFFSET | SIZE | FIELD
// -------+------+------------------------------------------------------------------------------
//      0 |    1 | FormatByte: always 5
//      1 |   13 | EnglishName: the text in "(...)" of the header line, at most 12 bytes, then 0
//     14 |   13 | ChineseName: the text in "[...]" of the header line, at most 12 bytes, then 0
//     27 |   34 | NoticeText: a fixed notice of 33 characters and a zero byte
//     61 |    1 | DictKind: 1 ordinary, 0 empty stub, 2 ordinary with extra keys ("+")
//     62 |    4 | ShortName: two Big5 characters, no terminator
//     66 |    2 | zero
//     68 |    1 | KeyType: 0 Alpha, 1 Number, 2 AlphaNumerical
//     69 |    1 | MaxLen: the length digit's value; 0x20 in the empty stub
//     70 |    1 | UWOption: 1 for "U", 2 for "W", else 0
//     71 |    1 | SingleChar
//     72 |    1 | RangeFirst
//     73 |    1 | RangeLast
//     74 |    1 | QuStart: first Big5 row, low 8 bits as written; 161 when not given
//     75 |    1 | QuEnd: last Big5 row, low 8 bits as written; 249 when not given
//     76 |   32 | PlaceValues: 8 u32, the weight of each key position, unused ones 0
//
// The full file: the header, the key table of 19782 u32 slots, then the 82-byte trailer.
//
// OFFSET | SIZE  | PART
// -------+-------+------------------------------------------------------------------------------
//      0 |   108 | DictHeader
//    108 | 79128 | Key: slot h holds the key code of the character whose hash is h, else 0
//  79236 |    82 | trailer: a 44-character notice, then 38 zero bytes
//
// The empty stub: header bytes 0..75 (DictKind 0, MaxLen 0x20), then 54 bytes of text naming the
// phrase dictionary the text system needs instead; 130 bytes in all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "big5dict/big5.h"

namespace big5dict::input {

constexpr std::size_t kFormatByteOffset = 0;
constexpr std::size_t kEnglishNameOffset = 1;
constexpr std::size_t kChineseNameOffset = 14;
constexpr std::size_t kNameBytes = 13;
constexpr std::size_t kNameMaxText = kNameBytes - 1;  // a name keeps room for its zero byte
constexpr std::size_t kNoticeTextOffset = 27;
constexpr std::size_t kNoticeTextBytes = 34;
constexpr std::size_t kDictKindOffset = 61;
constexpr std::size_t kShortNameOffset = 62;
constexpr std::size_t kShortNameBytes = 4;
constexpr std::size_t kZeroPadOffset = 66;
constexpr std::size_t kZeroPadBytes = 2;
constexpr std::size_t kKeyTypeOffset = 68;
constexpr std::size_t kMaxLenOffset = 69;
constexpr std::size_t kUWOptionOffset = 70;
constexpr std::size_t kSingleCharOffset = 71;
constexpr std::size_t kRangeFirstOffset = 72;
constexpr std::size_t kRangeLastOffset = 73;
constexpr std::size_t kQuStartOffset = 74;
constexpr std::size_t kQuEndOffset = 75;
constexpr std::size_t kPlaceValuesOffset = 76;
constexpr std::size_t kPlaceValueCount = 8;
constexpr std::size_t kPlaceValueBytes = 4;
constexpr std::size_t kHeaderBytes = 108;

constexpr std::size_t kSlotCount = 19782;
constexpr std::size_t kSlotBytes = 4;
constexpr std::size_t kKeyTableOffset = kHeaderBytes;
constexpr std::size_t kTrailerOffset = kKeyTableOffset + kSlotCount * kSlotBytes;
constexpr std::size_t kTrailerBytes = 82;
constexpr std::size_t kFullFileBytes = kTrailerOffset + kTrailerBytes;

constexpr std::size_t kStubHeaderBytes = kPlaceValuesOffset;
constexpr std::size_t kStubTextBytes = 54;
constexpr std::size_t kStubFileBytes = kStubHeaderBytes + kStubTextBytes;

static_assert(kChineseNameOffset == kEnglishNameOffset + kNameBytes);
static_assert(kNoticeTextOffset == kChineseNameOffset + kNameBytes);
static_assert(kDictKindOffset == kNoticeTextOffset + kNoticeTextBytes);
static_assert(kShortNameOffset == kDictKindOffset + 1);
static_assert(kZeroPadOffset == kShortNameOffset + kShortNameBytes);
static_assert(kKeyTypeOffset == kZeroPadOffset + kZeroPadBytes);
static_assert(kQuEndOffset + 1 == kPlaceValuesOffset);
static_assert(kHeaderBytes == kPlaceValuesOffset + kPlaceValueCount * kPlaceValueBytes);
static_assert(kTrailerOffset == 79236);
static_assert(kFullFileBytes == 79318);
static_assert(kStubFileBytes == 130);

// Where slot `slot` of the key table lies in the file.
constexpr std::size_t slot_offset(std::size_t slot) { return kKeyTableOffset + slot * kSlotBytes; }

constexpr std::uint8_t kFormatByte = 5;
constexpr std::uint32_t kEndMarker = 0xFFFFFFFF;
constexpr std::uint8_t kDefaultQuStart = 161;
constexpr std::uint8_t kDefaultQuEnd = 249;
constexpr std::uint8_t kStubMaxLen = 0x20;

enum class DictKind : std::uint8_t { kEmptyStub = 0, kOrdinary = 1, kExtraKeys = 2 };

// Fixed texts of the file, the same in every file. The stub's text names the phrase dictionary the
// text system needs instead, OVCIZU and one character, between its two parts.
constexpr std::string_view kNotice = "Big5 input method key dictionary.";
constexpr std::string_view kTrailerNotice = "Slots hold u32 little-endian key codes; v1.0";
constexpr std::string_view kStubTextBefore = "\r\nThis Dictionary is Empty, Need OVCIZU";
constexpr std::string_view kStubTextAfter = ".DBG to Work. ";
static_assert(kNotice.size() == 33 && kNotice.size() < kNoticeTextBytes);
static_assert(kTrailerNotice.size() == 44 && kTrailerNotice.size() < kTrailerBytes);
static_assert(kStubTextBefore.size() + 1 + kStubTextAfter.size() == kStubTextBytes);
constexpr std::size_t kStubCharacterOffset = kStubHeaderBytes + kStubTextBefore.size();

// The hash has no slot when it is -1 (not a character of the table's rows) or kSlotCount and up.
constexpr int kNoHash = -1;

// The row a lead byte's slots start from: QuStart itself from 128 up, else QuStart + 128, so a
// table may give its rows as 161 or as 33 alike.
constexpr int base_row(std::uint8_t qu_start) { return qu_start >= 128 ? qu_start : qu_start + 128; }

// The index into the key table of a Big5 character, a row of 157 slots a lead byte from the base
// row on.
constexpr int character_hash(std::uint8_t lead, std::uint8_t trail, std::uint8_t qu_start) {
  const int base = base_row(qu_start);
  if (!is_lead_above_0x80(lead) || lead < base) return kNoHash;
  const int position = row_position(trail);
  if (position < 0) return kNoHash;
  return (lead - base) * kRowPositions + position;
}

// Whether a character hash lies inside the key table.
constexpr bool has_slot(int hash) { return hash >= 0 && hash < static_cast<int>(kSlotCount); }

// The character whose hash is `hash` (0 <= hash); its lead byte may lie past 0xFF, where no
// character of a line can reach, so it comes back as a number beside the trail byte.
struct HashedCharacter {
  int lead;
  std::uint8_t trail;
  // Only a lead byte above 0x80 and within a byte gets a slot from a line's character.
  constexpr bool is_character() const { return lead > 0x80 && lead <= 0xFF; }
};
// The character of a hash under the table's first row `qu_start`.
constexpr HashedCharacter hashed_character(int hash, std::uint8_t qu_start) {
  return {base_row(qu_start) + hash / kRowPositions, position_trail(hash % kRowPositions)};
}
static_assert(hashed_character(character_hash(0xA4, 0xA1, 161), 161).lead == 0xA4);
static_assert(hashed_character(character_hash(0xA4, 0xA1, 161), 161).trail == 0xA1);

}  // namespace big5dict::input
