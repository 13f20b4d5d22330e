// The messages about single lines of the source: each character the variant lacks, named with its
// line and its code points and with what was left out for it, and the lines that went with a head
// line. The run goes on after each.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/big5_variants.h"

namespace table_importer {

class LineReport {
 public:
  LineReport(std::ostream& err, std::string source_name, platform::Big5Variant variant)
      : err_(err), source_name_(std::move(source_name)), variant_(variant) {}

  // `left_out` says what was left out for each of the characters.
  void lacking(int line, const std::vector<std::string_view>& characters, const char* left_out);
  void left_out_with_head(int line, int head_line);

  // The characters named so far.
  std::size_t lacking_count() const { return lacking_count_; }
  platform::Big5Variant variant() const { return variant_; }

 private:
  std::ostream& err_;
  std::string source_name_;
  platform::Big5Variant variant_;
  std::size_t lacking_count_ = 0;
};

// "U+4E2D", or "U+0061 U+0304" for a letter with its combining mark.
std::string code_points(std::string_view utf8);

}  // namespace table_importer
