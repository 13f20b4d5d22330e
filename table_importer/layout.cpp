// What the layouts of this project's own texts share.
#include "table_importer/layout.h"

namespace table_importer {

void OwnTextLayout::append_characters(std::string_view text, int number, const char* left_out, std::string& out) {
  lacking_.clear();
  big5_.append(text, Escapes::kDecoded, out, lacking_);
  report_.lacking(number, lacking_, left_out);
}

}  // namespace table_importer
