// The phrase editor: adds one phrase to its slot's bucket, deletes it, or looks it up, keeping the
// bucket's layout (two-character entries first) and reporting each change as it makes it.
#pragma once

#include <string_view>

#include "phrase_tool/phrase_table.h"
#include "phrase_tool/run_state.h"

namespace phrase_tool {

enum class EditRequest {
  kAdd,     // adds the phrase when absent
  kDelete,  // deletes it when present
  kLookUp,  // only looks it up
};

// `phrase` is the whole phrase as Big5 bytes (two characters or more, every lead byte above 0xA0,
// no NUL). A phrase longer than 40 bytes ends the run (status 0); so does an allocation that
// fails ("Memory Full" on standard error). A phrase whose addition would make its bucket 16384
// bytes or longer is refused with a message and the run goes on.
StopStatus edit_phrase(PhraseTable& table, const RunFlags& flags, std::string_view phrase, EditRequest request,
                       const Console& console);

}  // namespace phrase_tool
