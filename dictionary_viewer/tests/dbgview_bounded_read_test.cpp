// DBGVIEW reads no further than a file's format reaches, so an endless or huge input is rejected
// in little memory: in the release build each run is held under a 64 MB address-space limit.
// Sizes come from the system for a regular file; a pipe or a device is known as far as it was read.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/little_endian.h"
#include "test_support/process.h"
#include "test_support/scratch.h"

namespace {

using test_support::ProcessOptions;
using test_support::ProcessResult;
using test_support::ScratchDir;

#ifdef BIG5_SANITIZE
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
constexpr long long kAddressSpace = 64LL << 20;

std::string unknown_format(const std::string& name, const std::string& size) {
  return "DBGVIEW: " + name + ": not a dictionary file DBGVIEW knows (" + size +
         " bytes): a phrase dictionary starts with \"OVBig5CZ\" and has at least 27004 bytes, a hashed phrase "
         "dictionary starts with the word 0x5651DE88 and has at least 40000 bytes, an input dictionary starts "
         "with the byte 5 and has 79318 bytes (130 for the empty stub)\n";
}

// A file of `size` bytes that begins with `start`; the rest is a hole that takes no disk space.
void sparse_file(const std::filesystem::path& path, const std::string& start, std::uintmax_t size) {
  test_support::write_file(path, start);
  std::filesystem::resize_file(path, size);
}

// A hashed dictionary header whose word 9999 promises 3,000,000,000 bytes of data, then 3 bytes.
std::string hashed_promising_3gb() {
  constexpr std::uint32_t kMagic = 0x5651DE88;
  std::string file;
  for (int k = 0; k < 9999; ++k) platform::append_u32(file, kMagic);
  platform::append_u32(file, kMagic + 3'000'000'000u);
  return file + "abc";
}

struct Case {
  const char* name;
  std::vector<std::string> args;
  std::string stdin_data;
  std::string out;
  std::string err;
  bool needs_limit;  // only an address-space limit makes the case happen
};

std::vector<Case> cases() {
  return {
      {"DevZero", {"/dev/zero"}, "", "", unknown_format("/dev/zero", "more than 40000"), false},
      {"SparseGigabyte", {"big.dbg"}, "", "", unknown_format("big.dbg", "1073741824"), false},
      {"PipeLongerThanAnInputDictionary", {"/dev/stdin"}, std::string(79319, '\x05'), "",
       unknown_format("/dev/stdin", "more than 79318"), false},
      {"HashedPromisingThreeGigabytes", {"short.dbg"}, "",
       "short.dbg: hashed phrase dictionary\n"
       "records: 0\nphrases: 0\nMAXLEN: 0\nbuckets used: 0 of 9999\ndata area: 3000000000 bytes\n"
       "offset 39996: header word 9999: the header words give a file of 3000040000 bytes; the file has 40003\n"
       "offset 40000: bucket 9998: the bucket runs past the end of the file\n"
       "short.dbg: not sound: 2 violations\n",
       "", false},
      {"PhraseDictionaryBeyondMemory", {"huge.dbg"}, "", "", "\nhuge.dbg: not enough memory\n", true},
  };
}

class DbgviewBoundedRead : public ::testing::TestWithParam<Case> {};

TEST_P(DbgviewBoundedRead, RejectsInLittleMemory) {
  const Case& c = GetParam();
  if (kSanitized && c.needs_limit) GTEST_SKIP() << "AddressSanitizer cannot start under an address-space limit";
  ScratchDir dir;
  sparse_file(dir / "big.dbg", "", 1ULL << 30);
  sparse_file(dir / "huge.dbg", "OVBig5CZ", 200'000'000);
  dir.write("short.dbg", hashed_promising_3gb());
  ProcessOptions options;
  options.cwd = dir.path();
  options.stdin_data = c.stdin_data;
  if (!kSanitized) options.address_space_limit = kAddressSpace;
  ProcessResult r = test_support::run_process(DBGVIEW_PATH, c.args, options);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, c.out);
  EXPECT_EQ(r.err, c.err);
}

INSTANTIATE_TEST_SUITE_P(Inputs, DbgviewBoundedRead, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case>& param) { return param.param.name; });

}  // namespace
