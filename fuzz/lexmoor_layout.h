// The layout every bucket built by LEXMOOR keeps, checked by the harnesses that build tables.
#pragma once

#include <cstdint>
#include <string_view>

#include "big5dict/phrase_layout.h"
#include "big5dict/phrase_entry.h"

namespace lexmoor_fuzz {

// No NUL, under 16384 bytes, every entry whole and starting with an F1 whose bit 7 is set, the
// two-character entries before the long ones.
inline bool keeps_layout(std::string_view bucket) {
  using namespace big5dict::phrase;
  if (bucket.size() >= kBucketLimit || bucket.find('\0') != std::string_view::npos) return false;
  EntryWalker walker(bucket);
  bool long_seen = false;
  while (walker.position() < bucket.size()) {
    if (static_cast<std::uint8_t>(bucket[walker.position()]) < kMarkBit) return false;
    const std::optional<Entry> entry = walker.next();
    if (!entry || (long_seen && entry->kind == EntryKind::kTwoCharacter)) return false;
    long_seen = long_seen || entry->kind == EntryKind::kLong;
  }
  return true;
}

}  // namespace lexmoor_fuzz
