// Big5 sources that use every character row a format holds, for the round trips: every code of
// each row (both trail ranges), so that every code that some variant decodes, decodes one way only
// or lacks, and every private-use code, is in the dictionary the program makes from them.
#pragma once

#include <string>
#include <vector>

#include "big5dict/big5.h"

namespace table_importer::generated {

// Every code of the rows `first_lead`..`last_lead`, row by row.
inline std::vector<std::string> codes_of_rows(int first_lead, int last_lead) {
  std::vector<std::string> codes;
  for (int lead = first_lead; lead <= last_lead; ++lead) {
    for (int position = 0; position < big5dict::kRowPositions; ++position) {
      codes.push_back({static_cast<char>(lead), static_cast<char>(big5dict::position_trail(position))});
    }
  }
  return codes;
}

// The next `n` codes, going round the list.
inline std::string take(const std::vector<std::string>& codes, std::size_t& next, std::size_t n) {
  std::string text;
  for (std::size_t i = 0; i < n; ++i) text += codes[next++ % codes.size()];
  return text;
}

// A word list for LEXMOOR: for every slot (leads A4..F9 up to F9DD) a two-character phrase and a
// longer one, whose later characters go round every code of the rows A1..FE, which a phrase holds
// after its first character.
inline std::string word_list() {
  const std::vector<std::string> firsts = codes_of_rows(0xA4, 0xF9);
  const std::vector<std::string> laters = codes_of_rows(0xA1, 0xFE);
  constexpr std::size_t kSlots = 13469;
  std::string words;
  std::size_t next = 0;
  for (std::size_t slot = 0; slot < kSlots; ++slot) {
    words += firsts[slot] + take(laters, next, 1) + "\n";
    words += firsts[slot] + take(laters, next, 2 + slot % 18) + "\n";
  }
  return words;
}

// A CiZu table for TOMBRAL: phrases of one to six characters going round every code of the rows
// 81..FE, under keys of every spelling the viewer makes: mixed case and a key cut by a tab (both
// hash as written), the empty key, a "*" key behind a tab in bucket 0, capitals that fold, a key
// without phrases and a key holding a backslash before hex digits.
inline std::string cizu_table() {
  const std::vector<std::string> codes = codes_of_rows(0x81, 0xFE);
  const std::vector<std::string> keys = {"aBc", "xYz", "ab\tcd", "", "\t*star", "ABC", "q{1}@", "a\\x41", "zz"};
  std::string table = "* a comment\n";
  std::size_t next = 0;
  for (std::size_t line = 0; next < codes.size(); ++line) {
    if (line < keys.size()) {
      table += keys[line];
    } else {
      table.push_back('k');
      table += std::to_string(line);
    }
    for (std::size_t phrase = 0; phrase < 1 + line % 6; ++phrase) {
      table.push_back(' ');
      table += take(codes, next, 1 + (line + phrase) % 6);
    }
    table += "\n";
  }
  return table + "nophrase \n";
}

// An Alpha input table for KESTRAWN with rows from 135, so that the Hong Kong rows 87..A0 have
// slots: every code of the rows 87..FE under keys of one to three letters, three characters a key.
inline std::string input_table() {
  const std::vector<std::string> codes = codes_of_rows(0x87, 0xFE);
  std::string table = "* every row from 135\n\xC2\xB2\xA9\xF6 A 6 U a-z z 135-254 (Every row) [\xA5\xFE\xA6\x72]\n";
  for (std::size_t i = 0; i < codes.size(); i += 3) {
    std::string key;
    for (std::size_t n = i / 3 + 1; n > 0; n = (n - 1) / 26) key.insert(key.begin(), static_cast<char>('a' + (n - 1) % 26));
    table += key + " ";
    for (std::size_t j = i; j < i + 3 && j < codes.size(); ++j) table += codes[j];
    table += "\n";
  }
  return table;
}

// An AlphaNumerical input table whose keys and English name hold a backslash before hex digits.
inline std::string alphanumerical_table() {
  return "\xB2\xD5\xA6\x58 X 5 - a-9 ; (a\\x41) [\xB2\xD5]\n\\x12 \xA4\x40\xA2\xCC\n\\xA4 \xF9\xF9\xA4\x41\n"
         "a0 \xC6\xA1\xF9\xFE\n";
}

}  // namespace table_importer::generated
