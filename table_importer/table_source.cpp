// The plain formats (tab-separated lists, word lists), the reader that tells rime from .cin, and
// what every reader shares.
#include "table_importer/table_source.h"

#include <charconv>
#include <cmath>

#include "platform/report.h"
#include "table_importer/messages.h"
#include "table_importer/table_sources.h"

namespace table_importer {

namespace {

constexpr char kFieldSeparator = '\t';

// text<TAB>code[<TAB>weight], one entry a line; empty lines are passed over.
class TsvSource : public TableSource {
 public:
  StopStatus line(std::string_view text, int number, RowSink& rows) override {
    if (trim_blanks(text).empty()) return std::nullopt;
    SourceRow row;
    row.line = number;
    const std::size_t tab = text.find(kFieldSeparator);
    row.text = trim_blanks(text.substr(0, tab));
    if (tab != std::string_view::npos) {
      const std::string_view rest = text.substr(tab + 1);
      const std::size_t second = rest.find(kFieldSeparator);
      if (std::string_view code = trim_blanks(rest.substr(0, second)); !code.empty()) row.code = code;
      if (second != std::string_view::npos) row.weight = parse_weight(trim_blanks(rest.substr(second + 1)));
    }
    rows.row(row);
    return std::nullopt;
  }
};

// One phrase a line; empty lines are passed over.
class WordsSource : public TableSource {
 public:
  StopStatus line(std::string_view text, int number, RowSink& rows) override {
    SourceRow row;
    row.line = number;
    row.text = trim_blanks(text);
    if (!row.text.empty()) rows.row(row);
    return std::nullopt;
  }
};

// rime begins, after its "#" lines, with "---"; a .cin with a "%" directive.
class DetectingSource : public TableSource {
 public:
  explicit DetectingSource(const SourceContext& context) : context_(context) {}

  StopStatus line(std::string_view text, int number, RowSink& rows) override {
    if (!found_) {
      const std::string_view trimmed = trim_blanks(text);
      if (trimmed.empty() || trimmed[0] == '#') return std::nullopt;
      if (trimmed == "---") {
        found_ = make_rime_source(context_);
      } else if (trimmed[0] == '%') {
        found_ = make_cin_source(context_);
      } else {
        context_.err << platform::format(msg::kFormatUnknown, context_.name.c_str(), number);
        return Outcome::kUnknownFormat;
      }
    }
    return found_->line(text, number, rows);
  }

  const TableFacts& facts() const override { return found_ ? found_->facts() : facts_; }

  StopStatus end() override {
    if (found_) return found_->end();
    context_.err << platform::format(msg::kFormatUnknownEmpty, context_.name.c_str());
    return Outcome::kUnknownFormat;
  }

 private:
  const SourceContext& context_;
  std::unique_ptr<TableSource> found_;
};

}  // namespace

std::unique_ptr<TableSource> make_table_source(std::optional<TableFormat> format, const SourceContext& context) {
  if (!format) return std::make_unique<DetectingSource>(context);
  switch (*format) {
    case TableFormat::kRime: return make_rime_source(context);
    case TableFormat::kCin: return make_cin_source(context);
    case TableFormat::kTsv: return std::make_unique<TsvSource>();
    case TableFormat::kWords: return std::make_unique<WordsSource>();
  }
  return nullptr;
}

std::string_view trim_blanks(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

double parse_weight(std::string_view text) {
  if (!text.empty() && text.back() == '%') text.remove_suffix(1);
  double weight = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), weight);
  // A weight that is no finite number would leave the order of rows undefined.
  const bool whole = error == std::errc() && end == text.data() + text.size();
  return whole && std::isfinite(weight) ? weight : 0;
}

}  // namespace table_importer
