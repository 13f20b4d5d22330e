// KESTRAWN run as a process on malformed input tables: empty and cut files, header lines cut at
// each field, NUL bytes, lone lead bytes, CR LF, 0x1A, long lines and over-long ones. Each case gives
// its exact messages and status, and either the exact file or no file at all.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "input_table_converter/tests/kestrawn_texts.h"
#include "platform/report.h"
#include "test_support/case_name.h"
#include "test_support/process.h"
#include "test_support/scratch.h"

namespace {

using test_support::hex;
using test_support::ProcessResult;
using test_support::raw;
using test_support::ScratchDir;
using namespace input_table_converter::kestrawn_texts;

constexpr int kSlotA440 = 471;  // A4 40 with the rows counted from 0xA1
constexpr int kSlotA441 = 472;

std::string key_type_unknown(char c) {
  return platform::format(
      "KeyType unknown: [%c] (Accept: A-Alpha, N-Number X-AlphaNumerical, '+' can be added after ANX for extra "
      "keys)\n",
      c);
}

// The file of an Alpha table, with the end marker behind the highest used slot.
std::string alpha_file(Fields f) {
  if (!f.slots.empty() && f.slots.rbegin()->first > 0) f.slots[f.slots.rbegin()->first + 1] = 0xFFFFFFFF;
  return full_file(f);
}

std::string total(int entries) { return platform::format("Total %d Entries out of 19782\n", entries); }

const std::string kHeader = "\xA4\x40\xA4\x41 A 4 u a-z ; (Eng) [\xA4\x42]\n";
const std::string kEmptyNames = std::string("\0nglish\0\0\0\0\0\0", 13);
const std::string kEmptyChinese = std::string("\0hinese\0\0\0\0\0\0", 13);

constexpr std::size_t kLongest = 1048576;

std::string max_key_size(int line, const std::string& echo) {
  return platform::format("The MaxKeySize(Alpha:6,Number:8 A+N:5) exceeded at line: %d: ", line) + echo + "\n";
}

// `count` Big5 characters in slot order from `slot`, the rows counted from 0xA1.
std::string characters_from(int slot, int count) {
  std::string run;
  for (int s = slot; s < slot + count; ++s) {
    int column = s % 157;
    run += static_cast<char>(0xA1 + s / 157);
    run += static_cast<char>(column < 63 ? 0x40 + column : 0xA1 + column - 63);
  }
  return run;
}

std::string ten_thousand_byte_line() { return "ab" + std::string(9996, ' ') + "\xA4\x40\n"; }

struct BadInput {
  const char* name;
  std::string table;
  std::string out;               // after the progress message
  std::optional<Fields> fields;  // the file written, or none when the run stops
};

Fields with(std::function<void(Fields&)> change) {
  Fields f;
  change(f);
  return f;
}

std::vector<BadInput> bad_inputs() {
  const std::string rows = "\xA4\x40\xA4\x41 A 4 u a-z ; 33-121";
  auto cut = [](Fields f) {
    f.english = kEmptyNames;
    f.chinese = kEmptyChinese;
    return f;
  };
  const Fields cut_after_length = with([&](Fields& f) {
    f = cut(f);
    f.uw_option = 0;
    f.first = f.last = f.single = 0;
  });
  return {
      {"EmptyFile", "", "\nNo header line in t.b5\n", std::nullopt},
      {"CommentsOnly", "* one\n* two\n", "\nNo header line in t.b5\n", std::nullopt},
      {"HeaderLineWithoutLineFeed", "\xA4\x40\xA4\x41 A 4", "Qu=161 - 249\n" + total(0), cut_after_length},
      {"HeaderLineEndsAt0x1A", "\xA4\x40\xA4\x41 A 4\x1A\na \xA4\x40\n", "Qu=161 - 249\n" + total(0),
       cut_after_length},
      {"HeaderCutBeforeTheShortName", "\n", "\nThe header line has no short name\n", std::nullopt},
      {"HeaderCutInsideTheShortName", "\xA4\n", key_type_unknown('\n'), std::nullopt},
      {"HeaderCutAfterTheShortName", "\xA4\x40\xA4\x41\n", key_type_unknown('\n'), std::nullopt},
      {"HeaderCutAfterTheKeyType", "\xA4\x40\xA4\x41 A\n", "MaxLen out of range: [\n] (Accept: 1 - 8)\n",
       std::nullopt},
      {"HeaderCutAfterTheLength", "\xA4\x40\xA4\x41 A 4\n", "Qu=161 - 249\n" + total(0),
       with([&](Fields& f) {
         f = cut(f);
         f.uw_option = 0;
         f.first = f.last = f.single = 0;
       })},
      {"HeaderCutAfterTheOption", "\xA4\x40\xA4\x41 A 4 u\n", "Qu=161 - 249\n" + total(0),
       with([&](Fields& f) {
         f = cut(f);
         f.first = '\n';
         f.last = f.single = 0;
       })},
      {"HeaderCutInsideTheRange", "\xA4\x40\xA4\x41 A 4 u a-\n", "Qu=161 - 249\n" + total(0),
       with([&](Fields& f) {
         f = cut(f);
         f.last = '\n';
         f.single = 0;
       })},
      {"HeaderCutAfterTheRange", "\xA4\x40\xA4\x41 A 4 u a-z\n", "Qu=161 - 249\n" + total(0),
       with([&](Fields& f) {
         f = cut(f);
         f.single = '\n';
       })},
      {"HeaderCutAfterTheSingleCharacter", "\xA4\x40\xA4\x41 A 4 u a-z ;\n", "Qu=161 - 249\n" + total(0),
       with([&](Fields& f) { f = cut(f); })},
      {"HeaderCutAfterTheFirstRow", "\xA4\x40\xA4\x41 A 4 u a-z ; 33-\n", "Qu=33 -  0\n" + total(0),
       with([&](Fields& f) {
         f = cut(f);
         f.qu_start = 33;
         f.qu_end = 0;
       })},
      {"HeaderCutInsideTheEnglishName", rows + " (Eng\n", "Qu=33 - 121\n" + total(0),
       with([&](Fields& f) {
         f.english = std::string("Eng\n\0sh\0\0\0\0\0\0", 13);
         f.chinese = kEmptyChinese;
         f.qu_start = 33;
         f.qu_end = 121;
       })},
      {"HeaderCutInsideTheChineseName", rows + " (Eng) [\xA4\x42\n", "Qu=33 - 121\n" + total(0),
       with([&](Fields& f) {
         f.chinese = std::string("\xA4\x42\n\0ese\0\0\0\0\0\0", 13);
         f.qu_start = 33;
         f.qu_end = 121;
       })},
      {"NamesLongerThanTwelveBytes", "\xA4\x40\xA4\x41 A 4 u a-z ; (ThirteenBytes) [\xA4\x42]\n",
       "Qu=161 - 249\n" + total(0),
       with([](Fields& f) { f.english = std::string("ThirteenByte\0", 13); })},
      {"NulInsideTheHeaderLine", raw("\xA4\x40\xA4\x41 A 4\0 u a-z ; (Eng)\n"),
       "Qu=161 - 249\n" + total(0),
       with([&](Fields& f) {
         f = cut(f);
         f.uw_option = 0;
         f.first = f.last = f.single = 0;
       })},
      {"NulInsideTheCharacters", kHeader + raw("a \xA4\x40\0\xA4\x41\n"), "Qu=161 - 249\n" + total(1),
       with([](Fields& f) { f.slots = {{kSlotA440, kA}}; })},
      {"NulInsideTheKey", kHeader + raw("abcdefg\0 \xA4\x40\n"),
       "Qu=161 - 249\nThe MaxKeySize(Alpha:6,Number:8 A+N:5) exceeded at line: 2: abcdefg\n" + total(1),
       Fields{}},
      {"LoneLeadByteBeforeTheLineFeed", kHeader + "a \xA4\x40\xA4\n",
       "Qu=161 - 249\nOut of Range: \xA4\n at line 2 (hash=-1)\n" + total(1),
       with([](Fields& f) { f.slots = {{kSlotA440, kA}}; })},
      {"LoneLeadByteBeforeANul", kHeader + raw("a \xA4\x40\xA4\0\xA4\x41\n"),
       "Qu=161 - 249\n" + total(1), with([](Fields& f) { f.slots = {{kSlotA440, kA}}; })},
      {"LoneLeadByteAtTheEndOfTheFile", kHeader + "a \xA4\x40\nb \xA4\x41\xA4", "Qu=161 - 249\n" + total(2),
       with([](Fields& f) { f.slots = {{kSlotA440, kA}, {kSlotA441, 2 * kA}}; })},
      {"CrLfLines",
       "\xA4\x40\xA4\x41 A 4 u a-z ; (Eng) [\xA4\x42]\r\na \xA4\x40\r\nb \xA4\x41\xA4\r\nabcdefg \xA4\x42\r\n",
       "Qu=161 - 249\nOut of Range: \xA4\n at line 3 (hash=-1)\n"
       "The MaxKeySize(Alpha:6,Number:8 A+N:5) exceeded at line: 4: abcdefg \xA4\x42\n\n" +
           total(3),
       with([](Fields& f) { f.slots = {{kSlotA440, kA}, {kSlotA441, 2 * kA}, {kSlotA441 + 1, kA + 2 * 1048576 + 3 * 32768 + 4 * 1024 + 5 * 32 + 6}}; })},
      {"LoneCarriageReturnEndsTheRun", kHeader + "a \xA4\x40\r\xA4\x41\n", "Qu=161 - 249\n" + total(1),
       with([](Fields& f) { f.slots = {{kSlotA440, kA}}; })},
      {"EndOfTextInsideTheTable", kHeader + "a \xA4\x40\n\x1A" "b \xA4\x41\n", "Qu=161 - 249\n" + total(1),
       with([](Fields& f) { f.slots = {{kSlotA440, kA}}; })},
      {"LineOfTenThousandBytes", kHeader + ten_thousand_byte_line() + "c \xA4\x40\nd \xA4\x40\n",
       "Qu=161 - 249\nkey[471] already defined at line 3\nkey[471] already defined at line 4\n" + total(3),
       with([](Fields& f) { f.slots = {{kSlotA440, kAB}}; })},
      // Lines of any length are read whole, and the last one without its line feed too.
      {"EntryLineOf600Bytes", kHeader + "a " + characters_from(kSlotA440, 299) + "\n", "Qu=161 - 249\n" + total(1),
       with([](Fields& f) {
         for (int slot = kSlotA440; slot < kSlotA440 + 299; ++slot) f.slots[slot] = kA;
       })},
      {"LastEntryWithoutLineFeed", kHeader + "a \xA4\x40\nb \xA4\x41", "Qu=161 - 249\n" + total(2),
       with([](Fields& f) { f.slots = {{kSlotA440, kA}, {kSlotA441, 2 * kA}}; })},
      {"EchoOfALastLineWithoutLineFeed", kHeader + "abcdefg \xA4\x42",
       "Qu=161 - 249\n" + max_key_size(2, "abcdefg \xA4\x42") + total(1),
       with([](Fields& f) { f.slots = {{kSlotA441 + 1, kA + 2 * 1048576 + 3 * 32768 + 4 * 1024 + 5 * 32 + 6}}; })},
      {"LastEntryBefore0x1A", kHeader + "b \xA4\x41\x1A", "Qu=161 - 249\n" + total(1),
       with([](Fields& f) { f.slots = {{kSlotA441, 2 * kA}}; })},
      {"KeyOnlyLineOfTheLongestLength", kHeader + std::string(kLongest, 'a') + "\r\n",
       "Qu=161 - 249\n" + max_key_size(2, std::string(kLongest, 'a') + "\n") + total(1), with([](Fields&) {})},
      {"LineOneByteLonger", kHeader + "a \xA4\x40\n" + std::string(kLongest + 1, 'a') + "\n",
       "Qu=161 - 249\n" + platform::long_line_report(3, "t.b5"), std::nullopt},
      {"HeaderLineOneByteLonger", "*c\n" + std::string(kLongest + 1, 'x') + "\n", platform::long_line_report(2, "t.b5"),
       std::nullopt},
  };
}

class KestrawnBadInput : public ::testing::TestWithParam<BadInput> {};

TEST_P(KestrawnBadInput, ExactMessagesStatusAndFile) {
  const BadInput& c = GetParam();
  ScratchDir dir;
  dir.write("t.b5", c.table);
  ProcessResult r = kestrawn(dir, {"t.b5", "out"});
  EXPECT_EQ(r.signal, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, banner() + converting("t.b5", "out.DBG") + c.out);
  if (!c.fields) {
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"t.b5"});
    return;
  }
  EXPECT_EQ(r.status, 0);
  ASSERT_TRUE(dir.exists("out.DBG"));
  std::string file = dir.read("out.DBG");
  std::string want = alpha_file(*c.fields);
  ASSERT_EQ(file.size(), want.size());
  for (std::size_t i = 0; i < file.size(); i += 4) {
    ASSERT_EQ(hex(file.substr(i, 4)), hex(want.substr(i, 4))) << "at offset " << i;
  }
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"out.DBG", "t.b5"}));
}

INSTANTIATE_TEST_SUITE_P(Tables, KestrawnBadInput, ::testing::ValuesIn(bad_inputs()),
                         test_support::case_name<BadInput>);

}  // namespace
