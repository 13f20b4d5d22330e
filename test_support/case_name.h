// Names for the instances of a parameterized suite, so that a failing case is named in the report.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace test_support {

// Names each instance of a parameterized suite after its case's `name`.
template <typename Case>
std::string case_name(const ::testing::TestParamInfo<Case>& info) {
  return info.param.name;
}

}  // namespace test_support
