// A phrase dictionary file as a whole: the bytes of one written from a phrase table, and one read
// back in a single sequential pass, the header and then one bucket per slot, with the checks that
// refuse a file that could not have been written whole. Each step says what it found, so that a
// program reports it where the step stands in its run.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "big5dict/byte_source.h"
#include "big5dict/phrase_layout.h"
#include "big5dict/phrase_table.h"

namespace big5dict::phrase {

// The whole file: `header`'s identification field, the half-offsets of the table's buckets, then
// the buckets back to back. The half-offsets wrap modulo 65536: a reader only takes their
// differences, so a data area longer than 131070 bytes still reads back as long as each bucket
// stays under 16384 bytes.
std::string file_bytes(const HeaderImage& header, const PhraseTable& table);

// What a step of the reader found.
enum class ReadFault {
  kNone,
  kReadError,      // the system failed to read: error() tells why
  kBucketTooLong,  // the header gives the bucket 16384 bytes or more: it cannot have been written
  kFileShort,      // the file ends before the bucket does
  kFileEnded,      // the file has ended by the time the slot was read, yet every later slot is still to come
};

class PhraseFileReader {
 public:
  // `file` is open at its start; `header` takes the file's header.
  PhraseFileReader(ByteSource& file, HeaderImage& header) : file_(file), header_(header) {}

  // Reads the header over `header`. A short read is not a fault by itself: the bytes that arrived
  // replace the image's first bytes, and the checks of the first bucket catch the rest.
  ReadFault read_header();

  // Reads the bucket of `slot` (its length from the header) into `bucket`.
  ReadFault read_bucket(int slot, std::string& bucket);

  // After a slot: the file must not have ended yet, since every later slot still has to be read.
  // A file that ends exactly with its last bucket shows its end only to a read that asks for more.
  ReadFault check_not_ended() const { return file_.at_end() ? ReadFault::kFileEnded : ReadFault::kNone; }

  // Bytes read so far: where the next bucket starts in the file.
  long position() const { return position_; }
  // The system's error number after kReadError.
  int error() const { return file_.error(); }

 private:
  ByteSource& file_;
  HeaderImage& header_;
  long position_ = 0;
};

// A loaded bucket whose first byte lacks bit 7 begins with no frequency unit; the load keeps it,
// so that nothing already in the file is lost, and warns.
constexpr bool starts_without_frequency_unit(std::string_view bucket) {
  return bucket.size() > 1 && static_cast<std::uint8_t>(bucket[0]) < kMarkBit;
}

}  // namespace big5dict::phrase
