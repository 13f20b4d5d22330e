// LEXMOOR: add, delete, compare, export and import Big5 phrase dictionaries.
#include <iostream>
#include <string>
#include <vector>

#include "phrase_tool/run.h"
#include "platform/signals.h"

int main(int argc, char** argv) {
  platform::set_up_signals();
  std::vector<std::string> args(argv + 1, argv + argc);
  phrase_tool::ExitStatus status = phrase_tool::run(args, std::cout, std::cerr);
  std::cout.flush();
  std::cerr.flush();
  return static_cast<int>(status);
}
