// Standard input, output and error as a program finds them at its start. A descriptor that is
// closed would be taken by the next file the program opens, and the console text meant for it
// would land in that file; so each closed one is first given a placeholder. And an output that is
// the very file standard output writes to must not receive the console text woven through it.
#pragma once

#include <string>

namespace platform {

// Every main calls this before anything else: opens a placeholder on each of descriptors 0, 1 and
// 2 that is closed: the root folder on standard input, so that reading it (as /dev/stdin) fails
// instead of reading nothing, and /dev/null on the other two.
void open_standard_descriptors();

// Whether `path`, links followed, names the open file that standard output writes to: the same
// pipe, FIFO, socket or file (a character device takes whatever comes). The programs then send
// their console messages to standard error, so that the product stays whole.
bool names_standard_output(const std::string& path);

}  // namespace platform
