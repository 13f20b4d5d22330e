// What TOMBRAL takes as a key, from its own headers: the bytes a key keeps, the comment mark and
// the separator that ends the key.
#pragma once

#include <cstdint>

#include "big5dict/hashed_key.h"
#include "big5dict/hashed_layout.h"
#include "big5dict/hashed_text.h"

namespace table_importer::cizu_table_rules {

constexpr char kCommentMark = big5dict::hashed::kCommentMark;
constexpr char kSeparator = big5dict::hashed::kSeparator;
// Every reader takes lines up to this length: a longer line goes on in another with the same key.
constexpr std::size_t kLongestLine = big5dict::hashed::kLongestLine;

constexpr bool is_key_byte(std::uint8_t b) { return big5dict::hashed::is_key_byte(b); }

}  // namespace table_importer::cizu_table_rules
