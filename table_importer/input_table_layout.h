// The input table that KESTRAWN reads: comment lines, the header line, then entry lines of a key
// and the characters it reaches.
#pragma once

#include <string>
#include <string_view>

#include "table_importer/layout.h"

namespace table_importer {

// The key is written as it stands, escapes and all: DBGVIEW spells it from the key code.
// What a character the variant lacks takes with it:
// - behind the key: that character's entry, the rest of the line stays;
// - in the key: the line, since its characters have no key to be stored with;
// - in a comment or an empty line: that character alone;
// - in the header line: the run, since every field of the dictionary's header comes from that line
//   and the short name must be two characters.
class InputTableLayout : public OwnTextLayout {
 public:
  InputTableLayout(Big5Text& big5, LineReport& report) : OwnTextLayout(big5, report) {}

  StopStatus line(std::string_view text, int number, std::string& out) override;

 private:
  // False when the line is left out.
  bool entry_line(const LineParts& parts, int number, std::string& out);

  bool header_seen_ = false;
};

}  // namespace table_importer
