// Walks a phrase dictionary slot by slot the way LEXMOOR loads it, checking every bucket entry by
// entry, and writes the text export that LEXMOOR's "$" source reads back.
#include "big5dict/phrase_checks.h"

#include <cstdint>
#include <cstring>

#include "big5dict/big5.h"
#include "big5dict/bytes.h"
#include "big5dict/phrase_entry.h"
#include "big5dict/phrase_text.h"

namespace big5dict::phrase {

namespace {

// Checks one bucket, `base` being its offset in the file, and counts its phrases.
class BucketCheck {
 public:
  BucketCheck(int slot, std::string_view bucket, std::size_t base, FindingSink<Rule>& findings, Summary& summary)
      : slot_(slot), bucket_(bucket), base_(base), findings_(findings), summary_(summary) {}

  void run() {
    std::size_t nul = bucket_.find('\0');
    if (nul != std::string_view::npos) violation(Rule::kNulInBucket, nul);
    // A bucket is walked in two-byte units from its start, never byte by byte, so a trail byte of
    // 0x80 or above is never taken for the start of an entry. Its length is always even.
    std::size_t pos = 0;
    bool seen_long = false;
    while (pos < bucket_.size()) {
      std::size_t entry = pos;
      if (byte(pos) < kMarkBit) {
        violation(Rule::kNoFrequencyUnit, pos, byte(pos));
        while (pos < bucket_.size() && byte(pos) < kMarkBit) pos += 2;
        continue;
      }
      pos += kFrequencyUnitBytes;  // F1 with bit 7, F2 carried along
      if (pos >= bucket_.size()) {
        violation(Rule::kEntryWithoutCharacters, entry);
        break;
      }
      if (entry_kind(byte(pos)) == EntryKind::kTwoCharacter) {
        if (seen_long) violation(Rule::kTwoAfterLong, entry);
        check_character(pos);
        pos += kCharacterBytes;
        count(2);
        continue;
      }
      seen_long = true;
      int characters = 0;
      for (const std::size_t end = long_entry_end(bucket_, pos); pos < end; pos += kCharacterBytes) {
        check_character(pos);
        ++characters;
      }
      if (characters == 1) findings_.warning({Rule::kShortLongEntry, base_ + entry, place()});
      if (characters + 1 > static_cast<int>(kMaxPhraseCharacters)) {
        violation(Rule::kPhraseTooLong, entry, static_cast<std::uint64_t>(characters + 1));
      }
      count(characters + 1);
    }
  }

 private:
  // A bucket of the file is whole units, but a walk never reads past it either way.
  std::uint8_t byte(std::size_t i) const { return i < bucket_.size() ? static_cast<std::uint8_t>(bucket_[i]) : 0; }
  std::uint64_t place() const { return static_cast<std::uint64_t>(slot_); }

  void check_character(std::size_t pos) {
    const auto lead = static_cast<std::uint8_t>(byte(pos) | kMarkBit);
    const std::uint8_t trail = byte(pos + 1);
    if (!is_character_row_lead(lead) || !is_big5_trail(trail)) {
      violation(Rule::kNotBig5Stored, pos, byte(pos), trail, lead);
    }
  }

  void count(int characters) {
    ++summary_.by_length[characters];
    ++summary_.phrases;
  }

  void violation(Rule rule, std::size_t pos, std::uint64_t a = 0, std::uint64_t b = 0, std::uint64_t c = 0) {
    findings_.violation({rule, base_ + pos, place(), a, b, c});
  }

  int slot_;
  std::string_view bucket_;
  std::size_t base_;
  FindingSink<Rule>& findings_;
  Summary& summary_;
};

}  // namespace

Summary check_phrase_dictionary(std::string_view file, FileLength length, FindingSink<Rule>& findings,
                                std::string* text) {
  HeaderImage header;
  std::memcpy(header.data(), get_bytes(file, 0, kHeaderBytes).data(), kHeaderBytes);
  Summary summary;
  summary.identification = header.identification_text();

  if (get_bytes(file, 0, kIdentificationBytes).find('\0') == std::string_view::npos) {
    findings.violation({Rule::kNoIdentificationEnd, 0});
  }
  for (int slot = 0; slot < kSlotCount; ++slot) summary.data_area += header.bucket_length(slot);
  // The data area as the file holds it; `file` holds its first part.
  const FileLength present{length.bytes - kHeaderBytes, length.more};

  if (text != nullptr) {
    *text = summary.identification;
    text->push_back('\n');
  }
  std::size_t pos = kHeaderBytes;
  bool ended = false;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const std::size_t bucket_length = header.bucket_length(slot);
    const auto place = static_cast<std::uint64_t>(slot);
    if (bucket_length >= kBucketLimit) {
      const std::size_t entry_offset = kIdentificationBytes + static_cast<std::size_t>(slot + 1) * kHalfOffsetBytes;
      findings.violation({Rule::kBucketTooLong, entry_offset, place, bucket_length});
    }
    std::string_view bucket;
    if (!ended && bucket_length > file.size() - pos) {
      // Past what was read lie only buckets after one too long to be read back, reported above.
      if (!length.more && pos + bucket_length > length.bytes) {
        findings.violation({Rule::kDataAreaShort, length.bytes, place, summary.data_area, present.bytes,
                            present.more ? 1u : 0u});
      }
      ended = true;
    }
    if (!ended) {
      bucket = file.substr(pos, bucket_length);
      BucketCheck(slot, bucket, pos, findings, summary).run();
      if (bucket_length > 0) ++summary.slots_used;
      if (bucket_length > summary.largest) {
        summary.largest = bucket_length;
        summary.largest_slot = slot;
      }
      pos += bucket_length;
    }
    if (text != nullptr) append_slot_block(slot, bucket, *text);
  }
  if (!ended && (pos < length.bytes || length.more)) {
    findings.warning({Rule::kBytesAfterLastBucket, pos, 0, length.bytes - pos, length.more ? 1u : 0u});
  }
  return summary;
}

}  // namespace big5dict::phrase
