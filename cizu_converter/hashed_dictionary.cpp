// The key hash, the bucket table and the writer of the hashed phrase dictionary.
#include "cizu_converter/hashed_dictionary.h"

#include <algorithm>

#include "big5dict/bytes.h"

namespace cizu_converter {

std::size_t key_hash(std::string_view line) {
  std::uint64_t sum = 0;
  std::uint64_t position = 0;
  for (char c : line) {
    auto b = static_cast<unsigned char>(c);
    if (!is_key_byte(b)) break;
    ++position;
    sum = (sum + key_hash_term(b, position)) % kBucketCount;
  }
  return static_cast<std::size_t>(sum);
}

void BucketTable::add_record(std::size_t bucket, std::string_view record) {
  Bucket& b = buckets_[bucket];
  if (b.holds_records) b.bytes.push_back(kRecordSeparator);
  b.bytes.append(record);
  b.holds_records = true;
}

std::string header_image(const BucketTable& table) {
  std::string image;
  image.reserve(kHeaderBytes);
  std::uint32_t word = kMagic;
  big5dict::append_u32(image, word);
  for (std::size_t k = 0; k < kBucketCount; ++k) {
    word += static_cast<std::uint32_t>(table.bytes(k).size());  // offsets wrap modulo 2^32
    big5dict::append_u32(image, word);
  }
  return image;
}

std::size_t max_bucket_length(const BucketTable& table) {
  std::size_t longest = 0;
  for (std::size_t k = 0; k < kBucketCount; ++k) longest = std::max(longest, table.bytes(k).size());
  return longest;
}

std::uint64_t data_area_bytes(const BucketTable& table) {
  std::uint64_t bytes = 0;
  for (std::size_t k = 0; k < kBucketCount; ++k) bytes += table.bytes(k).size();
  return bytes;
}

std::optional<std::size_t> write_dictionary(const BucketTable& table, platform::ReplacedFile& file) {
  // Most buckets hold a few hundred bytes: they go out gathered into blocks, not a write each.
  constexpr std::size_t kBlockBytes = 1 << 16;
  std::string block = header_image(table);
  block.reserve(kBlockBytes + kHeaderBytes);
  for (std::size_t k = 0; k < kBucketCount; ++k) {
    const std::string& bucket = table.bytes(k);
    if (block.size() + bucket.size() > kBlockBytes) {
      if (!file.write(block)) return std::nullopt;
      block.clear();
    }
    if (bucket.size() >= kBlockBytes) {
      if (!file.write(bucket)) return std::nullopt;
    } else {
      block += bucket;
    }
  }
  if (!block.empty() && !file.write(block)) return std::nullopt;
  return max_bucket_length(table);
}

}  // namespace cizu_converter
