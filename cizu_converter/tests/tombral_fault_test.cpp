// TOMBRAL run as a process against failing files: an output it may not write, an output that is a
// folder, a disk that fills, inputs that are folders or unreadable. Each gives its report and
// status, no signal, no temporary file, and leaves an existing output byte for byte as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/report.h"
#include "test_support/fault_suite.h"
#include "test_support/scratch.h"

namespace {

namespace fs = std::filesystem;
using FaultCase = test_support::ConverterFaultCase;
using test_support::hex;
using test_support::ScratchDir;

const std::string kOldOutput = "an earlier dictionary";
const std::string kTable = "abc \xA4\xA4\xA4\xE5 \xA6\x72\n";

std::string banner() {
  return platform::format("TOMBRAL - Convert Big5 CiZu table to DBG file for ORVANE 5.0  %s\n",
                          platform::build_date()) +
         "Files the phrases of each key code under one of 9999 hash buckets.\n\n";
}

std::string converting(const std::string& in, const std::string& out) {
  return "converting " + in + " to " + out + " ...\n";
}

std::vector<FaultCase> fault_cases() {
  const std::vector<std::string> both = {"in.b5", "out.dic"};
  std::vector<FaultCase> cases = test_support::permission_cases("in.b5", "out.dic");
  cases.insert(cases.end(), {
      {"OutputIsAFolder", false, [](const ScratchDir& dir, int) { fs::create_directory(dir / "folder"); },
       {"in.b5", "folder"}, -1, "", "folder: Is a directory\n", {"folder", "in.b5", "out.dic"}},
      {"DiskFillsWhileWriting", false, [](const ScratchDir&, int) {}, {"in.b5", "out.dic"}, 20000,
       converting("in.b5", "out.dic") + "Words=    0  Line=    1\rcount=    2\n" +
           "\nWrite error on file: out.dic: File too large\n",
       "", both},
      {"InputIsAFolder", false, [](const ScratchDir& dir, int) { fs::create_directory(dir / "folder"); },
       {"folder", "out.dic"}, -1,
       converting("folder", "out.dic") + "\nRead error on file: folder: Is a directory\n", "",
       {"folder", "in.b5", "out.dic"}},
  });
  return cases;
}

class TombralFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(TombralFault, ReportsAndLeavesTheOldOutput) {
  std::string skip_reason = test_support::check_converter_fault(
      GetParam(), {TOMBRAL_PATH, banner(), "in.b5", kTable, "out.dic", kOldOutput});
  if (!skip_reason.empty()) GTEST_SKIP() << skip_reason;
}

INSTANTIATE_TEST_SUITE_P(Faults, TombralFault, ::testing::ValuesIn(fault_cases()),
                         test_support::case_name<FaultCase>);

// The table named again as the output is read whole before the result replaces it, and the result
// is the same file a conversion to another name gives.
TEST(TombralFault, InputNamedAsOutputIsReplacedByItsConversion) {
  const fs::path table = fs::path(TOMBRAL_SOURCE_DIR) / "examples" / "cizu-table.b5";
  test_support::InPlaceConversion run = test_support::convert_in_place(TOMBRAL_PATH, table, "other.dic", "other.dic");
  ASSERT_EQ(run.to_other.status, 0);
  EXPECT_EQ(run.in_place.status, 0);
  EXPECT_EQ(run.in_place.signal, 0);
  EXPECT_EQ(run.in_place.err, "");
  std::string expected_out = run.to_other.out;
  expected_out.replace(expected_out.find(converting("table.b5", "other.dic")),
                       converting("table.b5", "other.dic").size(), converting("table.b5", "table.b5"));
  EXPECT_EQ(run.in_place.out, expected_out);
  EXPECT_GT(run.converted.size(), 40000u);
  EXPECT_TRUE(run.converted == run.other) << hex(run.converted.substr(0, 32));
  EXPECT_EQ(run.entries, (std::vector<std::string>{"other.dic", "table.b5"}));
}

}  // namespace
