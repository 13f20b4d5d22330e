// Key codes back to keys: every key the converter encodes decodes to itself, and the faults of a
// code are told apart.
#include "dictionary_viewer/key_decoding.h"

#include <gtest/gtest.h>

#include <string>

namespace dictionary_viewer {
namespace {

namespace itc = input_table_converter;

std::uint32_t encode(const std::string& key, KeyType type) { return itc::encode_key(key, 0, type).code; }

TEST(KeyDecoding, WorkedCodes) {
  EXPECT_EQ(decode_key(33554432, KeyType::kAlpha).key, "a");
  EXPECT_EQ(decode_key(35651584, KeyType::kAlpha).key, "ab");
  EXPECT_EQ(decode_key(536870912, KeyType::kNumber).key, "1");
  EXPECT_EQ(decode_key(184549376, KeyType::kAlphaNumerical).key, "a");
  EXPECT_EQ(decode_key(16777216, KeyType::kAlphaNumerical).key, "0");
  EXPECT_EQ(decode_key(0xFFFFFFFF, KeyType::kNumber).key, "........");
}

TEST(KeyDecoding, EveryKeyCharacterInEveryPositionRoundTrips) {
  for (KeyType type : {KeyType::kAlpha, KeyType::kNumber, KeyType::kAlphaNumerical}) {
    std::size_t positions = itc::layout_of(type).positions;
    for (int b = 0x21; b <= 0x7E; ++b) {
      if ((b >= 'A' && b <= 'Z') || itc::key_digit(type, static_cast<std::uint8_t>(b)) == itc::kNoDigit) continue;
      for (std::size_t length = 1; length <= positions; ++length) {
        std::string key(length, static_cast<char>(b));
        key[0] = type == KeyType::kAlpha ? 'q' : '7';
        DecodedKey decoded = decode_key(encode(key, type), type);
        EXPECT_EQ(decoded.fault, KeyCodeFault::kNone) << key;
        EXPECT_EQ(decoded.key, key);
      }
    }
  }
}

TEST(KeyDecoding, FaultsOfACode) {
  EXPECT_EQ(decode_key(1u << 30, KeyType::kAlpha).fault, KeyCodeFault::kTooWide);
  EXPECT_EQ(decode_key(1u << 30, KeyType::kAlphaNumerical).fault, KeyCodeFault::kTooWide);
  // Position 0 empty, position 1 filled.
  EXPECT_EQ(decode_key(1048576, KeyType::kAlpha).fault, KeyCodeFault::kGap);
  // Digit 0 of Number is 16 values wide: 15 is "." and every digit is used; AlphaNumerical 63 is none.
  DecodedKey bad = decode_key(63u << 24, KeyType::kAlphaNumerical);
  EXPECT_EQ(bad.fault, KeyCodeFault::kBadDigit);
  EXPECT_EQ(bad.digit, 63u);
  EXPECT_EQ(bad.position, 0u);
  DecodedKey bad_second = decode_key((1u << 24) | (63u << 18), KeyType::kAlphaNumerical);
  EXPECT_EQ(bad_second.fault, KeyCodeFault::kBadDigit);
  EXPECT_EQ(bad_second.position, 1u);
}

}  // namespace
}  // namespace dictionary_viewer
