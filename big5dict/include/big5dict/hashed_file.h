// A hashed phrase dictionary file as a whole: the 9999 buckets held in memory while a table is
// converted and the writer that lays the file out from them, and the header words and buckets of a
// file read back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "big5dict/bytes.h"
#include "big5dict/hashed_layout.h"

namespace big5dict::hashed {

// The 9999 buckets in memory, filled line by line and laid out once at the end. The records lie
// in one arena in the order they came, each behind a short header naming its bucket and length, so
// that adding a record costs its own length and no allocation of its own, whatever its bucket.
class BucketTable {
 public:
  BucketTable() : buckets_(kBucketCount) {}

  // Adds a record behind the bucket's last one; an empty record counts too.
  void add_record(std::size_t bucket, std::string_view record);

  // A record built where it is to lie: its bytes go onto the end of begin_record()'s string, then
  // end_record() files them under their bucket. Nothing else touches the table in between.
  std::string& begin_record();
  void end_record(std::size_t bucket);

  // Room for about `bytes` of records and their headers ahead, so that the arena need not move as
  // it grows; memory not yet written to costs nothing.
  void reserve(std::size_t bytes) { arena_.reserve(bytes); }

  // The bucket's length in the file: its records and the separators between them.
  std::uint64_t length(std::size_t bucket) const { return buckets_[bucket].length; }

  // The bucket's bytes as the file holds them, gathered from the arena (a walk of every record, for
  // tests and checks).
  std::string bytes(std::size_t bucket) const;

  // Lays out every bucket in order into `area`, which holds exactly the data area's bytes.
  void lay_out(char* area) const;

 private:
  struct Bucket {
    std::uint64_t length = 0;
    bool holds_records = false;  // a single empty record leaves the length 0 but still counts
  };

  // Calls visit(bucket, record) for every record in the order it came.
  template <typename Visit>
  void for_each_record(Visit visit) const;

  std::vector<Bucket> buckets_;
  std::string arena_;
  std::size_t open_ = 0;  // where the header of the record being built begins
};

// The 10000 header words of a table, little-endian, as they stand at offset 0 of the file.
std::string header_image(const BucketTable& table);

// The length of the largest bucket: MAXLEN.
std::size_t max_bucket_length(const BucketTable& table);

// The length of the data area: the buckets back to back.
std::uint64_t data_area_bytes(const BucketTable& table);

// Where the writer hands the file, block by block in file order; false: the block was not written.
using BlockSink = std::function<bool(std::string_view block)>;

// Writes the whole file in one pass, so that it can go straight into a device or a FIFO: the
// header, computed first, then the buckets in order, gathered into blocks of up to 64 KB (a bucket
// of 64 KB or more goes as a block of its own). Returns MAXLEN, or nothing when a block was not
// written, after which nothing more is handed to `write`.
std::optional<std::size_t> write_dictionary(const BucketTable& table, const BlockSink& write);

// A file's first bytes read back: its header words and the buckets they place. Every read is
// checked against the bytes held, and a bucket the header places outside them is not held.
class HashedFile {
 public:
  // Whether `file` begins with a whole header whose word 0 is the magic.
  static bool holds_header(std::string_view file) {
    return file.size() >= kHeaderBytes && get_u32(file, 0) == kMagic;
  }

  // `file` holds at least the header's 40000 bytes: a shorter one is a fault of the caller and
  // throws std::out_of_range.
  explicit HashedFile(std::string_view file);

  std::uint32_t word(std::size_t k) const { return get_u32(file_, k * kWordBytes); }

  // Where bucket k begins in the data area (k = 9999: where the data area ends): word k less word 0,
  // modulo 2^32.
  std::uint32_t offset(std::size_t k) const { return word(k) - base_; }
  std::uint32_t data_length() const { return offset(kHeaderWords - 1); }

  // The data-area bytes held, past the header.
  std::size_t held() const { return file_.size() - kDataOffset; }

  // The bytes of bucket k, when its offsets do not go back and it ends within the bytes held.
  std::optional<std::string_view> bucket(std::size_t k) const;

 private:
  std::string_view file_;
  std::uint32_t base_;
};

}  // namespace big5dict::hashed
