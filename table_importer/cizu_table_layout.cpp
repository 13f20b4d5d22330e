// A CiZu table line taken apart as TOMBRAL takes it: the key up to the first space, then the runs
// of non-spaces between spaces, each a phrase.
#include "table_importer/cizu_table_layout.h"

#include "big5dict/hashed_text.h"
#include "table_importer/messages.h"

namespace table_importer {

namespace {

using big5dict::hashed::kSeparator;

std::size_t skip_separators(std::string_view text, std::size_t pos) {
  while (pos < text.size() && text[pos] == kSeparator) ++pos;
  return pos;
}

}  // namespace

StopStatus CizuTableLayout::line(std::string_view text, int number, std::string& out) {
  if (big5_.append_plain_line(text, out)) return std::nullopt;
  const LineParts parts(text);
  lacking_.clear();
  if (big5dict::hashed::is_comment(parts.body)) {
    append_characters(parts.body, number, msg::kCharacterLeftOut, out);
    parts.end(out);
    return std::nullopt;
  }
  const std::size_t start = out.size();
  const std::string_view key = big5dict::hashed::line_key(parts.body);
  if (!big5_.append(key, Escapes::kKept, out, lacking_)) {
    out.resize(start);
    report_.lacking(number, lacking_, msg::kKeyLineLeftOut);
    return std::nullopt;
  }
  phrases(parts.body.substr(key.size()), number, out);
  parts.end(out);
  return std::nullopt;
}

void CizuTableLayout::phrases(std::string_view rest, int number, std::string& out) {
  std::size_t pos = skip_separators(rest, 0);
  out.append(rest.substr(0, pos));  // the key's separator
  bool kept_any = false;
  std::string_view before;  // the spaces in front of the phrase
  std::string_view after;
  while (pos < rest.size()) {
    const std::size_t end = std::min(rest.find(kSeparator, pos), rest.size());
    const std::size_t next = skip_separators(rest, end);
    after = rest.substr(end, next - end);
    const std::size_t mark = out.size();
    if (kept_any) out.append(before);
    lacking_.clear();
    if (big5_.append_whole(rest.substr(pos, end - pos), Escapes::kDecoded, out, lacking_)) {
      kept_any = true;
    } else {
      out.resize(mark);
      report_.lacking(number, lacking_, msg::kPhraseLeftOut);
    }
    before = after;
    pos = next;
  }
  out.append(after);  // spaces behind the last phrase
}

}  // namespace table_importer
