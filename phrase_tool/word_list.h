// Word lists: every run of two or more Big5 characters on a line is a word to add or delete.
#pragma once

#include <string>

#include "big5dict/phrase_table.h"
#include "phrase_tool/run_state.h"
#include "platform/text_reader.h"

namespace phrase_tool {

// Applies the word list named by SECOND: an optional prefix '+', '*' (list the added phrases) or
// '-' (delete), then the file name. A list that does not open is passed over without a message.
StopStatus apply_word_list(const std::string& argument, big5dict::phrase::PhraseTable& table, RunFlags& flags,
                           const Console& console);

// The line loop over an open list; sign +1 adds, -1 deletes. `name` is used in the read error report.
StopStatus apply_word_lines(platform::TextReader& reader, const std::string& name, int sign,
                            big5dict::phrase::PhraseTable& table, RunFlags& flags, const Console& console);

}  // namespace phrase_tool
