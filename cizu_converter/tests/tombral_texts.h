// What TOMBRAL's process tests expect of every run, spelt out apart from the program's messages so
// that they check the bytes it shows: the banner, the progress and summary lines; the layout of
// the file it writes; and a run in a scratch folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/build_date.h"
#include "platform/report.h"
#include "test_support/process.h"
#include "test_support/scratch.h"

namespace cizu_converter::tombral_texts {

constexpr std::uint32_t kMagic = 0x5651DE88;
constexpr std::size_t kHeaderBytes = 40000;

inline std::string banner() {
  return platform::format("TOMBRAL - Convert Big5 CiZu table to DBG file for ORVANE 5.0  %s\n",
                          platform::build_date()) +
         "Files the phrases of each key code under one of 9999 hash buckets.\n\n";
}

inline std::string converting(const std::string& in, const std::string& out) {
  return "converting " + in + " to " + out + " ...\n";
}

// The progress lines of a run, from the phrase count before each line.
inline std::string progress(const std::vector<long>& words_before_each_line) {
  std::string text;
  long line = 0;
  for (long words : words_before_each_line) text += platform::format("Words=%5ld  Line=%5ld\r", words, ++line);
  return text;
}

inline std::string summary(long count, long max_length) {
  return platform::format("count=%5ld\nMAXLEN=%5ld\n", count, max_length);
}

inline test_support::ProcessResult tombral(const test_support::ScratchDir& dir, const std::vector<std::string>& args,
                                           long long size_limit = -1) {
  return test_support::run_in(dir.path(), TOMBRAL_PATH, args, test_support::file_size_limited(size_limit));
}

}  // namespace cizu_converter::tombral_texts
