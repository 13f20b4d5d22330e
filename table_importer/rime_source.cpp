// A rime dictionary: "#" lines, the front matter from "---" to "...", then the tab-separated body.
// Of the front matter only the top-level keys name, sort and columns are read; a key's nested
// lines, other keys and comments after " #" are passed over.
#include "table_importer/table_sources.h"

#include <vector>

#include "platform/report.h"
#include "table_importer/messages.h"

namespace table_importer {

namespace {

constexpr std::string_view kFrontMatterStart = "---";
constexpr std::string_view kFrontMatterEnd = "...";
constexpr char kCommentMark = '#';
constexpr char kFieldSeparator = '\t';

enum class Column { kText, kCode, kWeight, kOther };

Column column_of(std::string_view name) {
  if (name == "text") return Column::kText;
  if (name == "code") return Column::kCode;
  if (name == "weight") return Column::kWeight;
  return Column::kOther;
}

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// A value without its comment and its quotes.
std::string_view plain_value(std::string_view value) {
  for (std::size_t pos = 1; pos < value.size(); ++pos) {
    if (value[pos] == kCommentMark && is_blank(value[pos - 1]) && value[0] != '"' && value[0] != '\'') {
      value = value.substr(0, pos);
      break;
    }
  }
  value = trim_blanks(value);
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

class RimeSource : public TableSource {
 public:
  explicit RimeSource(const SourceContext& context) : context_(context) {}

  StopStatus line(std::string_view text, int number, RowSink& rows) override {
    switch (part_) {
      case Part::kBefore: return before(text, number);
      case Part::kFrontMatter: return front_matter(text, number);
      case Part::kBody: body(text, number, rows); return std::nullopt;
    }
    return std::nullopt;
  }

  StopStatus end() override {
    if (part_ != Part::kFrontMatter) return std::nullopt;
    context_.err << platform::format(msg::kFrontMatterOpen, context_.name.c_str(), start_line_);
    return Outcome::kTableFault;
  }

 private:
  enum class Part { kBefore, kFrontMatter, kBody };

  StopStatus before(std::string_view text, int number) {
    if (trim_blanks(text).empty() || text[0] == kCommentMark) return std::nullopt;
    if (trim_blanks(text) != kFrontMatterStart) {
      context_.err << platform::format(msg::kNoFrontMatter, context_.name.c_str(), number);
      return Outcome::kTableFault;
    }
    part_ = Part::kFrontMatter;
    start_line_ = number;
    return std::nullopt;
  }

  StopStatus front_matter(std::string_view text, int number) {
    if (trim_blanks(text) == kFrontMatterEnd) {
      part_ = Part::kBody;
      return finish_columns(number);
    }
    if (!text.empty() && is_blank(text[0])) {
      std::string_view item = trim_blanks(text);
      if (in_columns_ && item.size() > 1 && item[0] == '-' && is_blank(item[1])) {
        columns_.push_back(column_of(plain_value(item.substr(1))));
      }
      return std::nullopt;
    }
    in_columns_ = false;
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || text[0] == kCommentMark) return std::nullopt;
    const std::string_view key = trim_blanks(text.substr(0, colon));
    const std::string_view value = plain_value(text.substr(colon + 1));
    if (key == "name") {
      facts_.name = value;
    } else if (key == "sort") {
      facts_.original_order = value == "original";
    } else if (key == "columns") {
      columns_line_ = number;
      columns_.clear();
      if (value.empty()) {
        in_columns_ = true;
      } else {
        flow_columns(value);
      }
    }
    return std::nullopt;
  }

  void flow_columns(std::string_view value) {
    if (value.front() == '[') value.remove_prefix(1);
    if (!value.empty() && value.back() == ']') value.remove_suffix(1);
    while (!value.empty()) {
      const std::size_t comma = value.find(',');
      columns_.push_back(column_of(plain_value(value.substr(0, comma))));
      if (comma == std::string_view::npos) break;
      value.remove_prefix(comma + 1);
    }
  }

  StopStatus finish_columns(int number) {
    text_ = code_ = weight_ = kNone;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      if (columns_[i] == Column::kText && text_ == kNone) text_ = i;
      if (columns_[i] == Column::kCode && code_ == kNone) code_ = i;
      if (columns_[i] == Column::kWeight && weight_ == kNone) weight_ = i;
    }
    if (text_ != kNone) return std::nullopt;
    context_.err << platform::format(msg::kNoTextColumn, context_.name.c_str(), columns_line_ ? columns_line_ : number);
    return Outcome::kTableFault;
  }

  void body(std::string_view text, int number, RowSink& rows) {
    if (text.empty() || text[0] == kCommentMark) return;
    fields_.clear();
    for (std::size_t pos = 0;;) {
      const std::size_t tab = text.find(kFieldSeparator, pos);
      fields_.push_back(text.substr(pos, tab == std::string_view::npos ? std::string_view::npos : tab - pos));
      if (tab == std::string_view::npos) break;
      pos = tab + 1;
    }
    if (fields_.size() == 1 && trim_blanks(fields_[0]).empty()) return;
    SourceRow row;
    row.line = number;
    row.text = trim_blanks(field(text_));
    if (const std::string_view code = trim_blanks(field(code_)); !code.empty()) row.code = code;
    row.weight = parse_weight(trim_blanks(field(weight_)));
    rows.row(row);
  }

  std::string_view field(std::size_t index) const { return index < fields_.size() ? fields_[index] : std::string_view(); }

  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  const SourceContext& context_;
  Part part_ = Part::kBefore;
  int start_line_ = 0;
  int columns_line_ = 0;
  bool in_columns_ = false;
  std::vector<Column> columns_ = {Column::kText, Column::kCode, Column::kWeight};
  std::size_t text_ = 0, code_ = 1, weight_ = 2;
  std::vector<std::string_view> fields_;
};

}  // namespace

std::unique_ptr<TableSource> make_rime_source(const SourceContext& context) {
  return std::make_unique<RimeSource>(context);
}

}  // namespace table_importer
