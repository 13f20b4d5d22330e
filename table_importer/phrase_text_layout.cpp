// Each line is converted first and then taken as the import takes its Big5: by its first two bytes.
#include "table_importer/phrase_text_layout.h"

#include "big5dict/phrase_text.h"
#include "table_importer/messages.h"

namespace table_importer {

StopStatus PhraseTextLayout::line(std::string_view text, int number, std::string& out) {
  using big5dict::phrase::SourceLineKind;
  const std::size_t start = out.size();
  const LineParts parts(text);
  lacking_.clear();
  const bool plain = big5_.append_plain_line(text, out);
  if (!plain) {
    big5_.append(parts.body, Escapes::kDecoded, out, lacking_);
    if (!lacking_.empty() && lacking_.front().data() == parts.body.data()) {
      out.resize(start);
      dropped_head_ = number;
      report_.lacking(number, lacking_, msg::kSlotLeftOut);
      return std::nullopt;
    }
  }
  switch (big5dict::phrase::source_line_kind(std::string_view(out).substr(start))) {
    case SourceLineKind::kContinuation:
      if (dropped_head_ != 0) {
        out.resize(start);
        report_.left_out_with_head(number, dropped_head_);
        return std::nullopt;
      }
      if (!lacking_.empty()) {
        out.resize(start);
        report_.lacking(number, lacking_, msg::kPhraseLeftOut);
        return std::nullopt;
      }
      break;
    case SourceLineKind::kHead:
      dropped_head_ = 0;
      report_.lacking(number, lacking_, msg::kSecondCharacterLeftOut);
      break;
    case SourceLineKind::kOther:
      report_.lacking(number, lacking_, msg::kCharacterLeftOut);
      break;
  }
  if (!plain) parts.end(out);
  return std::nullopt;
}

}  // namespace table_importer
