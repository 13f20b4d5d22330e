// One line of a CiZu table into its phrase record: the key folded and shifted, then the phrases
// marked by the high bit of their first lead byte.
#pragma once

#include <string>
#include <string_view>

namespace cizu_converter {

constexpr char kCommentMark = '*';

struct Record {
  std::string bytes;  // the stored key, then the phrases
  long phrases = 0;   // how many phrases the record holds
};

constexpr bool is_comment(std::string_view line) { return !line.empty() && line[0] == kCommentMark; }

// Spaces, and only spaces, separate the key from the phrases and the phrases from each other.
constexpr char kSeparator = ' ';

// The key of a line: its bytes up to the first space, or all of it when there is none.
constexpr std::string_view line_key(std::string_view line) { return line.substr(0, line.find(kSeparator)); }

// Folds the run of 'A'..'Z' that begins the line to lower case and leaves the rest as it is, so
// ABC and Abc hash like abc while aBc hashes as written.
void fold_leading_capitals(std::string& line);

// The record of a line. The key runs to the first space (or to the end of the line); spaces, and
// only spaces, separate the phrases; any other byte of 0x80 or below where a phrase could start or
// go on ends the line. A lead byte with no trail byte behind it in the line, or with a NUL there,
// is dropped and ends the line: a stored 0x00 would read back as a record separator.
Record build_record(std::string_view line);

// The same into `record`, whose bytes keep their room for the next line.
void build_record(std::string_view line, Record& record);

}  // namespace cizu_converter
