// KESTRAWN: converts a Big5 input-method table into an input dictionary file.
#include <iostream>
#include <string>
#include <vector>

#include "input_table_converter/run.h"
#include "platform/signals.h"
#include "platform/standard_descriptors.h"

int main(int argc, char** argv) {
  // Before anything opens a file, so that no file can take the place of a closed standard stream.
  platform::open_standard_descriptors();
  platform::set_up_signals();
  std::vector<std::string> args(argv + 1, argv + argc);
  int status = input_table_converter::exit_status(input_table_converter::run(args, std::cout, std::cerr));
  std::cout.flush();
  std::cerr.flush();
  return status;
}
