#include "input_table_converter/input_dictionary.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "input_table_converter/key_encoding.h"
#include "big5dict/bytes.h"
#include "test_support/scratch.h"

namespace {

namespace itc = input_table_converter;
using test_support::hex;

std::uint32_t slot_in_file(const std::string& file, std::size_t slot) {
  return big5dict::get_u32(reinterpret_cast<const std::uint8_t*>(file.data()) + itc::kKeyTableOffset + 4 * slot);
}

TEST(DictHeader, InitialContentsByteForByte) {
  itc::DictHeader header;
  header.place_values = itc::place_values(itc::KeyType::kNumber);
  auto b = itc::header_bytes(header);
  std::string got(reinterpret_cast<const char*>(b.data()), b.size());
  std::string want;
  want += '\x05';
  want += std::string("English\0\0\0\0\0\0", 13);
  want += std::string("Chinese\0\0\0\0\0\0", 13);
  want += std::string("Big5 input method key dictionary.\0", 34);
  want += '\x01';
  want += "NAME";
  want += std::string("\0\0", 2);
  want += std::string("\x00\x00\x00\x00\x00\x00\x00", 6);  // key type, MaxLen, option, single, range
  want += '\xA1';
  want += '\xF9';
  for (std::uint32_t v : {268435456u, 16777216u, 1048576u, 65536u, 4096u, 256u, 16u, 1u}) {
    big5dict::append_u32(want, v);
  }
  EXPECT_EQ(hex(got), hex(want));
}

TEST(DictHeader, FieldsAtTheirOffsets) {
  itc::DictHeader header;
  header.dict_kind = itc::DictKind::kExtraKeys;
  header.short_name = {0xA4, 0x40, 0xA4, 0x41};
  header.key_type = 2;
  header.max_len = 5;
  header.uw_option = 1;
  header.single_char = 'z';
  header.range_first = 'a';
  header.range_last = 'y';
  header.qu_start = 33;
  header.qu_end = 121;
  header.place_values[7] = 0x01020304;
  auto b = itc::header_bytes(header);
  EXPECT_EQ(b[61], 2);
  EXPECT_EQ(b[62], 0xA4);
  EXPECT_EQ(b[65], 0x41);
  EXPECT_EQ(b[66], 0);
  EXPECT_EQ(b[67], 0);
  EXPECT_EQ(b[68], 2);
  EXPECT_EQ(b[69], 5);
  EXPECT_EQ(b[70], 1);
  EXPECT_EQ(b[71], 'z');
  EXPECT_EQ(b[72], 'a');
  EXPECT_EQ(b[73], 'y');
  EXPECT_EQ(b[74], 33);
  EXPECT_EQ(b[75], 121);
  EXPECT_EQ(b[104], 0x04);
  EXPECT_EQ(b[107], 0x01);
}

std::string pass(itc::KeyTable& key) {
  std::ostringstream stream;
  platform::MessageWriter out(stream);
  itc::final_pass(key, out);
  out.flush();
  return stream.str();
}

TEST(FinalPass, NoEntriesNoMarker) {
  itc::KeyTable key;
  EXPECT_EQ(pass(key), "");
  std::string file = itc::full_file_bytes(itc::DictHeader{}, key);
  ASSERT_EQ(file.size(), 79318u);
  for (std::size_t slot = 0; slot < itc::kSlotCount; ++slot) ASSERT_EQ(slot_in_file(file, slot), 0u) << slot;
}

TEST(FinalPass, OnlyHashZeroGetsNoMarker) {
  itc::KeyTable key;
  key[0] = 5;
  EXPECT_EQ(pass(key), "");
  EXPECT_EQ(key[1], 0u);
}

TEST(FinalPass, MarkerBehindTheHighestUsedSlot) {
  itc::KeyTable key;
  key[3] = 5;
  key[700] = 9;
  EXPECT_EQ(pass(key), "");
  EXPECT_EQ(key[701], itc::kEndMarker);
  EXPECT_EQ(key[4], 0u);
  std::string file = itc::full_file_bytes(itc::DictHeader{}, key);
  EXPECT_EQ(slot_in_file(file, 701), itc::kEndMarker);
  EXPECT_EQ(slot_in_file(file, 700), 9u);
}

TEST(FinalPass, HighestSlotPutsTheMarkerIntoTheSpareOnly) {
  itc::KeyTable key;
  key[19781] = 5;
  EXPECT_EQ(pass(key), "");
  EXPECT_EQ(key[itc::KeyTable::kSpareSlot], itc::kEndMarker);
  std::string file = itc::full_file_bytes(itc::DictHeader{}, key);
  ASSERT_EQ(file.size(), 79318u);
  EXPECT_EQ(slot_in_file(file, 19781), 5u);
  EXPECT_EQ(file.substr(itc::kTrailerOffset, 44), "Slots hold u32 little-endian key codes; v1.0");
}

TEST(FinalPass, ReportsGenuineEndMarkerCodesAndKeepsThem) {
  itc::KeyTable key;
  key[10] = itc::kEndMarker;
  key[20] = itc::kEndMarker;
  EXPECT_EQ(pass(key), "WARNING Key[10]==0xffffffff\nWARNING Key[20]==0xffffffff\n");
  EXPECT_EQ(key[10], itc::kEndMarker);
  EXPECT_EQ(key[21], itc::kEndMarker);
  EXPECT_EQ(key[11], 0u);
}

TEST(FullFile, LayoutAndTrailer) {
  itc::KeyTable key;
  key[0] = 0x11223344;
  key[19780] = 0xA0B0C0D0;
  itc::DictHeader header;
  std::string file = itc::full_file_bytes(header, key);
  ASSERT_EQ(file.size(), itc::kFullFileBytes);
  auto head = itc::header_bytes(header);
  EXPECT_EQ(file.substr(0, 108), std::string(reinterpret_cast<const char*>(head.data()), 108));
  EXPECT_EQ(hex(file.substr(108, 4)), "44 33 22 11");
  EXPECT_EQ(hex(file.substr(108 + 4 * 19780, 4)), "D0 C0 B0 A0");
  std::string trailer = file.substr(79236);
  EXPECT_EQ(trailer, std::string("Slots hold u32 little-endian key codes; v1.0") + std::string(38, '\0'));
}

TEST(StubFile, HeaderBeforePlaceValuesThenTheText) {
  itc::DictHeader header;
  header.dict_kind = itc::DictKind::kEmptyStub;
  header.max_len = 4;
  header.place_values = itc::place_values(itc::KeyType::kAlpha);
  std::string stub = itc::stub_file_bytes(header, 'J');
  ASSERT_EQ(stub.size(), 130u);
  header.max_len = 0x20;
  auto head = itc::header_bytes(header);
  EXPECT_EQ(hex(stub.substr(0, 76)), hex(std::string(reinterpret_cast<const char*>(head.data()), 76)));
  EXPECT_EQ(stub[61], 0);
  EXPECT_EQ(stub[69], 0x20);
  EXPECT_EQ(stub.substr(76), "\r\nThis Dictionary is Empty, Need OVCIZUJ.DBG to Work. ");
}

}  // namespace
