// A file known only as far as it was read: findings take the length from the whole file, "more
// than N" for an input that goes on, and judge nothing past what was read.
#include <gtest/gtest.h>

#include "dictionary_viewer/tests/examination_lines.h"
#include "big5dict/phrase_layout.h"
#include "big5dict/bytes.h"
#include "test_support/case_name.h"

namespace dictionary_viewer {
namespace {

std::string phrase_header(std::uint16_t slot0_half_length) {
  big5dict::phrase::HeaderImage header;
  for (int entry = 1; entry <= big5dict::phrase::kSlotCount; ++entry) header.set_half_offset(entry, slot0_half_length);
  return std::string(reinterpret_cast<const char*>(header.data()), big5dict::phrase::HeaderImage::size());
}

struct Case {
  const char* name;
  std::string held;
  FileLength length;
  std::vector<std::string> findings;
};

std::vector<Case> cases() {
  std::string hashed;
  for (int k = 0; k < 10000; ++k) big5dict::append_u32(hashed, 0x5651DE88);
  return {
      {"PhraseLongerThanRead", phrase_header(0), {27014, false},
       {"warning: offset 27004: data area: 10 bytes after the last bucket, which a loader ignores"}},
      {"PhraseInputGoesOn", phrase_header(0) + "abc", {27007, true},
       {"warning: offset 27004: data area: more than 3 bytes after the last bucket, which a loader ignores"}},
      // Only a bucket too long to be read back reaches past what the format holds.
      {"PhraseBucketPastWhatWasRead", phrase_header(10000) + "abc", {47004, false},
       {"offset 66: slot 0: the half-offsets give a bucket of 20000 bytes; a bucket must stay under 16384 "
        "bytes to be read back"}},
      {"HashedInputGoesOn", hashed, {40000, true},
       {"offset 39996: header word 9999: the header words give a file of 40000 bytes; the file has more than "
        "40000"}},
  };
}

class HeldLength : public ::testing::TestWithParam<Case> {};

TEST_P(HeldLength, FindingsNameTheWholeFile) {
  const Case& c = GetParam();
  EXPECT_EQ(testing::finding_lines(examine(c.held, c.length, false)), c.findings);
}

INSTANTIATE_TEST_SUITE_P(Inputs, HeldLength, ::testing::ValuesIn(cases()), test_support::case_name<Case>);

TEST(HeldLength, InputDictionaryThatGoesOnIsNone) {
  EXPECT_EQ(detect_format(std::string(79318, '\x05'), {79318, true}), DictionaryFormat::kUnknown);
}

}  // namespace
}  // namespace dictionary_viewer
