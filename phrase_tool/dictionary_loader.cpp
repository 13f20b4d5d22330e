// Loading a phrase dictionary file into the header image and the phrase table.
#include "phrase_tool/dictionary_loader.h"

#include "phrase_tool/messages.h"
#include "platform/message_writer.h"
#include "platform/report.h"

namespace phrase_tool {

using namespace big5dict::phrase;

StopStatus report_read_fault(ReadFault fault, const PhraseFileReader& reader, const std::string& name,
                             const HeaderImage& header, int slot, std::ostream& out) {
  switch (fault) {
    case ReadFault::kNone:
      return std::nullopt;
    case ReadFault::kReadError:
      out << platform::read_error_report(name, reader.error());
      return Outcome::kFileFault;
    case ReadFault::kBucketTooLong:
      out << platform::format(msg::kMaxBuff, static_cast<int>(header.bucket_length(slot)));
      return Outcome::kContentFault;
    case ReadFault::kFileShort:
      out << platform::format(msg::kErrorInFile, name.c_str());
      return Outcome::kFileFault;
    case ReadFault::kFileEnded:
      out << platform::format(msg::kEofAt, slot);
      return Outcome::kFileFault;
  }
  return Outcome::kFileFault;
}

StopStatus load_dictionary(platform::InputFile& file, const std::string& name, HeaderImage& header,
                           PhraseTable& table, std::ostream& out) {
  out << platform::format(msg::kReading, name.c_str());
  PhraseFileReader reader(file, header);
  if (StopStatus stop = report_read_fault(reader.read_header(), reader, name, header, 0, out)) return stop;
  std::string bucket;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    long offset = reader.position();
    if (StopStatus stop = report_read_fault(reader.read_bucket(slot, bucket), reader, name, header, slot, out)) {
      return stop;
    }
    if (starts_without_frequency_unit(bucket)) {
      out << platform::format(msg::kFreqError, slot, static_cast<long>(header.half_offset(slot + 1)),
                              static_cast<long>(header.half_offset(slot)), offset);
    }
    if (!bucket.empty()) table.set_bucket(slot, bucket);
    if (StopStatus stop = report_read_fault(reader.check_not_ended(), reader, name, header, slot, out)) return stop;
  }
  return std::nullopt;
}

}  // namespace phrase_tool
