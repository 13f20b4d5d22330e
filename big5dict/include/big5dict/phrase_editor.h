// The phrase editor: adds one phrase to its slot's bucket, deletes it, or looks it up, keeping the
// bucket's layout (two-character entries first). It returns what it did and what it met on its
// way, in the order it met them, for the program to report.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "big5dict/phrase_layout.h"
#include "big5dict/phrase_search.h"
#include "big5dict/phrase_table.h"

namespace big5dict::phrase {

enum class EditRequest {
  kAdd,     // adds the phrase when absent
  kDelete,  // deletes it when present
  kLookUp,  // only looks it up
};

enum class EditOutcome {
  kIgnored,     // the first character has no slot, or it is no whole phrase: nothing changed
  kTooLong,     // longer than 40 bytes: nothing changed, and the program stops
  kAdded,
  kPresent,     // an addition of a phrase that is there, or a look-up that found it
  kAbsent,      // a look-up that found nothing
  kDeleted,
  kMissing,     // a deletion of a phrase that is not there
  kBucketFull,  // the addition would make the bucket 16384 bytes or longer: not added
};

struct EditResult {
  EditOutcome outcome = EditOutcome::kIgnored;
  // Entries the search met that begin with no frequency unit (a byte below 0x80), by stage; the
  // search goes on past each.
  std::array<int, kSearchStages> unmarked_entries{};
  // With kMissing: the phrase's characters 2..k as a bucket stores them, the lead bytes' bit 7
  // cleared but on the first of a long phrase.
  std::array<char, kMaxPhraseBytes> stored_tail{};
  std::size_t stored_tail_size = 0;

  std::string_view missing_tail() const { return {stored_tail.data(), stored_tail_size}; }
};

// `phrase` is the whole phrase as Big5 bytes (two characters or more, every lead byte above 0xA0),
// read up to its first NUL. With `at_end` new phrases keep the order of addition; without it the
// newest two-character phrase stands first and the newest long one first among the long ones.
// Throws std::bad_alloc when the bucket cannot grow.
EditResult edit_phrase(PhraseTable& table, std::string_view phrase, EditRequest request, bool at_end);

// Whether the table holds the whole phrase, as the editor finds it.
bool holds_phrase(const PhraseTable& table, std::string_view phrase);

}  // namespace big5dict::phrase
