#include "big5dict/phrase_layout.h"

#include <gtest/gtest.h>

namespace {

using big5dict::Big5Char;
using big5dict::phrase::slot_character;
using big5dict::phrase::slot_index;

TEST(Slots, WorkedValues) {
  struct Case {
    int lead, trail, slot;
  };
  for (const Case& c : {Case{0xA4, 0x40, 0}, Case{0xA4, 0x7E, 62}, Case{0xA4, 0xA1, 63},
                        Case{0xA4, 0xFE, 156}, Case{0xA5, 0x40, 157}, Case{0xF9, 0xDD, 13468},
                        Case{0xF9, 0xDE, 13469}, Case{0xA3, 0xA1, -1}, Case{0xA4, 0x80, -1},
                        Case{0xA4, 0x7F, -1}, Case{0xA4, 0xA0, -1}, Case{0xA4, 0xFF, -1},
                        Case{0xFE, 0xFE, 14286}, Case{0xFF, 0x40, -1}, Case{0xA4, 0x3F, -1}}) {
    EXPECT_EQ(slot_index(static_cast<std::uint8_t>(c.lead), static_cast<std::uint8_t>(c.trail)), c.slot)
        << std::hex << c.lead << " " << c.trail;
  }
  EXPECT_FALSE(big5dict::phrase::has_slot(13469));
  EXPECT_FALSE(big5dict::phrase::has_slot(-1));
  EXPECT_TRUE(big5dict::phrase::has_slot(13468));
}

TEST(Slots, MappingsAreExactInversesOverEveryPair) {
  int holders = 0;
  for (int lead = 0; lead < 256; ++lead) {
    for (int trail = 0; trail < 256; ++trail) {
      int index = slot_index(static_cast<std::uint8_t>(lead), static_cast<std::uint8_t>(trail));
      if (!big5dict::phrase::has_slot(index)) continue;
      ++holders;
      EXPECT_EQ(slot_character(index), (Big5Char{static_cast<std::uint8_t>(lead), static_cast<std::uint8_t>(trail)}));
    }
  }
  EXPECT_EQ(holders, big5dict::phrase::kSlotCount);
  for (int slot = 0; slot < big5dict::phrase::kSlotCount; ++slot) {
    Big5Char c = slot_character(slot);
    ASSERT_EQ(slot_index(c.lead, c.trail), slot);
  }
}

}  // namespace
