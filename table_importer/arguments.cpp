// Taking the command line apart; "-" is a name (standard input or output), not an option. Every
// option is gathered first, so that what an option may be given with is checked once.
#include "table_importer/arguments.h"

#include <algorithm>
#include <array>
#include <map>

#include "big5dict/ascii.h"
#include "platform/report.h"
#include "platform/utf8.h"
#include "table_importer/messages.h"

namespace table_importer {

namespace {

namespace rules = input_table_rules;

struct Named {
  std::string_view name;
  int value;
};

constexpr std::array<Named, 4> kFormats{{{"rime", static_cast<int>(TableFormat::kRime)},
                                         {"cin", static_cast<int>(TableFormat::kCin)},
                                         {"tsv", static_cast<int>(TableFormat::kTsv)},
                                         {"words", static_cast<int>(TableFormat::kWords)}}};
constexpr std::array<Named, 3> kTargets{{{"word-list", static_cast<int>(TargetKind::kWordList)},
                                         {"cizu-table", static_cast<int>(TargetKind::kCizuTable)},
                                         {"input-table", static_cast<int>(TargetKind::kInputTable)}}};

template <std::size_t N>
std::optional<int> find_named(const std::array<Named, N>& names, std::string_view name) {
  for (const Named& n : names) {
    if (n.name == name) return n.value;
  }
  return std::nullopt;
}

// Options that take a value, those only tables take, and those only an input table takes.
constexpr std::array<const char*, 2> kLayoutOptions = {msg::kFromOption, msg::kEncodingOption};
constexpr std::array<const char*, 3> kTableOptions = {msg::kToOption, msg::kFromEncodingOption, msg::kReportOption};
constexpr std::array<const char*, 9> kHeaderOptions = {
    msg::kShortNameOption, msg::kKeyTypeOption,     msg::kMaxLenOption,
    msg::kOptionOption,    msg::kRangeOption,       msg::kSingleOption,
    msg::kRowsOption,      msg::kEnglishNameOption, msg::kChineseNameOption};

template <std::size_t N>
bool is_one_of(const std::array<const char*, N>& options, const std::string& arg) {
  return std::any_of(options.begin(), options.end(), [&arg](const char* o) { return arg == o; });
}

bool is_key_character(char c) { return c > ' ' && c < 0x7F; }

std::optional<int> row_number(std::string_view text) {
  if (text.empty() || text.size() > 3) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

ParsedArguments bad_value(const char* option, const std::string& value, const char* values) {
  return {std::nullopt, platform::format(msg::kBadOptionValue, option, value.c_str(), values)};
}

// The header options' values, checked as far as they can be without the table.
ParsedArguments header_options(const std::map<std::string, std::string>& given, InputHeaderOptions& header) {
  const auto value = [&given](const char* option) -> const std::string* {
    auto found = given.find(option);
    return found == given.end() ? nullptr : &found->second;
  };
  if (const std::string* v = value(msg::kKeyTypeOption)) {
    const char letter = v->size() == 1 ? big5dict::to_ascii_upper((*v)[0]) : '\0';
    const auto at = std::find(rules::kKeyTypeLetters.begin(), rules::kKeyTypeLetters.end(), letter);
    if (letter == '\0' || at == rules::kKeyTypeLetters.end()) return bad_value(msg::kKeyTypeOption, *v, msg::kKeyTypeValues);
    header.key_type = rules::kKeyTypes[static_cast<std::size_t>(at - rules::kKeyTypeLetters.begin())];
  }
  if (const std::string* v = value(msg::kMaxLenOption)) {
    const unsigned limit = header.key_type ? rules::max_len_limit(*header.key_type) : rules::kLongestKey;
    if (v->size() != 1 || (*v)[0] < '1' || static_cast<unsigned>((*v)[0] - '0') > limit) {
      return bad_value(msg::kMaxLenOption, *v, msg::kMaxLenValues);
    }
    header.max_len = static_cast<unsigned>((*v)[0] - '0');
  }
  if (const std::string* v = value(msg::kOptionOption)) {
    const char letter = v->size() == 1 ? big5dict::to_ascii_upper((*v)[0]) : '\0';
    if (letter != 'U' && letter != 'W' && letter != '-') return bad_value(msg::kOptionOption, *v, msg::kOptionValues);
    header.option = letter;
  }
  if (const std::string* v = value(msg::kRangeOption)) {
    if (v->size() != 3 || (*v)[1] != '-' || !is_key_character((*v)[0]) || !is_key_character((*v)[2]) || (*v)[2] == '-') {
      return bad_value(msg::kRangeOption, *v, msg::kRangeValues);
    }
    header.range = std::pair(big5dict::to_ascii_lower((*v)[0]), big5dict::to_ascii_lower((*v)[2]));
  }
  if (const std::string* v = value(msg::kSingleOption)) {
    if (v->size() != 1 || !is_key_character((*v)[0])) return bad_value(msg::kSingleOption, *v, msg::kSingleValues);
    header.single = big5dict::to_ascii_lower((*v)[0]);
  }
  if (const std::string* v = value(msg::kRowsOption)) {
    const std::size_t dash = v->find('-');
    const std::optional<int> first = row_number(std::string_view(*v).substr(0, dash));
    const std::optional<int> last =
        dash == std::string::npos ? std::nullopt : row_number(std::string_view(*v).substr(dash + 1));
    if (!first || !last || *first < 129 || *last > 254 || *first > *last) {
      return bad_value(msg::kRowsOption, *v, msg::kRowsValues);
    }
    header.rows = std::pair(*first, *last);
  }
  const std::array<std::pair<const char*, std::optional<std::string>*>, 3> names = {
      {{msg::kShortNameOption, &header.short_name},
       {msg::kEnglishNameOption, &header.english_name},
       {msg::kChineseNameOption, &header.chinese_name}}};
  for (const auto& [option, field] : names) {
    const std::string* v = value(option);
    if (v == nullptr) continue;
    if (platform::first_invalid_utf8(*v) != std::string::npos) return bad_value(option, *v, msg::kNameValues);
    *field = *v;
  }
  return {};
}

}  // namespace

const char* target_name(TargetKind target) {
  for (const Named& n : kTargets) {
    if (n.value == static_cast<int>(target)) return n.name.data();
  }
  return kTargets[0].name.data();
}

ParsedArguments parse_arguments(const std::vector<std::string>& args) {
  Arguments parsed;
  if (std::find(args.begin(), args.end(), msg::kHelpOption) != args.end()) {
    parsed.help = true;
    return {parsed, ""};
  }
  std::vector<std::string> names;
  std::map<std::string, std::string> given;
  std::vector<std::string> table_only;  // the table options given, in order
  bool strict = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool table_option = is_one_of(kTableOptions, arg) || is_one_of(kHeaderOptions, arg);
    if (table_option || is_one_of(kLayoutOptions, arg)) {
      if (i + 1 == args.size()) return {};
      given[arg] = args[++i];
      if (table_option) table_only.push_back(arg);
    } else if (arg == msg::kStrictOption) {
      strict = true;
      table_only.push_back(arg);
    } else if (arg.size() > 1 && arg[0] == '-') {
      return {};
    } else {
      names.push_back(arg);
    }
  }
  if (names.empty() || names.size() > 2) return {};
  if (auto e = given.find(msg::kEncodingOption); e != given.end()) {
    std::optional<platform::Big5Variant> variant = platform::find_variant(e->second);
    if (!variant) return {std::nullopt, platform::format(msg::kUnknownEncoding, e->second.c_str())};
    parsed.encoding = *variant;
  }
  parsed.source = names[0];
  if (names.size() == 2 && names[1] != msg::kStandardStream) parsed.output = names[1];

  const auto from = given.find(msg::kFromOption);
  const auto to = given.find(msg::kToOption);
  if (to == given.end()) {
    if (!table_only.empty()) return {std::nullopt, platform::format(msg::kOnlyWithTo, table_only.front().c_str())};
    if (from == given.end()) return {std::nullopt, msg::kNoLayout};
    parsed.from = find_source_format(from->second);
    if (parsed.from != nullptr) return {parsed, ""};
    if (find_named(kFormats, from->second)) return {std::nullopt, platform::format(msg::kFormatWithoutTo, from->second.c_str())};
    return {std::nullopt, platform::format(msg::kUnknownLayout, from->second.c_str())};
  }

  TableArguments table;
  const std::optional<int> target = find_named(kTargets, to->second);
  if (!target) return {std::nullopt, platform::format(msg::kUnknownTarget, to->second.c_str())};
  table.target = static_cast<TargetKind>(*target);
  if (from != given.end()) {
    if (find_source_format(from->second) != nullptr) {
      return {std::nullopt, platform::format(msg::kLayoutWithTo, from->second.c_str())};
    }
    const std::optional<int> format = find_named(kFormats, from->second);
    if (!format) return {std::nullopt, platform::format(msg::kUnknownFormat, from->second.c_str())};
    table.format = static_cast<TableFormat>(*format);
  }
  if (table.format == TableFormat::kWords && table.target != TargetKind::kWordList) {
    return {std::nullopt, platform::format(msg::kWordsHaveNoCodes, target_name(table.target))};
  }
  for (const std::string& option : table_only) {
    if (table.target != TargetKind::kInputTable && is_one_of(kHeaderOptions, option)) {
      return {std::nullopt, platform::format(msg::kOnlyForInputTable, option.c_str())};
    }
  }
  if (ParsedArguments bad = header_options(given, table.header); !bad.error.empty()) return bad;
  if (auto e = given.find(msg::kFromEncodingOption); e != given.end()) table.from_encoding = e->second;
  if (auto r = given.find(msg::kReportOption); r != given.end()) table.report = r->second;
  table.strict = strict;
  parsed.table = std::move(table);
  return {parsed, ""};
}

}  // namespace table_importer
