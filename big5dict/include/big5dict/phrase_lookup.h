// What a text system looks up in a phrase dictionary file held in memory: the phrases that begin
// with a character, and whether a phrase is there. The buckets are found through the half-offsets,
// as the loader finds them, but a damaged file is read as far as it goes rather than refused.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "big5dict/big5.h"

namespace big5dict::phrase {

// The bucket of `slot` (0 <= slot < kSlotCount) in `file`, the file's first bytes: where the
// half-offsets put it, cut at the end of `file` and at its first NUL, as it stands in memory.
// Nothing when `file` holds no whole header.
std::optional<std::string_view> bucket_in_file(std::string_view file, int slot);

// The phrases of the bucket of `first`, whole (`first` and its stored characters, every lead
// byte's bit 7 set again), in bucket order. None when `first` has no slot or the file holds no
// whole header.
std::vector<std::string> phrases_under(std::string_view file, Big5Char first);

// Whether the file holds `phrase` (Big5 bytes, two characters or more), as LEXMOOR's editor
// finds a phrase in its bucket.
bool file_holds_phrase(std::string_view file, std::string_view phrase);

}  // namespace big5dict::phrase
