#include "phrase_tool/dictionary_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "phrase_tool/dictionary_loader.h"
#include "phrase_tool/tests/dictionary_image.h"
#include "phrase_tool/text_export.h"
#include "big5dict/bytes.h"
#include "test_support/scratch.h"

namespace phrase_tool {
namespace {

using namespace test_images;
using test_support::ScratchDir;

struct Written {
  StopStatus stop;
  std::string out;
  std::string file;
};

// What `writer` (of the dictionary or of the export) shows and leaves in `dir` as `name`.
template <typename Writer>
Written run_writer(const ScratchDir& dir, const std::string& name, Writer writer) {
  std::ostringstream out;
  Written result;
  result.stop = writer((dir / name).string(), out);
  result.out = out.str();
  if (dir.exists(name)) result.file = dir.read(name);
  return result;
}

Written write(const ScratchDir& dir, HeaderImage& header, const PhraseTable& table) {
  return run_writer(dir, "LEXMOOR.DBG", [&](const std::string& path, std::ostream& out) {
    return write_dictionary(path, header, table, out);
  });
}

Written export_to(const ScratchDir& dir, const HeaderImage& header, const PhraseTable& table) {
  return run_writer(dir, "LEXMOOR.B5X", [&](const std::string& path, std::ostream& out) {
    return export_text(path, header, table, out);
  });
}

// What the writer shows for a data area whose running count reaches `counts[i]` at entry i.
std::string progress(const std::vector<long>& counts) {
  std::string text = "\nWriting to: LEXMOOR.DBG ... \n";
  for (std::size_t i = 0; i < counts.size(); ++i) {
    text += "Entry:" + std::to_string(i) + ", Offset:" + std::to_string(counts[i]) + "\r";
  }
  return text + "\nTotal Word Length=" + std::to_string(counts.back()) + "\n";
}

// The empty slot lines of slots first..last-1 of an export.
std::string empty_head_lines(int first, int last) {
  std::string text;
  for (int slot = first; slot < last; ++slot) {
    Big5Char c = slot_character(slot);
    text += std::string{static_cast<char>(c.lead), static_cast<char>(c.trail), ' ', '\n'};
  }
  return text;
}

TEST(DictionaryWriter, EmptyDictionaryIsItsHeader) {
  ScratchDir dir;
  HeaderImage header;
  PhraseTable table;
  Written written = write(dir, header, table);
  EXPECT_FALSE(written.stop.has_value());
  EXPECT_TRUE(same_bytes(written.file, dictionary_file({})));
  EXPECT_TRUE(same_bytes(written.out, progress(std::vector<long>(kTableEntries, 0))));
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"LEXMOOR.DBG"});
}

TEST(DictionaryWriter, WritesBucketsAndRecomputedHalfOffsets) {
  ScratchDir dir;
  HeaderImage header;
  header.set_half_offset(3, 999);  // stale offsets of the placeholder are replaced
  PhraseTable table;
  table.set_bucket(0, kWorkedBucket);
  table.set_bucket(1, "");  // present but empty: contributes nothing
  table.set_bucket(2, entry(B));
  table.set_bucket(kLastSlot, entry(A + B));
  Written written = write(dir, header, table);
  EXPECT_FALSE(written.stop.has_value());
  std::string expected =
      dictionary_file({{0, kWorkedBucket}, {2, entry(B)}, {kLastSlot, entry(A + B)}});
  EXPECT_TRUE(same_bytes(written.file, expected));
  std::vector<long> counts(kTableEntries, 16);
  counts[0] = counts[1] = counts[2] = 12;
  counts[0] = 0;
  counts[kTableEntries - 1] = 22;
  EXPECT_TRUE(same_bytes(written.out, progress(counts)));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(header.data()), kHeaderBytes), expected.substr(0, kHeaderBytes));
}

TEST(DictionaryWriter, LongDataAreaRoundTripsThroughWrappedHalfOffsets) {
  ScratchDir dir;
  HeaderImage header;
  PhraseTable table;
  // Ten buckets of 16000 bytes: a data area of 160000 bytes, past what 16-bit half-offsets hold.
  for (int i = 0; i < 10; ++i) {
    std::string bucket;
    while (bucket.size() < 16000) bucket += entry(std::string(1, static_cast<char>(0xA5 + i)) + "\x42");
    table.set_bucket(i * 1000 + 5, bucket);
  }
  Written written = write(dir, header, table);
  ASSERT_FALSE(written.stop.has_value());
  ASSERT_EQ(written.file.size(), kHeaderBytes + 160000);
  EXPECT_EQ(header.half_offset(kSlotCount), (160000 / 2) % 65536);
  EXPECT_EQ(header.half_offset(9 * 1000 + 5), (9 * 16000 / 2) % 65536);
  EXPECT_NE(written.out.find("\nTotal Word Length=160000\n"), std::string::npos);

  platform::InputFile file = platform::InputFile::from_bytes(written.file);
  HeaderImage loaded_header;
  PhraseTable loaded;
  std::ostringstream out;
  ASSERT_FALSE(load_dictionary(file, "LEXMOOR.DBG", loaded_header, loaded, out).has_value()) << out.str();
  for (int slot = 0; slot < kSlotCount; ++slot) ASSERT_EQ(loaded.bucket(slot), table.bucket(slot)) << slot;
}

TEST(DictionaryWriter, IdentificationFieldOfALoadedFileIsWrittenBackUnchanged) {
  HeaderImage original;
  for (std::size_t i = 0; i < kIdentificationBytes; ++i) original.data()[i] = static_cast<std::uint8_t>(0x41 + i);
  original.data()[20] = 0;
  std::string file_bytes = dictionary_file({{0, kWorkedBucket}, {77, entry(C)}}, 1234, original);
  platform::InputFile file = platform::InputFile::from_bytes(file_bytes);
  HeaderImage header;
  PhraseTable table;
  std::ostringstream out;
  ASSERT_FALSE(load_dictionary(file, "a.DBG", header, table, out).has_value());
  ScratchDir dir;
  Written written = write(dir, header, table);
  ASSERT_FALSE(written.stop.has_value());
  EXPECT_TRUE(same_bytes(written.file, dictionary_file({{0, kWorkedBucket}, {77, entry(C)}}, 0, original)));
}

TEST(DictionaryWriter, OutputThatCannotBeCreatedLeavesNothing) {
  ScratchDir dir;
  std::filesystem::create_directory(dir / "LEXMOOR.DBG");
  HeaderImage header;
  PhraseTable table;
  std::ostringstream out;
  EXPECT_EQ(write_dictionary((dir / "LEXMOOR.DBG").string(), header, table, out), Outcome::kFileFault);
  EXPECT_EQ(out.str(), "can't open file: LEXMOOR.DBG\n");
  std::ostringstream export_out;
  EXPECT_EQ(export_text((dir / "missing" / "LEXMOOR.B5X").string(), header, table, export_out), Outcome::kFileFault);
  EXPECT_EQ(export_out.str(), "can't open file: LEXMOOR.B5X\n");
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"LEXMOOR.DBG"});
}

TEST(TextExport, KnownDictionaryGivesItsExactText) {
  ScratchDir dir;
  dir.write("LEXMOOR.B5X", "previous");
  HeaderImage header;
  PhraseTable table;
  // Slot A holds AB, AK, ADEG: the head line lists B and K, the long phrase gets its own line.
  table.set_bucket(0, entry(B) + entry(K) + entry(D + E + G));
  table.set_bucket(1, entry(C + D) + entry(E + G));  // long entries only
  // Out of order: a two-character entry after a long one ends up on that entry's line.
  table.set_bucket(3, entry(C + D) + entry(B));
  table.set_bucket(63, entry(B));
  table.set_bucket(kLastSlot, entry(Z));
  Written written = export_to(dir, header, table);
  EXPECT_FALSE(written.stop.has_value());
  EXPECT_EQ(written.out, "");
  std::string expected = "OVBig5CZ Orvane Big5 phrase dictionary, kept with LEXMOOR 5.0\n";
  expected += A + " " + B + K + "\n-- " + D + E + G + "\n";
  expected += A2 + " \n-- " + C + D + "\n-- " + E + G + "\n";
  expected += empty_head_lines(2, 3);
  expected += bytes({0xA4, 0x43}) + " \n-- " + C + D + B + "\n";
  expected += empty_head_lines(4, 63);
  expected += bytes({0xA4, 0xA1}) + " " + B + "\n";
  expected += empty_head_lines(64, kLastSlot);
  expected += Z + " " + Z + "\n";
  EXPECT_TRUE(same_bytes(written.file, expected));
}

TEST(TextExport, LineCountAndEmptyDictionary) {
  ScratchDir dir;
  HeaderImage header;
  PhraseTable table;
  Written written = export_to(dir, header, table);
  EXPECT_TRUE(same_bytes(written.file, "OVBig5CZ Orvane Big5 phrase dictionary, kept with LEXMOOR 5.0\n" +
                                            empty_head_lines(0, kSlotCount)));
}

TEST(TextExport, IdentificationTextStopsAtItsNul) {
  ScratchDir dir;
  HeaderImage header;
  std::memcpy(header.data(), "OVBig5CZ short\0tail", 19);
  PhraseTable table;
  Written written = export_to(dir, header, table);
  EXPECT_EQ(written.file.substr(0, 15), "OVBig5CZ short\n");
}

TEST(TextExport, DamagedBucketGivesOnlyWholeCharacters) {
  ScratchDir dir;
  HeaderImage header;
  PhraseTable table;
  // A long entry whose last character lost its trail byte, then a frequency unit with nothing after.
  table.insert(0, 0, bytes({0x88, 0x86, 0xA5, 0x42, 0x26}));
  table.insert(1, 0, entry(B) + bytes({0x88, 0x88}));
  table.insert(2, 0, entry(B) + bytes({0x88, 0x88, 0x26}));
  Written written = export_to(dir, header, table);
  std::string lines = written.file.substr(written.file.find('\n') + 1);
  EXPECT_EQ(lines.substr(0, 22), A + " \n-- " + B + "\n" + A2 + " " + B + "\n" + bytes({0xA4, 0x42}) + " " + B + "\n");
}

}  // namespace
}  // namespace phrase_tool
