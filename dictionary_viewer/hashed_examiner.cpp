// Reads a hashed phrase dictionary through its header words, bucket by bucket and record by record,
// checks each record against the encodings and the key hash TOMBRAL used, and writes it back as a
// CiZu table.
#include "dictionary_viewer/hashed_examiner.h"

#include <cstdint>
#include <string>
#include <vector>

#include "cizu_converter/hashed_dictionary.h"
#include "dictionary_viewer/big5.h"
#include "dictionary_viewer/cizu_key_spelling.h"
#include "dictionary_viewer/messages.h"
#include "big5dict/ascii.h"
#include "big5dict/bytes.h"
#include "platform/report.h"
#include "platform/text_reader.h"

namespace dictionary_viewer {

namespace {

namespace cz = cizu_converter;

constexpr std::uint8_t kPhraseMark = 0x80;
// TOMBRAL takes lines of at most this many bytes, so no stored key is longer.
constexpr std::size_t kLongestKey = platform::kLongestLine;

struct HashedCounts {
  long records = 0;
  long phrases = 0;
  long spelled = 0;  // records whose key hashed in a spelling other than the small letters
  std::size_t buckets_used = 0;
  std::size_t max_length = 0;
};

class BucketReader {
 public:
  BucketReader(std::size_t bucket, std::string_view bytes, std::size_t base, Examination& result,
               HashedCounts& counts, std::string* text)
      : bucket_(bucket), bytes_(bytes), base_(base), result_(result), counts_(counts), text_(text),
        place_(platform::format(msg::kBucketPlace, bucket)) {}

  // Records are joined by one 0x00: a bucket of n separators holds n + 1 records; an empty bucket
  // holds none that can be told apart.
  void run() {
    if (bytes_.empty()) return;
    std::size_t pos = 0;
    for (;;) {
      pos = record(pos);
      if (pos >= bytes_.size()) break;
      ++pos;  // the separator
    }
  }

 private:
  std::uint8_t byte(std::size_t i) const { return big5dict::get_u8(bytes_, i); }

  // Reads the record at `start` up to its separator or the bucket's end; returns where it ended.
  std::size_t record(std::size_t start) {
    ++counts_.records;
    std::size_t pos = start;
    std::string restored;
    bool key_sound = true;
    while (pos < bytes_.size() && byte(pos) != 0 && byte(pos) < kPhraseMark) {
      key_sound = check_key_byte(pos) && key_sound;
      restored.push_back(static_cast<char>(byte(pos) + cz::kStoredKeyShift));
      ++pos;
    }
    std::vector<std::string> phrases;
    // From the first byte with bit 7 set the record goes in two-byte units; a unit with bit 7 set
    // begins a phrase.
    while (pos < bytes_.size() && byte(pos) >= kPhraseMark) {
      std::string phrase;
      bool first = true;
      while (pos < bytes_.size() && byte(pos) != 0 && (first || byte(pos) < kPhraseMark)) {
        if (pos + 1 >= bytes_.size()) {
          violation(pos, msg::kUnitCut);
          pos = bytes_.size();
          break;
        }
        std::uint8_t lead = static_cast<std::uint8_t>(byte(pos) | kPhraseMark);
        std::uint8_t trail = byte(pos + 1);
        if (!is_big5_lead(lead) || !is_big5_trail(trail)) {
          violation(pos, [&] { return platform::format(msg::kNotBig5Phrase, lead, trail); });
        }
        phrase.push_back(static_cast<char>(lead));
        phrase.push_back(static_cast<char>(trail));
        pos += 2;
        first = false;
      }
      phrases.push_back(std::move(phrase));
      ++counts_.phrases;
    }
    std::string spelled = restored;
    if (key_sound) spelled = check_hash(start, restored);
    if (text_ != nullptr) write_line(spelled, phrases);
    return pos;
  }

  bool check_key_byte(std::size_t pos) {
    std::uint8_t b = byte(pos);
    if (b > cz::kLastKeyByte - cz::kStoredKeyShift) {
      violation(pos, [&] { return platform::format(msg::kKeyByteOutside, b); });
      return false;
    }
    auto restored = static_cast<std::uint8_t>(b + cz::kStoredKeyShift);
    if (big5dict::is_ascii_capital(restored)) {
      violation(pos, [&] { return platform::format(msg::kKeyByteCapital, b, restored); });
      return false;
    }
    return true;
  }

  // The key must lead to this bucket in some spelling that stores as this key.
  std::string check_hash(std::size_t start, const std::string& restored) {
    if (restored.size() > kLongestKey) {
      violation(start, [&] { return platform::format(msg::kKeyTooLong, restored.size()); });
      return restored;
    }
    const std::optional<std::string>& spelled = spelling_of(restored);
    if (!spelled) {
      violation(start, [&] { return platform::format(msg::kWrongBucket, restored.c_str(), cz::key_hash(restored)); });
      return restored;
    }
    if (*spelled != restored) ++counts_.spelled;
    return *spelled;
  }

  // A spelling of the key that reaches this bucket. Records of one key often stand together (a
  // damaged bucket of zeros holds nothing but empty keys), so the last key's answer is kept.
  const std::optional<std::string>& spelling_of(const std::string& restored) {
    if (!last_key_ || *last_key_ != restored) {
      last_key_ = restored;
      last_spelling_ = spell_key(restored, bucket_);
    }
    return last_spelling_;
  }

  // The table line: the key, a space, the phrases separated by single spaces. An empty key gives a
  // line that begins with the space, as the converter reads it back.
  void write_line(const std::string& key, const std::vector<std::string>& phrases) {
    *text_ += key;
    text_->push_back(' ');
    for (std::size_t i = 0; i < phrases.size(); ++i) {
      if (i > 0) text_->push_back(' ');
      *text_ += phrases[i];
    }
    text_->push_back('\n');
  }

  template <typename Text>
  void violation(std::size_t pos, Text&& text) { result_.violation_at(base_ + pos, place_, text); }
  void violation(std::size_t pos, const char* what) {
    result_.violation_at(base_ + pos, place_, [what] { return std::string(what); });
  }

  std::size_t bucket_;
  std::string_view bytes_;
  std::size_t base_;
  Examination& result_;
  HashedCounts& counts_;
  std::string* text_;
  std::string place_;
  std::optional<std::string> last_key_;
  std::optional<std::string> last_spelling_;
};

}  // namespace

bool hashed_offsets_decrease(std::string_view header) {
  const std::uint32_t base = big5dict::get_u32(header, 0);
  std::uint32_t previous = 0;
  for (std::size_t k = 1; k < cz::kHeaderWords; ++k) {
    const std::uint32_t offset = big5dict::get_u32(header, k * cz::kWordBytes) - base;
    if (offset < previous) return true;
    previous = offset;
  }
  return false;
}

void examine_hashed_dictionary(std::string_view file, FileLength file_length, bool with_text,
                               Examination& result) {
  auto word = [file](std::size_t k) { return big5dict::get_u32(file, k * cz::kWordBytes); };
  // Offsets are stored biased by word 0 (the magic), all arithmetic unsigned 32-bit.
  auto offset = [&word](std::size_t k) { return static_cast<std::uint32_t>(word(k) - word(0)); };

  for (std::size_t k = 1; k < cz::kHeaderWords; ++k) {
    if (offset(k) < offset(k - 1)) {
      result.violation(k * cz::kWordBytes, platform::format(msg::kBucketPlace, k - 1),
                       platform::format(msg::kOffsetGoesBack, static_cast<unsigned long>(offset(k - 1)),
                                        static_cast<unsigned long>(offset(k))));
    }
  }
  const unsigned long long implied =
      static_cast<unsigned long long>(cz::kDataOffset) + offset(cz::kHeaderWords - 1);
  const bool length_kept = !file_length.more && implied == file_length.bytes;
  if (!length_kept) {
    result.violation((cz::kHeaderWords - 1) * cz::kWordBytes,
                     platform::format(msg::kWordPlace, cz::kHeaderWords - 1),
                     platform::format(msg::kFileLength, implied, shown(file_length).c_str()));
  }

  HashedCounts counts;
  // What was read stops at the length word 9999 gives: a longer file is reported above, and its
  // buckets past that length stay unexamined.
  const std::size_t held_length = file.size() - cz::kDataOffset;
  const std::uint64_t data_length = file_length.bytes - cz::kDataOffset;
  for (std::size_t k = 0; k < cz::kBucketCount; ++k) {
    std::uint32_t begin = offset(k);
    std::uint32_t end = offset(k + 1);
    if (end <= begin) continue;  // empty, or reported above
    if (end > held_length) {
      if (!file_length.more && end > data_length && (begin < data_length || length_kept)) {
        result.violation(cz::kDataOffset + begin, platform::format(msg::kBucketPlace, k), msg::kBucketPastEnd);
      }
      continue;
    }
    std::size_t length = end - begin;
    ++counts.buckets_used;
    if (length > counts.max_length) counts.max_length = length;
    BucketReader(k, file.substr(cz::kDataOffset + begin, length), cz::kDataOffset + begin, result, counts,
                 with_text ? &result.text : nullptr)
        .run();
  }

  std::string& s = result.summary;
  s += platform::format(msg::kRecords, counts.records);
  s += platform::format(msg::kHashedPhrases, counts.phrases);
  s += platform::format(msg::kMaxLen, counts.max_length);
  s += platform::format(msg::kBucketsUsed, counts.buckets_used, cz::kBucketCount);
  s += platform::format(msg::kDataArea, static_cast<std::size_t>(offset(cz::kHeaderWords - 1)));
  if (counts.spelled > 0) s += platform::format(msg::kSpelledRecords, counts.spelled);
}

}  // namespace dictionary_viewer
