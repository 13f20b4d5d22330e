// LEXMOOR's run: banner, arguments, the source, a comparison or a word list, then the output.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "phrase_tool/run_state.h"

namespace phrase_tool {

// `args` are the arguments after the program name. Works in the current folder.
Outcome run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// LEXMOOR's own status table: 1 after a completed run that wrote its output and after faults of
// files; 0 after the usage text, a comparison and faults in the content of the inputs.
int exit_status(Outcome outcome);

}  // namespace phrase_tool
