// Standard input, output and error as a program finds them at its start. A descriptor that is
// closed would be taken by the next file the program opens, and the console text meant for it
// would land in that file; so each closed one is first opened on /dev/null. And an output that is
// the very file standard output writes to must not receive the console text woven through it.
#pragma once

#include <string>

namespace platform {

// Every main calls this before anything else: opens /dev/null (or, where there is none, the root
// folder, which takes no bytes) on each of descriptors 0, 1 and 2 that is closed.
void open_standard_descriptors();

// Whether `path`, links followed, names the open file that standard output writes to: the same
// pipe, device or file. The programs then send their console messages to standard error, so that
// the product stays whole.
bool names_standard_output(const std::string& path);

}  // namespace platform
