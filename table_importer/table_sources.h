// The readers of each format, behind make_table_source.
#pragma once

#include <memory>

#include "table_importer/table_source.h"

namespace table_importer {

std::unique_ptr<TableSource> make_rime_source(const SourceContext& context);
std::unique_ptr<TableSource> make_cin_source(const SourceContext& context);

}  // namespace table_importer
