// Test helper: an examination's findings as the lines DBGVIEW prints for them.
#pragma once

#include <string>
#include <vector>

#include "dictionary_viewer/examination.h"
#include "platform/report.h"

namespace dictionary_viewer::testing {

inline std::vector<std::string> finding_lines(const Examination& examination) {
  std::vector<std::string> lines;
  for (const Finding& f : examination.violations) {
    lines.push_back(platform::format("offset %zu: %s: %s", f.offset, f.place.c_str(), f.text.c_str()));
  }
  for (const Finding& f : examination.warnings) {
    lines.push_back(platform::format("warning: offset %zu: %s: %s", f.offset, f.place.c_str(), f.text.c_str()));
  }
  return lines;
}

// One file damaged in one way and the lines its findings must be.
struct DamageCase {
  std::string name;
  std::string file;
  std::vector<std::string> findings;
  bool sound = false;  // only warnings expected
};

inline std::string case_name(const ::testing::TestParamInfo<DamageCase>& info) { return info.param.name; }

}  // namespace dictionary_viewer::testing
