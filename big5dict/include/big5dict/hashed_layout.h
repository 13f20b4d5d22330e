// The hashed phrase dictionary (TOMBRAL's DBG file): a hash table on disk from ASCII key codes to
// Big5 phrases. All words are unsigned 32-bit little-endian.
//
//   OFFSET              | SIZE | MEANING
//   --------------------+------+----------------------------------------------------------------
//   0                   | 4    | word 0: kMagic
//   4 * k, k = 1..9999  | 4    | word k: kMagic + total length of buckets 0..k-1, modulo 2^32
//   40000               | rest | bucket 0, bucket 1, ... bucket 9998, back to back, no padding
//
// Bucket k occupies data-area bytes [word k - word 0, word k+1 - word 0). There is one header word
// more than there are buckets, so word 9999 - word 0 is the length of the whole data area.
//
// A bucket is the records of the lines that hashed to it, in line order, joined by exactly one
// 0x00: none before the first record, none after the last; an empty record still takes its place.
//
// A record is the stored key, then the phrases:
//   stored key  one byte per kept key byte: 'A'..'Z' folded to lower case, then a byte in
//               0x21..0x7E stored minus 0x20 (0x01..0x5E); every other byte dropped.
//   phrases     two-byte Big5 characters; the first character of a phrase as read (its lead byte
//               has bit 7 set, which marks the phrase start), every later lead byte AND 0x7F.
// The record so delimits itself: the key ends at the first byte with bit 7 set, and the record
// ends at a 0x00 where a unit would begin, or at the end of its bucket.
#pragma once

#include <cstddef>
#include <cstdint>

namespace big5dict::hashed {

constexpr std::size_t kBucketCount = 9999;
constexpr std::size_t kHeaderWords = kBucketCount + 1;
constexpr std::size_t kWordBytes = 4;
constexpr std::size_t kHeaderBytes = kHeaderWords * kWordBytes;
constexpr std::size_t kDataOffset = kHeaderBytes;
constexpr std::uint32_t kMagic = 0x5651DE88;
constexpr char kRecordSeparator = '\0';

static_assert(kHeaderWords == 10000);
static_assert(kHeaderBytes == 40000);

// Key bytes the hash takes and the stored key keeps.
constexpr std::uint8_t kFirstKeyByte = 0x21;
constexpr std::uint8_t kLastKeyByte = 0x7E;
constexpr std::uint8_t kStoredKeyShift = 0x20;
constexpr std::uint8_t kLastStoredKeyByte = kLastKeyByte - kStoredKeyShift;
static_assert(kLastStoredKeyByte == 0x5E);

// Bit 7 of a lead byte marks where a phrase begins; a later character's lead byte loses it.
constexpr std::uint8_t kPhraseMark = 0x80;
constexpr std::uint8_t kContinuationMask = 0x7F;
constexpr std::size_t kUnitBytes = 2;

// TOMBRAL reads a table line whole up to this many bytes, so no stored key is longer.
constexpr std::size_t kLongestLine = 1048576;

// The largest data area a dictionary may hold: every header word then still counts its bytes from
// word 0 without passing 2^32, the reach of a 32-bit offset into the file.
constexpr std::uint64_t kMaxDataBytes = (std::uint64_t{1} << 32) - kHeaderBytes;

// Whether a data area of `bytes` fits the header words without wrapping.
constexpr bool data_area_fits(std::uint64_t bytes) { return bytes <= kMaxDataBytes; }

}  // namespace big5dict::hashed
