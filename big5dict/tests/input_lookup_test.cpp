// Look-ups in an input dictionary as a text system makes them, up to the table's end marker.
#include "big5dict/input_lookup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "big5dict/input_keys.h"

namespace {

namespace input = big5dict::input;
using big5dict::Big5Char;
using Characters = std::vector<Big5Char>;

constexpr Big5Char kA440{0xA4, 0x40}, kA441{0xA4, 0x41}, kA4A1{0xA4, 0xA1};

// A file whose slots hold the codes of the keys given, after the final pass.
std::string file_of(input::KeyType type, std::uint8_t qu_start,
                    std::initializer_list<std::pair<Big5Char, const char*>> keys) {
  input::DictHeader header;
  header.key_type = static_cast<std::uint8_t>(type);
  header.qu_start = qu_start;
  input::KeyTable key;
  for (auto [c, text] : keys) {
    input::store_code(key, input::character_hash(c.lead, c.trail, qu_start), input::encode_key(text, 0, type).code);
  }
  input::final_pass(key);
  return input::full_file_bytes(header, key);
}

TEST(KeyLookup, CodesKeysAndCharactersOfAnAlphaTable) {
  const input::KeyLookup lookup(file_of(input::KeyType::kAlpha, 161, {{kA4A1, "ab"}, {kA440, "ab"}, {kA441, "a"}}));
  EXPECT_EQ(lookup.key_code(kA440), 35651584u);
  EXPECT_EQ(lookup.key_code({0xA4, 0x42}), 0u);
  EXPECT_EQ(lookup.key_code({0xA4, 0x7F}), 0u);  // no trail byte: no slot
  EXPECT_EQ(lookup.key_code({0xA4, 0xA2}), 0u);  // the end marker's slot holds no key
  EXPECT_EQ(lookup.key_text(35651584), "ab");
  EXPECT_EQ(lookup.key_text(0), std::nullopt);
  EXPECT_EQ(lookup.key_text(1048576), std::nullopt);  // an empty first position
  EXPECT_EQ(lookup.characters("ab"), (Characters{kA440, kA4A1}));  // in slot order
  EXPECT_EQ(lookup.characters("AB"), (Characters{kA440, kA4A1}));
  EXPECT_EQ(lookup.characters("a"), (Characters{kA441}));
  for (const char* none : {"", "b", "ab ", "a1", "abcdefg"}) EXPECT_EQ(lookup.characters(none), Characters{}) << none;
}

TEST(KeyLookup, RowsFromQuStartAndTheMarkerValue) {
  // With QuStart 1 the rows start at 0x81; a Number key of eight "." reads like the end marker.
  const input::KeyLookup lookup(file_of(input::KeyType::kNumber, 1, {{{0x81, 0x40}, "........"}, {kA440, "12"}}));
  EXPECT_EQ(lookup.key_code({0x81, 0x40}), input::kEndMarker);
  EXPECT_EQ(lookup.key_text(input::kEndMarker), "........");
  EXPECT_EQ(lookup.characters("........"), (Characters{{0x81, 0x40}}));
  EXPECT_EQ(lookup.characters("12"), (Characters{kA440}));
}

TEST(KeyLookup, AHeaderWithoutKeyTypeReachesNoKey) {
  std::string file = file_of(input::KeyType::kAlpha, 161, {{kA440, "a"}});
  file[input::kKeyTypeOffset] = 3;
  const input::KeyLookup lookup(file);
  EXPECT_EQ(lookup.key_code(kA440), 33554432u);
  EXPECT_EQ(lookup.key_text(33554432), std::nullopt);
  EXPECT_EQ(lookup.characters("a"), Characters{});
}

}  // namespace
