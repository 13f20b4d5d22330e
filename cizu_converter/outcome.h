// How a run of TOMBRAL ends, and how a step of it says that the run stops there.
#pragma once

#include <optional>

namespace cizu_converter {

// How a run ended: a completed conversion, or the reason it stopped early.
enum class Outcome {
  kConverted,
  kUsage,       // fewer than two arguments
  kCannotOpen,  // the table does not open, or the dictionary cannot be written
  kReadError,
  kLongLine,
  kTooLarge,    // the buckets pass the reach of the header's offsets
  kWriteError,
  kMemoryFull,
};

// A step either lets the run go on (no value) or ends it with an outcome, already reported.
using StopStatus = std::optional<Outcome>;

}  // namespace cizu_converter
