// Each field is written where KESTRAWN's scan of the header line looks for it, left to right:
// the short name, the key type letter, the MaxLen digit, the option letter, the range, the single
// character, the rows, "(English)" and "[Chinese]".
#include "table_importer/input_table_header.h"

#include "platform/report.h"
#include "platform/utf8.h"
#include "table_importer/messages.h"

namespace table_importer {

namespace {

namespace rules = input_table_rules;

constexpr std::size_t kShortNameCharacters = 2;

// The Big5 of a name, cut before the first character the field cannot hold: one that would pass
// its bytes, end the field (`end` in its bytes), end the line, or that the variant lacks.
std::string name_field(std::string_view utf8, char end, const char* field, Big5Characters& big5, std::ostream& err,
                       std::string& shown) {
  std::string bytes;
  const char* why = nullptr;
  std::string lacking;
  std::size_t pos = 0;
  for (; pos < utf8.size(); pos = platform::character_end(utf8, pos)) {
    const std::string_view character = utf8.substr(pos, platform::character_end(utf8, pos) - pos);
    std::string code;
    if (static_cast<unsigned char>(character[0]) < 0x20) {
      why = msg::kCutAtControl;
    } else if (!big5.append(character, code)) {
      lacking = platform::format(msg::kCutAtLacking, std::string(character).c_str());
      why = lacking.c_str();
    } else if (code.find(end) != std::string::npos) {
      why = end == ')' ? msg::kCutAtParenthesis : msg::kCutAtBracket;
    } else if (bytes.size() + code.size() > rules::kNameBytes) {
      why = msg::kCutAtLength;
    }
    if (why != nullptr) break;
    bytes += code;
  }
  shown = utf8.substr(0, pos);
  if (why != nullptr) {
    err << platform::format(msg::kNameCut, field, std::string(utf8).c_str(), shown.c_str(), why);
  }
  return bytes;
}

}  // namespace

bool is_short_name(std::string_view name, Big5Characters& big5) {
  std::string code;
  const TextForm form = big5.convert(name, code);
  return !form.ascii && form.characters == kShortNameCharacters && form.whole && code.size() == rules::kShortNameBytes;
}

std::optional<std::string> short_name(const InputHeaderOptions& options, const TableFacts& facts, Big5Characters& big5) {
  if (options.short_name) {
    if (is_short_name(*options.short_name, big5)) return options.short_name;
    return std::nullopt;
  }
  std::string_view cname = facts.chinese_name;
  std::size_t end = 0;
  for (std::size_t i = 0; i < kShortNameCharacters && end < cname.size(); ++i) end = platform::character_end(cname, end);
  const std::string first_two(cname.substr(0, end));
  if (is_short_name(first_two, big5)) return first_two;
  return std::nullopt;
}

std::string header_line(const InputHeader& header, Big5Characters& big5, std::ostream& err) {
  std::string english_shown;
  std::string chinese_shown;
  const std::string english = name_field(header.english_name, ')', msg::kEnglishField, big5, err, english_shown);
  const std::string chinese = name_field(header.chinese_name, ']', msg::kChineseField, big5, err, chinese_shown);
  const std::string fields =
      platform::format(" %c %u %c %c-%c %c %d-%d (", rules::kKeyTypeLetters[rules::type_index(header.key_type)],
                       header.max_len, header.option, header.range_first, header.range_last, header.single,
                       header.first_row, header.last_row);
  std::string line;
  big5.append(header.short_name, line);
  line += fields + english + ") [" + chinese + "]\n";
  err << platform::format(msg::kHeaderLine, (header.short_name + fields + english_shown + ") [" + chinese_shown + "]").c_str());
  return line;
}

}  // namespace table_importer
