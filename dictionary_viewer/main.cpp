// DBGVIEW: identifies, verifies and turns back into text the dictionary files of the three programs.
#include <iostream>
#include <string>
#include <vector>

#include "dictionary_viewer/run.h"
#include "platform/signals.h"

int main(int argc, char** argv) {
  platform::set_up_signals();
  std::vector<std::string> args(argv + 1, argv + argc);
  dictionary_viewer::ExitStatus status = dictionary_viewer::run(args, std::cout, std::cerr);
  std::cout.flush();
  std::cerr.flush();
  return static_cast<int>(status);
}
