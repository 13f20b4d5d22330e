// Loading a phrase dictionary file into the header image and the phrase table.
#include "phrase_tool/dictionary_loader.h"

#include "phrase_tool/dictionary_reader.h"
#include "phrase_tool/messages.h"
#include "platform/report.h"

namespace phrase_tool {

StopStatus load_dictionary(platform::InputFile& file, const std::string& name, HeaderImage& header,
                           PhraseTable& table, std::ostream& out) {
  out << platform::format(msg::kReading, name.c_str());
  DictionaryReader reader(file, name, header);
  if (StopStatus stop = reader.read_header(out)) return stop;
  std::string bucket;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    long offset = reader.position();
    if (StopStatus stop = reader.read_bucket(slot, bucket, out)) return stop;
    // Every entry begins with a frequency unit whose first byte has bit 7 set; a bucket that does
    // not is reported but kept, so that nothing already in the file is lost.
    if (bucket.size() > 1 && static_cast<unsigned char>(bucket[0]) < kMarkBit) {
      out << platform::format(msg::kFreqError, slot, static_cast<long>(header.half_offset(slot + 1)),
                              static_cast<long>(header.half_offset(slot)), offset);
    }
    if (!bucket.empty()) table.set_bucket(slot, bucket);
    if (StopStatus stop = reader.check_not_ended(slot, out)) return stop;
  }
  return std::nullopt;
}

}  // namespace phrase_tool
