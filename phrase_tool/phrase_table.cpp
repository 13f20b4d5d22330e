// Storing whole buckets into the phrase table.
#include "phrase_tool/phrase_table.h"

namespace phrase_tool {

void PhraseTable::set_bucket(int slot, std::string_view bytes) {
  std::size_t end = bytes.find('\0');
  if (end != std::string_view::npos) bytes = bytes.substr(0, end);
  buckets_[static_cast<std::size_t>(slot)] = std::string(bytes);
}

}  // namespace phrase_tool
