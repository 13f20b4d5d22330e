// Code-by-code conversion through the code table; the table itself is built once through iconv.
#include "dictionary_viewer/utf8_conversion.h"

#include <cstdint>
#include "platform/byte_escapes.h"

namespace dictionary_viewer {

namespace {

constexpr char kBackslash = '\\';

}  // namespace

Big5ToUtf8::Big5ToUtf8(platform::Big5Variant variant) : variant_(variant), table_(code_table(variant)) {}

Utf8Text Big5ToUtf8::convert(std::string_view big5, Backslashes backslashes) const {
  Utf8Text result;
  result.text.reserve(big5.size() + big5.size() / 2);
  bool escaping = backslashes != Backslashes::kKept;
  std::size_t pos = 0;
  while (pos < big5.size()) {
    const std::uint8_t b = static_cast<std::uint8_t>(big5[pos]);
    if (b < 0x80) {
      if (b == kBackslash && escaping && platform::escape_at(big5, pos)) {
        platform::append_escape(b, result.text);
        ++result.escaped;
      } else {
        result.text.push_back(big5[pos]);
      }
      if (b == '\n' && backslashes == Backslashes::kEscapedInFirstLine) escaping = false;
      ++pos;
      continue;
    }
    if (pos + 1 >= big5.size() || big5[pos + 1] == '\n') {
      platform::append_escape(b, result.text);
      ++result.escaped;
      ++pos;
      continue;
    }
    const std::uint8_t trail = static_cast<std::uint8_t>(big5[pos + 1]);
    const CodeForm& form = table_.form(b, trail);
    if (form.exact()) {
      result.text += form.text();
      if (form.private_use) ++result.private_use;
    } else {
      platform::append_escape(b, result.text);
      platform::append_escape(trail, result.text);
      ++result.escaped;
    }
    pos += 2;
  }
  return result;
}

void convert_summary(const Big5ToUtf8& converter, Examination& examination, Utf8Text& counts) {
  auto convert = [&](std::string& field) {
    Utf8Text utf8 = converter.convert(field);
    field = std::move(utf8.text);
    counts.escaped += utf8.escaped;
    counts.private_use += utf8.private_use;
  };
  convert(examination.summary);
  for (std::vector<Finding>* findings : {&examination.violations, &examination.warnings}) {
    for (Finding& f : *findings) {
      convert(f.place);
      convert(f.text);
    }
  }
}

}  // namespace dictionary_viewer
