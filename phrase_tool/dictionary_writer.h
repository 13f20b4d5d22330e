// The dictionary file LEXMOOR.DBG, written at the end of a run. It replaces an existing file
// whole, and only when it was written completely.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "big5dict/phrase_layout.h"
#include "big5dict/phrase_table.h"
#include "phrase_tool/run_state.h"

namespace phrase_tool {

// Writes the dictionary file at `path`, recomputing the half-offsets of `header`. No value means
// it was written (the run then ends with status 1); a value is the status of a failure.
StopStatus write_dictionary(const std::string& path, big5dict::phrase::HeaderImage& header,
                            const big5dict::phrase::PhraseTable& table, std::ostream& out);

}  // namespace phrase_tool
