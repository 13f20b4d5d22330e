// The header line of an input table for KESTRAWN: its fields as options give them or as the table
// and its kept keys decide, and the names cut to what a header field holds.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <utility>

#include "table_importer/big5_characters.h"
#include "table_importer/input_table_rules.h"
#include "table_importer/table_source.h"

namespace table_importer {

// What the command line says of the header; every field left out has its default.
struct InputHeaderOptions {
  std::optional<std::string> short_name;  // UTF-8, as all three names
  std::optional<std::string> english_name;
  std::optional<std::string> chinese_name;
  std::optional<input_table_rules::KeyType> key_type;
  std::optional<unsigned> max_len;
  char option = '-';
  std::optional<std::pair<char, char>> range;
  std::optional<char> single;
  std::optional<std::pair<int, int>> rows;
};

struct InputHeader {
  std::string short_name;  // UTF-8: two characters
  input_table_rules::KeyType key_type = input_table_rules::KeyType::kAlpha;
  unsigned max_len = 1;
  char option = '-';
  char range_first = 'a', range_last = 'z', single = 'z';
  int first_row = input_table_rules::kDefaultFirstRow, last_row = input_table_rules::kDefaultLastRow;
  std::string english_name, chinese_name;  // UTF-8
};

// The short name: the option's, else the first two characters of the table's Chinese name. None
// when neither gives two characters that the variant has.
std::optional<std::string> short_name(const InputHeaderOptions& options, const TableFacts& facts, Big5Characters& big5);

// True when `name` is two characters that the variant has.
bool is_short_name(std::string_view name, Big5Characters& big5);

// The header line in Big5, its line feed included. A name that a field cannot hold whole is cut
// at a character, with a message on `err`; the line is shown on `err` in UTF-8.
std::string header_line(const InputHeader& header, Big5Characters& big5, std::ostream& err);

}  // namespace table_importer
