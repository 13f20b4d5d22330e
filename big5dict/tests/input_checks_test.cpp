// The input dictionary's checks as values: each finding carries the numbers its rule documents, in
// the order of the checks, every one of them reaches the sink, and the summary holds the fields as
// stored.
#include "big5dict/input_checks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "big5dict/bytes.h"
#include "big5dict/input_keys.h"
#include "big5dict/tests/input_files.h"
#include "test_support/case_name.h"

namespace {

namespace input = big5dict::input;
using input::Field;
using input::Rule;

struct Recorded {
  Rule rule;
  std::uint64_t offset, place, a, b, c;
  friend bool operator==(const Recorded&, const Recorded&) = default;
};

void PrintTo(const Recorded& r, std::ostream* os) {
  *os << "rule " << static_cast<int>(r.rule) << " at " << r.offset << " place " << r.place << " (" << r.a << ", "
      << r.b << ", " << r.c << ")";
}

class Recorder : public big5dict::FindingSink<Rule> {
 public:
  void violation(const input::InputFinding& f) override { found.push_back({f.rule, f.offset, f.place, f.a, f.b, f.c}); }
  void warning(const input::InputFinding&) override { ++warnings; }
  std::vector<Recorded> found;
  int warnings = 0;
};

constexpr std::uint32_t kKeyA = 33554432;  // Alpha "a"

using input::testing::file_of;
using input::testing::header_of;

std::string with_byte(std::string file, std::size_t offset, int value) {
  file[offset] = static_cast<char>(value);
  return file;
}

std::string with_slot(std::string file, std::size_t slot, std::uint32_t code) {
  big5dict::put_u32(reinterpret_cast<std::uint8_t*>(file.data()) + input::slot_offset(slot), code);
  return file;
}

constexpr auto place(Field f) { return static_cast<std::uint64_t>(f); }

struct CheckCase {
  const char* name;
  std::string file;
  std::vector<Recorded> want;
};

class InputChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(InputChecks, FindingsCarryTheirNumbersInCheckOrder) {
  Recorder sink;
  input::check_input_dictionary(GetParam().file, sink, nullptr);
  EXPECT_EQ(sink.found, GetParam().want);
}

const std::string kAlpha = file_of(header_of(input::KeyType::kAlpha), {{5, kKeyA}});
const std::string kAlphaNumerical = file_of(header_of(input::KeyType::kAlphaNumerical), {{5, 16777216}});

INSTANTIATE_TEST_SUITE_P(
    Rules, InputChecks,
    ::testing::Values(
        CheckCase{"Sound", kAlpha, {}},
        CheckCase{"MaxLenOfNumber", with_byte(file_of(header_of(input::KeyType::kNumber), {}), 69, 9),
                  {{Rule::kMaxLenValue, 69, place(Field::kMaxLen), 9, 8, 0}}},
        CheckCase{"BadDigitInSecondPosition", with_slot(kAlphaNumerical, 5, (1u << 24) | (63u << 18)),
                  {{Rule::kBadDigit, 128, 5, (1u << 24) | (63u << 18), 2, 1}}},
        CheckCase{"MissingEndMarker", with_slot(kAlpha, 6, 0), {{Rule::kMissingEndMarker, 132, 6, 5, kKeyA, 0}}},
        CheckCase{"SlotPastTheLastLead", file_of(header_of(input::KeyType::kAlpha), {{15000, kKeyA}}),
                  {{Rule::kSlotWithoutCharacter, input::slot_offset(15000), 15000, kKeyA, 161, 0}}},
        CheckCase{"SeveralInCheckOrder",
                  with_byte(with_byte(with_byte(with_byte(kAlpha, 79300, 1), 73, 'Z'), 61, 7), 66, 9),
                  {{Rule::kZeroPadNotZero, 66, place(Field::kZeroPad), 9, 0, 0},
                   {Rule::kCapitalField, 73, place(Field::kRangeLast), 'Z', 0, 0},
                   {Rule::kDictKindValue, 61, place(Field::kDictKind), 7, 0, 0},
                   {Rule::kTrailerDiffers, 79300, 0, 1, 0, 0}}}),
    test_support::case_name<CheckCase>);

TEST(InputChecksSink, EveryFindingReachesTheSink) {
  std::string file = kAlpha;
  for (std::size_t slot = 0; slot < input::kSlotCount; ++slot) file = with_slot(std::move(file), slot, 1u << 31);
  Recorder sink;
  input::check_input_dictionary(file, sink, nullptr);
  // Every slot's code is too wide; the slots of rows past the lead byte 0xFF have no character too.
  const std::size_t with_character = (0xFF - 0xA1 + 1) * 157;
  EXPECT_EQ(sink.found.size(), input::kSlotCount + (input::kSlotCount - with_character));
}

TEST(InputChecksSummary, FieldsAsStoredAndCounts) {
  input::DictHeader header = header_of(input::KeyType::kAlpha);
  header.uw_option = 5;
  header.qu_end = 7;
  Recorder sink;
  const input::Summary summary = input::check_input_dictionary(file_of(header, {{471, kKeyA}, {472, kKeyA}, {9, 1}}),
                                                              sink, nullptr);
  EXPECT_EQ(summary.header.uw_option, 5);
  EXPECT_EQ(summary.header.qu_end, 7);
  EXPECT_EQ(summary.header.place_values, input::place_values(input::KeyType::kAlpha));
  EXPECT_EQ(summary.characters_with_key, 3u);
  EXPECT_EQ(summary.distinct_codes, 1u);  // the code 1 has a gap: no key stands for it
  EXPECT_EQ(summary.end_marker, 473u);

  header.dict_kind = input::DictKind::kEmptyStub;
  Recorder stub_sink;
  const input::StubSummary stub = input::check_input_stub(input::stub_file_bytes(header, 'q'), stub_sink, nullptr);
  EXPECT_EQ(stub.stub_character, 'q');
  EXPECT_EQ(stub.header.max_len, input::kStubMaxLen);
  EXPECT_EQ(stub_sink.found, (std::vector<Recorded>{{Rule::kUWOptionValue, 70, place(Field::kUWOption), 5, 0, 0}}));
}

}  // namespace
