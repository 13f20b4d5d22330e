// The input dictionary file: its header, the key table indexed by the character hash, the final
// pass that sets the end marker, and the bytes of the full file and of the empty stub.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "big5dict/big5.h"
#include "platform/message_writer.h"

namespace input_table_converter {

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
constexpr std::size_t kFormatByteOffset = 0;
constexpr std::size_t kEnglishNameOffset = 1;
constexpr std::size_t kChineseNameOffset = 14;
constexpr std::size_t kNameBytes = 13;
constexpr std::size_t kNameMaxText = kNameBytes - 1;
constexpr std::size_t kNoticeTextOffset = 27;
constexpr std::size_t kNoticeTextBytes = 34;
constexpr std::size_t kDictKindOffset = 61;
constexpr std::size_t kShortNameOffset = 62;
constexpr std::size_t kShortNameBytes = 4;
constexpr std::size_t kZeroPadOffset = 66;
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
static_assert(kZeroPadOffset == kShortNameOffset + kShortNameBytes);
static_assert(kKeyTypeOffset == kZeroPadOffset + 2);
static_assert(kHeaderBytes == kPlaceValuesOffset + kPlaceValueCount * 4);
static_assert(kTrailerOffset == 79236);
static_assert(kFullFileBytes == 79318);
static_assert(kStubFileBytes == 130);

constexpr std::uint8_t kFormatByte = 5;
constexpr std::uint32_t kEndMarker = 0xFFFFFFFF;
constexpr std::uint8_t kDefaultQuStart = 161;
constexpr std::uint8_t kDefaultQuEnd = 249;
constexpr std::uint8_t kStubMaxLen = 0x20;

// Fixed texts of the file, the same in every file.
constexpr char kNoticeText[] = "Big5 input method key dictionary.";
constexpr char kTrailerNotice[] = "Slots hold u32 little-endian key codes; v1.0";
constexpr char kStubText[] = "\r\nThis Dictionary is Empty, Need OVCIZU%c.DBG to Work. ";
static_assert(std::string_view(kNoticeText).size() == 33);
static_assert(std::string_view(kNoticeText).size() < kNoticeTextBytes);
static_assert(std::string_view(kTrailerNotice).size() == 44);
static_assert(std::string_view(kStubText).size() - 1 == kStubTextBytes);  // "%c" becomes one byte

enum class DictKind : std::uint8_t { kEmptyStub = 0, kOrdinary = 1, kExtraKeys = 2 };

using NameField = std::array<std::uint8_t, kNameBytes>;

// The header fields in memory, with their initial contents; the header line overwrites what it
// supplies. The notice text is not held: it never changes.
struct DictHeader {
  NameField english_name = {'E', 'n', 'g', 'l', 'i', 's', 'h', 0, 0, 0, 0, 0, 0};
  NameField chinese_name = {'C', 'h', 'i', 'n', 'e', 's', 'e', 0, 0, 0, 0, 0, 0};
  DictKind dict_kind = DictKind::kOrdinary;
  std::array<std::uint8_t, kShortNameBytes> short_name = {'N', 'A', 'M', 'E'};
  std::uint8_t key_type = 0;
  std::uint8_t max_len = 0;
  std::uint8_t uw_option = 0;
  std::uint8_t single_char = 0;
  std::uint8_t range_first = 0;
  std::uint8_t range_last = 0;
  std::uint8_t qu_start = kDefaultQuStart;
  std::uint8_t qu_end = kDefaultQuEnd;
  std::array<std::uint32_t, kPlaceValueCount> place_values{};
};

// Slots 0..19781 and one spare behind them that takes the end marker when the highest used slot
// is the last one; the spare never reaches the file.
class KeyTable {
 public:
  static constexpr std::size_t kSpareSlot = kSlotCount;

  KeyTable() : slots_(kSlotCount + 1, 0) {}

  std::uint32_t operator[](std::size_t slot) const { return slots_[slot]; }
  std::uint32_t& operator[](std::size_t slot) { return slots_[slot]; }

 private:
  std::vector<std::uint32_t> slots_;
};

// The hash has no slot when it is -1 (not a character of the table's rows) or kSlotCount and up.
constexpr int kNoHash = -1;

// The row a lead byte's slots start from: QuStart itself from 128 up, else QuStart + 128, so a
// table may give its rows as 161 or as 33 alike.
constexpr int base_row(std::uint8_t qu_start) { return qu_start >= 128 ? qu_start : qu_start + 128; }

// The index into the key table of a Big5 character, a row of 157 slots a lead byte from the base
// row on.
constexpr int character_hash(std::uint8_t lead, std::uint8_t trail, std::uint8_t qu_start) {
  int base = base_row(qu_start);
  if (!big5dict::is_lead_above_0x80(lead) || lead < base) return kNoHash;
  int position = big5dict::row_position(trail);
  if (position < 0) return kNoHash;
  return (lead - base) * big5dict::kRowPositions + position;
}

// The character whose hash is `hash` (0 <= hash); its lead byte may lie past 0xFF, where no
// character of a line can reach, so it comes back as a number beside the trail byte.
struct HashedCharacter {
  int lead;
  std::uint8_t trail;
};
constexpr HashedCharacter hashed_character(int hash, std::uint8_t qu_start) {
  return {base_row(qu_start) + hash / big5dict::kRowPositions, big5dict::position_trail(hash % big5dict::kRowPositions)};
}
static_assert(hashed_character(character_hash(0xA4, 0xA1, 161), 161).lead == 0xA4);
static_assert(hashed_character(character_hash(0xA4, 0xA1, 161), 161).trail == 0xA1);

constexpr bool has_slot(int hash) { return hash >= 0 && hash < static_cast<int>(kSlotCount); }

// After the last entry line: reports every slot holding 0xFFFFFFFF, then writes the end marker into
// the slot after the highest used one, unless that is slot 0 (or no slot is used).
void final_pass(KeyTable& key, platform::MessageWriter& out);

// The 108 header bytes, field by field.
std::array<std::uint8_t, kHeaderBytes> header_bytes(const DictHeader& header);

// The full file, kFullFileBytes long.
std::string full_file_bytes(const DictHeader& header, const KeyTable& key);

// The empty stub, kStubFileBytes long, naming OVCIZU<stub_character>.DBG.
std::string stub_file_bytes(const DictHeader& header, char stub_character);

}  // namespace input_table_converter
