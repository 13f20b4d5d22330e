// TOMBRAL's run: banner, arguments, the CiZu table line by line into the buckets, then the file.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cizu_converter/outcome.h"

namespace cizu_converter {

// TOMBRAL's status table: 0 after a completed conversion, 1 after every early stop.
int exit_status(Outcome outcome);

// `args` are the arguments after the program name: the CiZu table, then the dictionary file.
Outcome run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace cizu_converter
