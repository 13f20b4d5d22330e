// DBGVIEW's run: the arguments, the file read as far as its format reaches, then its view.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace dictionary_viewer {

enum class ExitStatus : int {
  kSound = 0,
  kNotSound = 1,    // a rule of the format is broken
  kUnreadable = 1,  // the file does not open or read, its format is unknown, or no UTF-8 conversion
  kNoMemory = 1,
  kOutputFailed = 1,  // standard output could not take the summary or the text
  kUsage = 2,
};

// `args` are the arguments after the program name.
ExitStatus run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace dictionary_viewer
