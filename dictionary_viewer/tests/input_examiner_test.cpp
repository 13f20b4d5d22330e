// The input dictionary's rules, each broken in a file of its own: the finding names the offset and
// the header field or key-table index. Files are built through the library's writers, KESTRAWN's own.
#include "dictionary_viewer/input_examiner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "big5dict/bytes.h"
#include "big5dict/input_file.h"
#include "big5dict/input_keys.h"
#include "dictionary_viewer/tests/examination_lines.h"
#include "test_support/scratch.h"

namespace dictionary_viewer {
namespace {

namespace input = big5dict::input;
using test_support::bytes;
using testing::DamageCase;
using testing::finding_lines;

constexpr std::uint32_t kKeyA = 33554432;   // Alpha "a"
constexpr std::uint32_t kKeyAb = 35651584;  // Alpha "ab"

input::DictHeader alpha_header() {
  input::DictHeader header;
  header.key_type = static_cast<std::uint8_t>(input::KeyType::kAlpha);
  header.max_len = 4;
  header.uw_option = 1;
  header.range_first = 'a';
  header.range_last = 'z';
  header.single_char = 'z';
  header.place_values = input::place_values(input::KeyType::kAlpha);
  header.short_name = {0xC2, 0xB2, 0xA9, 0xF6};
  return header;
}

// A full file with the given slots set, after the converter's final pass.
std::string input_file(const std::vector<std::pair<std::size_t, std::uint32_t>>& slots,
                       input::DictHeader header = alpha_header()) {
  input::KeyTable key;
  for (auto [slot, code] : slots) key[slot] = code;
  input::final_pass(key);
  return input::full_file_bytes(header, key);
}

std::string set_byte(std::string file, std::size_t offset, int value) {
  file[offset] = static_cast<char>(value);
  return file;
}

std::string set_slot(std::string file, std::size_t slot, std::uint32_t code) {
  big5dict::put_u32(reinterpret_cast<std::uint8_t*>(file.data()) + 108 + 4 * slot, code);
  return file;
}

std::string fill(std::string file, std::size_t offset, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) file[offset + i] = 'x';
  return file;
}

// Slot 5 holds "a": the end marker is in slot 6, at offset 132.
const std::string kSound = input_file({{5, kKeyA}});

std::vector<DamageCase> damage_cases() {
  input::DictHeader number = alpha_header();
  number.key_type = static_cast<std::uint8_t>(input::KeyType::kNumber);
  number.place_values = input::place_values(input::KeyType::kNumber);
  input::DictHeader alphanumerical = alpha_header();
  alphanumerical.key_type = static_cast<std::uint8_t>(input::KeyType::kAlphaNumerical);
  alphanumerical.place_values = input::place_values(input::KeyType::kAlphaNumerical);
  input::DictHeader rows_from_0x81 = alpha_header();
  rows_from_0x81.qu_start = 1;  // base row 0x81: the last slot is FE FE
  return {
      {"DictKind", set_byte(kSound, 61, 3), {"offset 61: DictKind: DictKind is 3; it must be 1 or 2 in a full dictionary"}},
      {"DictKindOfTheStub", set_byte(kSound, 61, 0), {"offset 61: DictKind: DictKind is 0; it must be 1 or 2 in a full dictionary"}},
      {"KeyType", set_byte(kSound, 68, 3),
       {"offset 68: KeyType: KeyType is 3; it must be 0 (Alpha), 1 (Number) or 2 (AlphaNumerical)"}},
      {"MaxLenAlpha", set_byte(kSound, 69, 7), {"offset 69: MaxLen: MaxLen is 7; it must be 1..6 for Alpha"}},
      {"MaxLenZero", set_byte(input_file({}, number), 69, 0),
       {"offset 69: MaxLen: MaxLen is 0; it must be 1..8 for Number and AlphaNumerical"}},
      {"UWOption", set_byte(kSound, 70, 3), {"offset 70: UWOption: UWOption is 3; it must be 0, 1 or 2"}},
      {"ZeroBytes", set_byte(kSound, 66, 1), {"offset 66: header: bytes 66..67 must be zero, they are 0x01 0x00"}},
      {"PlaceValues", set_byte(kSound, 84, 1), {"offset 84: PlaceValues: place value 2 is 32769; the key type gives 32768"}},
      {"EnglishNameNotEnded", fill(kSound, 1, 13), {"offset 1: EnglishName: no zero byte ends the text within its 13 bytes"}},
      {"ChineseNameNotEnded", fill(kSound, 14, 13), {"offset 14: ChineseName: no zero byte ends the text within its 13 bytes"}},
      {"NoticeNotEnded", fill(kSound, 27, 34), {"offset 27: NoticeText: no zero byte ends the text within its 34 bytes"}},
      {"ShortNameStart", set_byte(kSound, 62, 'A'),
       {"offset 62: ShortName: the short name begins with 0x41; the converter takes it from the first byte of "
        "0x80 or above"}},
      {"RangeFirstCapital", set_byte(kSound, 72, 'A'),
       {"offset 72: RangeFirst: RangeFirst is the capital 'A'; the converter stores it in lower case"}},
      {"CodeTooWide", set_slot(kSound, 5, 1u << 30),
       {"offset 128: key table index 5: key code 0x40000000 has bits above the 30 a Alpha key fills"}},
      {"FilledAfterEmpty", set_slot(kSound, 5, 1048576),
       {"offset 128: key table index 5: key code 0x00100000 has a filled position after an empty one"}},
      {"DigitWithoutCharacter", set_slot(input_file({{5, 16777216}}, alphanumerical), 5, 63u << 24),
       {"offset 128: key table index 5: key code 0x3F000000: digit 63 in position 0 is no AlphaNumerical key "
        "character"}},
      {"EndMarkerMissing", set_slot(kSound, 6, 0),
       {"offset 132: key table index 6: no end marker 0xFFFFFFFF after the highest used slot 5 (it holds "
        "0x02000000)"}},
      {"EndMarkerAfterSlot0", set_slot(input_file({{0, kKeyA}}), 1, 0xFFFFFFFF),
       {"offset 112: key table index 1: 0xFFFFFFFF right after slot 0, which gets no end marker"}},
      {"SlotWithoutCharacter", input_file({{15000, kKeyA}}),
       {"offset 60108: key table index 15000: key code 0x02000000 in a slot that no character has under "
        "QuStart 161"}},
      {"Trailer", set_byte(kSound, 79236, 'X'),
       {"offset 79236: trailer: the trailer differs from the one the converter writes (byte 0x58)"}},
      {"OnlySlot0HasNoMarker", input_file({{0, kKeyA}}), {}, true},
      {"LastSlotMarkerInSpare", input_file({{19781, kKeyA}, {19780, kKeyAb}}, rows_from_0x81), {}, true},
      {"GenuineFFFFFFFFBeforeMarker", input_file({{7, 0xFFFFFFFF}}, number), {}, true},
  };
}

class InputDamage : public ::testing::TestWithParam<DamageCase> {};

TEST_P(InputDamage, FindingNamesOffsetAndIndex) {
  const DamageCase& c = GetParam();
  Examination result;
  examine_input_dictionary(c.file, false, result);
  EXPECT_EQ(finding_lines(result), c.findings);
  EXPECT_EQ(result.sound(), c.sound);
}

INSTANTIATE_TEST_SUITE_P(EveryRule, InputDamage, ::testing::ValuesIn(damage_cases()), testing::case_name);

TEST(InputExaminer, SummaryAndTable) {
  // A4 40 is slot 3 * 157 = 471 with QuStart 161 (0xA1); A4 41 is 472, A4 A1 is 534.
  std::string file = input_file({{471, kKeyAb}, {472, kKeyA}, {534, kKeyAb}});
  Examination result;
  examine_input_dictionary(file, true, result);
  EXPECT_TRUE(result.sound());
  EXPECT_EQ(result.summary,
            "key type: 0 (Alpha)\nMaxLen: 4\nDictKind: 1 (ordinary)\nUWOption: 1\nrange: a-z\nsingle char: z\n"
            "rows: 161-249\nEnglish name: English\nChinese name: Chinese\nshort name: \xC2\xB2\xA9\xF6\n"
            "characters with a key: 3\ndistinct key codes: 2\nend marker: key table index 535 (offset 2248)\n");
  EXPECT_EQ(result.text,
            "\xC2\xB2\xA9\xF6 A 4 U a-z z 161-249 (English) [Chinese]\n"
            "a \xA4\x41\n"
            "ab \xA4\x40\xA4\xA1\n");
}

TEST(InputExaminer, ExtraKeysAndOptionW) {
  input::DictHeader header = alpha_header();
  header.dict_kind = input::DictKind::kExtraKeys;
  header.uw_option = 2;
  Examination result;
  examine_input_dictionary(input_file({}, header), true, result);
  EXPECT_EQ(result.text, "\xC2\xB2\xA9\xF6 A+ 4 W a-z z 161-249 (English) [Chinese]\n");
}

TEST(InputExaminer, StubRules) {
  input::DictHeader header = alpha_header();
  header.dict_kind = input::DictKind::kEmptyStub;
  const std::string stub = input::stub_file_bytes(header, 'J');
  Examination sound;
  examine_input_stub(stub, true, sound);
  EXPECT_EQ(finding_lines(sound), std::vector<std::string>{});
  EXPECT_EQ(sound.summary,
            "stub character: J (the text system needs OVCIZUJ.DBG)\nkey type: 0 (Alpha)\nEnglish name: English\n"
            "Chinese name: Chinese\nshort name: \xC2\xB2\xA9\xF6\n");
  EXPECT_EQ(sound.text, "\xC2\xB2\xA9\xF6 A 1 U a-z z 161-249 (English) [Chinese]\n");

  Examination max_len;
  examine_input_stub(set_byte(stub, 69, 4), false, max_len);
  EXPECT_EQ(finding_lines(max_len),
            std::vector<std::string>{"offset 69: MaxLen: MaxLen is 4; it must be 0x20 (32) in the stub"});
  Examination text;
  examine_input_stub(set_byte(stub, 80, 'x'), false, text);
  EXPECT_EQ(finding_lines(text),
            std::vector<std::string>{
                "offset 80: stub text: the stub text differs from the one the converter writes (byte 0x78)"});
}

}  // namespace
}  // namespace dictionary_viewer
