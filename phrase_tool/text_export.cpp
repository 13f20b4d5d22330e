// Writing the phrase table out as the text export.
#include "phrase_tool/text_export.h"

#include "big5dict/phrase_text.h"
#include "phrase_tool/messages.h"
#include "platform/replaced_file.h"
#include "platform/report.h"

namespace phrase_tool {

StopStatus export_text(const std::string& path, const big5dict::phrase::HeaderImage& header,
                       const big5dict::phrase::PhraseTable& table, std::ostream& out) {
  platform::ReplacedFile file;
  if (file.open(path) != 0) {
    out << msg::kCantOpenExport;
    return Outcome::kFileFault;
  }
  if (!file.write(big5dict::phrase::export_text(header, table)) || !file.commit()) {
    out << platform::write_error_report(path, file.error());
    return Outcome::kFileFault;
  }
  return std::nullopt;
}

}  // namespace phrase_tool
