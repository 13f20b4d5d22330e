#include "cizu_converter/run.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/build_date.h"
#include "platform/report.h"
#include "test_support/scratch.h"

namespace {

using cizu_converter::exit_status;
using test_support::ScratchDir;

std::string banner() {
  return platform::format("TOMBRAL - Convert Big5 CiZu table to DBG file for ORVANE 5.0  %s\n",
                          platform::build_date()) +
         "Files the phrases of each key code under one of 9999 hash buckets.\n\n";
}

TEST(Run, UsageIsAnEarlyStop) {
  std::ostringstream out, err;
  EXPECT_EQ(exit_status(cizu_converter::run({"only-one"}, out, err)), 1);
  EXPECT_EQ(out.str(), banner() + "Usage: TOMBRAL big5file dicfile\n");
  EXPECT_EQ(err.str(), "");
}

TEST(Run, ConvertsInProcess) {
  ScratchDir dir;
  dir.write("in.b5", "hello \xA4\xA4\n* note\n");
  std::string in = (dir / "in.b5").string(), out_name = (dir / "out.dic").string();
  std::ostringstream out, err;
  EXPECT_EQ(exit_status(cizu_converter::run({in, out_name}, out, err)), 0);
  EXPECT_EQ(out.str(), banner() + "converting " + in + " to " + out_name + " ...\n" +
                           "Words=    0  Line=    1\rWords=    1  Line=    2\rcount=    1\nMAXLEN=    7\n");
  EXPECT_EQ(err.str(), "");
  std::string file = dir.read("out.dic");
  ASSERT_EQ(file.size(), 40007u);
  EXPECT_EQ(file.substr(40000), "HELLO\xA4\xA4");  // h e l l o stored minus 0x20
}

}  // namespace
