// A layout of text read line by line into the Big5 of the same layout: what each line is made of
// decides where an escape stands for its byte, and what is left out with a character the variant
// lacks, so that nothing else moves.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "table_importer/big5_text.h"
#include "table_importer/line_report.h"
#include "table_importer/outcome.h"

namespace table_importer {

class Layout {
 public:
  virtual ~Layout() = default;

  // Appends the Big5 of one line of the source (its line feed included when it has one) to `out`;
  // `number` counts the lines from 1. A line that stops the run gives its outcome, reported.
  virtual StopStatus line(std::string_view text, int number, std::string& out) = 0;
};

// A line apart from its line feed, which every layout writes back as it stood.
struct LineParts {
  std::string_view body;
  bool line_feed = false;

  explicit LineParts(std::string_view text)
      : body(text), line_feed(!text.empty() && text.back() == '\n') {
    if (line_feed) body.remove_suffix(1);
  }
  void end(std::string& out) const {
    if (line_feed) out.push_back('\n');
  }
};

// What the layouts of this project's own texts share: the conversion, the report, and room for the
// characters a line lacks.
class OwnTextLayout : public Layout {
 protected:
  OwnTextLayout(Big5Text& big5, LineReport& report) : big5_(big5), report_(report) {}

  // Appends `text`, its escapes decoded, leaving out each character the variant lacks on its own,
  // and names them with what `left_out` says.
  void append_characters(std::string_view text, int number, const char* left_out, std::string& out);

  Big5Text& big5_;
  LineReport& report_;
  std::vector<std::string_view> lacking_;
};

}  // namespace table_importer
