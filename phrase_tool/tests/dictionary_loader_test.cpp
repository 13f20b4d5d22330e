#include "phrase_tool/dictionary_loader.h"

#include <gtest/gtest.h>

#include <sstream>

#include "phrase_tool/run.h"
#include "phrase_tool/tests/dictionary_image.h"
#include "test_support/scratch.h"

namespace phrase_tool {
namespace {

using namespace test_images;

struct Loaded {
  StopStatus stop;
  std::string out;
  HeaderImage header;
  PhraseTable table;
};

Loaded load(const std::string& file_bytes, const std::string& name = "old.DBG") {
  Loaded result;
  platform::InputFile file = platform::InputFile::from_bytes(file_bytes);
  std::ostringstream out;
  result.stop = load_dictionary(file, name, result.header, result.table, out);
  result.out = out.str();
  return result;
}

std::string header_bytes(const HeaderImage& header) {
  return std::string(reinterpret_cast<const char*>(header.data()), HeaderImage::size());
}

TEST(DictionaryLoader, LoadsTheWorkedBucketAndTheHeader) {
  std::string file = dictionary_file({{0, kWorkedBucket}, {2, entry(B)}, {kLastSlot, entry(A + B)}});
  Loaded loaded = load(file);
  EXPECT_FALSE(loaded.stop.has_value());
  EXPECT_EQ(loaded.out, "Reading old.DBG ");
  EXPECT_EQ(loaded.table.bucket(0), kWorkedBucket);
  EXPECT_EQ(loaded.table.bucket(1), "");
  EXPECT_EQ(loaded.table.bucket(2), bytes({0x88, 0x88, 0x25, 0x42}));
  EXPECT_EQ(loaded.table.bucket(kLastSlot), bytes({0x88, 0x86, 0xA4, 0x40, 0x25, 0x42}));
  EXPECT_EQ(header_bytes(loaded.header), file.substr(0, kHeaderBytes));
}

TEST(DictionaryLoader, EmptyDictionaryIsTheHeaderAlone) {
  std::string file = dictionary_file({});
  ASSERT_EQ(file.size(), 27004u);
  Loaded loaded = load(file);
  EXPECT_FALSE(loaded.stop.has_value());
  EXPECT_EQ(loaded.out, "Reading old.DBG ");
  for (int slot = 0; slot < kSlotCount; ++slot) ASSERT_TRUE(loaded.table.bucket(slot).empty()) << slot;
}

TEST(DictionaryLoader, BucketOf16382BytesLoads) {
  std::string big(16382, '\x25');
  big[0] = '\x88';
  Loaded loaded = load(dictionary_file({{7, big}}));
  EXPECT_FALSE(loaded.stop.has_value());
  EXPECT_EQ(loaded.table.bucket(7), big);
}

TEST(DictionaryLoader, BucketOf16384BytesStopsBeforeItIsRead) {
  // The header alone promises the bucket; the data area is not even there.
  HeaderImage header;
  for (int entry_index = 0; entry_index < 5; ++entry_index) header.set_half_offset(entry_index, 100);
  for (int entry_index = 5; entry_index < kTableEntries; ++entry_index) header.set_half_offset(entry_index, 100 + 8192);
  Loaded loaded = load(header_bytes(header) + entry(B));
  EXPECT_EQ(loaded.stop, Outcome::kContentFault);
  EXPECT_EQ(exit_status(*loaded.stop), 0);
  EXPECT_EQ(loaded.out, "Reading old.DBG MAX_BUFF is too small, need 16384\n");
}

TEST(DictionaryLoader, BucketNotStartingWithAFrequencyUnitIsReportedAndStillLoaded) {
  std::string odd = bytes({0x7F, 0x88, 0x25, 0x42});
  Loaded loaded = load(dictionary_file({{0, kWorkedBucket}, {5, odd}}, 3));
  EXPECT_FALSE(loaded.stop.has_value());
  // H[5] = 3 + 6 = 9, H[6] = 11; the bucket starts 12 bytes into the data area.
  EXPECT_EQ(loaded.out, "Reading old.DBG FREQ Error: i=5, len=11-9 offset: 27016\n");
  EXPECT_EQ(loaded.table.bucket(5), odd);
}

TEST(DictionaryLoader, ShortDataAreaIsAnErrorInTheFile) {
  std::string file = dictionary_file({{0, kWorkedBucket}, {3, entry(B) + entry(C)}});
  Loaded loaded = load(file.substr(0, file.size() - 2), "short.DBG");
  EXPECT_EQ(loaded.stop, Outcome::kFileFault);
  EXPECT_EQ(loaded.out, "Reading short.DBG Error in file: short.DBG\n");
}

TEST(DictionaryLoader, FileEndingInsideItsHeaderStopsAtSlotZero) {
  struct Case {
    std::string file;
    std::string message;
    Outcome status;
  };
  std::string empty = dictionary_file({});
  std::string promising = dictionary_file({{0, kWorkedBucket}});
  HeaderImage huge;
  huge.set_half_offset(1, 8192);
  std::string huge_bytes = header_bytes(huge);
  for (const Case& c : {Case{empty.substr(0, 27003), "EOF at i= 0\n", Outcome::kFileFault},
                        Case{"", "EOF at i= 0\n", Outcome::kFileFault},
                        Case{promising.substr(0, 100), "Error in file: old.DBG\n", Outcome::kFileFault},
                        Case{huge_bytes.substr(0, 100), "MAX_BUFF is too small, need 16384\n", Outcome::kContentFault}}) {
    Loaded loaded = load(c.file);
    EXPECT_EQ(loaded.stop, c.status) << c.file.size();
    EXPECT_EQ(loaded.out, "Reading old.DBG " + c.message) << c.file.size();
  }
}

TEST(DictionaryLoader, EveryCutOfTheFileStops) {
  std::string file = dictionary_file({{0, kWorkedBucket}, {200, entry(B)}, {kLastSlot, entry(A + B)}});
  std::vector<std::size_t> cuts = {0, 1, 63, 64, 65, 66, 1000, kHeaderBytes - 1, kHeaderBytes};
  for (std::size_t cut = kHeaderBytes + 1; cut < file.size(); ++cut) cuts.push_back(cut);
  for (std::size_t cut : cuts) {
    Loaded loaded = load(file.substr(0, cut));
    ASSERT_TRUE(loaded.stop.has_value()) << cut;
    EXPECT_EQ(*loaded.stop, Outcome::kFileFault) << cut;
  }
  EXPECT_FALSE(load(file).stop.has_value());
}

TEST(DictionaryLoader, BytesAfterTheLastBucketAreIgnored) {
  Loaded loaded = load(dictionary_file({{0, kWorkedBucket}}, 0, HeaderImage(), "trailing junk"));
  EXPECT_FALSE(loaded.stop.has_value());
  EXPECT_EQ(loaded.out, "Reading old.DBG ");
  EXPECT_EQ(loaded.table.bucket(0), kWorkedBucket);
}

TEST(DictionaryLoader, OnlyDifferencesOfHalfOffsetsCount) {
  std::map<int, std::string> buckets = {{0, kWorkedBucket}, {9, entry(B)}, {4000, entry(C + D)}};
  Loaded at_zero = load(dictionary_file(buckets, 0));
  Loaded shifted = load(dictionary_file(buckets, 65530));  // wraps past 65535 on the way
  ASSERT_FALSE(shifted.stop.has_value());
  EXPECT_EQ(shifted.out, "Reading old.DBG ");
  for (int slot = 0; slot < kSlotCount; ++slot) {
    ASSERT_EQ(shifted.table.bucket(slot), at_zero.table.bucket(slot)) << slot;
  }
}

TEST(DictionaryLoader, IdentificationFieldIsKeptByteForByte) {
  HeaderImage header;
  for (std::size_t i = 0; i < kIdentificationBytes; ++i) header.data()[i] = static_cast<std::uint8_t>(i * 7 + 1);
  header.data()[10] = 0;
  std::string file = dictionary_file({{0, kWorkedBucket}}, 0, header);
  Loaded loaded = load(file);
  EXPECT_EQ(header_bytes(loaded.header).substr(0, kIdentificationBytes), file.substr(0, kIdentificationBytes));
}

TEST(DictionaryLoader, NulInsideABucketEndsItInMemory) {
  Loaded loaded = load(dictionary_file({{0, bytes({0x88, 0x88, 0x25, 0x42, 0x00, 0x88, 0x25, 0x43})}}));
  EXPECT_FALSE(loaded.stop.has_value());
  EXPECT_EQ(loaded.table.bucket(0), bytes({0x88, 0x88, 0x25, 0x42}));
}

// A NUL in a trail byte leaves the bucket its whole units only: an odd length written back would
// shift every later bucket of the file.
TEST(DictionaryLoader, NulInATrailByteKeepsTheBucketInWholeUnits) {
  Loaded loaded = load(dictionary_file({{0, bytes({0x88, 0x88, 0x25, 0x00, 0x88, 0x88, 0x25, 0x43})},
                                        {1, bytes({0x88, 0x88, 0x26, 0x44})}}));
  EXPECT_FALSE(loaded.stop.has_value());
  EXPECT_EQ(loaded.table.bucket(0), bytes({0x88, 0x88}));
  EXPECT_EQ(loaded.table.bucket(1), bytes({0x88, 0x88, 0x26, 0x44}));
}

TEST(DictionaryLoader, FolderAsInputIsAReadError) {
  test_support::ScratchDir dir;
  platform::InputFile file;
  ASSERT_EQ(file.open(dir.path().string()), 0);
  HeaderImage header;
  PhraseTable table;
  std::ostringstream out;
  StopStatus stop = load_dictionary(file, "dir", header, table, out);
  EXPECT_EQ(stop, Outcome::kFileFault);
  EXPECT_EQ(out.str(), "Reading dir \nRead error on file: dir: Is a directory\n");
}

}  // namespace
}  // namespace phrase_tool
