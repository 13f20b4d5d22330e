// The CiZu table that TOMBRAL reads: a key, then phrases, all separated by spaces; a line that
// begins with "*" is a comment. Every other line is a record, even one without phrases.
#pragma once

#include <string>
#include <string_view>

#include "table_importer/layout.h"

namespace table_importer {

// The key is written as it stands, escapes and all: DBGVIEW spells it to hash back into its bucket.
// What a character the variant lacks takes with it:
// - in a phrase: that phrase and the spaces before it (after it, for the line's first phrase), so
//   the line keeps its record, its key and its other phrases in their order;
// - in the key: the line, since its phrases have no key to be filed under;
// - in a comment: that character alone.
class CizuTableLayout : public OwnTextLayout {
 public:
  CizuTableLayout(Big5Text& big5, LineReport& report) : OwnTextLayout(big5, report) {}

  StopStatus line(std::string_view text, int number, std::string& out) override;

 private:
  // The phrases behind the key, from the spaces that separate them from it.
  void phrases(std::string_view rest, int number, std::string& out);
};

}  // namespace table_importer
