// An input table line taken apart as KESTRAWN takes it: before the header line, a comment is a
// line whose very first byte is "*"; after it, the key field of an entry line.
#include "table_importer/input_table_layout.h"

#include "input_table_converter/input_table.h"
#include "table_importer/messages.h"

namespace table_importer {

StopStatus InputTableLayout::line(std::string_view text, int number, std::string& out) {
  namespace itc = input_table_converter;
  const bool header = !header_seen_ && (text.empty() || text[0] != itc::kCommentMark);
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
  namespace itc = input_table_converter;
  const std::string_view body = parts.body;
  // The key is found in the text as the scans see it, up to a NUL; what follows is written all the same.
  const itc::KeyField key = itc::entry_key_field(itc::line_text(body));
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
