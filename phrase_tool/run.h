// LEXMOOR's run: banner, arguments, the source, a comparison or a word list, then the output.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "phrase_tool/run_state.h"

namespace phrase_tool {

// `args` are the arguments after the program name. Works in the current folder.
ExitStatus run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace phrase_tool
