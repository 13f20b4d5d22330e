// DBGVIEW reads no further than a file's format reaches, so an endless or huge input is rejected in
// little memory: in the release build each run is held under a 64 MB address-space limit.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "big5dict/bytes.h"
#include "test_support/case_name.h"
#include "test_support/process.h"
#include "test_support/scratch.h"

namespace {

std::string unknown_format(const std::string& name, const std::string& size) {
  return "DBGVIEW: " + name + ": not a dictionary file DBGVIEW knows (" + size +
         " bytes): a phrase dictionary starts with \"OVBig5CZ\" and has at least 27004 bytes, a hashed phrase "
         "dictionary starts with the word 0x5651DE88 and has at least 40000 bytes, an input dictionary starts "
         "with the byte 5 and has 79318 bytes (130 for the empty stub)\n";
}

struct Case {
  const char* name;
  std::vector<std::string> args;
  std::string stdin_data;
  std::string out;
  std::string err;
};

std::vector<Case> cases() {
  return {
      {"DevZero", {"/dev/zero"}, "", "", unknown_format("/dev/zero", "more than 40000")},
      {"SparseGigabyte", {"big.dbg"}, "", "", unknown_format("big.dbg", "1073741824")},
      {"PipeLongerThanAnInputDictionary", {"/dev/stdin"}, std::string(79319, '\x05'), "",
       unknown_format("/dev/stdin", "more than 79318")},
      {"HashedPromisingThreeGigabytes", {"short.dbg"}, "",
       "short.dbg: hashed phrase dictionary\n"
       "records: 0\nphrases: 0\nMAXLEN: 0\nbuckets used: 0 of 9999\ndata area: 3000000000 bytes\n"
       "offset 39996: header word 9999: the header words give a file of 3000040000 bytes; the file has 40003\n"
       "offset 40000: bucket 9998: the bucket runs past the end of the file\n"
       "short.dbg: not sound: 2 violations\n",
       ""},
      // Only the limit makes this one happen.
      {"PhraseDictionaryBeyondMemory", {"huge.dbg"}, "", "", "\nhuge.dbg: not enough memory\n"},
  };
}

class DbgviewBoundedRead : public ::testing::TestWithParam<Case> {};

TEST_P(DbgviewBoundedRead, RejectsInLittleMemory) {
#ifdef BIG5_SANITIZE
  GTEST_SKIP() << "AddressSanitizer cannot start under an address-space limit";
#endif
  const Case& c = GetParam();
  test_support::ScratchDir dir;
  std::string hashed;  // word 9999 promises 3,000,000,000 bytes of data; 3 follow the header
  for (int k = 0; k < 10000; ++k) big5dict::append_u32(hashed, 0x5651DE88 + (k == 9999 ? 3'000'000'000u : 0));
  dir.write("short.dbg", hashed + "abc");
  dir.write("big.dbg", "");
  std::filesystem::resize_file(dir / "big.dbg", 1ULL << 30);  // a hole that takes no disk space
  dir.write("huge.dbg", "OVBig5CZ");
  std::filesystem::resize_file(dir / "huge.dbg", 200'000'000);
  test_support::ProcessOptions options;
  options.cwd = dir.path();
  options.stdin_data = c.stdin_data;
  options.address_space_limit = 64LL << 20;
  test_support::ProcessResult r = test_support::run_process(DBGVIEW_PATH, c.args, options);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, c.out);
  EXPECT_EQ(r.err, c.err);
}

INSTANTIATE_TEST_SUITE_P(Inputs, DbgviewBoundedRead, ::testing::ValuesIn(cases()), test_support::case_name<Case>);

// A header whose offsets go back is unsound whatever follows: from a pipe of endless zeros, and a
// last word that claims 4 GiB, no more than the header is read to say so.
TEST(DbgviewBoundedRead, UnsoundHashedHeaderFromAnEndlessPipe) {
#ifdef BIG5_SANITIZE
  GTEST_SKIP() << "AddressSanitizer cannot start under an address-space limit";
#endif
  test_support::ScratchDir dir;
  std::string header;
  for (std::uint32_t k = 0; k < 10000; ++k) {
    const std::uint32_t offset = k == 0 ? 0 : k == 5 ? 1000 : k == 9999 ? 0xFFFFFF00u : 10;
    big5dict::append_u32(header, 0x5651DE88u + offset);
  }
  dir.write("header.dbg", header);
  test_support::ProcessOptions options;
  options.cwd = dir.path();
  options.time_limit_seconds = 10;
  options.address_space_limit = 100LL << 20;
  test_support::ProcessResult r = test_support::run_process(
      "/bin/sh", {"-c", std::string("cat header.dbg /dev/zero | ") + DBGVIEW_PATH + " /dev/stdin"}, options);
  EXPECT_EQ(r.signal, 0);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "/dev/stdin: hashed phrase dictionary\n"
            "records: 0\nphrases: 0\nMAXLEN: 0\nbuckets used: 0 of 9999\ndata area: 4294967040 bytes\n"
            "offset 24: bucket 5: the data offset goes back from 1000 to 10\n"
            "/dev/stdin: not sound: 1 violations\n");
  EXPECT_EQ(r.err, "");
}

}  // namespace
