// A phrase record both ways: one line of a CiZu table into its record, and a bucket walked back
// record by record and phrase by phrase. Every writer and reader of records goes through here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "big5dict/hashed_layout.h"

namespace big5dict::hashed {

struct Record {
  std::string bytes;  // the stored key, then the phrases
  long phrases = 0;   // how many phrases the record holds
};

// The record of a line into `record`, whose bytes keep their room for the next line. The key runs
// to the first space (or to the end of the line); spaces, and only spaces, separate the phrases;
// any other byte of 0x80 or below where a phrase could start or go on ends the line. A lead byte
// with no trail byte behind it in the line, or with a NUL there, is dropped and ends the line: a
// stored 0x00 would read back as a record separator.
void build_record(std::string_view line, Record& record);

// Where a line goes and what it holds, from the one pass that appends its record.
struct FiledLine {
  std::size_t bucket;
  long phrases;
};

// Appends the record of a line to `out` and gives its bucket, in one pass over the line: the
// record build_record makes and the bucket key_hash gives, both of the line with its leading
// capitals folded (the stored key folds every capital, so the record is the same either way). The
// line itself is not changed, so it can be read where it lies.
FiledLine append_line_record(std::string_view line, std::string& out);

// One record of a bucket as it lies there.
struct StoredRecord {
  std::size_t start;         // where it begins in the bucket
  std::string_view key;      // the stored key: the bytes before the first 0x00 or byte with bit 7 set
  std::string_view phrases;  // the phrase units behind it, up to the separator or the bucket's end
};

// Walks a bucket record by record. Records are joined by one 0x00: a bucket with n separators
// holds n + 1 records, an empty bucket none. Phrases go in two-byte units whose trail byte is taken
// whatever its value, so only a 0x00 where a unit would begin ends a record.
class RecordWalker {
 public:
  explicit RecordWalker(std::string_view bucket) : bucket_(bucket), done_(bucket.empty()) {}

  // Inline, as a damaged bucket of zeros is a record a byte.
  std::optional<StoredRecord> next() {
    if (done_) return std::nullopt;
    const std::size_t start = pos_;
    std::size_t key_end = start;
    while (key_end < bucket_.size() && bucket_[key_end] != kRecordSeparator && byte(key_end) < kPhraseMark) ++key_end;
    std::size_t end = key_end;
    while (end < bucket_.size() && bucket_[end] != kRecordSeparator) end += kUnitBytes;
    if (end >= bucket_.size()) {
      end = bucket_.size();  // a unit cut by the bucket's end ends the record there
      done_ = true;
    } else {
      pos_ = end + 1;  // past the separator; one at the very end is followed by an empty record
    }
    return StoredRecord{start, bucket_.substr(start, key_end - start), bucket_.substr(key_end, end - key_end)};
  }

 private:
  std::uint8_t byte(std::size_t i) const { return static_cast<std::uint8_t>(bucket_[i]); }

  std::string_view bucket_;
  std::size_t pos_ = 0;
  bool done_;
};

// One phrase of a record as it lies there.
struct StoredPhrase {
  std::size_t start;       // where it begins in the record's phrase units
  std::string_view units;  // its whole units: the first lead byte with bit 7 set, the later ones without
  bool cut;                // a lead byte with no trail byte follows: the bucket ends inside a unit
};

// Walks a record's phrase units (StoredRecord::phrases) phrase by phrase: a unit whose lead byte
// has bit 7 set begins the next. A phrase cut by the end of its bucket is still a phrase, of the
// units it holds whole (possibly none).
class PhraseWalker {
 public:
  explicit PhraseWalker(std::string_view phrases) : phrases_(phrases) {}

  std::optional<StoredPhrase> next() {
    if (pos_ >= phrases_.size()) return std::nullopt;
    const std::size_t start = pos_;
    do {
      if (pos_ + 1 >= phrases_.size()) {
        const std::size_t whole = pos_;
        pos_ = phrases_.size();
        return StoredPhrase{start, phrases_.substr(start, whole - start), true};
      }
      pos_ += kUnitBytes;
    } while (pos_ < phrases_.size() && static_cast<std::uint8_t>(phrases_[pos_]) < kPhraseMark);
    return StoredPhrase{start, phrases_.substr(start, pos_ - start), false};
  }

 private:
  std::string_view phrases_;
  std::size_t pos_ = 0;
};

// Appends stored units as Big5 text: bit 7 of every lead byte set again.
void append_restored(std::string_view units, std::string& text);

}  // namespace big5dict::hashed
