// A record written back as a line of its CiZu table.
#include "big5dict/hashed_text.h"

#include "big5dict/hashed_record.h"

namespace big5dict::hashed {

void append_table_line(std::string_view key, std::string_view phrases, std::string& text) {
  text += key;
  text.push_back(kSeparator);
  PhraseWalker walker(phrases);
  for (bool first = true; std::optional<StoredPhrase> phrase = walker.next(); first = false) {
    if (!first) text.push_back(kSeparator);
    append_restored(phrase->units, text);
  }
  text.push_back('\n');
}

}  // namespace big5dict::hashed
