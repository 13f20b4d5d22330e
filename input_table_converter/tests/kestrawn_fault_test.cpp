// KESTRAWN run as a process against failing files: an output it may not write, an output that is a
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
const std::string kTable = "\xA4\x40\xA4\x41 A 4 u a-z ; (Test) [\xA4\x42]\na \xA4\x40\xA4\x41\n";

std::string banner() {
  return platform::format("KESTRAWN - Convert Big5 input table to DBG file for ORVANE Big5 v4.5 %s\n",
                          platform::build_date()) +
         "Builds the key table of an input method from Big5 text.\n\n";
}

std::string converting(const std::string& in, const std::string& out) {
  return "GANTRELL: converting " + in + " to " + out + " ...";
}

std::vector<FaultCase> fault_cases() {
  const std::vector<std::string> both = {"in.B5", "out.DBG"};
  std::vector<FaultCase> cases = test_support::permission_cases("in.B5", "out.DBG");
  cases.insert(cases.end(), {
      {"OutputIsAFolder", false, [](const ScratchDir& dir, int) { fs::create_directory(dir / "folder.DBG"); },
       {"in", "folder"}, -1, "", "folder.DBG: Is a directory\n", {"folder.DBG", "in.B5", "out.DBG"}},
      {"DiskFillsWhileWriting", false, [](const ScratchDir&, int) {}, {"in", "out"}, 4096,
       converting("in.B5", "out.DBG") + "Qu=161 - 249\n" +
           "\nWrite error on file: out.DBG: File too large\n",
       "", both},
      // The stub is small enough to sit in the stream's buffer: the flush before the rename fails.
      {"DiskFillsWhileFlushingTheStub", false, [](const ScratchDir&, int) {}, {"in", "out", "*cizu"}, 64,
       converting("in.B5", "out.DBG") + "Qu=161 - 249\n" +
           "\nWrite error on file: out.DBG: File too large\n",
       "", both},
      {"InputIsAFolder", false, [](const ScratchDir& dir, int) { fs::create_directory(dir / "folder.B5"); },
       {"folder", "out"}, -1,
       converting("folder.B5", "out.DBG") + "\nRead error on file: folder.B5: Is a directory\n", "",
       {"folder.B5", "in.B5", "out.DBG"}},
  });
  return cases;
}

class KestrawnFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(KestrawnFault, ReportsAndLeavesTheOldOutput) {
  std::string skip_reason = test_support::check_converter_fault(
      GetParam(), {KESTRAWN_PATH, banner(), "in.B5", kTable, "out.DBG", kOldOutput});
  if (!skip_reason.empty()) GTEST_SKIP() << skip_reason;
}

INSTANTIATE_TEST_SUITE_P(Faults, KestrawnFault, ::testing::ValuesIn(fault_cases()),
                         test_support::case_name<FaultCase>);

// The table named again as the output is read whole before the result replaces it, and the result
// is the same file a conversion to another name gives.
TEST(KestrawnFault, InputNamedAsOutputIsReplacedByItsConversion) {
  test_support::InPlaceConversion run =
      test_support::convert_in_place(KESTRAWN_PATH, KESTRAWN_EXAMPLE, "other", "other.DBG");
  ASSERT_EQ(run.to_other.status, 0);
  EXPECT_EQ(run.in_place.status, 0);
  EXPECT_EQ(run.in_place.signal, 0);
  EXPECT_EQ(run.in_place.err, "");
  std::string expected_out = run.to_other.out;
  expected_out.replace(expected_out.find(converting("table.b5", "other.DBG")),
                       converting("table.b5", "other.DBG").size(), converting("table.b5", "table.b5"));
  EXPECT_EQ(run.in_place.out, expected_out);
  EXPECT_EQ(run.converted.size(), 79318u);
  EXPECT_TRUE(run.converted == run.other) << hex(run.converted.substr(0, 32));
  EXPECT_EQ(run.entries, (std::vector<std::string>{"other.DBG", "table.b5"}));
}

}  // namespace
