// What TOMBRAL takes as a key, from its own headers: the bytes a key keeps, the comment mark and
// the separator that ends the key.
#pragma once

#include <cstdint>

#include "cizu_converter/hashed_dictionary.h"
#include "cizu_converter/record_builder.h"
#include "platform/text_reader.h"

namespace table_importer::cizu_table_rules {

constexpr char kCommentMark = cizu_converter::kCommentMark;
constexpr char kSeparator = cizu_converter::kSeparator;
// Every reader takes lines up to this length: a longer line goes on in another with the same key.
constexpr std::size_t kLongestLine = platform::kLongestLine;

constexpr bool is_key_byte(std::uint8_t b) { return cizu_converter::is_key_byte(b); }

}  // namespace table_importer::cizu_table_rules
