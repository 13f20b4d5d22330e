// What LEXMOOR files from a word list, taken from its own headers: the slot of a phrase's first
// character, the lead bytes that keep a run of characters going, the longest phrase, and the
// bucket that must stay under its limit in a new dictionary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "phrase_tool/dictionary_format.h"
#include "phrase_tool/phrase_entry.h"
#include "phrase_tool/slots.h"
#include "platform/big5.h"

namespace table_importer::word_list_rules {

constexpr std::size_t kSlotCount = phrase_tool::kSlotCount;
constexpr std::size_t kCharacterBytes = phrase_tool::kCharacterBytes;
constexpr std::size_t kLongestPhraseBytes = phrase_tool::kMaxPhraseBytes;
constexpr std::size_t kBucketLimit = phrase_tool::kBucketLimit;

// The slot of a phrase's first character (Big5, two bytes at least), or -1 when it has none.
constexpr int first_slot(std::string_view big5) {
  const int index = phrase_tool::slot_index(static_cast<std::uint8_t>(big5[0]), static_cast<std::uint8_t>(big5[1]));
  return phrase_tool::has_slot(index) ? index : -1;
}

// A word list's scan ends a run at a lead byte of 0xA0 or below.
constexpr bool keeps_the_run(std::uint8_t lead) { return platform::is_lead_above_0xA0(lead); }

// The bytes a phrase takes in its first character's bucket.
constexpr std::size_t entry_bytes(std::string_view big5) { return phrase_tool::entry_bytes(big5.substr(kCharacterBytes)); }

}  // namespace table_importer::word_list_rules
