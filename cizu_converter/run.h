// TOMBRAL's run: banner, arguments, the CiZu table line by line into the buckets, then the file.
#pragma once

#include <ostream>
#include <string>
#include <vector>

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

// 0 after a completed conversion, 1 after every early stop.
enum class ExitStatus : int {
  kConverted = 0,
  kStopped = 1,
};

constexpr ExitStatus exit_status(Outcome outcome) {
  return outcome == Outcome::kConverted ? ExitStatus::kConverted : ExitStatus::kStopped;
}

// `args` are the arguments after the program name: the CiZu table, then the dictionary file.
Outcome run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace cizu_converter
