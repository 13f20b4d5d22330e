// An input table line taken apart as KESTRAWN takes it: before the header line, a comment is a
// line whose very first byte is "*"; after it, the key field of an entry line.
#include "table_importer/input_table_layout.h"

#include "big5dict/bytes.h"
#include "big5dict/input_text.h"
#include "table_importer/messages.h"

namespace table_importer {

namespace input = big5dict::input;

StopStatus InputTableLayout::line(std::string_view text, int number, std::string& out) {
  const bool header = !header_seen_ && (text.empty() || text[0] != input::kCommentMark);
  if (header) header_seen_ = true;
  if (big5_.append_plain_line(text, out)) return std::nullopt;
  const LineParts parts(text);
  lacking_.clear();
  if (header) {
    if (!big5_.append(parts.body, Escapes::kDecoded, out, lacking_)) {
      report_.lacking(number, lacking_, msg::kHeaderCannotBeWritten);
      return Outcome::kHeaderLacking;
    }
  } else if (!header_seen_) {
    append_characters(parts.body, number, msg::kCharacterLeftOut, out);
  } else if (!entry_line(parts, number, out)) {
    return std::nullopt;
  }
  parts.end(out);
  return std::nullopt;
}

bool InputTableLayout::entry_line(const LineParts& parts, int number, std::string& out) {
  const std::string_view body = parts.body;
  // The key is found in the text as the scans see it, up to a NUL; what follows is written all the same.
  const input::KeyField key = input::entry_key_field(big5dict::text_before_nul(body));
  if (!key.is_entry) {
    append_characters(body, number, msg::kCharacterLeftOut, out);
    return true;
  }
  const std::size_t start = out.size();
  out.append(body.substr(0, key.start));  // control bytes and spaces
  if (!big5_.append(body.substr(key.start, key.end - key.start), Escapes::kKept, out, lacking_)) {
    out.resize(start);
    report_.lacking(number, lacking_, msg::kKeyLineLeftOut);
    return false;
  }
  append_characters(body.substr(key.end), number, msg::kEntryLeftOut, out);
  return true;
}

}  // namespace table_importer
