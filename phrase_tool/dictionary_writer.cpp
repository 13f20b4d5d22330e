// Writing the phrase table out: the dictionary file with its recomputed header, or the text export.
#include "phrase_tool/dictionary_writer.h"

#include <cstdint>

#include "phrase_tool/messages.h"
#include "platform/replaced_file.h"
#include "platform/report.h"

namespace phrase_tool {

namespace {

StopStatus write_failed(const std::string& path, const platform::ReplacedFile& file, std::ostream& out) {
  out << platform::write_error_report(path, file.error());
  return ExitStatus::kFileFault;
}

}  // namespace

void append_slot_block(int slot, std::string_view bucket, std::string& text) {
  bucket = bucket.substr(0, bucket.find('\0'));  // a bucket in memory ends at its first NUL
  Big5Char head = slot_character(slot);
  text.push_back(static_cast<char>(head.lead));
  text.push_back(static_cast<char>(head.trail));
  text.push_back(' ');
  auto byte = [bucket](std::size_t i) { return static_cast<std::uint8_t>(bucket[i]); };
  auto append_char = [&](std::size_t i) {
    text.push_back(static_cast<char>(byte(i) | kMarkBit));
    text.push_back(bucket[i + 1]);
  };
  std::size_t pos = 0;
  while (pos + 3 < bucket.size()) {
    std::size_t first = pos + 2;  // past the frequency unit
    if (byte(first) <= kMarkBit) {
      append_char(first);
      pos += 4;
      continue;
    }
    text.push_back('\n');
    text += msg::kContinuationPrefix;
    append_char(first);
    pos = first + 2;
    while (pos + 1 < bucket.size() && byte(pos) < kMarkBit) {
      append_char(pos);
      pos += 2;
    }
  }
  text.push_back('\n');
}

StopStatus write_dictionary(const std::string& path, HeaderImage& header, const PhraseTable& table,
                            std::ostream& out) {
  platform::ReplacedFile file;
  if (file.open(path) != 0) {
    out << msg::kCantOpenDictionary;
    return ExitStatus::kFileFault;
  }
  out << msg::kWritingTo;
  // The half-offsets are computed before anything is written, so that the file goes out in one
  // pass, as a device or a FIFO takes it. They wrap modulo 65536: a reader only takes their
  // differences, so a data area longer than 131070 bytes still reads back as long as each bucket
  // stays under 16384 bytes.
  auto past = [&table](std::int32_t count, int entry) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(count) + table.bucket(entry).size());
  };
  std::int32_t count = 0;
  for (int entry = 0; entry < kTableEntries; ++entry) {
    header.set_half_offset(entry, static_cast<std::uint16_t>(count / 2));
    if (entry < kSlotCount) count = past(count, entry);
  }
  if (!file.write(header.data(), HeaderImage::size())) return write_failed(path, file, out);
  std::int32_t written = 0;
  for (int entry = 0; entry < kTableEntries; ++entry) {
    out << platform::format(msg::kEntryProgress, entry, static_cast<long>(written));
    if (entry == kSlotCount) break;
    const std::string& bucket = table.bucket(entry);
    if (bucket.empty()) continue;
    written = past(written, entry);
    if (!file.write(bucket)) return write_failed(path, file, out);
  }
  if (!file.commit()) return write_failed(path, file, out);
  out << platform::format(msg::kTotalLength, static_cast<long>(count));
  return std::nullopt;
}

StopStatus export_text(const std::string& path, const HeaderImage& header, const PhraseTable& table,
                       std::ostream& out) {
  platform::ReplacedFile file;
  if (file.open(path) != 0) {
    out << msg::kCantOpenExport;
    return ExitStatus::kFileFault;
  }
  std::string text = header.identification_text();
  text.push_back('\n');
  for (int slot = 0; slot < kSlotCount; ++slot) append_slot_block(slot, table.bucket(slot), text);
  if (!file.write(text) || !file.commit()) return write_failed(path, file, out);
  return std::nullopt;
}

}  // namespace phrase_tool
