// The hashed phrase dictionary that TOMBRAL writes: summary, verification and its CiZu table.
#pragma once

#include <string_view>

#include "dictionary_viewer/examination.h"

namespace dictionary_viewer {

// Whether the data offsets of a hashed dictionary's header (`header`, at least its 40000 bytes)
// ever go back: such a file is unsound whatever its buckets hold.
bool hashed_offsets_decrease(std::string_view header);

// `file` is at least the 40000-byte header long: the file's first bytes, of a file `file_length` long.
void examine_hashed_dictionary(std::string_view file, FileLength file_length, bool with_text, Examination& result);
inline void examine_hashed_dictionary(std::string_view file, bool with_text, Examination& result) {
  examine_hashed_dictionary(file, whole(file), with_text, result);
}

}  // namespace dictionary_viewer
