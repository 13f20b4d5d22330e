// Numbers written in place of %d and %ld, straight into the stream.
#include "phrase_tool/progress_line.h"

#include <algorithm>
#include <charconv>

namespace phrase_tool {

void put_numbers(std::ostream& out, std::string_view format, std::initializer_list<long> values) {
  const long* value = values.begin();
  while (!format.empty()) {
    std::size_t mark = format.find('%');
    out.write(format.data(), static_cast<std::streamsize>(std::min(mark, format.size())));
    if (mark == std::string_view::npos) return;
    format.remove_prefix(mark + 1);
    if (format.starts_with('l')) format.remove_prefix(1);
    format.remove_prefix(1);  // the 'd'
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value == values.end() ? 0 : *value).ptr;
    if (value != values.end()) ++value;
    out.write(digits, end - digits);
  }
}

}  // namespace phrase_tool
