// Writing a phrase table out as file bytes, and reading a file back sequentially.
#include "big5dict/phrase_file.h"

namespace big5dict::phrase {

std::string file_bytes(const HeaderImage& header, const PhraseTable& table) {
  HeaderImage image = header;
  std::size_t data_bytes = 0;
  for (int entry = 0; entry < kTableEntries; ++entry) {
    image.set_half_offset(entry, static_cast<std::uint16_t>(data_bytes / 2));
    if (entry < kSlotCount) data_bytes += table.bucket(entry).size();
  }
  std::string file;
  file.reserve(HeaderImage::size() + data_bytes);
  file.append(reinterpret_cast<const char*>(image.data()), HeaderImage::size());
  for (int slot = 0; slot < kSlotCount; ++slot) file += table.bucket(slot);
  return file;
}

ReadFault PhraseFileReader::read_header() {
  position_ += static_cast<long>(file_.read(header_.data(), HeaderImage::size()));
  return file_.error() != 0 ? ReadFault::kReadError : ReadFault::kNone;
}

ReadFault PhraseFileReader::read_bucket(int slot, std::string& bucket) {
  const std::size_t length = header_.bucket_length(slot);
  if (length >= kBucketLimit) return ReadFault::kBucketTooLong;
  bucket.resize(length);
  const std::size_t got = file_.read(bucket.data(), length);
  position_ += static_cast<long>(got);
  if (file_.error() != 0) return ReadFault::kReadError;
  if (got < length) return ReadFault::kFileShort;
  return ReadFault::kNone;
}

}  // namespace big5dict::phrase
