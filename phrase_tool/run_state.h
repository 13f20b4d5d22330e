// What a run of LEXMOOR carries from step to step: its flags, and how a step that ends the run
// says so. Fatal conditions come back as values; only main turns them into an exit status.
#pragma once

#include <optional>
#include <ostream>

namespace phrase_tool {

// LEXMOOR's own status table: 1 after a completed run that wrote its output and after faults of
// files; 0 after the usage text, a comparison and faults in the content of the inputs.
enum class ExitStatus : int {
  kUsage = 0,
  kContentFault = 0,
  kCompared = 0,
  kWritten = 1,
  kFileFault = 1,
};

// A step either lets the run go on (no value) or ends it with a status.
using StopStatus = std::optional<ExitStatus>;

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
