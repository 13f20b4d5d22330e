// TOMBRAL's run: banner, arguments, the CiZu table line by line into the buckets, then the file.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace cizu_converter {

// 0 after a completed conversion, 1 after every early stop.
enum class ExitStatus : int {
  kConverted = 0,
  kStopped = 1,
};

// `args` are the arguments after the program name: the CiZu table, then the dictionary file.
ExitStatus run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace cizu_converter
