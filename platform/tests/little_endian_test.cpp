#include "platform/little_endian.h"

#include <gtest/gtest.h>

namespace {

TEST(LittleEndian, PinsTheByteOrder) {
  std::uint8_t b[4];
  platform::put_u32(b, 0x5651DE88u);
  EXPECT_EQ(b[0], 0x88);
  EXPECT_EQ(b[1], 0xDE);
  EXPECT_EQ(b[2], 0x51);
  EXPECT_EQ(b[3], 0x56);
  EXPECT_EQ(platform::get_u32(b), 0x5651DE88u);
  platform::put_u16(b, 0x01F4);
  EXPECT_EQ(b[0], 0xF4);
  EXPECT_EQ(b[1], 0x01);
  EXPECT_EQ(platform::get_u16(b), 500);

  std::string out;
  platform::append_u16(out, 0xABCD);
  platform::append_u32(out, 0xFFFFFFFFu);
  EXPECT_EQ(out, std::string("\xCD\xAB\xFF\xFF\xFF\xFF", 6));
}

TEST(ByteCursor, RefusesToReadPastTheEnd) {
  const std::uint8_t data[5] = {1, 0, 2, 0, 9};
  platform::ByteCursor cursor(data, sizeof data);
  std::uint16_t v = 0;
  ASSERT_TRUE(cursor.read_u16(v));
  EXPECT_EQ(v, 1);
  std::uint32_t w = 0;
  EXPECT_FALSE(cursor.read_u32(w));
  EXPECT_EQ(cursor.position(), 2u);
  const std::uint8_t* p = nullptr;
  EXPECT_FALSE(cursor.read_bytes(4, p));
  ASSERT_TRUE(cursor.read_bytes(3, p));
  EXPECT_EQ(p[2], 9);
  EXPECT_TRUE(cursor.at_end());
  EXPECT_FALSE(cursor.skip(1));
}

}  // namespace
