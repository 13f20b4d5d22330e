// The hashed phrase dictionary that TOMBRAL writes: summary, verification and its CiZu table.
#pragma once

#include <string_view>

#include "dictionary_viewer/examination.h"

namespace dictionary_viewer {

// `file` is at least the 40000-byte header long: the file's first bytes, of a file `file_length` long.
void examine_hashed_dictionary(std::string_view file, FileLength file_length, bool with_text, Examination& result);

}  // namespace dictionary_viewer
