// The bucket table, the writer of the whole file, and a file's header words and buckets read back.
#include "big5dict/hashed_file.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace big5dict::hashed {

// A record in the arena: its bucket in two bytes, then its length in one byte, or in the eight
// bytes behind a byte kLongRecord for the few records as long as that; then its bytes.
namespace {
constexpr std::size_t kBucketBytes = 2;
constexpr std::size_t kLengthBytes = 8;
constexpr std::uint8_t kLongRecord = 0xFF;
constexpr std::size_t kShortHeader = kBucketBytes + 1;
static_assert(kBucketCount <= 0x10000, "a bucket number fits two bytes");
}  // namespace

std::string& BucketTable::begin_record() {
  open_ = arena_.size();
  arena_.append(kShortHeader, '\0');
  return arena_;
}

void BucketTable::end_record(std::size_t bucket) {
  const std::size_t length = arena_.size() - open_ - kShortHeader;
  auto* header = reinterpret_cast<std::uint8_t*>(arena_.data() + open_);
  put_u16(header, static_cast<std::uint16_t>(bucket));
  if (length < kLongRecord) {
    header[kBucketBytes] = static_cast<std::uint8_t>(length);
  } else {
    // Moves the record once, by its own length: only lines this long pay for it.
    std::uint8_t bytes[kLengthBytes];
    for (std::size_t i = 0; i < kLengthBytes; ++i) bytes[i] = static_cast<std::uint8_t>(std::uint64_t{length} >> (8 * i));
    arena_.insert(open_ + kShortHeader, reinterpret_cast<const char*>(bytes), kLengthBytes);
    arena_[open_ + kBucketBytes] = static_cast<char>(kLongRecord);
  }
  Bucket& b = buckets_[bucket];
  b.length += length + (b.holds_records ? 1 : 0);
  b.holds_records = true;
}

void BucketTable::add_record(std::size_t bucket, std::string_view record) {
  begin_record().append(record);
  end_record(bucket);
}

template <typename Visit>
void BucketTable::for_each_record(Visit visit) const {
  const auto* const arena = reinterpret_cast<const std::uint8_t*>(arena_.data());
  for (std::size_t pos = 0; pos < arena_.size();) {
    const std::size_t bucket = get_u16(arena + pos);
    std::uint64_t length = arena[pos + kBucketBytes];
    pos += kShortHeader;
    if (length == kLongRecord) {
      length = 0;
      for (std::size_t i = 0; i < kLengthBytes; ++i) length |= std::uint64_t{arena[pos + i]} << (8 * i);
      pos += kLengthBytes;
    }
    visit(bucket, std::string_view(arena_.data() + pos, static_cast<std::size_t>(length)));
    pos += static_cast<std::size_t>(length);
  }
}

std::string BucketTable::bytes(std::size_t bucket) const {
  std::string gathered;
  bool first = true;
  for_each_record([&](std::size_t b, std::string_view record) {
    if (b != bucket) return;
    if (!first) gathered.push_back(kRecordSeparator);
    gathered.append(record);
    first = false;
  });
  return gathered;
}

void BucketTable::lay_out(char* area) const {
  // Where the next record of each bucket goes, and whether one is there before it.
  std::vector<std::uint64_t> next(kBucketCount);
  std::vector<bool> started(kBucketCount);
  std::uint64_t offset = 0;
  for (std::size_t k = 0; k < kBucketCount; ++k) {
    next[k] = offset;
    offset += buckets_[k].length;
  }
  for_each_record([&](std::size_t bucket, std::string_view record) {
    std::uint64_t& at = next[bucket];
    if (started[bucket]) area[at++] = kRecordSeparator;
    started[bucket] = true;
    std::memcpy(area + at, record.data(), record.size());
    at += record.size();
  });
}

std::string header_image(const BucketTable& table) {
  std::string image;
  image.reserve(kHeaderBytes);
  std::uint32_t word = kMagic;
  append_u32(image, word);
  for (std::size_t k = 0; k < kBucketCount; ++k) {
    word += static_cast<std::uint32_t>(table.length(k));  // offsets wrap modulo 2^32
    append_u32(image, word);
  }
  return image;
}

std::size_t max_bucket_length(const BucketTable& table) {
  std::uint64_t longest = 0;
  for (std::size_t k = 0; k < kBucketCount; ++k) longest = std::max(longest, table.length(k));
  return static_cast<std::size_t>(longest);
}

std::uint64_t data_area_bytes(const BucketTable& table) {
  std::uint64_t bytes = 0;
  for (std::size_t k = 0; k < kBucketCount; ++k) bytes += table.length(k);
  return bytes;
}

std::optional<std::size_t> write_dictionary(const BucketTable& table, const BlockSink& write) {
  // The file is laid out whole once, header then buckets; it goes out in blocks of its buckets
  // gathered up to 64 KB (most buckets hold a few hundred bytes), a larger bucket on its own.
  constexpr std::size_t kBlockBytes = 1 << 16;
  std::string file = header_image(table);
  file.resize(kHeaderBytes + static_cast<std::size_t>(data_area_bytes(table)));
  table.lay_out(file.data() + kHeaderBytes);
  const std::string_view image(file);
  std::size_t block = 0;  // where the block being gathered begins
  std::size_t end = kHeaderBytes;
  for (std::size_t k = 0; k < kBucketCount; ++k) {
    const auto bucket = static_cast<std::size_t>(table.length(k));
    if (end - block + bucket > kBlockBytes) {
      if (!write(image.substr(block, end - block))) return std::nullopt;
      block = end;
    }
    end += bucket;
    if (bucket >= kBlockBytes) {
      if (!write(image.substr(block, end - block))) return std::nullopt;
      block = end;
    }
  }
  if (end > block && !write(image.substr(block, end - block))) return std::nullopt;
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
