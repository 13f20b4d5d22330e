// How a run of KESTRAWN ends, and how a step of it says that the run stops there.
#pragma once

#include <optional>

namespace input_table_converter {

// How a run ended: a full file or a stub written, or the reason it stopped early.
enum class Outcome {
  kConverted,
  kStubWritten,
  kUsage,         // fewer than two arguments
  kCannotOpen,    // the table does not open, or the dictionary cannot be written
  kNoHeaderLine,  // the table ended before its header line
  kHeaderFault,   // no short name, an unknown key type or a length digit out of range
  kReadError,
  kLongLine,
  kWriteError,
};

// A step either lets the run go on (no value) or ends it with an outcome, already reported.
using StopStatus = std::optional<Outcome>;

}  // namespace input_table_converter
