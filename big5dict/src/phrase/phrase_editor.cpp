// The phrase editor: one phrase added to, deleted from or looked up in its slot's bucket.
#include "big5dict/phrase_editor.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "big5dict/bytes.h"
#include "big5dict/phrase_entry.h"

namespace big5dict::phrase {

namespace {

// Where a new entry goes. Without the at-end flag the newest two-character phrase stands first and
// the newest long phrase first among the long ones; with it, phrases keep the order of addition.
std::size_t insertion_point(std::string_view bucket, const BucketSearch& search, EntryKind kind, bool at_end) {
  if (!at_end && kind == EntryKind::kTwoCharacter) return 0;
  if (at_end && kind == EntryKind::kLong) return bucket.size();
  return search.long_entries;
}

// The entry of a phrase, built once: its frequency unit, then its stored tail.
class NewEntry {
 public:
  explicit NewEntry(std::string_view tail) : kind_(kind_of_tail(tail)), size_(entry_bytes(tail)) {
    write_entry(tail, kind_, bytes_.data());
  }
  EntryKind kind() const { return kind_; }
  std::string_view bytes() const { return {bytes_.data(), size_}; }
  std::string_view stored_tail() const { return bytes().substr(kFrequencyUnitBytes); }

 private:
  EntryKind kind_;
  std::size_t size_;
  std::array<char, kFrequencyUnitBytes + kMaxPhraseBytes> bytes_;
};

// The slot of a whole phrase, or -1: a phrase is two characters or more, and its first has a slot.
int phrase_slot(std::string_view phrase) {
  if (phrase.size() < 2 * kCharacterBytes || phrase.size() % kCharacterBytes != 0) return -1;
  const int slot = slot_index(static_cast<std::uint8_t>(phrase[0]), static_cast<std::uint8_t>(phrase[1]));
  return has_slot(slot) ? slot : -1;
}

}  // namespace

EditResult edit_phrase(PhraseTable& table, std::string_view phrase, EditRequest request, bool at_end) {
  phrase = text_before_nul(phrase);
  EditResult result;
  if (phrase.size() > kMaxPhraseBytes) {
    result.outcome = EditOutcome::kTooLong;
    return result;
  }
  const int slot = phrase_slot(phrase);
  if (slot < 0) return result;

  const NewEntry entry(phrase.substr(kCharacterBytes));
  const BucketSearch search = table.search(slot, entry.stored_tail());
  const std::string_view bucket = table.bucket(slot);
  result.unmarked_entries = search.unmarked_entries;
  const bool found = search.found != kNoEntry;
  switch (request) {
    case EditRequest::kLookUp:
      result.outcome = found ? EditOutcome::kPresent : EditOutcome::kAbsent;
      break;
    case EditRequest::kDelete:
      if (!found) {
        result.outcome = EditOutcome::kMissing;
        const std::string_view tail = entry.stored_tail();
        std::copy(tail.begin(), tail.end(), result.stored_tail.begin());
        result.stored_tail_size = tail.size();
        break;
      }
      table.erase(slot, search.found, entry.bytes().size());
      result.outcome = EditOutcome::kDeleted;
      break;
    case EditRequest::kAdd:
      if (found) {
        result.outcome = EditOutcome::kPresent;
      } else if (bucket.size() + entry.bytes().size() >= kBucketLimit) {
        // A bucket stays under 16384 bytes, or the file that holds it could not be read back.
        result.outcome = EditOutcome::kBucketFull;
      } else {
        table.insert(slot, insertion_point(bucket, search, entry.kind(), at_end), entry.bytes());
        result.outcome = EditOutcome::kAdded;
      }
      break;
  }
  return result;
}

bool holds_phrase(const PhraseTable& table, std::string_view phrase) {
  phrase = text_before_nul(phrase);
  const int slot = phrase.size() <= kMaxPhraseBytes ? phrase_slot(phrase) : -1;
  if (slot < 0) return false;
  const NewEntry entry(phrase.substr(kCharacterBytes));
  return walk_bucket(table.bucket(slot), entry.stored_tail()).found != kNoEntry;
}

}  // namespace big5dict::phrase
