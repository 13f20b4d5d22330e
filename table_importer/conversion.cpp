// Reading the source line by line.
#include "table_importer/conversion.h"

#include <string_view>

#include "platform/report.h"
#include "platform/utf8.h"
#include "table_importer/messages.h"

namespace table_importer {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

StopStatus convert_source(platform::TextReader& reader, const std::string& source_name, Layout& layout,
                          std::string& big5, std::ostream& err) {
  std::string line;
  for (bool first = true;; first = false) {
    switch (reader.read_line(line)) {
      case platform::LineStatus::kLine: break;
      case platform::LineStatus::kEnd: return std::nullopt;
      case platform::LineStatus::kTooLong:
        err << platform::long_line_report(reader.line_number(), source_name);
        return Outcome::kLongLine;
      case platform::LineStatus::kError:
        err << platform::read_error_report(source_name, reader.error());
        return Outcome::kReadError;
    }
    const int number = reader.line_number();
    if (std::size_t bad = platform::first_invalid_utf8(line); bad != std::string::npos) {
      err << platform::format(msg::kNotUtf8, source_name.c_str(), number, static_cast<unsigned char>(line[bad]), bad);
      return Outcome::kNotUtf8;
    }
    std::string_view text = line;
    if (first && text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
    if (StopStatus stop = layout.line(text, number, big5)) return stop;
  }
}

}  // namespace table_importer
