// B5IMPORT's command line: --from LAYOUT [--encoding NAME] SOURCE [OUTPUT], options before or after
// the names in any order, or --help.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/big5_variants.h"
#include "table_importer/source_formats.h"

namespace table_importer {

struct Arguments {
  bool help = false;
  const SourceFormat* from = nullptr;
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

}  // namespace table_importer
