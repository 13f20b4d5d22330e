// The two ways a run ends with a file: the dictionary file LEXMOOR.DBG, or its text export
// LEXMOOR.B5X. Either replaces an existing file whole, and only when it was written completely.
#pragma once

#include <ostream>
#include <string>

#include "phrase_tool/dictionary_format.h"
#include "phrase_tool/phrase_table.h"
#include "phrase_tool/run_state.h"

namespace phrase_tool {

// Writes the dictionary file at `path`, recomputing the half-offsets of `header`. No value means
// it was written (the run then ends with status 1); a value is the status of a failure.
StopStatus write_dictionary(const std::string& path, HeaderImage& header, const PhraseTable& table,
                            std::ostream& out);

// Writes the text export at `path`: the identification text, then one slot block per slot.
StopStatus export_text(const std::string& path, const HeaderImage& header, const PhraseTable& table,
                       std::ostream& out);

}  // namespace phrase_tool
