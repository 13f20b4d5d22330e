// The input dictionary that KESTRAWN writes, full or as the empty stub: summary, verification and
// its input table.
#pragma once

#include <string_view>

#include "dictionary_viewer/examination.h"

namespace dictionary_viewer {

// `file` is exactly the full file's 79318 bytes long.
void examine_input_dictionary(std::string_view file, bool with_text, Examination& result);

// `file` is exactly the stub's 130 bytes long.
void examine_input_stub(std::string_view file, bool with_text, Examination& result);

}  // namespace dictionary_viewer
