#include "big5dict/big5.h"

#include <gtest/gtest.h>

#include "big5dict/ascii.h"

namespace {

// Every byte pair: a trail byte has its place in the row and comes back from it, and the places
// of a row are the 157 trail bytes in order.
TEST(Big5, RowPositionsOfAllPairs) {
  int next = 0;
  for (int trail = 0; trail < 256; ++trail) {
    const auto t = static_cast<std::uint8_t>(trail);
    const bool is_trail = (trail >= 0x40 && trail <= 0x7E) || (trail >= 0xA1 && trail <= 0xFE);
    ASSERT_EQ(big5dict::is_big5_trail(t), is_trail) << trail;
    if (!is_trail) {
      EXPECT_EQ(big5dict::row_position(t), -1) << trail;
      continue;
    }
    EXPECT_EQ(big5dict::row_position(t), next) << trail;
    EXPECT_EQ(big5dict::position_trail(next), t);
    ++next;
  }
  EXPECT_EQ(next, big5dict::kRowPositions);
}

TEST(Big5, LeadByteThresholds) {
  for (int b = 0; b < 256; ++b) {
    const auto u = static_cast<std::uint8_t>(b);
    EXPECT_EQ(big5dict::is_lead_above_0x80(u), b > 0x80) << b;
    EXPECT_EQ(big5dict::is_lead_above_0xA0(u), b > 0xA0) << b;
    EXPECT_EQ(big5dict::is_big5_lead(u), b >= 0x81 && b <= 0xFE) << b;
    EXPECT_EQ(big5dict::is_character_row_lead(u), b >= 0xA1 && b <= 0xFE) << b;
  }
}

TEST(Ascii, FoldsOnlyLetters) {
  for (int b = 0; b < 256; ++b) {
    const auto u = static_cast<std::uint8_t>(b);
    const int lower = b >= 'A' && b <= 'Z' ? b + 32 : b;
    const int upper = b >= 'a' && b <= 'z' ? b - 32 : b;
    EXPECT_EQ(big5dict::to_ascii_lower(u), lower) << b;
    EXPECT_EQ(big5dict::to_ascii_upper(u), upper) << b;
  }
}

}  // namespace
