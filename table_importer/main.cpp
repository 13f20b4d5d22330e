// B5IMPORT: brings the UTF-8 text of a dictionary, edited or not, back into Big5 for its program.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "platform/checked_output.h"
#include "platform/signals.h"
#include "platform/standard_descriptors.h"
#include "table_importer/run.h"

int main(int argc, char** argv) {
  // Before anything opens a file, so that no file can take the place of a closed standard stream.
  platform::open_standard_descriptors();
  platform::set_up_signals();
  std::vector<std::string> args(argv + 1, argv + argc);
  // The Big5 text may be the product: a failed write to standard output must be known.
  platform::CheckedOutputBuffer standard_output(STDOUT_FILENO);
  std::ostream out(&standard_output);
  int status = table_importer::exit_status(table_importer::run(args, out, std::cerr));
  out.flush();
  std::cerr.flush();
  return status;
}
