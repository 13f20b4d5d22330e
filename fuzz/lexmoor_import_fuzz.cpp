// The phrase source text import on any bytes. A table it builds must be one the writer can write
// and the loader read back: every bucket under 16384 bytes and free of NUL, every entry starting
// with an F1 whose bit 7 is set, the two-character entries before the long ones.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "fuzz/lexmoor_layout.h"
#include "big5dict/phrase_layout.h"
#include "big5dict/phrase_table.h"
#include "phrase_tool/run.h"
#include "phrase_tool/run_state.h"
#include "big5dict/phrase_layout.h"
#include "phrase_tool/text_import.h"
#include "platform/input_file.h"
#include "platform/text_reader.h"

namespace {

using namespace phrase_tool;
using namespace big5dict::phrase;

void check_layout(const std::string& bucket) {
  if (!lexmoor_fuzz::keeps_layout(bucket)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  platform::TextReader reader(platform::InputFile::from_bytes(input));
  PhraseTable table;
  std::ostringstream out;
  StopStatus stop = import_lines(reader, "fuzz.b5", table, out);
  if (stop) {
    if (exit_status(*stop) != 0) std::abort();
    return 0;
  }
  for (int slot = 0; slot < kSlotCount; ++slot) check_layout(table.bucket(slot));
  return 0;
}
