// The bucket table, the writer of the whole file, and a file's header words and buckets read back.
#include "big5dict/hashed_file.h"

#include <algorithm>
#include <stdexcept>

namespace big5dict::hashed {

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
  append_u32(image, word);
  for (std::size_t k = 0; k < kBucketCount; ++k) {
    word += static_cast<std::uint32_t>(table.bytes(k).size());  // offsets wrap modulo 2^32
    append_u32(image, word);
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

std::optional<std::size_t> write_dictionary(const BucketTable& table, const BlockSink& write) {
  // Most buckets hold a few hundred bytes: they go out gathered into blocks, not a write each.
  constexpr std::size_t kBlockBytes = 1 << 16;
  std::string block = header_image(table);
  block.reserve(kBlockBytes + kHeaderBytes);
  for (std::size_t k = 0; k < kBucketCount; ++k) {
    const std::string& bucket = table.bytes(k);
    if (block.size() + bucket.size() > kBlockBytes) {
      if (!write(block)) return std::nullopt;
      block.clear();
    }
    if (bucket.size() >= kBlockBytes) {
      if (!write(bucket)) return std::nullopt;
    } else {
      block += bucket;
    }
  }
  if (!block.empty() && !write(block)) return std::nullopt;
  return max_bucket_length(table);
}

HashedFile::HashedFile(std::string_view file) : file_(file), base_(0) {
  if (file.size() < kHeaderBytes) throw std::out_of_range("header past the end of the bytes read");
  base_ = get_u32(file, 0);
}

std::optional<std::string_view> HashedFile::bucket(std::size_t k) const {
  const std::uint32_t begin = offset(k);
  const std::uint32_t end = offset(k + 1);
  if (end < begin || end > held()) return std::nullopt;
  return get_bytes(file_, kDataOffset + begin, end - begin);
}

}  // namespace big5dict::hashed
