// What a run of LEXMOOR carries from step to step: its flags, and how a step that ends the run
// says so. Fatal conditions come back as values; only main turns them into an exit status.
#pragma once

#include <optional>
#include <ostream>

namespace phrase_tool {

// How a run of LEXMOOR ends; exit_status (beside run) maps each to the exit status.
enum class Outcome {
  kUsage,         // the usage text was shown
  kContentFault,  // the content of an input, or memory, stopped the run
  kCompared,      // a comparison finished
  kWritten,       // the run wrote its output
  kFileFault,     // a file could not be read or written
};

// A step either lets the run go on (no value) or ends it with an outcome.
using StopStatus = std::optional<Outcome>;

struct RunFlags {
  bool at_end = false;       // new phrases keep the order of addition ("/atend", the # source)
  bool list_added = false;   // an added phrase is echoed on a line of its own instead of "+"
  bool text_export = false;  // write LEXMOOR.B5X instead of LEXMOOR.DBG ("PRINT-TO-BIG5")
};

// Where messages go: standard output, and standard error for the banner and "Memory Full".
struct Console {
  std::ostream& out;
  std::ostream& err;
};

}  // namespace phrase_tool
