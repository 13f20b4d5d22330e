// The phrase editor: one phrase added to, deleted from or looked up in its slot's bucket.
#include "phrase_tool/phrase_editor.h"

#include <cstddef>
#include <cstdint>
#include <new>
#include <string>

#include "phrase_tool/dictionary_format.h"
#include "phrase_tool/messages.h"
#include "phrase_tool/slots.h"
#include "platform/report.h"

namespace phrase_tool {

namespace {

constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);
constexpr std::size_t kUnitBytes = 2;
constexpr std::size_t kTwoCharacterEntryBytes = 4;
constexpr std::size_t kTwoCharacterTailBytes = 2;

// A bucket as the editor walks it: every position at or past its end reads as the NUL that ends
// it in memory, so no walk, however damaged the bucket, reads beyond it.
class BucketView {
 public:
  explicit BucketView(std::string_view bytes) : bytes_(bytes.substr(0, bytes.find('\0'))) {}

  std::size_t length() const { return bytes_.size(); }
  std::uint8_t at(std::size_t pos) const {
    return pos < bytes_.size() ? static_cast<std::uint8_t>(bytes_[pos]) : 0;
  }
  bool starts_entry(std::size_t pos) const { return at(pos) >= kMarkBit; }
  // The unit at `pos` ends the entry before it: the bucket's end or the next entry's F1.
  bool ends_entry(std::size_t pos) const { return at(pos) == 0 || starts_entry(pos); }
  bool holds_at(std::size_t pos, std::string_view tail) const {
    for (std::size_t i = 0; i < tail.size(); ++i) {
      if (at(pos + i) != static_cast<std::uint8_t>(tail[i])) return false;
    }
    return true;
  }
  std::string_view bytes() const { return bytes_; }

 private:
  std::string_view bytes_;
};

// The phrase's characters 2..k as a bucket stores them: bit 7 cleared on every lead byte, then set
// again on the first one when the phrase is long, so it marks a long entry.
std::string stored_tail(std::string_view phrase) {
  std::string tail(phrase.substr(kUnitBytes));
  for (std::size_t pos = 0; pos < tail.size(); pos += kUnitBytes) {
    auto lead = static_cast<std::uint8_t>(tail[pos]);
    if (lead <= 0xA0) break;
    tail[pos] = static_cast<char>(lead & ~kMarkBit);
  }
  if (tail.size() > kTwoCharacterTailBytes) tail[0] = static_cast<char>(tail[0] | kMarkBit);
  return tail;
}

// Two-character entries stand first and are 4 bytes each, so a fixed-stride walk finds them.
std::size_t find_two_character(const BucketView& bucket, std::string_view tail, std::ostream& out) {
  if (bucket.length() == 0 || bucket.at(2) > kMarkBit) return kNotFound;
  for (std::size_t pos = 0; bucket.at(pos) != 0 && pos < bucket.length(); pos += kTwoCharacterEntryBytes) {
    if (!bucket.starts_entry(pos)) out << msg::kFreqSearch1;
    if (!bucket.ends_entry(pos + kTwoCharacterEntryBytes)) return kNotFound;  // a long entry
    if (bucket.holds_at(pos + kUnitBytes, tail)) return pos;
  }
  return kNotFound;
}

// A long phrase is looked for among the long entries only, and matches a whole entry: its tail
// must end exactly where the entry does.
std::size_t find_long(const BucketView& bucket, std::string_view tail, std::ostream& out) {
  std::size_t pos = 0;
  while (bucket.at(pos) != 0) {
    if (!bucket.starts_entry(pos)) out << msg::kFreqSearch2;
    if (bucket.at(pos + kUnitBytes) > kMarkBit) break;
    pos += kTwoCharacterEntryBytes;
  }
  while (bucket.at(pos) != 0 && pos < bucket.length()) {
    if (!bucket.starts_entry(pos)) out << msg::kFreqSearch3;
    if (bucket.ends_entry(pos + kUnitBytes + tail.size()) && bucket.holds_at(pos + kUnitBytes, tail)) return pos;
    pos += kTwoCharacterEntryBytes;
    while (!bucket.ends_entry(pos)) pos += kUnitBytes;
  }
  return kNotFound;
}

std::size_t find_entry(const BucketView& bucket, std::string_view tail, std::ostream& out) {
  std::size_t found = tail.size() == kTwoCharacterTailBytes ? find_two_character(bucket, tail, out)
                                                            : find_long(bucket, tail, out);
  if (found == kNotFound || bucket.at(found) == 0 || found + kUnitBytes > bucket.length()) return kNotFound;
  return found;
}

// Where a new entry goes. Without the at-end flag the newest two-character phrase stands first and
// the newest long phrase first among the long ones; with it, phrases keep the order of addition.
std::size_t insertion_point(const BucketView& bucket, std::size_t tail_bytes, bool at_end) {
  if (!at_end && tail_bytes == kTwoCharacterTailBytes) return 0;
  if (at_end && tail_bytes > kTwoCharacterTailBytes) return bucket.length();
  std::size_t pos = 0;
  while (bucket.at(pos) != 0 && bucket.at(pos + kUnitBytes) < kMarkBit) pos += kTwoCharacterEntryBytes;
  return pos < bucket.length() ? pos : bucket.length();
}

StopStatus edit(PhraseTable& table, const RunFlags& flags, std::string_view phrase, int op,
                const Console& console) {
  if (phrase.size() > kMaxPhraseBytes) {
    console.out << platform::format(msg::kPhraseTooLong, std::string(phrase).c_str());
    return ExitStatus::kContentFault;
  }
  // Only whole phrases of two characters or more can be filed; both callers hand nothing else.
  if (phrase.size() < 2 * kUnitBytes || phrase.size() % kUnitBytes != 0) return std::nullopt;
  int slot = slot_index(static_cast<std::uint8_t>(phrase[0]), static_cast<std::uint8_t>(phrase[1]));
  if (!has_slot(slot)) return std::nullopt;

  const std::string tail = stored_tail(phrase);
  const BucketView bucket(table.bucket(slot));
  const std::size_t found = find_entry(bucket, tail, console.out);

  if (op < 0 && found == kNotFound) {
    console.out << platform::format(msg::kNotPresent, tail.c_str());
    return std::nullopt;
  }
  if (op > 0 && found == kNotFound) {
    const std::size_t entry_bytes = kUnitBytes + tail.size();
    // A bucket stays under 16384 bytes, or the file that holds it could not be read back.
    if (bucket.length() + entry_bytes >= kBucketLimit) {
      console.out << platform::format(msg::kBucketFull, std::string(phrase).c_str());
      return std::nullopt;
    }
    if (flags.list_added) {
      console.out << platform::format(msg::kAddedEcho, std::string(phrase).c_str());
    } else {
      console.out << msg::kAddedMark;
    }
    std::string entry;
    entry.reserve(entry_bytes);
    entry.push_back(static_cast<char>(kNewEntryF1));
    entry.push_back(static_cast<char>(new_entry_f2(tail.size())));
    entry += tail;
    std::string edited(bucket.bytes());
    edited.insert(insertion_point(bucket, tail.size(), flags.at_end), entry);
    table.replace(slot, std::move(edited));
    return std::nullopt;
  }
  if (op < 0) {
    console.out << msg::kDeletedMark;
    std::string edited(bucket.bytes());
    edited.erase(found, kUnitBytes + tail.size());
    table.replace(slot, std::move(edited));
  }
  return std::nullopt;
}

}  // namespace

StopStatus edit_phrase(PhraseTable& table, const RunFlags& flags, std::string_view phrase, int op,
                       const Console& console) {
  phrase = phrase.substr(0, phrase.find('\0'));
  try {
    return edit(table, flags, phrase, op, console);
  } catch (const std::bad_alloc&) {
    console.err << msg::kMemoryFull;
    return ExitStatus::kContentFault;
  }
}

}  // namespace phrase_tool
