// A file known only as far as it was read: the findings that name the file's length take it from
// the whole file, "more than N" when the input goes on, and nothing past what was read is judged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dictionary_viewer/examination.h"
#include "dictionary_viewer/tests/examination_lines.h"
#include "phrase_tool/dictionary_format.h"
#include "platform/little_endian.h"

namespace dictionary_viewer {
namespace {

using testing::finding_lines;

std::string phrase_header(std::uint16_t slot0_half_length) {
  phrase_tool::HeaderImage header;
  for (int entry = 1; entry <= phrase_tool::kSlotCount; ++entry) header.set_half_offset(entry, slot0_half_length);
  return std::string(reinterpret_cast<const char*>(header.data()), phrase_tool::HeaderImage::size());
}

std::string empty_hashed_file() {
  std::string file;
  for (int k = 0; k < 10000; ++k) platform::append_u32(file, 0x5651DE88);
  return file;
}

struct Case {
  const char* name;
  std::string held;
  FileLength length;
  DictionaryFormat format;
  std::vector<std::string> findings;
};

std::vector<Case> cases() {
  const std::string too_long = "offset 66: slot 0: the half-offsets give a bucket of 20000 bytes; a bucket must stay "
                               "under 16384 bytes to be read back";
  const std::string file_of_40000 = "offset 39996: header word 9999: the header words give a file of 40000 bytes; ";
  return {
      {"PhraseLongerThanRead", phrase_header(0), {27014, false}, DictionaryFormat::kPhraseDictionary,
       {"warning: offset 27004: data area: 10 bytes after the last bucket, which a loader ignores"}},
      {"PhraseInputGoesOn", phrase_header(0) + "abc", {27007, true}, DictionaryFormat::kPhraseDictionary,
       {"warning: offset 27004: data area: more than 3 bytes after the last bucket, which a loader ignores"}},
      {"PhraseBucketPastWhatWasRead", phrase_header(10000) + "abc", {47004, false},
       DictionaryFormat::kPhraseDictionary, {too_long}},
      {"PhraseBucketPastAnInputThatGoesOn", phrase_header(10000) + "abc", {27007, true},
       DictionaryFormat::kPhraseDictionary, {too_long}},
      {"HashedLongerThanRead", empty_hashed_file(), {40005, false}, DictionaryFormat::kHashedDictionary,
       {file_of_40000 + "the file has 40005"}},
      {"HashedInputGoesOn", empty_hashed_file(), {40000, true}, DictionaryFormat::kHashedDictionary,
       {file_of_40000 + "the file has more than 40000"}},
      {"InputDictionaryThatGoesOn", std::string(79318, '\x05'), {79318, true}, DictionaryFormat::kUnknown, {}},
      {"StubLongerThanRead", std::string(130, '\x05'), {131, false}, DictionaryFormat::kUnknown, {}},
  };
}

class HeldLength : public ::testing::TestWithParam<Case> {};

TEST_P(HeldLength, FindingsNameTheWholeFile) {
  const Case& c = GetParam();
  Examination result = examine(c.held, c.length, false);
  EXPECT_EQ(result.format, c.format);
  EXPECT_EQ(finding_lines(result), c.findings);
}

INSTANTIATE_TEST_SUITE_P(Inputs, HeldLength, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case>& param) { return param.param.name; });

}  // namespace
}  // namespace dictionary_viewer
