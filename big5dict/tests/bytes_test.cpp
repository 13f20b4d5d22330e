#include "big5dict/bytes.h"

#include <gtest/gtest.h>

namespace {

TEST(LittleEndian, PinsTheByteOrder) {
  std::uint8_t b[4];
  big5dict::put_u32(b, 0x5651DE88u);
  EXPECT_EQ(b[0], 0x88);
  EXPECT_EQ(b[1], 0xDE);
  EXPECT_EQ(b[2], 0x51);
  EXPECT_EQ(b[3], 0x56);
  EXPECT_EQ(big5dict::get_u32(b), 0x5651DE88u);
  big5dict::put_u16(b, 0x01F4);
  EXPECT_EQ(b[0], 0xF4);
  EXPECT_EQ(b[1], 0x01);
  EXPECT_EQ(big5dict::get_u16(b), 500);

  std::string out;
  big5dict::append_u16(out, 0xABCD);
  big5dict::append_u32(out, 0xFFFFFFFFu);
  EXPECT_EQ(out, std::string("\xCD\xAB\xFF\xFF\xFF\xFF", 6));
}

TEST(LittleEndian, CheckedReadsStopAtTheEndOfTheBytes) {
  const std::string_view data("\x01\x00\x02\x00\x09", 5);
  EXPECT_EQ(big5dict::get_u32(data, 0), 0x00020001u);
  EXPECT_EQ(big5dict::get_u32(data, 1), 0x09000200u);
  EXPECT_EQ(big5dict::get_u8(data, 4), 9);
  for (std::size_t offset : {std::size_t{2}, std::size_t{5}, std::size_t{6}, std::string_view::npos}) {
    EXPECT_THROW(big5dict::get_u32(data, offset), std::out_of_range) << offset;
  }
  EXPECT_THROW(big5dict::get_u8(data, 5), std::out_of_range);
  EXPECT_EQ(big5dict::get_bytes(data, 3, 2), std::string_view("\x00\x09", 2));
  EXPECT_THROW(big5dict::get_bytes(data, 3, 3), std::out_of_range);
}

TEST(LineText, NulEndsTheText) {
  EXPECT_EQ(big5dict::text_before_nul(std::string_view("ab\0cd\n", 6)), "ab");
  EXPECT_EQ(big5dict::text_before_nul("ab\n"), "ab\n");
}

}  // namespace
