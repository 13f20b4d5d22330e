// LEXMOOR's run: banner, arguments, the source, then a comparison or a word list, then the output.
#include "phrase_tool/run.h"

#include <cctype>
#include <memory>
#include <new>
#include <optional>

#include "big5dict/phrase_layout.h"
#include "big5dict/phrase_table.h"
#include "phrase_tool/comparison.h"
#include "phrase_tool/dictionary_loader.h"
#include "phrase_tool/dictionary_writer.h"
#include "phrase_tool/text_export.h"
#include "phrase_tool/messages.h"
#include "phrase_tool/text_import.h"
#include "phrase_tool/word_list.h"
#include "platform/input_file.h"
#include "platform/build_date.h"
#include "platform/report.h"
#include "platform/standard_descriptors.h"

namespace phrase_tool {

using big5dict::phrase::HeaderImage;
using big5dict::phrase::PhraseTable;

namespace {

Outcome usage(std::ostream& out) {
  for (const char* line : msg::kUsage) out << line;
  return Outcome::kUsage;
}

bool is_at_end_option(const std::string& argument) {
  const std::string_view option = msg::kAtEndOption;
  if (argument.size() != option.size()) return false;
  for (std::size_t i = 0; i < option.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(argument[i])) != option[i]) return false;
  }
  return true;
}

std::unique_ptr<PhraseTable> allocate_table() {
  try {
    return std::make_unique<PhraseTable>();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

// The file a run writes may be standard output itself (a link to /dev/stdout, say): it then takes
// the dictionary alone, and the messages go to standard error. A comparison writes no file; its
// listing is the product on standard output.
bool output_is_standard_output(bool comparison) {
  return !comparison && (platform::names_standard_output(msg::kDictionaryName) ||
                         platform::names_standard_output(msg::kExportName));
}

Outcome run_steps(const std::vector<std::string>& args, const Console& standard) {
  RunFlags flags;
  std::size_t next = 0;
  if (next < args.size() && is_at_end_option(args[next])) {
    flags.at_end = true;
    ++next;
  }
  if (next >= args.size()) return usage(standard.out);
  const std::string& source = args[next];
  const std::optional<std::string> second =
      next + 1 < args.size() ? std::optional<std::string>(args[next + 1]) : std::nullopt;
  // Opened before the source is read, so that where the messages go is known before the first.
  platform::InputFile other;
  const bool comparison = second && !second->empty() && (*second)[0] == '@' && other.open(second->substr(1)) == 0;
  const Console console =
      output_is_standard_output(comparison) ? Console{standard.err, standard.err} : standard;
  std::ostream& out = console.out;

  std::unique_ptr<PhraseTable> table = allocate_table();
  if (!table) {
    out << msg::kNoTableMemory;
    return Outcome::kContentFault;
  }
  HeaderImage header;

  const char form = source.empty() ? '\0' : source[0];
  if (form == '@') {
    platform::InputFile file;
    const std::string name = source.substr(1);
    if (file.open(name) != 0) return usage(standard.out);
    flags.list_added = true;
    if (StopStatus stop = load_dictionary(file, name, header, *table, out)) return *stop;
  } else if (form == '#') {
    flags.at_end = true;
    flags.list_added = true;
  } else if (form == '$') {
    if (StopStatus stop = import_source(source.substr(1), *table, out)) return *stop;
  } else {
    return usage(standard.out);
  }

  if (comparison) return compare_dictionaries(other, second->substr(1), *table, flags, console);
  if (second) {
    if (StopStatus stop = apply_word_list(*second, *table, flags, console)) return *stop;
  }

  StopStatus written = flags.text_export ? export_text(msg::kExportName, header, *table, out)
                                         : write_dictionary(msg::kDictionaryName, header, *table, out);
  if (written) return *written;
  return Outcome::kWritten;
}

}  // namespace

int exit_status(Outcome outcome) {
  switch (outcome) {
    case Outcome::kWritten:
    case Outcome::kFileFault:
      return 1;
    case Outcome::kUsage:
    case Outcome::kContentFault:
    case Outcome::kCompared:
      return 0;
  }
  return 1;
}

Outcome run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  err << platform::format(msg::kBanner, platform::build_date()) << msg::kNotice;
  const Console console{out, err};
  try {
    return run_steps(args, console);
  } catch (const std::bad_alloc&) {
    err << msg::kMemoryFull;
    return Outcome::kContentFault;
  }
}

}  // namespace phrase_tool
