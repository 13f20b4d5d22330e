// What LEXMOOR files from a word list, taken from its own headers: the slot of a phrase's first
// character, the lead bytes that keep a run of characters going, the longest phrase, and the
// bucket that must stay under its limit in a new dictionary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "big5dict/big5.h"
#include "big5dict/phrase_entry.h"
#include "big5dict/phrase_layout.h"

namespace table_importer::word_list_rules {

constexpr std::size_t kSlotCount = big5dict::phrase::kSlotCount;
constexpr std::size_t kCharacterBytes = big5dict::phrase::kCharacterBytes;
constexpr std::size_t kLongestPhraseBytes = big5dict::phrase::kMaxPhraseBytes;
constexpr std::size_t kBucketLimit = big5dict::phrase::kBucketLimit;

// The slot of a phrase's first character (Big5, two bytes at least), or -1 when it has none.
constexpr int first_slot(std::string_view big5) {
  const int index = big5dict::phrase::slot_index(static_cast<std::uint8_t>(big5[0]), static_cast<std::uint8_t>(big5[1]));
  return big5dict::phrase::has_slot(index) ? index : -1;
}

// A word list's scan ends a run at a lead byte of 0xA0 or below.
constexpr bool keeps_the_run(std::uint8_t lead) { return big5dict::is_lead_above_0xA0(lead); }

// The bytes a phrase takes in its first character's bucket.
constexpr std::size_t entry_bytes(std::string_view big5) { return big5dict::phrase::entry_bytes(big5.substr(kCharacterBytes)); }

}  // namespace table_importer::word_list_rules
