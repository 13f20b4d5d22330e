// KESTRAWN run as a process against failing files: an output it may not write, an output that is a
// folder, a disk that fills, inputs that are folders or unreadable. Each gives its report and
// status, no signal, no temporary file, and leaves an existing output byte for byte as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "input_table_converter/tests/kestrawn_texts.h"
#include "test_support/fault_suite.h"
#include "test_support/scratch.h"

namespace {

namespace fs = std::filesystem;
using namespace input_table_converter::kestrawn_texts;
using FaultCase = test_support::ConverterFaultCase;
using test_support::ScratchDir;

const std::string kTable = "\xA4\x40\xA4\x41 A 4 u a-z ; (Test) [\xA4\x42]\na \xA4\x40\xA4\x41\n";

std::vector<FaultCase> fault_cases() {
  const std::vector<std::string> both = {"in.B5", "out.DBG"};
  std::vector<FaultCase> cases = test_support::permission_cases("in.B5", "out.DBG");
  cases.insert(cases.end(), {
      {"OutputIsAFolder", {false, [](const ScratchDir& dir, int) { fs::create_directory(dir / "folder.DBG"); },
       {"in", "folder"}, -1}, "", "folder.DBG: Is a directory\n", {"folder.DBG", "in.B5", "out.DBG"}},
      {"DiskFillsWhileWriting", {false, [](const ScratchDir&, int) {}, {"in", "out"}, 4096},
       converting("in.B5", "out.DBG") + "Qu=161 - 249\n" +
           "\nWrite error on file: out.DBG: File too large\n",
       "", both},
      // The stub is small enough to sit in the stream's buffer: the flush before the rename fails.
      {"DiskFillsWhileFlushingTheStub", {false, [](const ScratchDir&, int) {}, {"in", "out", "*cizu"}, 64},
       converting("in.B5", "out.DBG") + "Qu=161 - 249\n" +
           "\nWrite error on file: out.DBG: File too large\n",
       "", both},
      {"InputIsAFolder", {false, [](const ScratchDir& dir, int) { fs::create_directory(dir / "folder.B5"); },
       {"folder", "out"}, -1},
       converting("folder.B5", "out.DBG") + "\nRead error on file: folder.B5: Is a directory\n", "",
       {"folder.B5", "in.B5", "out.DBG"}},
  });
  return cases;
}

class KestrawnFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(KestrawnFault, ReportsAndLeavesTheOldOutput) {
  std::string skip_reason = test_support::check_converter_fault(
      GetParam(), {KESTRAWN_PATH, banner(), "in.B5", kTable, "out.DBG"});
  if (!skip_reason.empty()) GTEST_SKIP() << skip_reason;
}

INSTANTIATE_TEST_SUITE_P(Faults, KestrawnFault, ::testing::ValuesIn(fault_cases()), test_support::case_name<FaultCase>);

// The table named again as the output is read whole before the result replaces it, and the result
// is the same file a conversion to another name gives.
TEST(KestrawnFault, InputNamedAsOutputIsReplacedByItsConversion) {
  std::string converted =
      test_support::check_in_place(KESTRAWN_PATH, KESTRAWN_EXAMPLE, "other", "other.DBG",
                                   converting("table.b5", "other.DBG"), converting("table.b5", "table.b5"));
  EXPECT_EQ(converted.size(), 79318u);
}

}  // namespace
