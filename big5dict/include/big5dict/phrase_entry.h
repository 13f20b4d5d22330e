// Phrase-dictionary entries: how one is built and how a bucket is walked entry by entry. Every
// reader and writer of buckets goes through here, so the layout has one home.
//
// An entry is F1 F2 and the stored characters 2..k of its phrase. F1 has bit 7 set; F2 is carried
// and never examined. The byte after the frequency unit decides the entry's kind: 0x80 or below
// is a two-character entry (4 bytes), above 0x80 starts a long entry whose later characters have
// bit 7 clear on their lead bytes, up to the next F1 or the bucket's end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "big5dict/phrase_layout.h"

namespace big5dict::phrase {

enum class EntryKind { kTwoCharacter, kLong };

// The one rule: `byte` stands right after an entry's frequency unit.
constexpr EntryKind entry_kind(std::uint8_t byte) {
  return byte <= kMarkBit ? EntryKind::kTwoCharacter : EntryKind::kLong;
}

// The kind a phrase of characters 2..k (`tail`) is filed as.
constexpr EntryKind kind_of_tail(std::string_view tail) {
  return tail.size() > kCharacterBytes ? EntryKind::kLong : EntryKind::kTwoCharacter;
}

constexpr std::size_t entry_bytes(std::string_view tail) { return kFrequencyUnitBytes + tail.size(); }

// Writes the entry of a new phrase, entry_bytes(tail) bytes, at `out`: the frequency unit of a new
// entry, then the tail with bit 7 cleared on its lead bytes (up to the first that is no Big5 lead
// above 0xA0, which is kept as it is) and set again on the first one of a long entry. F2 is never
// 0: a NUL would end the bucket in memory and lose every entry behind it (a tail of 138, 394, 650
// ... bytes would give it).
void write_entry(std::string_view tail, EntryKind kind, char* out);

// The same entry appended to `bucket`.
void append_entry(std::string& bucket, std::string_view tail, EntryKind kind);

// One entry as a walk finds it: where it starts and its stored characters.
struct Entry {
  std::size_t start;
  std::string_view characters;  // characters 2..k, lead bytes as stored
  EntryKind kind;
};

// Appends stored characters as Big5 text: bit 7 of every lead byte set again.
void append_restored(std::string_view characters, std::string& text);

// Where the characters of a long entry end, its first character standing at `first`: at the next
// byte with bit 7 set, or before a lone byte at the end of the bucket.
std::size_t long_entry_end(std::string_view bucket, std::size_t first);

// Walks a bucket (a bucket in memory holds no NUL) entry by entry. An entry needs its frequency
// unit and one whole character: a damaged bucket that ends inside one gives what it holds whole
// and nothing past its end. F1 is not examined.
class EntryWalker {
 public:
  explicit EntryWalker(std::string_view bucket) : bucket_(bucket) {}

  std::optional<Entry> next();

  // The byte at `pos`, the start of the entry `next` gives next.
  std::size_t position() const { return pos_; }

 private:
  std::string_view bucket_;
  std::size_t pos_ = 0;
};

}  // namespace big5dict::phrase
