// Look-ups in a phrase dictionary's bytes: a bucket found through the half-offsets, then walked.
#include "big5dict/phrase_lookup.h"

#include <cstring>

#include "big5dict/phrase_editor.h"
#include "big5dict/phrase_entry.h"
#include "big5dict/phrase_layout.h"
#include "big5dict/phrase_table.h"

namespace big5dict::phrase {

namespace {

int slot_of(Big5Char c) {
  const int slot = slot_index(c.lead, c.trail);
  return has_slot(slot) ? slot : -1;
}

}  // namespace

std::optional<std::string_view> bucket_in_file(std::string_view file, int slot) {
  if (file.size() < kHeaderBytes || slot < 0 || slot >= kSlotCount) return std::nullopt;
  HeaderImage header;
  std::memcpy(header.data(), file.data(), kHeaderBytes);
  // Each bucket is under 16384 bytes in a sound file; a damaged one may claim up to 131070, and
  // the sum of all stays far inside a size_t.
  std::size_t start = kHeaderBytes;
  for (int i = 0; i < slot; ++i) start += header.bucket_length(i);
  if (start >= file.size()) return std::string_view{};
  std::string_view bucket = file.substr(start, header.bucket_length(slot));
  return bucket.substr(0, bucket.find('\0'));
}

std::vector<std::string> phrases_under(std::string_view file, Big5Char first) {
  std::vector<std::string> phrases;
  const int slot = slot_of(first);
  if (slot < 0) return phrases;
  const std::optional<std::string_view> bucket = bucket_in_file(file, slot);
  if (!bucket) return phrases;
  EntryWalker walker(*bucket);
  while (std::optional<Entry> entry = walker.next()) {
    std::string& phrase = phrases.emplace_back();
    phrase.push_back(static_cast<char>(first.lead));
    phrase.push_back(static_cast<char>(first.trail));
    append_restored(entry->characters, phrase);
  }
  return phrases;
}

bool file_holds_phrase(std::string_view file, std::string_view phrase) {
  if (phrase.size() < 2 * kCharacterBytes) return false;
  const int slot = slot_of({static_cast<std::uint8_t>(phrase[0]), static_cast<std::uint8_t>(phrase[1])});
  if (slot < 0) return false;
  const std::optional<std::string_view> bucket = bucket_in_file(file, slot);
  if (!bucket || bucket->empty()) return false;
  PhraseTable table;
  table.set_bucket(slot, *bucket);
  return holds_phrase(table, phrase);
}

}  // namespace big5dict::phrase
