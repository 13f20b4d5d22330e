// The phrase dictionary loader on any bytes. A file it takes must give back buckets the writer can
// write and the loader read again: each under 16384 bytes and free of NUL. The table is written
// into a dictionary image in memory by the writer's own bytes() and loaded back, which must
// give the same buckets; then the phrase editor looks up, adds and deletes in a few loaded
// buckets, which may be damaged, and must keep them within the same bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "big5dict/phrase_layout.h"
#include "phrase_tool/dictionary_loader.h"
#include "phrase_tool/phrase_edit.h"
#include "big5dict/phrase_entry.h"
#include "big5dict/phrase_table.h"
#include "phrase_tool/run.h"
#include "phrase_tool/run_state.h"
#include "big5dict/phrase_layout.h"
#include "platform/input_file.h"

namespace {

using namespace phrase_tool;
using namespace big5dict::phrase;

void check_bucket(const std::string& bucket) {
  if (bucket.size() >= kBucketLimit) std::abort();
  if (bucket.size() % 2 != 0) std::abort();  // half-offsets count two-byte units
  if (bucket.find('\0') != std::string::npos) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  platform::InputFile file = platform::InputFile::from_bytes(bytes);
  HeaderImage header;
  PhraseTable table;
  std::ostringstream out;
  std::ostringstream err;
  StopStatus stop = load_dictionary(file, "fuzz.DBG", header, table, out);
  if (stop) {
    int status = exit_status(*stop);
    if (status != 0 && status != 1) std::abort();
    return 0;
  }
  for (int slot = 0; slot < kSlotCount; ++slot) check_bucket(table.bucket(slot));

  std::string image = big5dict::phrase::file_bytes(header, table);
  platform::InputFile again = platform::InputFile::from_bytes(image + std::string(1, '\0'));
  HeaderImage header_again;
  PhraseTable table_again;
  std::ostringstream out_again;
  if (load_dictionary(again, "again.DBG", header_again, table_again, out_again)) std::abort();
  for (int slot = 0; slot < kSlotCount; ++slot) {
    if (table_again.bucket(slot) != table.bucket(slot)) std::abort();
  }

  // The editor over the first few loaded buckets: look up, add and delete a phrase made of the
  // slot's character and the bucket's first bytes, and a fixed one.
  RunFlags flags;
  flags.at_end = size % 2 == 1;
  Console console{out, err};
  int edited = 0;
  for (int slot = 0; slot < kSlotCount && edited < 8; ++slot) {
    const std::string bucket = table.bucket(slot);
    if (bucket.empty()) continue;
    ++edited;
    big5dict::Big5Char head = slot_character(slot);
    std::string phrase{static_cast<char>(head.lead), static_cast<char>(head.trail)};
    for (std::size_t i = 2; i + 1 < bucket.size() && phrase.size() < 8; i += 2) {
      // The editor is handed whole phrases only: every lead byte above 0xA0, no NUL.
      auto lead = static_cast<std::uint8_t>(bucket[i] | kMarkBit);
      phrase.push_back(static_cast<char>(lead > 0xA0 ? lead : 0xA1));
      phrase.push_back(bucket[i + 1] == '\0' ? '\x40' : bucket[i + 1]);
    }
    if (phrase.size() < 4) phrase += "\xA4\x40";
    std::string fixed{static_cast<char>(head.lead), static_cast<char>(head.trail), '\xA4', '\x40', '\xB0', '\xB2'};
    for (const std::string& p : {phrase, fixed}) {
      for (EditRequest op : {EditRequest::kLookUp, EditRequest::kAdd, EditRequest::kLookUp, EditRequest::kDelete,
                             EditRequest::kAdd}) {
        if (StopStatus s = edit_phrase(table, flags, p, op, console)) {
          if (exit_status(*s) != 0) std::abort();
        }
        check_bucket(table.bucket(slot));
      }
    }
  }
  return 0;
}
