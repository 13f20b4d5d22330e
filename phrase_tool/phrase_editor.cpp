// The phrase editor: one phrase added to, deleted from or looked up in its slot's bucket.
#include "phrase_tool/phrase_editor.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <new>
#include <string>

#include "phrase_tool/dictionary_format.h"
#include "phrase_tool/messages.h"
#include "phrase_tool/phrase_entry.h"
#include "phrase_tool/slots.h"
#include "platform/message_writer.h"
#include "platform/report.h"

namespace phrase_tool {

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
Search find_two_character(const BucketView& bucket, std::string_view tail, std::ostream& out) {
  if (bucket.length() == 0 || bucket.is_long(0)) return {};
  std::size_t long_entries = kNotFound;
  std::size_t pos = 0;
  for (; bucket.at(pos) != 0 && pos < bucket.length(); pos += kTwoCharacterEntryBytes) {
    if (long_entries == kNotFound && bucket.is_long(pos)) long_entries = pos;
    if (!bucket.starts_entry(pos)) out << msg::kFreqSearch1;
    if (!bucket.ends_entry(pos + kTwoCharacterEntryBytes)) break;  // a long entry
    if (bucket.holds_at(pos + kFrequencyUnitBytes, tail)) return {pos, 0};
  }
  return {kNotFound, long_entries != kNotFound ? long_entries : long_entries_from(bucket, pos)};
}

// A long phrase is looked for among the long entries only, and matches a whole entry: its tail
// must end exactly where the entry does.
Search find_long(const BucketView& bucket, std::string_view tail, std::ostream& out) {
  std::size_t pos = 0;
  while (bucket.at(pos) != 0) {
    if (!bucket.starts_entry(pos)) out << msg::kFreqSearch2;
    if (bucket.is_long(pos)) break;
    pos += kTwoCharacterEntryBytes;
  }
  const std::size_t long_entries = pos < bucket.length() ? pos : bucket.length();
  while (bucket.at(pos) != 0 && pos < bucket.length()) {
    if (!bucket.starts_entry(pos)) out << msg::kFreqSearch3;
    if (bucket.ends_entry(pos + kFrequencyUnitBytes + tail.size()) && bucket.holds_at(pos + kFrequencyUnitBytes, tail)) {
      return {pos, long_entries};
    }
    pos += kTwoCharacterEntryBytes;
    while (!bucket.ends_entry(pos)) pos += kCharacterBytes;
  }
  return {kNotFound, long_entries};
}

Search find_entry(const BucketView& bucket, std::string_view tail, std::ostream& out) {
  Search search = kind_of_tail(tail) == EntryKind::kTwoCharacter ? find_two_character(bucket, tail, out)
                                                                  : find_long(bucket, tail, out);
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

void put_phrase_message(std::ostream& out, const char* format, std::string_view text) {
  platform::MessageWriter(out).print(format, text);
}

StopStatus edit(PhraseTable& table, const RunFlags& flags, std::string_view phrase, EditRequest request,
                const Console& console) {
  if (phrase.size() > kMaxPhraseBytes) {
    put_phrase_message(console.out, msg::kPhraseTooLong, phrase);
    return Outcome::kContentFault;
  }
  // Only whole phrases of two characters or more can be filed; every caller hands nothing else.
  if (phrase.size() < 2 * kCharacterBytes || phrase.size() % kCharacterBytes != 0) return std::nullopt;
  int slot = slot_index(static_cast<std::uint8_t>(phrase[0]), static_cast<std::uint8_t>(phrase[1]));
  if (!has_slot(slot)) return std::nullopt;

  const std::string_view tail = phrase.substr(kCharacterBytes);
  const EntryKind kind = kind_of_tail(tail);
  std::array<char, kFrequencyUnitBytes + kMaxPhraseBytes> entry_buffer;
  write_entry(tail, kind, entry_buffer.data());
  const std::string_view entry(entry_buffer.data(), entry_bytes(tail));
  const std::string_view stored_tail = entry.substr(kFrequencyUnitBytes);

  const BucketView bucket(table.bucket(slot));
  const Search search = find_entry(bucket, stored_tail, console.out);

  if (request == EditRequest::kDelete && search.found == kNotFound) {
    put_phrase_message(console.out, msg::kNotPresent, stored_tail);
    return std::nullopt;
  }
  if (request == EditRequest::kAdd && search.found == kNotFound) {
    // A bucket stays under 16384 bytes, or the file that holds it could not be read back.
    if (bucket.length() + entry.size() >= kBucketLimit) {
      put_phrase_message(console.out, msg::kBucketFull, phrase);
      return std::nullopt;
    }
    if (flags.list_added) {
      console.out << phrase << msg::kAddedEchoEnd;
    } else {
      console.out << msg::kAddedMark;
    }
    table.insert(slot, insertion_point(bucket, search, kind, flags.at_end), entry);
    return std::nullopt;
  }
  if (request == EditRequest::kDelete) {
    console.out << msg::kDeletedMark;
    table.erase(slot, search.found, entry.size());
  }
  return std::nullopt;
}

}  // namespace

StopStatus edit_phrase(PhraseTable& table, const RunFlags& flags, std::string_view phrase, EditRequest request,
                       const Console& console) {
  phrase = phrase.substr(0, phrase.find('\0'));
  try {
    return edit(table, flags, phrase, request, console);
  } catch (const std::bad_alloc&) {
    console.err << msg::kMemoryFull;
    return Outcome::kContentFault;
  }
}

}  // namespace phrase_tool
