// Writing the phrase table out as the dictionary file.
#include "phrase_tool/dictionary_writer.h"

#include <cstdint>
#include <cstring>
#include <string_view>

#include "big5dict/phrase_file.h"
#include "phrase_tool/messages.h"
#include "platform/message_writer.h"
#include "platform/replaced_file.h"
#include "platform/report.h"

namespace phrase_tool {

using namespace big5dict::phrase;

namespace {

StopStatus write_failed(const std::string& path, const platform::ReplacedFile& file, platform::MessageWriter& out) {
  out.write(platform::write_error_report(path, file.error()));
  return Outcome::kFileFault;
}

}  // namespace

StopStatus write_dictionary(const std::string& path, HeaderImage& header, const PhraseTable& table,
                            std::ostream& stream) {
  platform::MessageWriter out(stream);
  platform::ReplacedFile file;
  if (file.open(path) != 0) {
    out.write(msg::kCantOpenDictionary);
    return Outcome::kFileFault;
  }
  out.write(msg::kWritingTo);
  // The whole file is laid out before anything is written, so that it goes out in one pass, as a
  // device or a FIFO takes it.
  const std::string image = file_bytes(header, table);
  std::memcpy(header.data(), image.data(), HeaderImage::size());
  const std::string_view data = std::string_view(image).substr(HeaderImage::size());
  if (!file.write(std::string_view(image).substr(0, HeaderImage::size()))) return write_failed(path, file, out);
  std::size_t written = 0;
  for (int entry = 0; entry < kTableEntries; ++entry) {
    out.print(msg::kEntryProgress, entry, written);
    if (entry == kSlotCount) break;
    const std::size_t length = table.bucket(entry).size();
    if (length == 0) continue;
    if (!file.write(data.substr(written, length))) return write_failed(path, file, out);
    written += length;
  }
  if (!file.commit()) return write_failed(path, file, out);
  out.print(msg::kTotalLength, data.size());
  return std::nullopt;
}

}  // namespace phrase_tool
