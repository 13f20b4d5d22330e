// The phrase editor: adds one phrase to its slot's bucket, deletes it, or looks it up, keeping the
// bucket's layout (two-character entries first) and reporting each change as it makes it.
#pragma once

#include <string_view>

#include "phrase_tool/phrase_table.h"
#include "phrase_tool/run_state.h"

namespace phrase_tool {

// `phrase` is the whole phrase as Big5 bytes (two characters or more, every lead byte above 0xA0,
// no NUL). Only the sign of `op` counts: above 0 adds the phrase when absent, below 0 deletes it
// when present, 0 only looks it up. A phrase longer than 40 bytes ends the run (status 0); so does
// an allocation that fails ("Memory Full" on standard error). A phrase whose addition would make
// its bucket 16384 bytes or longer is refused with a message and the run goes on.
StopStatus edit_phrase(PhraseTable& table, const RunFlags& flags, std::string_view phrase, int op,
                       const Console& console);

}  // namespace phrase_tool
