// A run that brings a table of today (rime, .cin, a tab-separated list, a word list) into what one
// of the three programs reads: every row is kept or dropped for a named reason, and the report
// says which.
#pragma once

#include <ostream>
#include <string>

#include "table_importer/arguments.h"
#include "table_importer/outcome.h"

namespace table_importer {

// `args.table` is set; `source_name` is the source as messages name it.
Outcome import_table(const Arguments& args, const std::string& source_name, std::ostream& out, std::ostream& err);

}  // namespace table_importer
