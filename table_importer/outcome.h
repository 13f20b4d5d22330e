// How a run of B5IMPORT ends, and how a step of it says that the run stops there.
#pragma once

#include <optional>

namespace table_importer {

enum class Outcome {
  kWritten,
  kHelp,            // the usage text, asked for
  kUsage,           // arguments it cannot take
  kNoConversion,    // the system's iconv lacks the variant
  kCannotOpen,      // the source does not open, or the output cannot be written
  kReadError,
  kLongLine,
  kNotUtf8,
  kHeaderLacking,   // the input table's header line holds a character the variant lacks
  kUnknownFormat,   // no --from, and the table's first lines are neither rime's nor a .cin's
  kTableFault,      // a table whose parts are not closed or that names no text column
  kNoShortName,     // an input table needs one and neither the options nor the table give it
  kNothingKept,
  kStrictDropped,   // --strict, and something was dropped
  kWriteError,
  kNoMemory,
};

// A step either lets the run go on (no value) or ends it with an outcome, already reported.
using StopStatus = std::optional<Outcome>;

}  // namespace table_importer
