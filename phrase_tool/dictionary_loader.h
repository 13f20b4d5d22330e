// Loads a phrase dictionary file into the header image and the phrase table, slot by slot, with
// the checks that refuse a file that could not have been written whole, each reported as it comes.
#pragma once

#include <ostream>
#include <string>

#include "big5dict/phrase_file.h"
#include "big5dict/phrase_layout.h"
#include "big5dict/phrase_table.h"
#include "phrase_tool/run_state.h"
#include "platform/input_file.h"

namespace phrase_tool {

// `file` is open at its start; `name` is the name as given, for the messages.
StopStatus load_dictionary(platform::InputFile& file, const std::string& name, big5dict::phrase::HeaderImage& header,
                           big5dict::phrase::PhraseTable& table, std::ostream& out);

// A fault of a step of the reader as the load and the comparison report it: "MAX_BUFF" with the
// bucket's length, "Error in file", "EOF at i=" with the slot, or the read error. No value when
// there is none.
StopStatus report_read_fault(big5dict::phrase::ReadFault fault, const big5dict::phrase::PhraseFileReader& reader,
                             const std::string& name, const big5dict::phrase::HeaderImage& header, int slot,
                             std::ostream& out);

}  // namespace phrase_tool
