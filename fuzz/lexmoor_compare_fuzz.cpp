// The comparison's walk of a second dictionary file made of any bytes, against a first table that
// holds phrases where the walk looks: the first byte picks a table with one phrase in every slot,
// or one built by the phrase editor from a first part of the input read as a list of additions.
// The walk hands every phrase it rebuilds to the editor, so the table must keep its buckets under
// 16384 bytes and free of NUL however damaged the second file's buckets are.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/lexmoor_table_run.h"
#include "phrase_tool/comparison.h"
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

// Every slot holding one two-character phrase: the slot's character and a fixed second one.
void fill_every_slot(PhraseTable& table) {
  const std::string bucket{static_cast<char>(kNewEntryF1), static_cast<char>(new_entry_f2(2)), '\x25', '\x42'};
  for (int slot = 0; slot < kSlotCount; ++slot) table.set_bucket(slot, bucket);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  lexmoor_fuzz::TableRun run(data, size);
  if ((run.settings & 4) == 0) {
    fill_every_slot(run.table);
  } else {
    // The first part is a word list; the rest is the second file.
    platform::TextReader reader(platform::InputFile::from_bytes(lexmoor_fuzz::take_first_part(run.input) + "\n"));
    if (apply_word_lines(reader, "first.b5", 1, run.table, run.flags, run.console)) return 0;
  }

  platform::InputFile second = platform::InputFile::from_bytes(run.input);
  Outcome status = compare_dictionaries(second, "second.DBG", run.table, run.flags, run.console);
  if (exit_status(status) != 0 && exit_status(status) != 1) std::abort();
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const std::string& bucket = run.table.bucket(slot);
    if (bucket.size() >= kBucketLimit || bucket.find('\0') != std::string::npos) std::abort();
  }
  return 0;
}
