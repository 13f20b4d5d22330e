// The input table's shared line rules, and its lines written from a dictionary's header and keys.
#include "big5dict/input_text.h"

#include <algorithm>

namespace big5dict::input {

KeyField entry_key_field(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && static_cast<std::uint8_t>(text[pos]) <= 0x20) ++pos;
  if (pos == text.size() || text[pos] == kCommentMark) return {};
  return {true, pos, std::min(text.find_first_of(" \t", pos), text.size())};
}

std::string header_line(const DictHeader& header, char length_digit) {
  std::string line(header.short_name.begin(), header.short_name.end());
  line.push_back(' ');
  line.push_back(key_type_letter(header.key_type));
  if (header.dict_kind == DictKind::kExtraKeys) line.push_back(kExtraKeysMark);
  line.push_back(' ');
  line.push_back(length_digit);
  line.push_back(' ');
  line.push_back(uw_option_letter(header.uw_option));
  line.push_back(' ');
  line.push_back(static_cast<char>(header.range_first));
  line.push_back(kRangeDash);
  line.push_back(static_cast<char>(header.range_last));
  line.push_back(' ');
  line.push_back(static_cast<char>(header.single_char));
  line.push_back(' ');
  line += std::to_string(header.qu_start);
  line.push_back(kRangeDash);
  line += std::to_string(header.qu_end);
  line.push_back(' ');
  line.push_back(kEnglishNameOpen);
  line += name_text(header.english_name);
  line.push_back(kEnglishNameClose);
  line.push_back(' ');
  line.push_back(kChineseNameOpen);
  line += name_text(header.chinese_name);
  line.push_back(kChineseNameClose);
  line.push_back('\n');
  return line;
}

void append_entry_lines(std::string_view key, std::string_view characters, std::string& text) {
  constexpr std::size_t kLineBytes = 2 * kCharactersPerLine;
  for (std::size_t first = 0; first < characters.size(); first += kLineBytes) {
    text += key;
    text.push_back(' ');
    text += characters.substr(first, kLineBytes);
    text.push_back('\n');
  }
}

}  // namespace big5dict::input
