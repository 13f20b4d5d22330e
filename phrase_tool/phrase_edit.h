// One phrase handed to the editor, and what the editor did reported as LEXMOOR reports it: the
// search's complaints about entries without a frequency unit, then "+" or the phrase echoed, "-",
// "??" and the stored tail, or a phrase too long or a bucket full.
#pragma once

#include <string_view>

#include "big5dict/phrase_editor.h"
#include "big5dict/phrase_table.h"
#include "phrase_tool/run_state.h"

namespace phrase_tool {

// A phrase longer than 40 bytes ends the run (status 0); so does an allocation that fails
// ("Memory Full" on standard error). A phrase whose addition would make its bucket 16384 bytes or
// longer is refused with a message and the run goes on.
StopStatus edit_phrase(big5dict::phrase::PhraseTable& table, const RunFlags& flags, std::string_view phrase,
                       big5dict::phrase::EditRequest request, const Console& console);

}  // namespace phrase_tool
