// The word-list scan with the phrase editor behind it, on any bytes. The first byte picks the
// sign, the at-end and list settings, and whether the table starts empty or filled from a first
// part of the input read as a list of additions. Whatever the lines, a table built only by the
// editor keeps its layout: no NUL, every bucket under 16384 bytes, every entry starting with an
// F1 whose bit 7 is set, the two-character entries before the long ones.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "fuzz/lexmoor_layout.h"
#include "phrase_tool/dictionary_format.h"
#include "phrase_tool/phrase_table.h"
#include "phrase_tool/run.h"
#include "phrase_tool/run_state.h"
#include "phrase_tool/slots.h"
#include "phrase_tool/word_list.h"
#include "platform/input_file.h"
#include "platform/text_reader.h"

namespace {

using namespace phrase_tool;

void check_layout(const std::string& bucket) {
  if (!lexmoor_fuzz::keeps_layout(bucket)) std::abort();
}

StopStatus apply(const std::string& text, int sign, PhraseTable& table, RunFlags& flags, const Console& console) {
  platform::TextReader reader(platform::InputFile::from_bytes(text));
  return apply_word_lines(reader, "fuzz.b5", sign, table, flags, console);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t settings = data[0];
  std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
  RunFlags flags;
  flags.at_end = (settings & 1) != 0;
  flags.list_added = (settings & 2) != 0;
  const int sign = (settings & 4) != 0 ? -1 : 1;
  const bool prefilled = (settings & 8) != 0;

  PhraseTable table;
  std::ostringstream out;
  std::ostringstream err;
  Console console{out, err};
  if (prefilled) {
    // The first part runs up to the first 0x1A, which would end a text input anyway.
    std::size_t cut = input.find('\x1A');
    std::string first = input.substr(0, cut);
    input = cut == std::string::npos ? std::string() : input.substr(cut + 1);
    if (StopStatus stop = apply(first + "\n", 1, table, flags, console)) {
      if (exit_status(*stop) != 0) std::abort();
    }
  }
  if (StopStatus stop = apply(input, sign, table, flags, console)) {
    if (exit_status(*stop) != 0) std::abort();
  }
  for (int slot = 0; slot < kSlotCount; ++slot) check_layout(table.bucket(slot));
  return 0;
}
