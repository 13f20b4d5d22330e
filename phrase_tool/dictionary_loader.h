// Loads a phrase dictionary file into the header image and the phrase table, slot by slot, with
// the checks that refuse a file that could not have been written whole.
#pragma once

#include <ostream>
#include <string>

#include "phrase_tool/dictionary_format.h"
#include "phrase_tool/phrase_table.h"
#include "phrase_tool/run_state.h"
#include "platform/input_file.h"

namespace phrase_tool {

// `file` is open at its start; `name` is the name as given, for the messages.
StopStatus load_dictionary(platform::InputFile& file, const std::string& name, HeaderImage& header,
                           PhraseTable& table, std::ostream& out);

}  // namespace phrase_tool
