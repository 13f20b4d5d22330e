// The word-list scan with the phrase editor behind it, on any bytes. The first byte picks the
// sign, the at-end and list settings, and whether the table starts empty or filled from a first
// part of the input read as a list of additions. Whatever the lines, a table built only by the
// editor keeps its layout: no NUL, every bucket under 16384 bytes, every entry starting with an
// F1 whose bit 7 is set, the two-character entries before the long ones.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/lexmoor_layout.h"
#include "fuzz/lexmoor_table_run.h"
#include "big5dict/phrase_layout.h"
#include "big5dict/phrase_table.h"
#include "phrase_tool/run.h"
#include "phrase_tool/run_state.h"
#include "big5dict/phrase_layout.h"
#include "phrase_tool/word_list.h"
#include "platform/input_file.h"
#include "platform/text_reader.h"

namespace {

using namespace phrase_tool;
using namespace big5dict::phrase;

void check_layout(const std::string& bucket) {
  if (!lexmoor_fuzz::keeps_layout(bucket)) std::abort();
}

StopStatus apply(const std::string& text, int sign, lexmoor_fuzz::TableRun& run) {
  platform::TextReader reader(platform::InputFile::from_bytes(text));
  return apply_word_lines(reader, "fuzz.b5", sign, run.table, run.flags, run.console);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  lexmoor_fuzz::TableRun run(data, size);
  const int sign = (run.settings & 4) != 0 ? -1 : 1;
  const bool prefilled = (run.settings & 8) != 0;

  if (prefilled) {
    if (StopStatus stop = apply(lexmoor_fuzz::take_first_part(run.input) + "\n", 1, run)) {
      if (exit_status(*stop) != 0) std::abort();
    }
  }
  if (StopStatus stop = apply(run.input, sign, run)) {
    if (exit_status(*stop) != 0) std::abort();
  }
  for (int slot = 0; slot < kSlotCount; ++slot) check_layout(run.table.bucket(slot));
  return 0;
}
