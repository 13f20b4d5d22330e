// The phrase dictionary's text form: slot blocks written, and the rules its lines are read by.
#include "big5dict/phrase_text.h"

#include <cstdint>

#include "big5dict/big5.h"
#include "big5dict/bytes.h"
#include "big5dict/phrase_entry.h"

namespace big5dict::phrase {

namespace {
constexpr std::uint8_t kHeadTrailFirst = 0x40;
constexpr char kContinuationMark = '-';
constexpr char kSpace = ' ';
}  // namespace

void append_slot_block(int slot, std::string_view bucket, std::string& text) {
  bucket = text_before_nul(bucket);
  const Big5Char head = slot_character(slot);
  text.push_back(static_cast<char>(head.lead));
  text.push_back(static_cast<char>(head.trail));
  text.push_back(kSpace);
  EntryWalker walker(bucket);
  while (std::optional<Entry> entry = walker.next()) {
    if (entry->kind == EntryKind::kLong) {
      text.push_back('\n');
      text += kContinuationPrefix;
    }
    append_restored(entry->characters, text);
  }
  text.push_back('\n');
}

std::string export_text(const HeaderImage& header, const PhraseTable& table) {
  std::string text = header.identification_text();
  text.push_back('\n');
  for (int slot = 0; slot < kSlotCount; ++slot) append_slot_block(slot, table.bucket(slot), text);
  return text;
}

SourceLineKind source_line_kind(std::string_view line) {
  if (line.size() < 2) return SourceLineKind::kOther;
  const auto first = static_cast<std::uint8_t>(line[0]);
  const auto second = static_cast<std::uint8_t>(line[1]);
  if (is_lead_above_0xA0(first) && second >= kHeadTrailFirst) return SourceLineKind::kHead;
  if (line[0] == kContinuationMark && line[1] == kContinuationMark) return SourceLineKind::kContinuation;
  return SourceLineKind::kOther;
}

std::string_view listed_characters(std::string_view line, std::size_t from) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  std::size_t start = from < line.size() ? from : line.size();
  while (start < line.size() && line[start] == kSpace) ++start;
  return line.substr(start, character_run_end(line, start, is_lead_above_0xA0) - start);
}

}  // namespace big5dict::phrase
