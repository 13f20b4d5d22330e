// The input table as text, the layout KESTRAWN reads: comment lines, one header line whose fields
// fill the dictionary's header, then entry lines of a key and the characters it reaches. Here are
// the rules every reader and writer of the layout shares: what marks a comment, where an entry's
// key stands, the letters and marks of the header line, and the lines written from a dictionary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "big5dict/input_file.h"
#include "big5dict/input_keys.h"

namespace big5dict::input {

// Lines before the header line whose very first byte is "*" are comments; among the entry lines,
// so is a line whose first byte past the leading control bytes and spaces is "*".
constexpr char kCommentMark = '*';

// Where an entry line's key stands: behind the leading control bytes and spaces, up to the first
// space or tab (or the end of the text). An empty line or a comment line has none.
struct KeyField {
  bool is_entry = false;
  std::size_t start = 0;
  std::size_t end = 0;
};
// The key field of a line's text (its line feed left out).
KeyField entry_key_field(std::string_view text);

// The header line, left to right: the short name, the key type letter (with "+" for extra keys),
// the length digit, the option letter, the range ("a-z"), the single character, the rows
// ("161-249"), the English name in parentheses and the Chinese name in square brackets.
constexpr char kExtraKeysMark = '+';
constexpr char kRangeDash = '-';
constexpr char kEnglishNameOpen = '(';
constexpr char kEnglishNameClose = ')';
constexpr char kChineseNameOpen = '[';
constexpr char kChineseNameClose = ']';

// The key type of a header line's letter: "A" Alpha, "N" or the digit "0" Number, "X"
// AlphaNumerical, in either case.
constexpr std::optional<KeyType> key_type_of_letter(std::uint8_t letter) {
  switch (letter) {
    case 'A': case 'a': return KeyType::kAlpha;
    case 'N': case 'n': case '0': return KeyType::kNumber;
    case 'X': case 'x': return KeyType::kAlphaNumerical;
    default: return std::nullopt;
  }
}

// The letter a written header line gives a stored key type, "?" for one that names none.
constexpr char key_type_letter(std::uint8_t stored) {
  switch (stored) {
    case static_cast<std::uint8_t>(KeyType::kAlpha): return 'A';
    case static_cast<std::uint8_t>(KeyType::kNumber): return 'N';
    case static_cast<std::uint8_t>(KeyType::kAlphaNumerical): return 'X';
    default: return '?';
  }
}

// UWOption of the option letter, which is always consumed: 1 for "U", 2 for "W", in either case,
// 0 for any other byte.
constexpr std::uint8_t uw_option_of_letter(std::uint8_t letter) {
  const std::uint8_t small = to_ascii_lower(letter);
  return small == 'u' ? 1 : small == 'w' ? 2 : 0;
}

// The option letter a written header line gives UWOption; "-" stands for any other value, which
// reads back as 0.
constexpr char uw_option_letter(std::uint8_t uw_option) { return uw_option == 1 ? 'U' : uw_option == 2 ? 'W' : '-'; }

// The header line that KESTRAWN takes apart into `header`'s fields, with `length_digit` for MaxLen.
std::string header_line(const DictHeader& header, char length_digit);

// Characters an entry line lists: KESTRAWN reads lines of any length, but lines that stay within
// 255 bytes with a key of up to 8 bytes, a space and the line feed also suit older readers.
constexpr std::size_t kCharactersPerLine = 100;
static_assert(8 + 1 + 2 * kCharactersPerLine + 1 <= 255);

// Appends the entry lines of one key: the key, a space and up to kCharactersPerLine of
// `characters` (lead and trail byte pairs) a line, as many lines as they take.
void append_entry_lines(std::string_view key, std::string_view characters, std::string& text);

}  // namespace big5dict::input
