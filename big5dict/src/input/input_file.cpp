// The input dictionary written byte by byte and read back through checked reads, and the final
// pass over its key table.
#include "big5dict/input_file.h"

#include <algorithm>

#include "big5dict/bytes.h"

namespace big5dict::input {

std::string_view name_text(const NameField& field) {
  return text_before_nul(std::string_view(reinterpret_cast<const char*>(field.data()), field.size()));
}

Stored store_code(KeyTable& key, int hash, std::uint32_t code) {
  if (!has_slot(hash)) return Stored::kNoSlot;
  std::uint32_t& slot = key[static_cast<std::size_t>(hash)];
  if (slot != 0) return Stored::kAlreadyDefined;
  slot = code;
  return Stored::kStored;
}

std::vector<std::size_t> final_pass(KeyTable& key) {
  std::vector<std::size_t> like_the_marker;
  std::size_t highest_used = 0;
  for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
    if (key[slot] == kEndMarker) like_the_marker.push_back(slot);
    if (key[slot] != 0) highest_used = slot;
  }
  // A table whose only used slot is slot 0 gets no marker; the text system starts its scan there.
  if (highest_used > 0) key[highest_used + 1] = kEndMarker;
  return like_the_marker;
}

std::array<std::uint8_t, kHeaderBytes> header_bytes(const DictHeader& header) {
  std::array<std::uint8_t, kHeaderBytes> bytes{};
  bytes[kFormatByteOffset] = kFormatByte;
  std::copy(header.english_name.begin(), header.english_name.end(), bytes.begin() + kEnglishNameOffset);
  std::copy(header.chinese_name.begin(), header.chinese_name.end(), bytes.begin() + kChineseNameOffset);
  std::copy(kNotice.begin(), kNotice.end(), bytes.begin() + kNoticeTextOffset);
  bytes[kDictKindOffset] = static_cast<std::uint8_t>(header.dict_kind);
  std::copy(header.short_name.begin(), header.short_name.end(), bytes.begin() + kShortNameOffset);
  bytes[kKeyTypeOffset] = header.key_type;
  bytes[kMaxLenOffset] = header.max_len;
  bytes[kUWOptionOffset] = header.uw_option;
  bytes[kSingleCharOffset] = header.single_char;
  bytes[kRangeFirstOffset] = header.range_first;
  bytes[kRangeLastOffset] = header.range_last;
  bytes[kQuStartOffset] = header.qu_start;
  bytes[kQuEndOffset] = header.qu_end;
  for (std::size_t i = 0; i < kPlaceValueCount; ++i) {
    put_u32(bytes.data() + kPlaceValuesOffset + kPlaceValueBytes * i, header.place_values[i]);
  }
  return bytes;
}

std::string full_file_bytes(const DictHeader& header, const KeyTable& key) {
  std::string file;
  file.reserve(kFullFileBytes);
  const std::array<std::uint8_t, kHeaderBytes> head = header_bytes(header);
  file.append(reinterpret_cast<const char*>(head.data()), head.size());
  for (std::size_t slot = 0; slot < kSlotCount; ++slot) append_u32(file, key[slot]);
  file.append(kTrailerNotice);
  file.resize(kFullFileBytes, '\0');
  return file;
}

std::string stub_text(char stub_character) {
  std::string text(kStubTextBefore);
  text.push_back(stub_character);
  text.append(kStubTextAfter);
  return text;
}

std::string stub_file_bytes(const DictHeader& header, char stub_character) {
  DictHeader stub = header;
  stub.max_len = kStubMaxLen;
  const std::array<std::uint8_t, kHeaderBytes> head = header_bytes(stub);
  std::string file(reinterpret_cast<const char*>(head.data()), kStubHeaderBytes);
  file.append(stub_text(stub_character));
  return file;
}

DictHeader decode_header(std::string_view file, Form form) {
  const std::string_view head = get_bytes(file, 0, kStubHeaderBytes);
  auto copy = [head](std::size_t offset, auto& field) {
    const std::string_view stored = head.substr(offset, field.size());
    std::copy(stored.begin(), stored.end(), field.begin());
  };
  DictHeader header;
  copy(kEnglishNameOffset, header.english_name);
  copy(kChineseNameOffset, header.chinese_name);
  copy(kShortNameOffset, header.short_name);
  header.dict_kind = static_cast<DictKind>(get_u8(head, kDictKindOffset));
  header.key_type = get_u8(head, kKeyTypeOffset);
  header.max_len = get_u8(head, kMaxLenOffset);
  header.uw_option = get_u8(head, kUWOptionOffset);
  header.single_char = get_u8(head, kSingleCharOffset);
  header.range_first = get_u8(head, kRangeFirstOffset);
  header.range_last = get_u8(head, kRangeLastOffset);
  header.qu_start = get_u8(head, kQuStartOffset);
  header.qu_end = get_u8(head, kQuEndOffset);
  if (form == Form::kFull) {
    for (std::size_t i = 0; i < kPlaceValueCount; ++i) {
      header.place_values[i] = get_u32(file, kPlaceValuesOffset + kPlaceValueBytes * i);
    }
  }
  return header;
}

KeyTable decode_key_table(std::string_view file) {
  const auto* slots = reinterpret_cast<const std::uint8_t*>(get_bytes(file, kKeyTableOffset, kSlotCount * kSlotBytes).data());
  KeyTable key;
  for (std::size_t slot = 0; slot < kSlotCount; ++slot) key[slot] = get_u32(slots + slot * kSlotBytes);
  return key;
}

TableEnd find_table_end(const KeyTable& key) {
  TableEnd end;
  std::size_t top = kSlotCount;
  while (top > 0 && key[top - 1] == 0) --top;
  if (top == 0) return end;
  const std::size_t t = top - 1;
  if (key[t] == kEndMarker && t >= 1 && key[t - 1] != 0) {
    if (t - 1 > 0) {
      end.marker = t;
    } else {
      end.stray = t;
    }
    end.highest_used = t - 1;
    return end;
  }
  end.highest_used = t;
  // The marker goes right after the highest used slot, except after slot 0 and after the last slot
  // (where it lands in the spare slot that never reaches the file).
  if (t > 0 && t + 1 < kSlotCount) end.missing = t + 1;
  return end;
}

}  // namespace big5dict::input
