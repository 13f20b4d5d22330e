// Writing the messages about single lines.
#include "table_importer/line_report.h"

#include "platform/report.h"
#include "platform/utf8.h"
#include "table_importer/messages.h"

namespace table_importer {

std::string code_points(std::string_view utf8) {
  std::string named;
  for (std::size_t pos = 0; pos < utf8.size();) {
    platform::DecodedCodePoint c = platform::decode_utf8(utf8, pos);
    if (c.length == 0) break;
    if (!named.empty()) named.push_back(' ');
    named += platform::format(msg::kCodePoint, static_cast<unsigned long>(c.code_point));
    pos += c.length;
  }
  return named;
}

void LineReport::lacking(int line, const std::vector<std::string_view>& characters, const char* left_out) {
  for (std::string_view character : characters) {
    err_ << platform::format(msg::kLacking, source_name_.c_str(), line, std::string(character).c_str(),
                             code_points(character).c_str(), platform::variant_name(variant_), left_out);
    ++lacking_count_;
  }
}

void LineReport::left_out_with_head(int line, int head_line) {
  err_ << platform::format(msg::kLeftOutWithHead, source_name_.c_str(), line, head_line);
}

}  // namespace table_importer
