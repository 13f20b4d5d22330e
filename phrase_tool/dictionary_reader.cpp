// Sequential reading of a phrase dictionary file, shared by the load and the comparison.
#include "phrase_tool/dictionary_reader.h"

#include "phrase_tool/messages.h"
#include "platform/report.h"

namespace phrase_tool {

StopStatus DictionaryReader::read_header(std::ostream& out) {
  position_ += static_cast<long>(file_.read(header_.data(), HeaderImage::size()));
  if (file_.error() != 0) return read_error(out);
  return std::nullopt;
}

StopStatus DictionaryReader::read_bucket(int slot, std::string& bucket, std::ostream& out) {
  std::size_t length = header_.bucket_length(slot);
  if (length >= kBucketLimit) {
    out << platform::format(msg::kMaxBuff, static_cast<int>(length));
    return Outcome::kContentFault;
  }
  bucket.resize(length);
  std::size_t got = file_.read(bucket.data(), length);
  position_ += static_cast<long>(got);
  if (file_.error() != 0) return read_error(out);
  if (got < length) {
    out << platform::format(msg::kErrorInFile, name_.c_str());
    return Outcome::kFileFault;
  }
  return std::nullopt;
}

StopStatus DictionaryReader::check_not_ended(int slot, std::ostream& out) const {
  if (!file_.at_end()) return std::nullopt;
  out << platform::format(msg::kEofAt, slot);
  return Outcome::kFileFault;
}

StopStatus DictionaryReader::read_error(std::ostream& out) const {
  out << platform::read_error_report(name_, file_.error());
  return Outcome::kFileFault;
}

}  // namespace phrase_tool
