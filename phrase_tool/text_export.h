// The text export LEXMOOR.B5X: the dictionary as lines that the "$" source reads back.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "phrase_tool/dictionary_format.h"
#include "phrase_tool/phrase_table.h"
#include "phrase_tool/run_state.h"

namespace phrase_tool {

// Appends the export lines of one slot: its character and a space, the second characters of the
// two-character entries, then one "-- " line per long entry; every lead byte with bit 7 set again.
// A damaged bucket that ends inside an entry or a character gives what it holds whole and nothing
// past its end.
void append_slot_block(int slot, std::string_view bucket, std::string& text);

// Writes the text export at `path`: the identification text, then one slot block per slot.
// Replaces an existing file whole, and only when it was written completely.
StopStatus export_text(const std::string& path, const HeaderImage& header, const PhraseTable& table,
                       std::ostream& out);

}  // namespace phrase_tool
