// The CiZu table, the text a hashed dictionary is made from and written back as: a line whose first
// byte is "*" is a comment; any other line is a key, then phrases, separated by spaces and only by
// spaces.
#pragma once

#include <string>
#include <string_view>

namespace big5dict::hashed {

constexpr char kCommentMark = '*';
constexpr char kSeparator = ' ';

// Whether a table line is a comment: its first byte is the mark.
constexpr bool is_comment(std::string_view line) { return !line.empty() && line[0] == kCommentMark; }

// The key of a line: its bytes up to the first space, or all of it when there is none.
constexpr std::string_view line_key(std::string_view line) { return line.substr(0, line.find(kSeparator)); }

// Appends the table line of a record: `key` as it is to be written, a space, then the record's
// phrases (`phrases`, its stored units) as Big5 text separated by single spaces, and a line feed.
// An empty key gives a line that begins with the space, as TOMBRAL reads it back.
void append_table_line(std::string_view key, std::string_view phrases, std::string& text);

}  // namespace big5dict::hashed
