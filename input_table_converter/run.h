// KESTRAWN's run: banner, arguments, the input and the output opened, the header line, then the
// entry lines and the full file, or the empty stub.
#pragma once

#include <ostream>
#include <string>
#include <vector>

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

// 0 after a completed conversion or stub; 1 after every early stop.
enum class ExitStatus : int {
  kConverted = 0,
  kStopped = 1,
};

constexpr ExitStatus exit_status(Outcome outcome) {
  return outcome == Outcome::kConverted || outcome == Outcome::kStubWritten ? ExitStatus::kConverted
                                                                             : ExitStatus::kStopped;
}

// `args` are the arguments after the program name. Standard output gets every message but the
// reports of files that do not open, which go to `err`.
Outcome run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The name with `extension` appended when its file name (the part after the last "/") holds no ".".
std::string with_extension(const std::string& name, const char* extension);

// The character the stub names in OVCIZU?.DBG: the one before the output name's first ".", in
// upper case; "_" when the name starts with the ".". Only the file name counts, not its folders.
char stub_character(const std::string& output_name);

// True for "*CIZU" in any mix of cases.
bool is_stub_option(const std::string& arg);

}  // namespace input_table_converter
