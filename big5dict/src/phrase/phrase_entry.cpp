// Building entries and walking buckets.
#include "big5dict/phrase_entry.h"

#include <cstring>

namespace big5dict::phrase {

namespace {
constexpr std::uint8_t kStoredLeadAbove = 0xA0;  // a lead byte above this is a Big5 lead
std::uint8_t byte_at(std::string_view text, std::size_t i) { return static_cast<std::uint8_t>(text[i]); }
}  // namespace

void write_entry(std::string_view tail, EntryKind kind, char* out) {
  out[0] = static_cast<char>(kNewEntryF1);
  const std::uint8_t f2 = new_entry_f2(tail.size());
  out[1] = static_cast<char>(f2 == 0 ? 1 : f2);
  char* stored = out + kFrequencyUnitBytes;
  std::memcpy(stored, tail.data(), tail.size());
  for (std::size_t pos = 0; pos < tail.size(); pos += kCharacterBytes) {
    const std::uint8_t lead = byte_at(tail, pos);
    if (lead <= kStoredLeadAbove) break;
    stored[pos] = static_cast<char>(lead & ~kMarkBit);
  }
  if (kind == EntryKind::kLong && !tail.empty()) stored[0] = static_cast<char>(stored[0] | kMarkBit);
}

void append_entry(std::string& bucket, std::string_view tail, EntryKind kind) {
  const std::size_t at = bucket.size();
  bucket.resize(at + entry_bytes(tail));
  write_entry(tail, kind, bucket.data() + at);
}

void append_restored(std::string_view characters, std::string& text) {
  for (std::size_t i = 0; i + 1 < characters.size(); i += kCharacterBytes) {
    text.push_back(static_cast<char>(byte_at(characters, i) | kMarkBit));
    text.push_back(characters[i + 1]);
  }
}

std::size_t long_entry_end(std::string_view bucket, std::size_t first) {
  std::size_t pos = first + kCharacterBytes;
  while (pos + 1 < bucket.size() && byte_at(bucket, pos) < kMarkBit) pos += kCharacterBytes;
  return pos;
}

std::optional<Entry> EntryWalker::next() {
  if (pos_ + kTwoCharacterEntryBytes > bucket_.size()) return std::nullopt;
  const std::size_t start = pos_;
  const std::size_t first = start + kFrequencyUnitBytes;
  const EntryKind kind = entry_kind(byte_at(bucket_, first));
  pos_ = kind == EntryKind::kTwoCharacter ? first + kCharacterBytes : long_entry_end(bucket_, first);
  return Entry{start, bucket_.substr(first, pos_ - first), kind};
}

}  // namespace big5dict::phrase
