// DBGVIEW: identifies, verifies and turns back into text the dictionary files of the three programs.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "dictionary_viewer/run.h"
#include "platform/signals.h"
#include "platform/standard_descriptors.h"
#include "platform/checked_output.h"
#include "platform/report.h"

int main(int argc, char** argv) {
  // Before anything opens a file, so that no file can take the place of a closed standard stream.
  platform::open_standard_descriptors();
  platform::set_up_signals();
  std::vector<std::string> args(argv + 1, argv + argc);
  // The summary and the text are the product: a failed write to standard output must be known.
  platform::CheckedOutputBuffer standard_output(STDOUT_FILENO);
  std::ostream out(&standard_output);
  int status = dictionary_viewer::exit_status(dictionary_viewer::run(args, out, std::cerr));
  out.flush();
  std::cerr.flush();
  return status;
}
