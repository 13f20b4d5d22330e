// What LEXMOOR's process tests expect of every run: the banner on standard error, the usage text,
// the progress lines of the writer and the import, and a run in a scratch folder.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "phrase_tool/messages.h"
#include "big5dict/phrase_layout.h"
#include "platform/build_date.h"
#include "platform/report.h"
#include "test_support/process.h"
#include "test_support/scratch.h"

namespace phrase_tool::lexmoor_texts {

inline std::string banner() { return platform::format(msg::kBanner, platform::build_date()) + msg::kNotice; }

inline std::string usage() {
  std::string text;
  for (const char* line : msg::kUsage) text += line;
  return text;
}

// What writing LEXMOOR.DBG shows for a table holding `buckets`. Spelt out apart from the program's
// messages, so that it checks the bytes the program shows.
inline std::string writer_report(const std::map<int, std::string>& buckets) {
  std::string text = "\nWriting to: LEXMOOR.DBG ... \n";
  long count = 0;
  for (int entry_index = 0; entry_index < big5dict::phrase::kTableEntries; ++entry_index) {
    text += "Entry:" + std::to_string(entry_index) + ", Offset:" + std::to_string(count) + "\r";
    auto it = buckets.find(entry_index);
    if (it != buckets.end()) count += static_cast<long>(it->second.size());
  }
  return text + "\nTotal Word Length=" + std::to_string(count) + "\n";
}

// The import's progress lines for lines first..last of a source text.
inline std::string lines(int first, int last) {
  std::string text;
  for (int i = first; i <= last; ++i) text += "Line: " + std::to_string(i) + "\r";
  return text;
}

inline test_support::ProcessResult lexmoor(const test_support::ScratchDir& dir, const std::vector<std::string>& args,
                                           const test_support::ProcessOptions& options = {}) {
  return test_support::run_in(dir.path(), LEXMOOR_PATH, args, options);
}

// A scratch folder to run LEXMOOR in: every run ends without a signal, its banner on standard error.
class LexmoorFolder : public ::testing::Test {
 protected:
  test_support::ProcessResult lexmoor(const std::vector<std::string>& args,
                                      const test_support::ProcessOptions& options = {}) {
    test_support::ProcessResult result = lexmoor_texts::lexmoor(dir, args, options);
    EXPECT_EQ(result.signal, 0);
    EXPECT_EQ(result.err, banner());
    return result;
  }

  test_support::ScratchDir dir;
};

}  // namespace phrase_tool::lexmoor_texts
