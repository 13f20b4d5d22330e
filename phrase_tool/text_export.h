// The text export LEXMOOR.B5X: the dictionary as lines that the "$" source reads back.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "big5dict/phrase_layout.h"
#include "big5dict/phrase_table.h"
#include "phrase_tool/run_state.h"

namespace phrase_tool {

// Writes the text export at `path`: the identification text, then one slot block per slot.
// Replaces an existing file whole, and only when it was written completely.
StopStatus export_text(const std::string& path, const big5dict::phrase::HeaderImage& header,
                       const big5dict::phrase::PhraseTable& table, std::ostream& out);

}  // namespace phrase_tool
