// What a text system looks up in a hashed phrase dictionary: the records filed under a key.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace big5dict::hashed {

// A record's phrases, each as Big5 text.
using Phrases = std::vector<std::string>;

// The records of `key` in `file` (a hashed dictionary's first bytes), in the order of their lines:
// the key is taken as TOMBRAL takes a line's key (up to the first space, its leading capitals
// folded) and hashed to its bucket, and every record there whose stored key is the key's stored
// form is given. Nothing for a file that holds no whole header with the magic, or whose header
// places the bucket outside the bytes held.
std::vector<Phrases> records_of(std::string_view file, std::string_view key);

}  // namespace big5dict::hashed
