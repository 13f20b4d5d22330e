// The phrase text that LEXMOOR's "$" source reads (the LEXMOOR.B5X layout): a head line holds a
// slot's character and the second characters of its two-character phrases, a "--" line one longer
// phrase of that slot; every other line is skipped by the import.
#pragma once

#include <string>
#include <string_view>

#include "table_importer/layout.h"

namespace table_importer {

// What a character the variant lacks takes with it:
// - a second character on a head line: that two-character phrase, the rest of the line stays;
// - a character of a "--" line: the line, which is one phrase;
// - the first character of a line: it would have been a head line whose slot is unknown, so the
//   line and every "--" line after it up to the next head line are left out; kept, those lines
//   would file their phrases under the slot before;
// - a character of any other line: that character alone, since the import skips the line.
class PhraseTextLayout : public OwnTextLayout {
 public:
  PhraseTextLayout(Big5Text& big5, LineReport& report) : OwnTextLayout(big5, report) {}

  StopStatus line(std::string_view text, int number, std::string& out) override;

 private:
  int dropped_head_ = 0;  // the line of a head line left out, while its "--" lines follow
};

}  // namespace table_importer
