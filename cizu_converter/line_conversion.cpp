// The line loop over a CiZu table: progress, comments, folding, the record and its bucket.
#include "cizu_converter/line_conversion.h"

#include "big5dict/hashed_key.h"
#include "big5dict/hashed_layout.h"
#include "big5dict/hashed_record.h"
#include "big5dict/hashed_text.h"
#include "cizu_converter/messages.h"
#include "platform/line_step.h"

namespace cizu_converter {

namespace hashed = big5dict::hashed;

// The checks of a written dictionary take no stored key longer than the longest line read here.
static_assert(platform::kLongestLine == hashed::kLongestLine);

StopStatus convert_lines(platform::TextReader& reader, const std::string& input_name, Conversion& c,
                         platform::MessageWriter& out) {
  // Both buffers keep their room from line to line, so a line costs no allocation of its own.
  std::string line;
  hashed::Record record;
  for (;;) {
    switch (platform::next_line(reader, input_name, line, out)) {
      case platform::LineStep::kLine: break;
      case platform::LineStep::kEnd: return std::nullopt;
      case platform::LineStep::kReadError: return Outcome::kReadError;
      case platform::LineStep::kTooLong: return Outcome::kLongLine;
    }
    ++c.lines;
    out.print(msg::kProgress, c.phrases, c.lines);
    if (hashed::is_comment(line)) continue;
    hashed::fold_leading_capitals(line);
    hashed::build_record(line, record);
    c.table.add_record(hashed::key_hash(line), record.bytes);
    c.phrases += record.phrases;
  }
}

}  // namespace cizu_converter
