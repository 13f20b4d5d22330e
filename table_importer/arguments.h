// B5IMPORT's command line, options before or after the names in any order, or --help:
//   --from LAYOUT [--encoding NAME] SOURCE [OUTPUT]             this project's own layouts
//   [--from FORMAT] --to TARGET [options] SOURCE [OUTPUT]        today's tables
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/big5_variants.h"
#include "table_importer/input_table_header.h"
#include "table_importer/source_formats.h"
#include "table_importer/table_source.h"
#include "table_importer/target.h"

namespace table_importer {

struct TableArguments {
  std::optional<TableFormat> format;  // none: told by the table's first lines
  TargetKind target = TargetKind::kWordList;
  std::optional<std::string> from_encoding;
  std::string report;  // empty: no report file
  bool strict = false;
  InputHeaderOptions header;
};

struct Arguments {
  bool help = false;
  const SourceFormat* from = nullptr;  // one of the own layouts; none for a table
  std::optional<TableArguments> table;
  platform::Big5Variant encoding = platform::kDefaultVariant;
  std::string source;  // "-" for standard input
  std::string output;  // empty for standard output
};

// The arguments, or the usage error: its own line (empty when the usage text says it all).
struct ParsedArguments {
  std::optional<Arguments> arguments;
  std::string error;
};

// `args` are the arguments after the program name.
ParsedArguments parse_arguments(const std::vector<std::string>& args);

// The name of a target, as --to takes it.
const char* target_name(TargetKind target);

}  // namespace table_importer
