// A .cin table: "#" comments, "%" directives, the keyboard's keys between "%keyname begin" and
// "%keyname end", and between "%chardef begin" and "%chardef end" one "keys value" a line, in
// order of preference. Directives that do not matter here (%selkey, %endkey, flags) are read and
// passed over.
#include <vector>

#include "big5dict/ascii.h"
#include "platform/report.h"
#include "table_importer/messages.h"
#include "table_importer/table_sources.h"

namespace table_importer {

namespace {

constexpr char kCommentMark = '#';
constexpr char kDirectiveMark = '%';

bool is_blank(char c) { return c == ' ' || c == '\t'; }

bool same_word(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (big5dict::to_ascii_lower(a[i]) != big5dict::to_ascii_lower(b[i])) return false;
  }
  return true;
}

// The first word of a line and the rest behind its blanks.
struct Split {
  std::string_view word, rest;
};
Split split_word(std::string_view text) {
  std::size_t end = 0;
  while (end < text.size() && !is_blank(text[end])) ++end;
  return {text.substr(0, end), trim_blanks(text.substr(end))};
}

class CinSource : public TableSource {
 public:
  explicit CinSource(const SourceContext& context) : context_(context) {}

  StopStatus line(std::string_view text, int number, RowSink& rows) override {
    const std::string_view trimmed = trim_blanks(text);
    if (trimmed.empty() || trimmed[0] == kCommentMark) return std::nullopt;
    const Split split = split_word(trimmed);
    if (open_ != Block::kNone) {
      if (same_word(split.word, block_name()) && same_word(split.rest, "end")) {
        open_ = Block::kNone;
      } else if (open_ == Block::kCharDef) {
        SourceRow row;
        row.line = number;
        row.code = split.word;
        row.text = split.rest;
        rows.row(row);
      }
      return std::nullopt;
    }
    if (trimmed[0] != kDirectiveMark) return std::nullopt;
    if (same_word(split.rest, "begin") && (same_word(split.word, kCharDef) || same_word(split.word, kKeyName))) {
      open_ = same_word(split.word, kCharDef) ? Block::kCharDef : Block::kKeyName;
      open_line_ = number;
    } else if (same_word(split.word, "%ename")) {
      facts_.name = split.rest;
    } else if (same_word(split.word, "%cname") || (same_word(split.word, "%prompt") && !cname_given_)) {
      cname_given_ = cname_given_ || same_word(split.word, "%cname");
      facts_.chinese_name = split.rest;
    }
    return std::nullopt;
  }

  StopStatus end() override {
    if (open_ == Block::kNone) return std::nullopt;
    const std::string begin = std::string(block_name()) + " begin";
    const std::string end = std::string(block_name()) + " end";
    context_.err << platform::format(msg::kBlockOpen, context_.name.c_str(), begin.c_str(), open_line_, end.c_str());
    return Outcome::kTableFault;
  }

 private:
  enum class Block { kNone, kKeyName, kCharDef };
  static constexpr std::string_view kCharDef = "%chardef";
  static constexpr std::string_view kKeyName = "%keyname";

  std::string_view block_name() const { return open_ == Block::kCharDef ? kCharDef : kKeyName; }

  const SourceContext& context_;
  Block open_ = Block::kNone;
  int open_line_ = 0;
  bool cname_given_ = false;
};

}  // namespace

std::unique_ptr<TableSource> make_cin_source(const SourceContext& context) {
  return std::make_unique<CinSource>(context);
}

}  // namespace table_importer
