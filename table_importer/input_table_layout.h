// The input table that KESTRAWN reads: comment lines, the header line, then entry lines of a key
// and the characters it reaches.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "table_importer/big5_text.h"
#include "table_importer/layout.h"
#include "table_importer/line_report.h"

namespace table_importer {

// The key is written as it stands, escapes and all: DBGVIEW spells it from the key code.
// What a character the variant lacks takes with it:
// - behind the key: that character's entry, the rest of the line stays;
// - in the key: the line, since its characters have no key to be stored with;
// - in a comment or an empty line: that character alone;
// - in the header line: the run, since every field of the dictionary's header comes from that line
//   and the short name must be two characters.
class InputTableLayout : public Layout {
 public:
  InputTableLayout(Big5Text& big5, LineReport& report) : big5_(big5), report_(report) {}

  StopStatus line(std::string_view text, int number, std::string& out) override;

 private:
  // False when the line is left out.
  bool entry_line(const LineParts& parts, int number, std::string& out);

  Big5Text& big5_;
  LineReport& report_;
  bool header_seen_ = false;
  std::vector<std::string_view> lacking_;
};

}  // namespace table_importer
