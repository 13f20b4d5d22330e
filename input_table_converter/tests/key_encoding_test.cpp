#include "input_table_converter/key_encoding.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <sstream>
#include <string>

#include "test_support/scratch.h"

namespace {

using input_table_converter::encode_key;
using input_table_converter::KeyTable;
using input_table_converter::KeyType;
using input_table_converter::store_code;
using test_support::bytes;

struct KeyCase {
  const char* name;
  KeyType type;
  std::string key;
  std::uint32_t code;
  std::size_t stop;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class KeyCodes : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyCodes, EncodeLeftAligned) {
  const KeyCase& c = GetParam();
  input_table_converter::EncodedKey key = encode_key(c.key, 0, c.type);
  EXPECT_EQ(key.code, c.code);
  EXPECT_EQ(key.stop, c.stop);
}

INSTANTIATE_TEST_SUITE_P(
    Worked, KeyCodes,
    ::testing::Values(
        KeyCase{"alpha_a", KeyType::kAlpha, "a", 33554432, 1},
        KeyCase{"alpha_ab", KeyType::kAlpha, "ab", 35651584, 2},
        KeyCase{"alpha_capitals", KeyType::kAlpha, "AB", 35651584, 2},
        KeyCase{"number_1", KeyType::kNumber, "1", 536870912, 1},
        KeyCase{"alphanumerical_a", KeyType::kAlphaNumerical, "a", 184549376, 1},
        KeyCase{"alphanumerical_capital_a", KeyType::kAlphaNumerical, "A", 184549376, 1},
        KeyCase{"alphanumerical_0", KeyType::kAlphaNumerical, "0", 16777216, 1},
        KeyCase{"alpha_seven_letters_stop_after_six", KeyType::kAlpha, "abcdefg",
                1 * 33554432u + 2 * 1048576u + 3 * 32768u + 4 * 1024u + 5 * 32u + 6u, 6},
        KeyCase{"alpha_digit_stops", KeyType::kAlpha, "a1b", 33554432, 1},
        KeyCase{"number_eight_full_stops", KeyType::kNumber, "........", 0xFFFFFFFFu, 8},
        KeyCase{"alpha_punctuation", KeyType::kAlpha, ",'", 27 * 33554432u + 31 * 1048576u, 2},
        KeyCase{"number_punctuation", KeyType::kNumber, "/.", 11 * 268435456u + 15 * 16777216u, 2},
        KeyCase{"alphanumerical_last_punctuation", KeyType::kAlphaNumerical, "*", 62 * 16777216u, 1},
        KeyCase{"alphanumerical_five_positions", KeyType::kAlphaNumerical, "zzzzzz",
                36u * (16777216u + 262144u + 4096u + 64u + 1u), 5},
        KeyCase{"blank_stops", KeyType::kAlpha, "ab c", 35651584, 2},
        KeyCase{"big5_stops", KeyType::kAlpha, "a\xA4\x40", 33554432, 1},
        KeyCase{"nothing", KeyType::kNumber, "a", 0, 0},
        KeyCase{"empty", KeyType::kAlpha, "", 0, 0}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(KeyDigits, EveryTypeHasDistinctDigitsOneUpWithCapitalsFolded) {
  struct Expect {
    KeyType type;
    int count;
  };
  for (Expect e : {Expect{KeyType::kAlpha, 31}, Expect{KeyType::kNumber, 15},
                   Expect{KeyType::kAlphaNumerical, 62}}) {
    std::set<int> seen;
    for (int byte = 0; byte < 256; ++byte) {
      if (byte >= 'A' && byte <= 'Z') continue;
      int digit = input_table_converter::key_digit(e.type, static_cast<std::uint8_t>(byte));
      if (digit == input_table_converter::kNoDigit) continue;
      EXPECT_TRUE(seen.insert(digit).second) << byte;
      EXPECT_EQ(input_table_converter::key_digit(e.type, static_cast<std::uint8_t>(std::toupper(byte))), digit);
    }
    ASSERT_EQ(static_cast<int>(seen.size()), e.count);
    EXPECT_EQ(*seen.begin(), 1);
    EXPECT_EQ(*seen.rbegin(), e.count);
  }
  EXPECT_EQ(input_table_converter::key_digit(KeyType::kAlphaNumerical, ','), 37);
  EXPECT_EQ(input_table_converter::key_digit(KeyType::kAlphaNumerical, '\\'), 46);
  EXPECT_EQ(input_table_converter::key_digit(KeyType::kAlpha, '\''), 31);
  EXPECT_EQ(input_table_converter::key_digit(KeyType::kNumber, '/'), 11);
}

TEST(PlaceValues, ListsOfTheThreeTypes) {
  using Values = std::array<std::uint32_t, 8>;
  EXPECT_EQ(input_table_converter::place_values(KeyType::kAlpha),
            (Values{33554432, 1048576, 32768, 1024, 32, 1, 0, 0}));
  EXPECT_EQ(input_table_converter::place_values(KeyType::kNumber),
            (Values{268435456, 16777216, 1048576, 65536, 4096, 256, 16, 1}));
  EXPECT_EQ(input_table_converter::place_values(KeyType::kAlphaNumerical),
            (Values{16777216, 262144, 4096, 64, 1, 0, 0, 0}));
}

TEST(KeySize, PrintableStopBytesMeanTheKeyWasTooLongOrBad) {
  EXPECT_TRUE(input_table_converter::key_size_exceeded('g'));
  EXPECT_TRUE(input_table_converter::key_size_exceeded('1'));
  EXPECT_TRUE(input_table_converter::key_size_exceeded(0x7F));
  EXPECT_FALSE(input_table_converter::key_size_exceeded(' '));
  EXPECT_FALSE(input_table_converter::key_size_exceeded('\n'));
  EXPECT_FALSE(input_table_converter::key_size_exceeded(0));
  EXPECT_FALSE(input_table_converter::key_size_exceeded(0xA4));
}

TEST(CharacterHash, DefaultRowsAndEdges) {
  using input_table_converter::character_hash;
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
      ASSERT_EQ(input_table_converter::character_hash(l, t, 33), input_table_converter::character_hash(l, t, 161));
    }
  }
}

TEST(CharacterHash, QuStart1ReachesTheLastSlotAndNoFurther) {
  using input_table_converter::character_hash;
  EXPECT_EQ(character_hash(0xFE, 0xFE, 1), 19781);
  for (int trail = 0; trail < 256; ++trail) {
    int hash = character_hash(0xFF, static_cast<std::uint8_t>(trail), 1);
    EXPECT_FALSE(input_table_converter::has_slot(hash)) << trail;
  }
}

TEST(StoreCode, FirstCodeWinsCodeZeroWaitsAndNoSlotStoresNothing) {
  using input_table_converter::Stored;
  KeyTable key;
  EXPECT_EQ(store_code(key, 471, 0), Stored::kStored);
  EXPECT_EQ(store_code(key, 471, 7), Stored::kStored);
  EXPECT_EQ(store_code(key, 471, 9), Stored::kAlreadyDefined);
  EXPECT_EQ(store_code(key, 471, 0), Stored::kAlreadyDefined);
  EXPECT_EQ(key[471], 7u);
  EXPECT_EQ(store_code(key, -1, 5), Stored::kNoSlot);
  EXPECT_EQ(store_code(key, 19845, 5), Stored::kNoSlot);
  EXPECT_EQ(store_code(key, 19781, 5), Stored::kStored);
  EXPECT_EQ(key[19781], 5u);
}

}  // namespace
