// Taking the command line apart; "-" is a name (standard input or output), not an option.
#include "table_importer/arguments.h"

#include <algorithm>

#include "platform/report.h"
#include "table_importer/messages.h"

namespace table_importer {

ParsedArguments parse_arguments(const std::vector<std::string>& args) {
  Arguments parsed;
  if (std::find(args.begin(), args.end(), msg::kHelpOption) != args.end()) {
    parsed.help = true;
    return {parsed, ""};
  }
  std::vector<std::string> names;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool takes_value = arg == msg::kFromOption || arg == msg::kEncodingOption;
    if (takes_value && i + 1 == args.size()) return {};
    if (arg == msg::kFromOption) {
      parsed.from = find_source_format(args[++i]);
      if (parsed.from == nullptr) return {std::nullopt, platform::format(msg::kUnknownLayout, args[i].c_str())};
    } else if (arg == msg::kEncodingOption) {
      std::optional<platform::Big5Variant> variant = platform::find_variant(args[++i]);
      if (!variant) return {std::nullopt, platform::format(msg::kUnknownEncoding, args[i].c_str())};
      parsed.encoding = *variant;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return {};
    } else {
      names.push_back(arg);
    }
  }
  if (names.empty() || names.size() > 2) return {};
  if (parsed.from == nullptr) return {std::nullopt, msg::kNoLayout};
  parsed.source = names[0];
  if (names.size() == 2 && names[1] != msg::kStandardStream) parsed.output = names[1];
  return {parsed, ""};
}

}  // namespace table_importer
