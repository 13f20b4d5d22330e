// The phrase editor: one phrase added to, deleted from or looked up in its slot's bucket.
#include "big5dict/phrase_editor.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "big5dict/bytes.h"
#include "big5dict/phrase_entry.h"

namespace big5dict::phrase {

namespace {

constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

// A bucket as the editor walks it: every position at or past its end reads as the NUL that ends
// it in memory, so no walk, however damaged the bucket, reads beyond it. A bucket of the table
// holds no NUL.
class BucketView {
 public:
  explicit BucketView(std::string_view bytes) : bytes_(bytes) {}

  std::size_t length() const { return bytes_.size(); }
  std::uint8_t at(std::size_t pos) const {
    return pos < bytes_.size() ? static_cast<std::uint8_t>(bytes_[pos]) : 0;
  }
  bool starts_entry(std::size_t pos) const { return at(pos) >= kMarkBit; }
  // The unit at `pos` ends the entry before it: the bucket's end or the next entry's F1.
  bool ends_entry(std::size_t pos) const { return at(pos) == 0 || starts_entry(pos); }
  bool is_long(std::size_t pos) const { return entry_kind(at(pos + kFrequencyUnitBytes)) == EntryKind::kLong; }
  bool holds_at(std::size_t pos, std::string_view tail) const {
    return pos <= bytes_.size() && bytes_.substr(pos, tail.size()) == tail;
  }

 private:
  std::string_view bytes_;
};

// What a search finds: the entry's position, and where the long entries begin, the place of a
// new entry that goes after the two-character ones. A search that finds the entry need not say.
struct Search {
  std::size_t found = kNotFound;
  std::size_t long_entries = 0;
};

// Where the long entries begin, the two-character ones up to `pos` being known.
std::size_t long_entries_from(const BucketView& bucket, std::size_t pos) {
  while (bucket.at(pos) != 0 && !bucket.is_long(pos)) pos += kTwoCharacterEntryBytes;
  return pos < bucket.length() ? pos : bucket.length();
}

// Two-character entries stand first and are 4 bytes each, so a fixed-stride walk finds them. The
// walk notes where the long entries begin as it passes, so that an addition need not walk again.
Search find_two_character(const BucketView& bucket, std::string_view tail, EditResult& result) {
  if (bucket.length() == 0 || bucket.is_long(0)) return {};
  std::size_t long_entries = kNotFound;
  std::size_t pos = 0;
  for (; bucket.at(pos) != 0 && pos < bucket.length(); pos += kTwoCharacterEntryBytes) {
    if (long_entries == kNotFound && bucket.is_long(pos)) long_entries = pos;
    if (!bucket.starts_entry(pos)) ++result.unmarked_entries[0];
    if (!bucket.ends_entry(pos + kTwoCharacterEntryBytes)) break;  // a long entry
    if (bucket.holds_at(pos + kFrequencyUnitBytes, tail)) return {pos, 0};
  }
  return {kNotFound, long_entries != kNotFound ? long_entries : long_entries_from(bucket, pos)};
}

// A long phrase is looked for among the long entries only, and matches a whole entry: its tail
// must end exactly where the entry does.
Search find_long(const BucketView& bucket, std::string_view tail, EditResult& result) {
  std::size_t pos = 0;
  while (bucket.at(pos) != 0) {
    if (!bucket.starts_entry(pos)) ++result.unmarked_entries[1];
    if (bucket.is_long(pos)) break;
    pos += kTwoCharacterEntryBytes;
  }
  const std::size_t long_entries = pos < bucket.length() ? pos : bucket.length();
  while (bucket.at(pos) != 0 && pos < bucket.length()) {
    if (!bucket.starts_entry(pos)) ++result.unmarked_entries[2];
    if (bucket.ends_entry(pos + kFrequencyUnitBytes + tail.size()) && bucket.holds_at(pos + kFrequencyUnitBytes, tail)) {
      return {pos, long_entries};
    }
    pos += kTwoCharacterEntryBytes;
    while (!bucket.ends_entry(pos)) pos += kCharacterBytes;
  }
  return {kNotFound, long_entries};
}

Search find_entry(const BucketView& bucket, std::string_view tail, EditResult& result) {
  Search search = kind_of_tail(tail) == EntryKind::kTwoCharacter ? find_two_character(bucket, tail, result)
                                                                  : find_long(bucket, tail, result);
  if (search.found != kNotFound &&
      (bucket.at(search.found) == 0 || search.found + kFrequencyUnitBytes > bucket.length())) {
    search.found = kNotFound;
  }
  return search;
}

// Where a new entry goes. Without the at-end flag the newest two-character phrase stands first and
// the newest long phrase first among the long ones; with it, phrases keep the order of addition.
std::size_t insertion_point(const BucketView& bucket, const Search& search, EntryKind kind, bool at_end) {
  if (!at_end && kind == EntryKind::kTwoCharacter) return 0;
  if (at_end && kind == EntryKind::kLong) return bucket.length();
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
  const BucketView bucket(table.bucket(slot));
  const Search search = find_entry(bucket, entry.stored_tail(), result);
  const bool found = search.found != kNotFound;
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
      } else if (bucket.length() + entry.bytes().size() >= kBucketLimit) {
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
  EditResult unused;
  return find_entry(BucketView(table.bucket(slot)), entry.stored_tail(), unused).found != kNotFound;
}

}  // namespace big5dict::phrase
