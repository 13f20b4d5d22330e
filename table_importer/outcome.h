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
  kWriteError,
  kNoMemory,
};

// A step either lets the run go on (no value) or ends it with an outcome, already reported.
using StopStatus = std::optional<Outcome>;

}  // namespace table_importer
