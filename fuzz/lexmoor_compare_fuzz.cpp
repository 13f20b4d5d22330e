// The comparison's walk of a second dictionary file made of any bytes, against a first table that
// holds phrases where the walk looks: the first byte picks a table with one phrase in every slot,
// or one built by the phrase editor from a first part of the input read as a list of additions.
// The walk hands every phrase it rebuilds to the editor, so the table must keep its buckets under
// 16384 bytes and free of NUL however damaged the second file's buckets are.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "phrase_tool/comparison.h"
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

// Every slot holding one two-character phrase: the slot's character and a fixed second one.
void fill_every_slot(PhraseTable& table) {
  const std::string bucket{static_cast<char>(kNewEntryF1), static_cast<char>(new_entry_f2(2)), '\x25', '\x42'};
  for (int slot = 0; slot < kSlotCount; ++slot) table.set_bucket(slot, bucket);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t settings = data[0];
  std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
  RunFlags flags;
  flags.at_end = (settings & 1) != 0;
  flags.list_added = (settings & 2) != 0;

  PhraseTable table;
  std::ostringstream out;
  std::ostringstream err;
  Console console{out, err};
  if ((settings & 4) == 0) {
    fill_every_slot(table);
  } else {
    // The first part, up to the first 0x1A, is a word list; the rest is the second file.
    std::size_t cut = input.find('\x1A');
    std::string list = input.substr(0, cut);
    input = cut == std::string::npos ? std::string() : input.substr(cut + 1);
    platform::TextReader reader(platform::InputFile::from_bytes(list + "\n"));
    if (apply_word_lines(reader, "first.b5", 1, table, flags, console)) return 0;
  }

  platform::InputFile second = platform::InputFile::from_bytes(input);
  Outcome status = compare_dictionaries(second, "second.DBG", table, flags, console);
  if (exit_status(status) != 0 && exit_status(status) != 1) std::abort();
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const std::string& bucket = table.bucket(slot);
    if (bucket.size() >= kBucketLimit || bucket.find('\0') != std::string::npos) std::abort();
  }
  return 0;
}
