// The $ source: builds the phrase table from phrase source text, the layout of the text export.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "phrase_tool/phrase_table.h"
#include "phrase_tool/run_state.h"
#include "platform/text_reader.h"

namespace phrase_tool {

// What the import takes a line for, by its first two bytes: a head line begins with a character
// of the rows above 0xA0 (whether that character has a slot is the head line's own question), a
// continuation line with "--"; any other line is skipped.
enum class SourceLineKind { kHead, kContinuation, kOther };
SourceLineKind source_line_kind(std::string_view text);

// Opens `name` (the text after '$', possibly empty), falling back to LEXMOOR.B5, and imports it.
StopStatus import_source(const std::string& name, PhraseTable& table, std::ostream& out);

// The line loop over an open source; `name` is used in the read error report.
StopStatus import_lines(platform::TextReader& reader, const std::string& name, PhraseTable& table,
                        std::ostream& out);

}  // namespace phrase_tool
