// The line loop over a CiZu table: progress, comments, folding, the record and its bucket.
#include "cizu_converter/line_conversion.h"

#include "big5dict/hashed_layout.h"
#include "big5dict/hashed_record.h"
#include "big5dict/hashed_text.h"
#include "cizu_converter/messages.h"
#include "platform/decimal_format.h"
#include "platform/line_step.h"

namespace cizu_converter {

namespace hashed = big5dict::hashed;

// The checks of a written dictionary take no stored key longer than the longest line read here.
static_assert(platform::kLongestLine == hashed::kLongestLine);

StopStatus convert_lines(platform::TextReader& reader, const std::string& input_name, Conversion& c,
                         platform::MessageWriter& out) {
  // The line keeps its room from line to line and each record is built where it is to lie, so a
  // line costs no allocation of its own; the progress line's format is taken apart once.
  std::string line;
  platform::DecimalFormat progress(msg::kProgress);
  for (;;) {
    switch (platform::next_line(reader, input_name, line, out)) {
      case platform::LineStep::kLine: break;
      case platform::LineStep::kEnd: return std::nullopt;
      case platform::LineStep::kReadError: return Outcome::kReadError;
      case platform::LineStep::kTooLong: return Outcome::kLongLine;
    }
    ++c.lines;
    progress.print(out, c.phrases, c.lines);
    if (hashed::is_comment(line)) continue;
    const hashed::FiledLine filed = hashed::append_line_record(line, c.table.begin_record());
    c.table.end_record(filed.bucket);
    c.phrases += filed.phrases;
  }
}

}  // namespace cizu_converter
