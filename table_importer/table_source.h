// The tables of today's input methods as rows: a text (a character or a phrase), its code when the
// table gives one, and its weight. A reader takes the table's lines one at a time and hands on
// each row it finds; what the table says about itself (its names, its order) it keeps as facts.
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "table_importer/outcome.h"

namespace table_importer {

struct SourceRow {
  int line = 0;
  std::string_view text;
  std::optional<std::string_view> code;  // none: the row gives no code
  double weight = 0;                     // 0 when the row gives none
};

struct TableFacts {
  std::string name;          // rime's name, a .cin's %ename
  std::string chinese_name;  // a .cin's %cname or %prompt
  bool original_order = false;  // rime's sort: original
};

class RowSink {
 public:
  virtual ~RowSink() = default;
  virtual void row(const SourceRow& row) = 0;
};

enum class TableFormat { kRime, kCin, kTsv, kWords };

// Where a reader reports what stops the run.
struct SourceContext {
  std::ostream& err;
  std::string name;
};

class TableSource {
 public:
  virtual ~TableSource() = default;

  // One line of the table in UTF-8, its line feed taken off; `number` counts the lines from 1.
  virtual StopStatus line(std::string_view text, int number, RowSink& rows) = 0;
  // After the last line: a part of the table left open stops the run.
  virtual StopStatus end() { return std::nullopt; }

  virtual const TableFacts& facts() const { return facts_; }

 protected:
  TableFacts facts_;
};

// The reader of a format; without one, a reader that tells rime from .cin by the first line that is
// neither a comment nor empty, and stops the run when it is neither.
std::unique_ptr<TableSource> make_table_source(std::optional<TableFormat> format, const SourceContext& context);

// The text between blanks (spaces and tabs) at either end.
std::string_view trim_blanks(std::string_view text);

// A weight as the tables write it: a number, or a number and "%"; anything else counts as 0.
double parse_weight(std::string_view text);

}  // namespace table_importer
