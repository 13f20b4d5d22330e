// Storing whole buckets into the phrase table.
#include "big5dict/phrase_table.h"

namespace big5dict::phrase {

void PhraseTable::set_bucket(int slot, std::string_view bytes) {
  std::size_t end = bytes.find('\0');
  if (end != std::string_view::npos) bytes = bytes.substr(0, end);
  // A NUL in a trail byte of a damaged file would leave an odd length. The half-offsets count
  // two-byte units, so an odd byte written back would shift every later bucket of the file: the
  // bucket keeps its whole units only.
  bytes = bytes.substr(0, bytes.size() - bytes.size() % 2);
  buckets_[static_cast<std::size_t>(slot)] = std::string(bytes);
}

}  // namespace big5dict::phrase
