// Reads a hashed phrase dictionary through its header words, bucket by bucket and record by record,
// checks each record against the encodings and the key hash TOMBRAL used, and writes it back as a
// CiZu table.
#include "big5dict/hashed_checks.h"

#include <cstdint>
#include <optional>

#include "big5dict/ascii.h"
#include "big5dict/big5.h"
#include "big5dict/hashed_file.h"
#include "big5dict/hashed_key.h"
#include "big5dict/hashed_layout.h"
#include "big5dict/hashed_record.h"
#include "big5dict/hashed_spelling.h"
#include "big5dict/hashed_text.h"

namespace big5dict::hashed {

namespace {

class BucketCheck {
 public:
  BucketCheck(std::size_t bucket, std::string_view bytes, std::size_t base, FindingSink<Rule>& findings,
              Summary& summary, std::string* text, KeySpeller& speller)
      : bucket_(bucket), bytes_(bytes), base_(base), findings_(findings), summary_(summary), text_(text),
        speller_(speller) {}

  void run() {
    RecordWalker records(bytes_);
    while (std::optional<StoredRecord> r = records.next()) record(*r);
  }

 private:
  void record(const StoredRecord& r) {
    ++summary_.records;
    bool key_sound = true;
    restored_.clear();
    for (std::size_t i = 0; i < r.key.size(); ++i) {
      const auto b = static_cast<std::uint8_t>(r.key[i]);
      key_sound = check_key_byte(r.start + i, b) && key_sound;
      restored_.push_back(static_cast<char>(b + kStoredKeyShift));
    }
    const std::size_t units = r.start + r.key.size();
    PhraseWalker phrases(r.phrases);
    while (std::optional<StoredPhrase> p = phrases.next()) {
      for (std::size_t u = 0; u < p->units.size(); u += kUnitBytes) {
        const auto lead = static_cast<std::uint8_t>(static_cast<std::uint8_t>(p->units[u]) | kPhraseMark);
        const auto trail = static_cast<std::uint8_t>(p->units[u + 1]);
        if (!is_big5_lead(lead) || !is_big5_trail(trail)) {
          violation(Rule::kNotBig5Phrase, units + p->start + u, lead, trail);
        }
      }
      if (p->cut) violation(Rule::kUnitCut, units + p->start + p->units.size());
      ++summary_.phrases;
    }
    const std::string_view spelled = key_sound ? check_hash(r.start) : std::string_view(restored_);
    if (text_ != nullptr) append_table_line(spelled, r.phrases, *text_);
  }

  bool check_key_byte(std::size_t pos, std::uint8_t b) {
    if (b > kLastStoredKeyByte) {
      violation(Rule::kKeyByteOutside, pos, b);
      return false;
    }
    const auto restored = static_cast<std::uint8_t>(b + kStoredKeyShift);
    if (is_ascii_capital(restored)) {
      violation(Rule::kKeyByteCapital, pos, b, restored);
      return false;
    }
    return true;
  }

  // The key must lead to this bucket in some spelling that stores as this key; gives the spelling.
  std::string_view check_hash(std::size_t start) {
    if (restored_.size() > kLongestLine) {
      violation(Rule::kKeyTooLong, start, restored_.size());
      return restored_;
    }
    KeySpelling& spelling = spelling_of(restored_);
    if (!spelling.spelled) {
      spelling.wrong_bucket.offset = base_ + start;
      findings_.violation(spelling.wrong_bucket);
      return restored_;
    }
    if (*spelling.spelled != restored_) ++summary_.spelled;
    return *spelling.spelled;
  }

  struct KeySpelling {
    std::string key;
    std::optional<std::string> spelled;  // a spelling that reaches this bucket
    HashedFinding wrong_bucket;          // the finding of a key no spelling takes here
  };

  // Records of one key often stand together (a damaged bucket of zeros holds nothing but empty
  // keys), so the last key's answer is kept, and with it the finding of each of its records but
  // for the offset.
  KeySpelling& spelling_of(const std::string& restored) {
    if (!last_ || last_->key != restored) {
      last_ = KeySpelling{restored, speller_.spell(restored, bucket_),
                          {Rule::kWrongBucket, 0, bucket_, key_hash(restored), 0, 0, restored}};
    }
    return *last_;
  }

  void violation(Rule rule, std::size_t pos, std::uint64_t a = 0, std::uint64_t b = 0) {
    findings_.violation({rule, base_ + pos, bucket_, a, b});
  }

  std::size_t bucket_;
  std::string_view bytes_;
  std::size_t base_;
  FindingSink<Rule>& findings_;
  Summary& summary_;
  std::string* text_;
  KeySpeller& speller_;
  std::string restored_;  // the current record's key read back
  std::optional<KeySpelling> last_;
};

}  // namespace

bool offsets_decrease(std::string_view header) {
  const HashedFile file(header);
  std::uint32_t previous = 0;
  for (std::size_t k = 1; k < kHeaderWords; ++k) {
    const std::uint32_t offset = file.offset(k);
    if (offset < previous) return true;
    previous = offset;
  }
  return false;
}

Summary check_hashed_dictionary(std::string_view bytes, FileLength length, FindingSink<Rule>& findings,
                                std::string* text) {
  const HashedFile file(bytes);
  for (std::size_t k = 1; k < kHeaderWords; ++k) {
    if (file.offset(k) < file.offset(k - 1)) {
      findings.violation({Rule::kOffsetGoesBack, k * kWordBytes, k - 1, file.offset(k - 1), file.offset(k)});
    }
  }
  const std::uint64_t implied = kDataOffset + static_cast<std::uint64_t>(file.data_length());
  const bool length_kept = !length.more && implied == length.bytes;
  // An input read no further than its unsound header (a pipe) may still be as long as the header
  // says: only what was read can contradict it.
  const bool length_unknown = length.more && length.bytes < implied;
  if (!length_kept && !length_unknown) {
    findings.violation({Rule::kFileLength, (kHeaderWords - 1) * kWordBytes, kHeaderWords - 1, implied, length.bytes,
                        length.more ? 1u : 0u});
  }

  Summary summary;
  summary.data_area = file.data_length();
  // What was read stops at the length word 9999 gives: a longer file is reported above, and its
  // buckets past that length stay unexamined.
  const std::uint64_t data_length = length.bytes - kDataOffset;
  KeySpeller speller;
  for (std::size_t k = 0; k < kBucketCount; ++k) {
    const std::uint32_t begin = file.offset(k);
    const std::uint32_t end = file.offset(k + 1);
    if (end <= begin) continue;  // empty, or reported above
    const std::optional<std::string_view> bucket = file.bucket(k);
    if (!bucket) {
      if (!length.more && end > data_length && (begin < data_length || length_kept)) {
        findings.violation({Rule::kBucketPastEnd, kDataOffset + begin, k});
      }
      continue;
    }
    ++summary.buckets_used;
    if (bucket->size() > summary.max_length) summary.max_length = bucket->size();
    BucketCheck(k, *bucket, kDataOffset + begin, findings, summary, text, speller).run();
  }
  return summary;
}

}  // namespace big5dict::hashed
