// The $ source: builds the phrase table from phrase source text, the layout of the text export.
#pragma once

#include <ostream>
#include <string>

#include "big5dict/phrase_table.h"
#include "phrase_tool/run_state.h"
#include "platform/text_reader.h"

namespace phrase_tool {

// Opens `name` (the text after '$', possibly empty), falling back to LEXMOOR.B5, and imports it.
StopStatus import_source(const std::string& name, big5dict::phrase::PhraseTable& table, std::ostream& out);

// The line loop over an open source; `name` is used in the read error report.
StopStatus import_lines(platform::TextReader& reader, const std::string& name,
                        big5dict::phrase::PhraseTable& table, std::ostream& out);

}  // namespace phrase_tool
