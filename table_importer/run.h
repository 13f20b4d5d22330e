// B5IMPORT's run: the arguments, the source read whole through its layout, then the Big5 text
// written at once, to a file replaced whole or to standard output.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "table_importer/outcome.h"

namespace table_importer {

// B5IMPORT's status table: 0 when the output is written (or the usage text asked for), 2 for a
// usage error, 1 for every other outcome: then nothing was written.
int exit_status(Outcome outcome);

// `args` are the arguments after the program name; `out` is standard output, checked.
Outcome run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace table_importer
