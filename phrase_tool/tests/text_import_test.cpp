#include "phrase_tool/text_import.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "phrase_tool/text_export.h"
#include "phrase_tool/tests/dictionary_image.h"
#include "test_support/scratch.h"

namespace phrase_tool {
namespace {

using namespace test_images;

struct Imported {
  StopStatus stop;
  std::string out;
  PhraseTable table;
};

Imported import_text(const std::string& text) {
  Imported result;
  platform::TextReader reader(platform::InputFile::from_bytes(text));
  std::ostringstream out;
  result.stop = import_lines(reader, "source.b5", result.table, out);
  result.out = out.str();
  return result;
}

std::string lines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "Line: " + std::to_string(i) + "\r";
  return text;
}

std::string repeat(const std::string& unit, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += unit;
  return text;
}

const std::string kSymbol = bytes({0xA1, 0x40});       // passes the head test, has no slot
const std::string kPastLastSlot = bytes({0xF9, 0xDE});  // has an index but no slot
constexpr int kSlotOfB = 159;
constexpr int kSlotOfC = 690;

struct Case {
  const char* name;
  std::string text;
  std::string out;
  std::map<int, std::string> buckets;  // every other slot stays empty
  StopStatus stop = std::nullopt;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class SourceImportCases : public ::testing::TestWithParam<Case> {};

TEST_P(SourceImportCases, ImportsAsTheLinesSay) {
  const Case& c = GetParam();
  Imported imported = import_text(c.text);
  EXPECT_EQ(imported.stop, c.stop);
  EXPECT_EQ(imported.out, c.out);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    auto it = c.buckets.find(slot);
    std::string expected = it == c.buckets.end() ? "" : it->second;
    EXPECT_TRUE(same_bytes(imported.table.bucket(slot), expected)) << "slot " << slot;
  }
}

INSTANTIATE_TEST_SUITE_P(
    All, SourceImportCases,
    ::testing::Values(
        Case{"head_and_continuation_lines", A + " " + B + K + "\n-- " + D + E + G + "\n" + C + "  " + A + "\n",
             lines(3), {{0, entry(B) + entry(K) + entry(D + E + G)}, {kSlotOfC, entry(A)}}},
        Case{"worked_bucket_has_the_editor_frequency_units", A + " " + B + "\n-- " + D + E + G + "\n", lines(2),
             {{0, kWorkedBucket}}},
        Case{"identification_and_empty_lines_are_skipped", "OVBig5CZ text\n" + A + " " + B + "\n\n",
             "Line: 1\rSkip line: 1: OVBig5CZ text\n\nLine: 2\rLine: 3\rSkip line: 3: \n\n", {{0, entry(B)}}},
        Case{"continuation_before_any_head_line", "-- " + B + C + "\n" + A + " " + B + "\n",
             "Line: 1\rError at Line: 1\n", {}, Outcome::kContentFault},
        Case{"continuation_after_a_slotless_head_is_not_filed_under_the_slot_before",
             A + " " + B + "\n" + kSymbol + " " + B + "\n-- " + C + D + "\n-- " + E + "\n" + A2 + " " + K + "\n-- " +
                 G + G + "\n",
             lines(3) + "Skip line: 3: -- " + C + D + "\n\n" + "Line: 4\rSkip line: 4: -- " + E + "\n\nLine: 5\rLine: 6\r",
             {{0, entry(B)}, {1, entry(K) + entry(G + G)}}},
        Case{"continuation_after_a_first_head_without_slot_is_skipped_not_an_error",
             kPastLastSlot + " " + B + "\n-- " + C + D + "\n", "Line: 1\rLine: 2\rSkip line: 2: -- " + C + D + "\n\n", {}},
        Case{"head_line_with_only_its_character", A + "\n-- " + C + D + "\n" + A2 + " \n", lines(3),
             {{0, entry(C + D)}}},
        Case{"head_line_tests", bytes({0xA4, 0x3F, 0x20}) + B + "\n" + bytes({0xA0, 0x40, 0x20}) + B + "\n",
             "Line: 1\rSkip line: 1: " + bytes({0xA4, 0x3F, 0x20}) + B + "\n\nLine: 2\rSkip line: 2: " +
                 bytes({0xA0, 0x40, 0x20}) + B + "\n\n",
             {}},
        Case{"text_after_the_run_is_ignored", A + " " + B + " " + C + "\n-- " + C + D + "x" + E + "\n", lines(2),
             {{0, entry(B) + entry(C + D)}}},
        Case{"continuation_without_a_character_adds_nothing", A + " " + B + "\n--    \n--\n", lines(3),
             {{0, entry(B)}}},
        Case{"single_character_continuation_is_a_long_entry", A + "\n-- " + C + "\n", lines(2),
             {{0, bytes({0x88, 0x88, 0xA8, 0x7E})}}},
        Case{"last_line_without_line_end_is_imported", A + " " + B + "\n" + A2 + " " + B, lines(2),
             {{0, entry(B)}, {1, entry(B)}}},
        Case{"echo_of_a_last_line_without_line_end_adds_none", A + " " + B + "\njunk", "Line: 1\rLine: 2\rSkip line: 2: junk\n",
             {{0, entry(B)}}},
        Case{"last_line_before_0x1A_is_imported", A + "\n-- " + C + D + "\x1A", lines(2), {{0, entry(C + D)}}},
        Case{"input_ends_at_0x1A", A + " " + B + "\n\x1A" + A2 + " " + B + "\n", lines(1), {{0, entry(B)}}},
        Case{"cr_lf_is_a_line_end", A + " " + B + "\r\n-- " + C + D + "\r\n", lines(2), {{0, entry(B) + entry(C + D)}}},
        Case{"repeated_head_line_replaces_the_bucket", A + " " + B + "\n" + A2 + " " + C + "\n" + A + " " + K + "\n",
             lines(3), {{0, entry(K)}, {1, entry(C)}}},
        Case{"nul_ends_the_line_text", std::string("OV\0junk\n", 8) + A + " " + B + std::string("\0", 1) + C + "\n",
             "Line: 1\rSkip line: 1: OV\nLine: 2\r", {{0, entry(B)}}},
        Case{"lone_lead_byte_at_the_end_of_the_text_is_dropped",
             A + "\n-- " + C + D + "\xA6" + std::string("\0", 1) + "\n", lines(2), {{0, entry(C + D)}}},
        Case{"no_read_cuts_a_line", A + "\n--  " + repeat(B, 125) + C + "\n", lines(2),
             {{0, entry(repeat(B, 125) + C)}}},
        Case{"last_slot_and_no_slot_past_it", Z + " " + B + "\n" + kPastLastSlot + " " + C + "\n", lines(2),
             {{kLastSlot, entry(B)}}},
        Case{"phrase_whose_frequency_would_be_nul_keeps_the_bucket_whole",
             B + " " + C + "\n-- " + repeat(D, 69) + "\n-- " + E + G + "\n", lines(3),
             {{kSlotOfB, entry(C) + bytes({0x88, 0x01}) + entry(repeat(D, 69)).substr(2) + entry(E + G)}}},
        Case{"tails_of_394_and_650_bytes_keep_a_nonzero_frequency",
             B + "\n-- " + repeat(D, 197) + "\n-- " + repeat(E, 325) + "\n", lines(3),
             {{kSlotOfB, bytes({0x88, 0x01}) + entry(repeat(D, 197)).substr(2) + bytes({0x88, 0x01}) +
                             entry(repeat(E, 325)).substr(2)}}},
        // 4095 entries of 4 bytes make 16380; the rest of the line and the next entry do not fit.
        Case{"head_line_that_overfills_its_bucket", A + " " + repeat(B, 4100) + "\n-- " + C + D + "\n" + A2 + " " + B + "\n",
             "Line: 1\rBucket full at Line: 1, entry not added\nLine: 2\rBucket full at Line: 2, entry not added\n"
             "Line: 3\r",
             {{0, repeat(entry(B), 4095)}, {1, entry(B)}}}));

TEST(SourceImport, EntryThatWouldFillTheBucketIsNotAdded) {
  // Entries of 82 bytes: after the head line's 4 bytes, 199 of them make 16322 bytes, and the
  // 200th would reach 16404; a short entry after it still fits.
  std::string long_line = "-- " + repeat(D, 40) + "\n";
  std::string text = A + " " + B + "\n" + repeat(long_line, 200) + "-- " + C + D + "\n" + A2 + " " + B + "\n";
  Imported imported = import_text(text);
  EXPECT_FALSE(imported.stop.has_value());
  EXPECT_EQ(imported.out, lines(201) + "Bucket full at Line: 201, entry not added\n" + lines(203).substr(lines(201).size()));
  std::string expected = entry(B) + repeat(entry(repeat(D, 40)), 199) + entry(C + D);
  EXPECT_EQ(imported.table.bucket(0).size(), 16328u);
  EXPECT_TRUE(same_bytes(imported.table.bucket(0), expected));
  EXPECT_EQ(imported.table.bucket(1), entry(B));
}

TEST(SourceImport, OpensTheNamedFile) {
  test_support::ScratchDir dir;
  dir.write("src.b5", A + " " + B + "\n");
  PhraseTable table;
  std::ostringstream out;
  std::string name = (dir / "src.b5").string();
  EXPECT_FALSE(import_source(name, table, out).has_value());
  EXPECT_EQ(out.str(), "Reading " + name + " ...\nLine: 1\r");
  EXPECT_EQ(table.bucket(0), entry(B));
}

TEST(SourceImport, FolderIsAReadError) {
  test_support::ScratchDir dir;
  PhraseTable table;
  std::ostringstream out;
  std::string name = dir.path().string();
  EXPECT_EQ(import_source(name, table, out), Outcome::kFileFault);
  EXPECT_EQ(out.str(), "Reading " + name + " ...\n\nRead error on file: " + name + ": Is a directory\n");
}

TEST(SourceImport, ExportReadBackGivesTheSamePhrasesInTheSameOrder) {
  PhraseTable table;
  table.set_bucket(0, kWorkedBucket);
  table.set_bucket(1, entry(B) + entry(C) + entry(K) + entry(D + E) + entry(repeat(G, 19)) + entry(C + D + E));
  table.set_bucket(62, entry(repeat(E, 30)));  // longer than the editor would accept
  table.set_bucket(63, entry(B));
  table.set_bucket(kSlotOfC, entry(C) + bytes({0x88, 0x88, 0xA8, 0x7E}));  // a one-character long entry
  table.set_bucket(kLastSlot, entry(Z) + entry(Z + Z));
  test_support::ScratchDir dir;
  HeaderImage header;
  std::ostringstream export_out;
  ASSERT_FALSE(export_text((dir / "LEXMOOR.B5X").string(), header, table, export_out).has_value());
  Imported imported = import_text(dir.read("LEXMOOR.B5X"));
  EXPECT_FALSE(imported.stop.has_value());
  EXPECT_EQ(imported.out.substr(0, 30), "Line: 1\rSkip line: 1: OVBig5CZ");
  for (int slot = 0; slot < kSlotCount; ++slot) {
    ASSERT_TRUE(same_bytes(imported.table.bucket(slot), table.bucket(slot))) << "slot " << slot;
  }
}

}  // namespace
}  // namespace phrase_tool
