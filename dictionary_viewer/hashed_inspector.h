// The hashed phrase dictionary that TOMBRAL writes: summary, verification and its CiZu table.
#pragma once

#include <string_view>

#include "dictionary_viewer/inspection.h"

namespace dictionary_viewer {

// `file` is at least the 40000-byte header long.
void inspect_hashed_dictionary(std::string_view file, bool with_text, Inspection& result);

}  // namespace dictionary_viewer
