// Writing the phrase table out as the text export.
#include "phrase_tool/text_export.h"

#include <cstdint>

#include "phrase_tool/messages.h"
#include "phrase_tool/phrase_entry.h"
#include "platform/replaced_file.h"
#include "platform/report.h"

namespace phrase_tool {

void append_slot_block(int slot, std::string_view bucket, std::string& text) {
  bucket = bucket.substr(0, bucket.find('\0'));  // a bucket in memory ends at its first NUL
  Big5Char head = slot_character(slot);
  text.push_back(static_cast<char>(head.lead));
  text.push_back(static_cast<char>(head.trail));
  text.push_back(' ');
  EntryWalker walker(bucket);
  while (std::optional<Entry> entry = walker.next()) {
    if (entry->kind == EntryKind::kLong) {
      text.push_back('\n');
      text += msg::kContinuationPrefix;
    }
    append_restored(entry->characters, text);
  }
  text.push_back('\n');
}

StopStatus export_text(const std::string& path, const HeaderImage& header, const PhraseTable& table,
                       std::ostream& out) {
  platform::ReplacedFile file;
  if (file.open(path) != 0) {
    out << msg::kCantOpenExport;
    return Outcome::kFileFault;
  }
  std::string text = header.identification_text();
  text.push_back('\n');
  for (int slot = 0; slot < kSlotCount; ++slot) append_slot_block(slot, table.bucket(slot), text);
  if (!file.write(text) || !file.commit()) {
    out << platform::write_error_report(path, file.error());
    return Outcome::kFileFault;
  }
  return std::nullopt;
}

}  // namespace phrase_tool
