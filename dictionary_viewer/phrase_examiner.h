// The phrase dictionary that LEXMOOR reads and writes: summary, verification and its text export.
#pragma once

#include <string_view>

#include "dictionary_viewer/examination.h"

namespace dictionary_viewer {

// `file` is at least the 27004-byte header long: the file's first bytes, of a file `file_length` long.
void examine_phrase_dictionary(std::string_view file, FileLength file_length, bool with_text, Examination& result);

}  // namespace dictionary_viewer
