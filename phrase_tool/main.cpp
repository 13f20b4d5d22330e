// LEXMOOR: add, delete, compare, export and import Big5 phrase dictionaries.
#include <iostream>
#include <string>
#include <vector>

#include "phrase_tool/run.h"
#include "platform/report.h"

int main(int argc, char** argv) {
  platform::ignore_file_size_signal();
  std::vector<std::string> args(argv + 1, argv + argc);
  phrase_tool::ExitStatus status = phrase_tool::run(args, std::cout, std::cerr);
  std::cout.flush();
  std::cerr.flush();
  return static_cast<int>(status);
}
