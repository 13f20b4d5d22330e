// What KESTRAWN's process tests expect of every run, spelt out apart from the program's messages
// and writer so that they check its bytes: the banner, the usage and progress texts, the file a
// table must produce, built byte by byte from its header fields; and a run in a scratch folder.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "big5dict/bytes.h"
#include "platform/build_date.h"
#include "platform/report.h"
#include "test_support/process.h"
#include "test_support/scratch.h"

namespace input_table_converter::kestrawn_texts {

inline std::string banner() {
  return platform::format("KESTRAWN - Convert Big5 input table to DBG file for ORVANE Big5 v4.5 %s\n",
                          platform::build_date()) +
         "Builds the key table of an input method from Big5 text.\n\n";
}

inline const std::string kUsage = "Usage: GANTRELL filename(.B5) output(.DBG)  [*CiZu] \n";

inline std::string converting(const std::string& in, const std::string& out) {
  return "GANTRELL: converting " + in + " to " + out + " ...";
}

// The key codes of "a" and "ab" in an Alpha table.
constexpr std::uint32_t kA = 33554432, kAB = 35651584;

// The header fields a test table gives, and the codes it stores.
struct Fields {
  std::string english = std::string("Eng\0ish\0\0\0\0\0\0", 13);
  std::string chinese = std::string("\xA4\x42\0nese\0\0\0\0\0\0", 13);
  int dict_kind = 1;
  std::string short_name = "\xA4\x40\xA4\x41";
  int key_type = 0;
  int max_len = 4;
  int uw_option = 1;
  char single = ';';
  char first = 'a';
  char last = 'z';
  int qu_start = 161;
  int qu_end = 249;
  std::vector<std::uint32_t> place_values = {33554432, 1048576, 32768, 1024, 32, 1, 0, 0};
  std::map<int, std::uint32_t> slots;  // every slot that holds a code
};

inline std::string header_prefix(const Fields& f, int max_len) {
  std::string b(1, '\x05');
  b += f.english + f.chinese;
  b += std::string("Big5 input method key dictionary.\0", 34);
  b += static_cast<char>(f.dict_kind);
  b += f.short_name + std::string(2, '\0');
  b += {static_cast<char>(f.key_type), static_cast<char>(max_len), static_cast<char>(f.uw_option), f.single, f.first,
        f.last, static_cast<char>(f.qu_start), static_cast<char>(f.qu_end)};
  return b;
}

inline std::string full_file(const Fields& f) {
  std::string b = header_prefix(f, f.max_len);
  for (std::uint32_t v : f.place_values) big5dict::append_u32(b, v);
  for (int slot = 0; slot < 19782; ++slot) {
    auto it = f.slots.find(slot);
    big5dict::append_u32(b, it == f.slots.end() ? 0 : it->second);
  }
  return b + "Slots hold u32 little-endian key codes; v1.0" + std::string(38, '\0');
}

inline std::string stub_file(const Fields& f, char c) {
  return header_prefix(f, 0x20) + "\r\nThis Dictionary is Empty, Need OVCIZU" + c + ".DBG to Work. ";
}

inline test_support::ProcessResult kestrawn(const test_support::ScratchDir& dir, const std::vector<std::string>& args,
                                            long long size_limit = -1) {
  return test_support::run_in(dir.path(), KESTRAWN_PATH, args, test_support::file_size_limited(size_limit));
}

}  // namespace input_table_converter::kestrawn_texts
