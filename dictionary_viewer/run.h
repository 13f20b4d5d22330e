// DBGVIEW's run: the arguments, the file read as far as its format reaches, then its view.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace dictionary_viewer {

// How a run ended: the verdict on a file that was read, or why there is none.
enum class Outcome {
  kSound,
  kNotSound,       // a rule of the format is broken
  kCannotOpen,     // the file does not open
  kReadError,      // the file does not read
  kUnknownFormat,  // its length or first bytes match none of the three formats
  kNoConversion,   // the text was asked for in UTF-8 and the conversion is not there
  kNoMemory,
  kOutputFailed,   // standard output could not take the summary or the text
  kUsage,
  // --find:
  kFound,
  kNothingFound,
  kFindTrouble,  // WHAT does not suit the file, or the file cannot be searched whole
};

// DBGVIEW's status table: 0 for a sound file, 2 for the usage text, 1 for every other outcome;
// --find's is grep's: 0 found, 1 nothing found, 2 for every trouble.
int exit_status(Outcome outcome);

// `args` are the arguments after the program name.
Outcome run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace dictionary_viewer
