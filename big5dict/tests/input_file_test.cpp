#include "big5dict/input_file.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "big5dict/bytes.h"
#include "big5dict/input_keys.h"
#include "big5dict/tests/input_files.h"
#include "test_support/scratch.h"

namespace {

namespace input = big5dict::input;
using test_support::hex;

std::uint32_t slot_in_file(const std::string& file, std::size_t slot) {
  return big5dict::get_u32(reinterpret_cast<const std::uint8_t*>(file.data()) + input::kKeyTableOffset + 4 * slot);
}

TEST(DictHeader, InitialContentsByteForByte) {
  input::DictHeader header;
  header.place_values = input::place_values(input::KeyType::kNumber);
  auto b = input::header_bytes(header);
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
  input::DictHeader header = input::testing::every_field_set();
  auto b = input::header_bytes(header);
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

// The slots the final pass reports as holding the marker's value.
std::vector<std::size_t> pass(input::KeyTable& key) { return input::final_pass(key); }
using Reported = std::vector<std::size_t>;

TEST(FinalPass, NoEntriesNoMarker) {
  input::KeyTable key;
  EXPECT_EQ(pass(key), Reported{});
  std::string file = input::full_file_bytes(input::DictHeader{}, key);
  ASSERT_EQ(file.size(), 79318u);
  for (std::size_t slot = 0; slot < input::kSlotCount; ++slot) ASSERT_EQ(slot_in_file(file, slot), 0u) << slot;
}

TEST(FinalPass, OnlyHashZeroGetsNoMarker) {
  input::KeyTable key;
  key[0] = 5;
  EXPECT_EQ(pass(key), Reported{});
  EXPECT_EQ(key[1], 0u);
}

TEST(FinalPass, MarkerBehindTheHighestUsedSlot) {
  input::KeyTable key;
  key[3] = 5;
  key[700] = 9;
  EXPECT_EQ(pass(key), Reported{});
  EXPECT_EQ(key[701], input::kEndMarker);
  EXPECT_EQ(key[4], 0u);
  std::string file = input::full_file_bytes(input::DictHeader{}, key);
  EXPECT_EQ(slot_in_file(file, 701), input::kEndMarker);
  EXPECT_EQ(slot_in_file(file, 700), 9u);
}

TEST(FinalPass, HighestSlotPutsTheMarkerIntoTheSpareOnly) {
  input::KeyTable key;
  key[19781] = 5;
  EXPECT_EQ(pass(key), Reported{});
  EXPECT_EQ(key[input::KeyTable::kSpareSlot], input::kEndMarker);
  std::string file = input::full_file_bytes(input::DictHeader{}, key);
  ASSERT_EQ(file.size(), 79318u);
  EXPECT_EQ(slot_in_file(file, 19781), 5u);
  EXPECT_EQ(file.substr(input::kTrailerOffset, 44), "Slots hold u32 little-endian key codes; v1.0");
}

TEST(FinalPass, ReportsGenuineEndMarkerCodesAndKeepsThem) {
  input::KeyTable key;
  key[10] = input::kEndMarker;
  key[20] = input::kEndMarker;
  EXPECT_EQ(pass(key), (Reported{10, 20}));
  EXPECT_EQ(key[10], input::kEndMarker);
  EXPECT_EQ(key[21], input::kEndMarker);
  EXPECT_EQ(key[11], 0u);
}

TEST(FullFile, LayoutAndTrailer) {
  input::KeyTable key;
  key[0] = 0x11223344;
  key[19780] = 0xA0B0C0D0;
  input::DictHeader header;
  std::string file = input::full_file_bytes(header, key);
  ASSERT_EQ(file.size(), input::kFullFileBytes);
  auto head = input::header_bytes(header);
  EXPECT_EQ(file.substr(0, 108), std::string(reinterpret_cast<const char*>(head.data()), 108));
  EXPECT_EQ(hex(file.substr(108, 4)), "44 33 22 11");
  EXPECT_EQ(hex(file.substr(108 + 4 * 19780, 4)), "D0 C0 B0 A0");
  std::string trailer = file.substr(79236);
  EXPECT_EQ(trailer, std::string("Slots hold u32 little-endian key codes; v1.0") + std::string(38, '\0'));
}

TEST(StubFile, HeaderBeforePlaceValuesThenTheText) {
  input::DictHeader header;
  header.dict_kind = input::DictKind::kEmptyStub;
  header.max_len = 4;
  header.place_values = input::place_values(input::KeyType::kAlpha);
  std::string stub = input::stub_file_bytes(header, 'J');
  ASSERT_EQ(stub.size(), 130u);
  header.max_len = 0x20;
  auto head = input::header_bytes(header);
  EXPECT_EQ(hex(stub.substr(0, 76)), hex(std::string(reinterpret_cast<const char*>(head.data()), 76)));
  EXPECT_EQ(stub[61], 0);
  EXPECT_EQ(stub[69], 0x20);
  EXPECT_EQ(stub.substr(76), "\r\nThis Dictionary is Empty, Need OVCIZUJ.DBG to Work. ");
}

TEST(CharacterHash, DefaultRowsAndEdges) {
  using input::character_hash;
  EXPECT_EQ(character_hash(0xA1, 0x40, 161), 0);
  EXPECT_EQ(character_hash(0xA4, 0x40, 161), 3 * 157);
  EXPECT_EQ(character_hash(0xA1, 0xA1, 161), 63);
  EXPECT_EQ(character_hash(0xFE, 0xFE, 161), 93 * 157 + 156);
  for (int trail : {0x00, 0x3F, 0x7F, 0x80, 0xA0, 0xFF, 0x0A}) {
    EXPECT_EQ(character_hash(0xA4, static_cast<std::uint8_t>(trail), 161), -1) << trail;
  }
  EXPECT_EQ(character_hash(0xA0, 0x40, 161), -1);  // below the base row
  EXPECT_EQ(character_hash(0x80, 0x40, 0), -1);    // base 128, but 0x80 is never a lead byte
  EXPECT_EQ(character_hash(0x81, 0x40, 0), 157);
}

TEST(CharacterHash, QuStart33And161Alike) {
  for (int lead = 0; lead < 256; ++lead) {
    for (int trail = 0; trail < 256; ++trail) {
      auto l = static_cast<std::uint8_t>(lead);
      auto t = static_cast<std::uint8_t>(trail);
      ASSERT_EQ(input::character_hash(l, t, 33), input::character_hash(l, t, 161));
    }
  }
}

TEST(CharacterHash, QuStart1ReachesTheLastSlotAndNoFurther) {
  using input::character_hash;
  EXPECT_EQ(character_hash(0xFE, 0xFE, 1), 19781);
  for (int trail = 0; trail < 256; ++trail) {
    int hash = character_hash(0xFF, static_cast<std::uint8_t>(trail), 1);
    EXPECT_FALSE(input::has_slot(hash)) << trail;
  }
}

TEST(StoreCode, FirstCodeWinsCodeZeroWaitsAndNoSlotStoresNothing) {
  using input::Stored;
  input::KeyTable key;
  EXPECT_EQ(input::store_code(key, 471, 0), Stored::kStored);
  EXPECT_EQ(input::store_code(key, 471, 7), Stored::kStored);
  EXPECT_EQ(input::store_code(key, 471, 9), Stored::kAlreadyDefined);
  EXPECT_EQ(input::store_code(key, 471, 0), Stored::kAlreadyDefined);
  EXPECT_EQ(key[471], 7u);
  EXPECT_EQ(input::store_code(key, -1, 5), Stored::kNoSlot);
  EXPECT_EQ(input::store_code(key, 19845, 5), Stored::kNoSlot);
  EXPECT_EQ(input::store_code(key, 19781, 5), Stored::kStored);
  EXPECT_EQ(key[19781], 5u);
}

// Every header field read back as written, from the full file and from the stub; each slot too.
TEST(Decoder, ReadsBackWhatTheWriterWrote) {
  input::DictHeader header = input::testing::every_field_set();
  header.english_name = {'A', 'b', 0, 'x', 0, 0, 0, 0, 0, 0, 0, 0, 0};
  input::KeyTable key;
  key[0] = 1;
  key[19781] = 0x80000001;
  const std::string file = input::full_file_bytes(header, key);
  const input::DictHeader back = input::decode_header(file, input::Form::kFull);
  EXPECT_EQ(input::header_bytes(back), input::header_bytes(header));
  EXPECT_EQ(input::name_text(back.english_name), "Ab");
  const input::KeyTable slots = input::decode_key_table(file);
  for (std::size_t slot = 0; slot <= input::KeyTable::kSpareSlot; ++slot) ASSERT_EQ(slots[slot], key[slot]) << slot;

  const input::DictHeader stub = input::decode_header(input::stub_file_bytes(header, 'J'), input::Form::kStub);
  EXPECT_EQ(stub.max_len, input::kStubMaxLen);
  EXPECT_EQ(stub.place_values, (std::array<std::uint32_t, 8>{}));
  EXPECT_EQ(stub.short_name, header.short_name);
  EXPECT_THROW(input::decode_header(file.substr(0, 75), input::Form::kStub), std::out_of_range);
  EXPECT_THROW(input::decode_header(file.substr(0, 107), input::Form::kFull), std::out_of_range);
  EXPECT_THROW(input::decode_key_table(file.substr(0, input::kTrailerOffset - 1)), std::out_of_range);
}

TEST(Decoder, TableEndAsTheFinalPassLeavesIt) {
  struct Case {
    std::vector<std::pair<std::size_t, std::uint32_t>> slots;
    std::optional<std::size_t> highest_used, marker, stray, missing;
  };
  const std::uint32_t m = input::kEndMarker;
  for (const Case& c : {Case{{}, {}, {}, {}, {}},
                        Case{{{0, 5}}, 0, {}, {}, {}},
                        Case{{{3, 5}, {4, m}}, 3, 4, {}, {}},
                        Case{{{3, 5}}, 3, {}, {}, 4},
                        Case{{{0, 5}, {1, m}}, 0, {}, 1, {}},
                        Case{{{19781, 5}}, 19781, {}, {}, {}},
                        Case{{{7, m}}, 7, {}, {}, 8},
                        Case{{{6, m}, {7, m}}, 6, 7, {}, {}}}) {
    input::KeyTable key;
    for (auto [slot, code] : c.slots) key[slot] = code;
    const input::TableEnd end = input::find_table_end(key);
    EXPECT_EQ(end.highest_used, c.highest_used);
    EXPECT_EQ(end.marker, c.marker);
    EXPECT_EQ(end.stray, c.stray);
    EXPECT_EQ(end.missing, c.missing);
  }
}

}  // namespace
