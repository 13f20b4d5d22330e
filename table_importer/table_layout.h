// A table read through the source's line loop: its lines go to the table's reader, and the rows it
// finds to a sink, the target in a run.
#pragma once

#include <string>
#include <string_view>

#include "table_importer/layout.h"
#include "table_importer/table_source.h"

namespace table_importer {

class TableLayout : public Layout {
 public:
  TableLayout(TableSource& source, RowSink& rows) : source_(source), rows_(rows) {}

  // Writes nothing: a target writes its text once the table is read.
  StopStatus line(std::string_view text, int number, std::string&) override {
    return source_.line(LineParts(text).body, number, rows_);
  }

 private:
  TableSource& source_;
  RowSink& rows_;
};

}  // namespace table_importer
