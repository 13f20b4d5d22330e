// TOMBRAL run as a process against failing files: an output it may not write, an output that is a
// folder, a disk that fills, inputs that are folders or unreadable. Each gives its report and
// status, no signal, no temporary file, and leaves an existing output byte for byte as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cizu_converter/tests/tombral_texts.h"
#include "test_support/fault_suite.h"
#include "test_support/scratch.h"

namespace {

namespace fs = std::filesystem;
using namespace cizu_converter::tombral_texts;
using FaultCase = test_support::ConverterFaultCase;
using test_support::ScratchDir;

const std::string kTable = "abc \xA4\xA4\xA4\xE5 \xA6\x72\n";

std::vector<FaultCase> fault_cases() {
  const std::vector<std::string> both = {"in.b5", "out.dic"};
  std::vector<FaultCase> cases = test_support::permission_cases("in.b5", "out.dic");
  cases.insert(cases.end(), {
      {"OutputIsAFolder", {false, [](const ScratchDir& dir, int) { fs::create_directory(dir / "folder"); },
       {"in.b5", "folder"}, -1}, "", "folder: Is a directory\n", {"folder", "in.b5", "out.dic"}},
      {"DiskFillsWhileWriting", {false, [](const ScratchDir&, int) {}, {"in.b5", "out.dic"}, 20000},
       converting("in.b5", "out.dic") + "Words=    0  Line=    1\rcount=    2\n" +
           "\nWrite error on file: out.dic: File too large\n",
       "", both},
      // An empty name names no file: refused at the check, before anything is converted.
      {"EmptyOutputName", {false, [](const ScratchDir&, int) {}, {"in.b5", ""}, -1}, "",
       ": No such file or directory\n", both},
      {"InputIsAFolder", {false, [](const ScratchDir& dir, int) { fs::create_directory(dir / "folder"); },
       {"folder", "out.dic"}, -1},
       converting("folder", "out.dic") + "\nRead error on file: folder: Is a directory\n", "",
       {"folder", "in.b5", "out.dic"}},
  });
  return cases;
}

class TombralFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(TombralFault, ReportsAndLeavesTheOldOutput) {
  std::string skip_reason = test_support::check_converter_fault(
      GetParam(), {TOMBRAL_PATH, banner(), "in.b5", kTable, "out.dic"});
  if (!skip_reason.empty()) GTEST_SKIP() << skip_reason;
}

INSTANTIATE_TEST_SUITE_P(Faults, TombralFault, ::testing::ValuesIn(fault_cases()), test_support::case_name<FaultCase>);

// The table named again as the output is read whole before the result replaces it, and the result
// is the same file a conversion to another name gives.
TEST(TombralFault, InputNamedAsOutputIsReplacedByItsConversion) {
  const fs::path table = fs::path(TOMBRAL_SOURCE_DIR) / "examples" / "cizu-table.b5";
  std::string converted = test_support::check_in_place(TOMBRAL_PATH, table, "other.dic", "other.dic",
                                                       converting("table.b5", "other.dic"),
                                                       converting("table.b5", "table.b5"));
  EXPECT_GT(converted.size(), 40000u);
}

}  // namespace
