// KESTRAWN's run: banner, arguments, the input and the output opened, the header line, then the
// entry lines and the full file, or the empty stub.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "input_table_converter/outcome.h"

namespace input_table_converter {

// KESTRAWN's status table: 0 after a completed conversion or stub, 1 after every early stop.
int exit_status(Outcome outcome);

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
