// Takes the input table's header line apart and splits its entry lines.
#include "input_table_converter/input_table.h"

#include <algorithm>

#include "big5dict/ascii.h"
#include "big5dict/big5.h"
#include "big5dict/input_text.h"

namespace input_table_converter {

namespace {

namespace input = big5dict::input;
using big5dict::to_ascii_lower;
using input::DictHeader;
using input::KeyType;

constexpr bool is_blank(char c) { return c == ' ' || c == '\t'; }
constexpr bool is_digit(char c) { return c >= '0' && c <= '9'; }

class HeaderLine {
 public:
  explicit HeaderLine(std::string_view text)
      : text_(text), end_(!text.empty() && text.back() == '\n' ? text.size() - 1 : text.size()) {}

  std::string_view text() const { return text_; }
  // Where the fields end: the line feed, or the end of a text that has none.
  std::size_t end() const { return end_; }
  bool at_end(std::size_t pos) const { return pos >= end_; }
  // The byte at a position up to the line's end; the end itself reads as its line feed or 0.
  std::uint8_t at(std::size_t pos) const {
    return pos < text_.size() ? static_cast<std::uint8_t>(text_[pos]) : 0;
  }
  std::size_t skip_blanks(std::size_t pos) const {
    while (pos < end_ && is_blank(text_[pos])) ++pos;
    return pos;
  }
  std::size_t skip_dashes(std::size_t pos) const {
    while (pos < end_ && text_[pos] == input::kRangeDash) ++pos;
    return pos;
  }
  // A row number: its decimal digits from `pos`, kept to the low 8 bits.
  std::uint8_t number(std::size_t pos) const {
    unsigned value = 0;
    for (; pos < end_ && is_digit(text_[pos]); ++pos) value = value * 10 + static_cast<unsigned>(text_[pos] - '0');
    return static_cast<std::uint8_t>(value);
  }
  std::size_t skip_digits(std::size_t pos) const {
    while (pos < end_ && is_digit(text_[pos])) ++pos;
    return pos;
  }

 private:
  std::string_view text_;
  std::size_t end_;
};

// Reads the fields from the key type up to the rows. Returns the position where the names are
// looked for: the line's end once a field has met it.
std::size_t read_fields(const HeaderLine& line, std::size_t pos, DictHeader& header,
                        HeaderResult& result) {
  pos = line.skip_blanks(pos);
  const std::optional<KeyType> letter = input::key_type_of_letter(line.at(pos));
  if (!letter) {
    result = {HeaderFault::kKeyTypeUnknown, line.at(pos)};
    return pos;
  }
  const KeyType type = *letter;
  header.key_type = static_cast<std::uint8_t>(type);
  header.place_values = input::place_values(type);
  ++pos;
  if (!line.at_end(pos) && line.at(pos) == input::kExtraKeysMark) {
    header.dict_kind = input::DictKind::kExtraKeys;
    ++pos;
  }

  pos = line.skip_blanks(pos);
  std::uint8_t digit = line.at(pos);
  auto highest = static_cast<std::uint8_t>('0' + input::max_len_limit(type));
  if (digit < '1' || digit > highest) {
    result = {HeaderFault::kMaxLenOutOfRange, digit};
    return pos;
  }
  header.max_len = static_cast<std::uint8_t>(digit - '0');
  ++pos;

  // The option letter is consumed whatever it is.
  pos = line.skip_blanks(pos);
  header.uw_option = input::uw_option_of_letter(line.at(pos));
  if (line.at_end(pos)) return pos;
  ++pos;

  pos = line.skip_blanks(pos);
  header.range_first = to_ascii_lower(line.at(pos));
  if (line.at_end(pos)) return pos;
  pos = line.skip_dashes(pos + 1);
  header.range_last = to_ascii_lower(line.at(pos));
  if (line.at_end(pos)) return pos;

  pos = line.skip_blanks(pos + 1);
  header.single_char = to_ascii_lower(line.at(pos));
  if (line.at_end(pos)) return pos;

  pos = line.skip_blanks(pos + 1);
  if (line.at_end(pos) || !is_digit(line.text()[pos])) {
    header.qu_start = input::kDefaultQuStart;
    header.qu_end = input::kDefaultQuEnd;
    return pos;
  }
  header.qu_start = line.number(pos);
  pos = line.skip_dashes(line.skip_digits(pos));
  header.qu_end = line.number(line.skip_blanks(pos));
  while (!line.at_end(pos) && !is_blank(line.text()[pos])) ++pos;
  return pos;
}

// Copies the text between `open` and `close` into a name field, at most 12 bytes; without a close
// the line feed is copied too. Without an `open` the name is empty and `pos` goes to the end.
std::size_t copy_name(std::string_view text, std::size_t pos, char open, char close, input::NameField& field) {
  std::size_t at = text.find(open, std::min(pos, text.size()));
  if (at == std::string_view::npos) {
    field[0] = 0;
    return text.size();
  }
  pos = at + 1;
  std::size_t n = 0;
  while (n < input::kNameMaxText && pos < text.size() && text[pos] != close) {
    field[n++] = static_cast<std::uint8_t>(text[pos++]);
  }
  field[n] = 0;
  return pos;
}

}  // namespace

HeaderResult parse_header_line(std::string_view text, DictHeader& header) {
  HeaderLine line(text);
  HeaderResult result;

  // The short name: the 4 bytes from the first byte of 0x80 or above, as far as the line goes.
  std::size_t pos = 0;
  while (pos < line.end() && line.at(pos) < 0x80) ++pos;
  if (line.at_end(pos)) return {HeaderFault::kNoShortName, 0};
  std::size_t taken = std::min(input::kShortNameBytes, line.end() - pos);
  std::copy_n(text.begin() + static_cast<std::ptrdiff_t>(pos), taken, header.short_name.begin());
  pos += taken;

  pos = read_fields(line, pos, header, result);
  if (result.fault != HeaderFault::kNone) return result;

  pos = copy_name(text, pos, input::kEnglishNameOpen, input::kEnglishNameClose, header.english_name);
  copy_name(text, pos, input::kChineseNameOpen, input::kChineseNameClose, header.chinese_name);
  return result;
}

EntryLine split_entry_line(std::string_view text, KeyType type) {
  EntryLine entry;
  const input::KeyField key = input::entry_key_field(text);
  if (!key.is_entry) return entry;
  entry.is_entry = true;
  entry.key_end = key.end;
  entry.key = input::encode_key(text, key.start, type);

  std::size_t first = entry.key.stop;
  while (first < text.size() && static_cast<std::uint8_t>(text[first]) < 0x80) ++first;
  // A lead byte with no byte behind it (a cut line) has no pair and ends the run.
  const std::size_t last = big5dict::character_run_end(text, first, big5dict::is_lead_above_0x80);
  entry.characters = text.substr(first, last - first);
  return entry;
}

std::uint8_t stop_byte(std::string_view text, const EntryLine& entry) {
  return entry.key.stop < text.size() ? static_cast<std::uint8_t>(text[entry.key.stop]) : 0;
}

void echoed_line(std::string_view text, const EntryLine& entry, std::string& echo) {
  echo.assign(text);
  if (entry.key_end < echo.size() && echo[entry.key_end] == '\t') echo[entry.key_end] = ' ';
}

}  // namespace input_table_converter
