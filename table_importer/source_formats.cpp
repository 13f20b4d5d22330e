// The table of sources.
#include "table_importer/source_formats.h"

#include <array>

#include "table_importer/cizu_table_layout.h"
#include "table_importer/input_table_layout.h"
#include "table_importer/phrase_text_layout.h"

namespace table_importer {

namespace {

template <typename L>
std::unique_ptr<Layout> make_layout(Big5Text& big5, LineReport& report) {
  return std::make_unique<L>(big5, report);
}

constexpr std::array<SourceFormat, 3> kSourceFormats{{
    {"phrase-text", make_layout<PhraseTextLayout>},
    {"cizu-table", make_layout<CizuTableLayout>},
    {"input-table", make_layout<InputTableLayout>},
}};

}  // namespace

const SourceFormat* find_source_format(std::string_view name) {
  for (const SourceFormat& format : kSourceFormats) {
    if (format.name == name) return &format;
  }
  return nullptr;
}

}  // namespace table_importer
