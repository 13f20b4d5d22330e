// The run in order: the arguments, the conversion, the source, the check that the output can be
// written, the line loop, and only then the output, so that a run that fails writes nothing.
#include "table_importer/run.h"

#include <new>
#include <utility>

#include "platform/input_file.h"
#include "platform/report.h"
#include "platform/text_reader.h"
#include "table_importer/arguments.h"
#include "table_importer/big5_text.h"
#include "table_importer/conversion.h"
#include "table_importer/line_report.h"
#include "table_importer/messages.h"
#include "table_importer/product.h"
#include "table_importer/table_import.h"

namespace table_importer {

namespace {

Outcome import(const Arguments& args, const std::string& source_name, std::ostream& out, std::ostream& err) {
  Big5Text big5(args.encoding);
  const char* variant = platform::variant_name(args.encoding);
  if (!big5.available()) {
    err << platform::format(msg::kNoConversion, variant);
    return Outcome::kNoConversion;
  }
  platform::InputFile input;
  if (StopStatus stop = open_source(args.source, source_name, input, err)) return *stop;
  Product output(args.output);
  if (StopStatus stop = output.open(err)) return *stop;

  platform::TextReader reader(std::move(input));
  LineReport report(err, source_name, args.encoding);
  std::unique_ptr<Layout> layout = args.from->make(big5, report);
  std::string text;
  if (StopStatus stop = convert_source(reader, source_name, *layout, text, err)) return *stop;
  if (StopStatus stop = output.write(text, out, err)) return *stop;
  if (report.lacking_count() > 0) err << platform::format(msg::kLackingCount, report.lacking_count(), variant);
  return Outcome::kWritten;
}

}  // namespace

int exit_status(Outcome outcome) {
  switch (outcome) {
    case Outcome::kWritten:
    case Outcome::kHelp:
      return 0;
    case Outcome::kUsage:
    case Outcome::kUnknownFormat:
    case Outcome::kNoShortName:
      return 2;
    case Outcome::kNoConversion:
    case Outcome::kCannotOpen:
    case Outcome::kReadError:
    case Outcome::kLongLine:
    case Outcome::kNotUtf8:
    case Outcome::kHeaderLacking:
    case Outcome::kTableFault:
    case Outcome::kNothingKept:
    case Outcome::kStrictDropped:
    case Outcome::kWriteError:
    case Outcome::kNoMemory:
      return 1;
  }
  return 1;
}

Outcome run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  ParsedArguments parsed = parse_arguments(args);
  if (!parsed.arguments) {
    err << parsed.error << msg::kUsage;
    return Outcome::kUsage;
  }
  if (parsed.arguments->help) {
    if (StopStatus stop = Product("").write(msg::kUsage, out, err)) return *stop;
    return Outcome::kHelp;
  }
  const std::string source_name =
      parsed.arguments->source == msg::kStandardStream ? msg::kStandardInputName : parsed.arguments->source;
  try {
    if (parsed.arguments->table) return import_table(*parsed.arguments, source_name, out, err);
    return import(*parsed.arguments, source_name, out, err);
  } catch (const std::bad_alloc&) {
    // Nothing was committed, so the output's temporary file went with the stack.
    err << platform::format(msg::kNotEnoughMemory, source_name.c_str());
    return Outcome::kNoMemory;
  }
}

}  // namespace table_importer
