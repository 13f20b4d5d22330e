// The source's line loop: every line read whole by the platform's reader (CR LF as LF, 0x1A ends
// the input), a UTF-8 byte-order mark at the start skipped, every line checked to be UTF-8 before
// its layout converts it.
#pragma once

#include <ostream>
#include <string>

#include "platform/text_reader.h"
#include "table_importer/layout.h"
#include "table_importer/outcome.h"

namespace table_importer {

// Reads the source to its end into `big5`. Stops on a read error, a line longer than any reader
// takes, bytes that are no UTF-8, or a line that the layout cannot write, each reported on `err`
// with `source_name`.
StopStatus convert_source(platform::TextReader& reader, const std::string& source_name, Layout& layout,
                          std::string& big5, std::ostream& err);

}  // namespace table_importer
