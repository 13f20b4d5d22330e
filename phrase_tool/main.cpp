// LEXMOOR: add, delete, compare, export and import Big5 phrase dictionaries.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "phrase_tool/run.h"
#include "platform/signals.h"
#include "platform/standard_descriptors.h"
#include "platform/checked_output.h"
#include "platform/report.h"

int main(int argc, char** argv) {
  // Before anything opens a file, so that no file can take the place of a closed standard stream.
  platform::open_standard_descriptors();
  platform::set_up_signals();
  std::vector<std::string> args(argv + 1, argv + argc);
  // A comparison's listing is its product: a failed write to standard output must be known.
  platform::CheckedOutputBuffer standard_output(STDOUT_FILENO);
  std::ostream out(&standard_output);
  const phrase_tool::Outcome outcome = phrase_tool::run(args, out, std::cerr);
  out.flush();
  std::cerr.flush();
  return phrase_tool::exit_status(outcome);
}
