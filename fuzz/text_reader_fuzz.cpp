// Text-mode line reading of any bytes at any read limit: no read runs past the input, every line
// respects its limit, and the lines put back together never hold more than the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/text_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::size_t limit = 1 + data[0] % 64;
  std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
  platform::TextReader reader(platform::InputFile::from_bytes(input));
  std::string line;
  std::size_t total = 0;
  while (reader.read_line(line, limit) == platform::LineStatus::kLine) {
    if (line.empty() || line.size() > limit) std::abort();
    total += line.size();
    if (total > input.size()) std::abort();
  }
  return 0;
}
