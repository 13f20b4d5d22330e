#include "big5dict/input_keys.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "test_support/scratch.h"

namespace {

namespace input = big5dict::input;
using input::encode_key;
using input::KeyType;
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
  input::EncodedKey key = encode_key(c.key, 0, c.type);
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
      int digit = input::key_digit(e.type, static_cast<std::uint8_t>(byte));
      if (digit == input::kNoDigit) continue;
      EXPECT_TRUE(seen.insert(digit).second) << byte;
      EXPECT_EQ(input::key_digit(e.type, static_cast<std::uint8_t>(std::toupper(byte))), digit);
    }
    ASSERT_EQ(static_cast<int>(seen.size()), e.count);
    EXPECT_EQ(*seen.begin(), 1);
    EXPECT_EQ(*seen.rbegin(), e.count);
  }
  EXPECT_EQ(input::key_digit(KeyType::kAlphaNumerical, ','), 37);
  EXPECT_EQ(input::key_digit(KeyType::kAlphaNumerical, '\\'), 46);
  EXPECT_EQ(input::key_digit(KeyType::kAlpha, '\''), 31);
  EXPECT_EQ(input::key_digit(KeyType::kNumber, '/'), 11);
}

TEST(PlaceValues, ListsOfTheThreeTypes) {
  using Values = std::array<std::uint32_t, 8>;
  EXPECT_EQ(input::place_values(KeyType::kAlpha),
            (Values{33554432, 1048576, 32768, 1024, 32, 1, 0, 0}));
  EXPECT_EQ(input::place_values(KeyType::kNumber),
            (Values{268435456, 16777216, 1048576, 65536, 4096, 256, 16, 1}));
  EXPECT_EQ(input::place_values(KeyType::kAlphaNumerical),
            (Values{16777216, 262144, 4096, 64, 1, 0, 0, 0}));
}

TEST(KeySize, PrintableStopBytesMeanTheKeyWasTooLongOrBad) {
  EXPECT_TRUE(input::key_size_exceeded('g'));
  EXPECT_TRUE(input::key_size_exceeded('1'));
  EXPECT_TRUE(input::key_size_exceeded(0x7F));
  EXPECT_FALSE(input::key_size_exceeded(' '));
  EXPECT_FALSE(input::key_size_exceeded('\n'));
  EXPECT_FALSE(input::key_size_exceeded(0));
  EXPECT_FALSE(input::key_size_exceeded(0xA4));
}

// Key codes back to keys: every key the converter encodes decodes to itself, and the faults of a
// code are told apart.
std::uint32_t encode(const std::string& key, KeyType type) { return input::encode_key(key, 0, type).code; }

TEST(KeyDecoding, WorkedCodes) {
  EXPECT_EQ(input::decode_key(33554432, KeyType::kAlpha).key, "a");
  EXPECT_EQ(input::decode_key(35651584, KeyType::kAlpha).key, "ab");
  EXPECT_EQ(input::decode_key(536870912, KeyType::kNumber).key, "1");
  EXPECT_EQ(input::decode_key(184549376, KeyType::kAlphaNumerical).key, "a");
  EXPECT_EQ(input::decode_key(16777216, KeyType::kAlphaNumerical).key, "0");
  EXPECT_EQ(input::decode_key(0xFFFFFFFF, KeyType::kNumber).key, "........");
}

TEST(KeyDecoding, EveryKeyCharacterInEveryPositionRoundTrips) {
  for (KeyType type : {KeyType::kAlpha, KeyType::kNumber, KeyType::kAlphaNumerical}) {
    std::size_t positions = input::layout_of(type).positions;
    for (int b = 0x21; b <= 0x7E; ++b) {
      if ((b >= 'A' && b <= 'Z') || input::key_digit(type, static_cast<std::uint8_t>(b)) == input::kNoDigit) continue;
      for (std::size_t length = 1; length <= positions; ++length) {
        std::string key(length, static_cast<char>(b));
        key[0] = type == KeyType::kAlpha ? 'q' : '7';
        input::DecodedKey decoded = input::decode_key(encode(key, type), type);
        EXPECT_EQ(decoded.fault, input::KeyCodeFault::kNone) << key;
        EXPECT_EQ(decoded.key, key);
      }
    }
  }
}

TEST(KeyDecoding, FaultsOfACode) {
  EXPECT_EQ(input::decode_key(1u << 30, KeyType::kAlpha).fault, input::KeyCodeFault::kTooWide);
  EXPECT_EQ(input::decode_key(1u << 30, KeyType::kAlphaNumerical).fault, input::KeyCodeFault::kTooWide);
  // Position 0 empty, position 1 filled.
  EXPECT_EQ(input::decode_key(1048576, KeyType::kAlpha).fault, input::KeyCodeFault::kGap);
  // Digit 0 of Number is 16 values wide: 15 is "." and every digit is used; AlphaNumerical 63 is none.
  input::DecodedKey bad = input::decode_key(63u << 24, KeyType::kAlphaNumerical);
  EXPECT_EQ(bad.fault, input::KeyCodeFault::kBadDigit);
  EXPECT_EQ(bad.digit, 63u);
  EXPECT_EQ(bad.position, 0u);
  input::DecodedKey bad_second = input::decode_key((1u << 24) | (63u << 18), KeyType::kAlphaNumerical);
  EXPECT_EQ(bad_second.fault, input::KeyCodeFault::kBadDigit);
  EXPECT_EQ(bad_second.position, 1u);
}

}  // namespace
