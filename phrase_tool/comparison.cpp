// Comparing the phrase table with a second dictionary file, one bucket of that file at a time.
#include "phrase_tool/comparison.h"

#include <cstdint>

#include "big5dict/bytes.h"
#include "big5dict/phrase_entry.h"
#include "big5dict/phrase_file.h"
#include "phrase_tool/dictionary_loader.h"
#include "phrase_tool/messages.h"
#include "phrase_tool/phrase_edit.h"
#include "platform/checked_output.h"
#include "platform/message_writer.h"
#include "platform/report.h"

namespace phrase_tool {

using namespace big5dict::phrase;

namespace {
constexpr std::uint8_t kEntryStartAbove = 0x20;  // in valid data the byte there is an F1

Outcome walk_second_file(platform::InputFile& second, const std::string& name, PhraseTable& table,
                            const RunFlags& flags, const Console& console) {
  console.out << platform::format(msg::kComparing, name.c_str());
  console.out << platform::format(msg::kOnlyIn, name.c_str());
  HeaderImage header;  // the second file's own; the table's header image is not touched
  PhraseFileReader reader(second, header);
  auto fault = [&](ReadFault f, int slot) { return report_read_fault(f, reader, name, header, slot, console.out); };
  if (StopStatus stop = fault(reader.read_header(), 0)) return *stop;
  std::string bucket;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    if (StopStatus stop = fault(reader.read_bucket(slot, bucket), slot)) return *stop;
    if (StopStatus stop = compare_bucket(table, bucket, slot, flags, console)) return *stop;
    // Nothing reads this slot again: memory shrinks as the walk goes on.
    table.release(slot);
    if (StopStatus stop = fault(reader.check_not_ended(), slot)) return *stop;
    // The listing is the product: once standard output fails, the rest of the walk is wasted.
    if (!console.out) return Outcome::kFileFault;
  }
  return Outcome::kCompared;
}

}  // namespace

StopStatus compare_bucket(PhraseTable& table, std::string_view other, int slot, const RunFlags& flags,
                          const Console& console) {
  // Only slots where the table holds phrases are compared.
  if (table.bucket(slot).empty()) return std::nullopt;
  other = big5dict::text_before_nul(other);  // a bucket ends at its NUL
  const big5dict::Big5Char head = slot_character(slot);
  std::string phrase;
  EntryWalker walker(other);
  // A damaged bucket may end inside an entry: an entry without a whole character yields no
  // phrase, and the walk stops at a byte that cannot be an F1.
  while (walker.position() < other.size() &&
         static_cast<std::uint8_t>(other[walker.position()]) > kEntryStartAbove) {
    const std::optional<Entry> entry = walker.next();
    if (!entry) break;
    phrase.assign({static_cast<char>(head.lead), static_cast<char>(head.trail)});
    append_restored(entry->characters, phrase);
    // The editor refuses a phrase longer than 40 bytes and so ends the run; the rebuild grows
    // only as far as the bucket it comes from.
    if (StopStatus stop = edit_phrase(table, flags, phrase, EditRequest::kAdd, console)) return stop;
  }
  return std::nullopt;
}

Outcome compare_dictionaries(platform::InputFile& second, const std::string& name, PhraseTable& table,
                                const RunFlags& flags, const Console& console) {
  const Outcome status = walk_second_file(second, name, table, flags, console);
  console.out.flush();
  if (int error = platform::output_error(console.out); error != 0) {
    console.err << platform::write_error_report(platform::kStandardOutputName, error);
    return Outcome::kFileFault;
  }
  return status;
}

}  // namespace phrase_tool
