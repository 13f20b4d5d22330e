// The hashed phrase dictionary that TOMBRAL writes: its layout, the key hash that picks a bucket,
// the encodings of a phrase record, the bucket table in memory and the writer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "big5dict/ascii.h"
#include "platform/replaced_file.h"

namespace cizu_converter {

// File layout (all words unsigned 32-bit little-endian):
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
// ends at a 0x00 or at the end of its bucket.
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
constexpr unsigned char kFirstKeyByte = 0x21;
constexpr unsigned char kLastKeyByte = 0x7E;
constexpr unsigned char kStoredKeyShift = 0x20;
// A lead byte of a later character of a phrase loses bit 7.
constexpr unsigned char kContinuationMask = 0x7F;

constexpr bool is_key_byte(unsigned char b) { return b >= kFirstKeyByte && b <= kLastKeyByte; }

// The stored form of one source key byte, or nothing when the byte is dropped.
constexpr std::optional<unsigned char> stored_key_byte(unsigned char source) {
  unsigned char folded = big5dict::to_ascii_lower(source);
  if (!is_key_byte(folded)) return std::nullopt;
  return static_cast<unsigned char>(folded - kStoredKeyShift);
}

// The bucket of a line, taken from its key bytes as they stand (no folding here): the sum over
// positions p = 1, 2, ... of (b | p) * (b ^ p), stopping at the first byte outside 0x21..0x7E,
// modulo the bucket count. Every term is positive, so the remainder is taken as it goes and the
// value is the exact sum's remainder for a key of any length; a term stays below 2^42 for the
// positions of the longest line a reader takes.
std::size_t key_hash(std::string_view line);

// The term of key byte `b` at position `p` (from 1), modulo the bucket count: the viewer sums the
// same terms to find a spelling of a stored key that reaches its bucket.
constexpr std::size_t key_hash_term(unsigned char b, std::uint64_t p) {
  return static_cast<std::size_t>(((b | p) * (b ^ p)) % kBucketCount);
}

// The 9999 buckets in memory. Appending a record costs its own length, whatever the bucket's size.
class BucketTable {
 public:
  BucketTable() : buckets_(kBucketCount) {}

  // Adds a record behind the bucket's last one; an empty record counts too.
  void add_record(std::size_t bucket, std::string_view record);

  const std::string& bytes(std::size_t bucket) const { return buckets_[bucket].bytes; }
  bool holds_records(std::size_t bucket) const { return buckets_[bucket].holds_records; }

 private:
  struct Bucket {
    std::string bytes;
    bool holds_records = false;  // a single empty record leaves bytes empty but still counts
  };
  std::vector<Bucket> buckets_;
};

// The 10000 header words of a table, little-endian, as they stand at offset 0 of the file.
std::string header_image(const BucketTable& table);

// The length of the largest bucket: MAXLEN.
std::size_t max_bucket_length(const BucketTable& table);

// The largest data area a dictionary may hold: every header word then still counts its bytes from
// word 0 without passing 2^32, the reach of a 32-bit offset into the file.
constexpr std::uint64_t kMaxDataBytes = (std::uint64_t{1} << 32) - kHeaderBytes;

// The length of the data area: the buckets back to back.
std::uint64_t data_area_bytes(const BucketTable& table);

// Whether a data area of `bytes` fits the header words without wrapping.
constexpr bool data_area_fits(std::uint64_t bytes) { return bytes <= kMaxDataBytes; }

// Writes the whole file in one pass, so that it can go straight into a device or a FIFO: the
// header, computed first, then the buckets in order. Returns MAXLEN, or nothing when a write
// failed (the file's error() tells why). The file is left open; committing it is the caller's step.
std::optional<std::size_t> write_dictionary(const BucketTable& table, platform::ReplacedFile& file);

}  // namespace cizu_converter
