// The sources B5IMPORT reads, by the names --from takes, each with the layout that reads its lines.
// Today's three are this project's own layouts in UTF-8, and each gives the same layout in Big5.
#pragma once

#include <memory>
#include <string_view>

#include "table_importer/big5_text.h"
#include "table_importer/layout.h"
#include "table_importer/line_report.h"

namespace table_importer {

struct SourceFormat {
  std::string_view name;
  std::unique_ptr<Layout> (*make)(Big5Text& big5, LineReport& report);
};

// Nothing for a name --from does not take.
const SourceFormat* find_source_format(std::string_view name);

}  // namespace table_importer
