// Walks a phrase dictionary slot by slot the way LEXMOOR loads it, checking every bucket entry by
// entry, and writes the text export that LEXMOOR's "$" source reads back.
#include "dictionary_viewer/phrase_examiner.h"

#include <cstdint>
#include <cstring>
#include <map>

#include "dictionary_viewer/big5.h"
#include "dictionary_viewer/messages.h"
#include "big5dict/phrase_layout.h"
#include "big5dict/phrase_entry.h"
#include "big5dict/phrase_text.h"
#include "big5dict/phrase_layout.h"
#include "big5dict/bytes.h"
#include "platform/report.h"

namespace dictionary_viewer {

namespace {

using big5dict::phrase::kMarkBit;

constexpr int kMaxPhraseCharacters = static_cast<int>(big5dict::phrase::kMaxPhraseBytes / 2);
static_assert(kMaxPhraseCharacters == 20);

struct PhraseCounts {
  std::map<int, long> by_length;  // phrases by their number of characters
  long total = 0;
  int slots_used = 0;
  std::size_t largest = 0;
  int largest_slot = -1;
};

// Checks one bucket, `base` being its offset in the file, and counts its phrases.
class BucketCheck {
 public:
  BucketCheck(int slot, std::string_view bucket, std::size_t base, Examination& result, PhraseCounts& counts)
      : bucket_(bucket), base_(base), result_(result), counts_(counts),
        place_(platform::format(msg::kSlotPlace, slot)) {}

  void run() {
    std::size_t nul = bucket_.find('\0');
    if (nul != std::string_view::npos) violation(nul, msg::kNulInBucket);
    // A bucket is walked in two-byte units from its start, never byte by byte, so a trail byte of
    // 0x80 or above is never taken for the start of an entry. Its length is always even.
    std::size_t pos = 0;
    bool seen_long = false;
    while (pos < bucket_.size()) {
      std::size_t entry = pos;
      if (byte(pos) < kMarkBit) {
        violation(pos, platform::format(msg::kNoFrequencyUnit, byte(pos)));
        while (pos < bucket_.size() && byte(pos) < kMarkBit) pos += 2;
        continue;
      }
      pos += 2;  // the frequency unit: F1 with bit 7, F2 carried along
      if (pos >= bucket_.size()) {
        violation(entry, msg::kEntryWithoutCharacters);
        break;
      }
      if (big5dict::phrase::entry_kind(byte(pos)) == big5dict::phrase::EntryKind::kTwoCharacter) {
        if (seen_long) violation(entry, msg::kTwoAfterLong);
        check_character(pos);
        pos += big5dict::phrase::kCharacterBytes;
        count(2);
        continue;
      }
      seen_long = true;
      int characters = 0;
      for (const std::size_t end = big5dict::phrase::long_entry_end(bucket_, pos); pos < end;
           pos += big5dict::phrase::kCharacterBytes) {
        check_character(pos);
        ++characters;
      }
      if (characters == 1) warning(entry, msg::kShortLongEntry);
      if (characters + 1 > kMaxPhraseCharacters) {
        violation(entry, platform::format(msg::kPhraseTooLong, characters + 1));
      }
      count(characters + 1);
    }
  }

 private:
  // A bucket of the file is whole units, but a walk never reads past it either way.
  std::uint8_t byte(std::size_t i) const { return i < bucket_.size() ? byte_of(bucket_[i]) : 0; }

  void check_character(std::size_t pos) {
    std::uint8_t lead = static_cast<std::uint8_t>(byte(pos) | kMarkBit);
    std::uint8_t trail = byte(pos + 1);
    if (!is_phrase_lead(lead) || !is_big5_trail(trail)) {
      violation(pos, platform::format(msg::kNotBig5Stored, byte(pos), trail, lead));
    }
  }

  void count(int characters) {
    ++counts_.by_length[characters];
    ++counts_.total;
  }

  void violation(std::size_t pos, std::string what) { result_.violation(base_ + pos, place_, std::move(what)); }
  void warning(std::size_t pos, std::string what) { result_.warning(base_ + pos, place_, std::move(what)); }

  std::string_view bucket_;
  std::size_t base_;
  Examination& result_;
  PhraseCounts& counts_;
  std::string place_;
};

void summarise(const big5dict::phrase::HeaderImage& header, const PhraseCounts& counts, std::size_t data_length,
               Examination& result) {
  std::string& s = result.summary;
  s += platform::format(msg::kIdentification, header.identification_text().c_str());
  s += platform::format(msg::kSlotsUsed, counts.slots_used, big5dict::phrase::kSlotCount);
  s += platform::format(msg::kPhrases, counts.total);
  const char* separator = " (";
  for (const auto& [length, n] : counts.by_length) {
    s += platform::format(msg::kPhrasesOfLength, separator, length, n);
    separator = ", ";
  }
  s += counts.by_length.empty() ? "\n" : ")\n";
  if (counts.largest_slot < 0) {
    s += msg::kNoBucket;
  } else {
    big5dict::Big5Char c = big5dict::phrase::slot_character(counts.largest_slot);
    s += platform::format(msg::kLargestBucket, counts.largest, counts.largest_slot, c.lead, c.trail);
  }
  s += platform::format(msg::kDataArea, data_length);
}

}  // namespace

void examine_phrase_dictionary(std::string_view file, FileLength file_length, bool with_text,
                               Examination& result) {
  using big5dict::phrase::kHeaderBytes;
  big5dict::phrase::HeaderImage header;
  std::memcpy(header.data(), big5dict::get_bytes(file, 0, kHeaderBytes).data(), kHeaderBytes);

  if (big5dict::get_bytes(file, 0, big5dict::phrase::kIdentificationBytes).find('\0') == std::string_view::npos) {
    result.violation(0, msg::kIdentificationPlace, msg::kNoIdentificationEnd);
  }

  std::size_t promised = 0;
  for (int slot = 0; slot < big5dict::phrase::kSlotCount; ++slot) promised += header.bucket_length(slot);
  // The data area as the file holds it; `file` holds its first part.
  const FileLength present{file_length.bytes - kHeaderBytes, file_length.more};

  if (with_text) {
    result.text = header.identification_text();
    result.text.push_back('\n');
  }
  PhraseCounts counts;
  std::size_t pos = kHeaderBytes;
  bool ended = false;
  for (int slot = 0; slot < big5dict::phrase::kSlotCount; ++slot) {
    const std::size_t length = header.bucket_length(slot);
    const std::string place = platform::format(msg::kSlotPlace, slot);
    if (length >= big5dict::phrase::kBucketLimit) {
      std::size_t entry_offset = big5dict::phrase::kIdentificationBytes +
                                 static_cast<std::size_t>(slot + 1) * big5dict::phrase::kHalfOffsetBytes;
      result.violation(entry_offset, place, platform::format(msg::kBucketTooLong, length));
    }
    std::string_view bucket;
    if (!ended && length > file.size() - pos) {
      // Past what was read lie only buckets after one too long to be read back, reported above.
      if (!file_length.more && pos + length > file_length.bytes) {
        result.violation(file_length.bytes, place,
                         platform::format(msg::kDataAreaShort, promised, shown(present).c_str()));
      }
      ended = true;
    }
    if (!ended) {
      bucket = file.substr(pos, length);
      BucketCheck(slot, bucket, pos, result, counts).run();
      if (length > 0) ++counts.slots_used;
      if (length > counts.largest) {
        counts.largest = length;
        counts.largest_slot = slot;
      }
      pos += length;
    }
    if (with_text) big5dict::phrase::append_slot_block(slot, bucket, result.text);
  }
  if (!ended && (pos < file_length.bytes || file_length.more)) {
    const FileLength after{file_length.bytes - pos, file_length.more};
    result.warning(pos, msg::kDataAreaPlace, platform::format(msg::kBytesAfterLastBucket, shown(after).c_str()));
  }
  summarise(header, counts, promised, result);
}

}  // namespace dictionary_viewer
