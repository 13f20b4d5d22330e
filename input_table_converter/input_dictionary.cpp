// Writes the input dictionary file byte by byte and runs the final pass over its key table.
#include "input_table_converter/input_dictionary.h"

#include <algorithm>

#include "input_table_converter/messages.h"
#include "big5dict/bytes.h"
#include "platform/report.h"

namespace input_table_converter {

void final_pass(KeyTable& key, platform::MessageWriter& out) {
  std::size_t highest_used = 0;
  for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
    if (key[slot] == kEndMarker) out.print(msg::kEndMarkerValue, static_cast<int>(slot));
    if (key[slot] != 0) highest_used = slot;
  }
  // A table whose only used slot is slot 0 gets no marker; the text system starts its scan there.
  if (highest_used > 0) key[highest_used + 1] = kEndMarker;
}

std::array<std::uint8_t, kHeaderBytes> header_bytes(const DictHeader& header) {
  std::array<std::uint8_t, kHeaderBytes> bytes{};
  bytes[kFormatByteOffset] = kFormatByte;
  std::copy(header.english_name.begin(), header.english_name.end(), bytes.begin() + kEnglishNameOffset);
  std::copy(header.chinese_name.begin(), header.chinese_name.end(), bytes.begin() + kChineseNameOffset);
  std::string_view notice(kNoticeText);
  std::copy(notice.begin(), notice.end(), bytes.begin() + kNoticeTextOffset);
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
    big5dict::put_u32(bytes.data() + kPlaceValuesOffset + 4 * i, header.place_values[i]);
  }
  return bytes;
}

std::string full_file_bytes(const DictHeader& header, const KeyTable& key) {
  std::string file;
  file.reserve(kFullFileBytes);
  std::array<std::uint8_t, kHeaderBytes> head = header_bytes(header);
  file.append(reinterpret_cast<const char*>(head.data()), head.size());
  for (std::size_t slot = 0; slot < kSlotCount; ++slot) big5dict::append_u32(file, key[slot]);
  file.append(kTrailerNotice);
  file.resize(kFullFileBytes, '\0');
  return file;
}

std::string stub_file_bytes(const DictHeader& header, char stub_character) {
  DictHeader stub = header;
  stub.max_len = kStubMaxLen;
  std::array<std::uint8_t, kHeaderBytes> head = header_bytes(stub);
  std::string file(reinterpret_cast<const char*>(head.data()), kStubHeaderBytes);
  file.append(platform::format(kStubText, stub_character));
  return file;
}

}  // namespace input_table_converter
