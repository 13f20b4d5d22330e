// Text-mode line reading of any bytes with any longest line: no read runs past the input, every
// line comes back whole and no longer than the longest line and its line feed, only the last line
// may lack its line feed, an over-long line stops the reading for good, and the lines put back
// together never hold more than the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/text_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::size_t longest = 1 + data[0] % 64;
  std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
  platform::TextReader reader(platform::InputFile::from_bytes(input), longest);
  std::string line;
  std::size_t total = 0;
  int lines = 0;
  bool unterminated_seen = false;
  platform::LineStatus status;
  while ((status = reader.read_line(line)) == platform::LineStatus::kLine) {
    if (line.empty() || unterminated_seen) std::abort();
    const std::size_t text = line.back() == '\n' ? line.size() - 1 : line.size();
    if (text > longest || line.find('\n') < text) std::abort();
    unterminated_seen = line.back() != '\n';
    total += line.size();
    if (total > input.size()) std::abort();
    if (reader.line_number() != ++lines) std::abort();
  }
  if (status == platform::LineStatus::kError || !line.empty()) std::abort();
  if (status == platform::LineStatus::kTooLong) {
    if (unterminated_seen || reader.line_number() != lines + 1) std::abort();
    if (reader.read_line(line) != platform::LineStatus::kTooLong) std::abort();
  }
  return 0;
}
