// The run in order: the conversions, the options that need them, the source, the output and the
// report checked, the table read row by row into its target, the target decided, the summary,
// and only then the report and the output, so that a run that stops writes nothing.
#include "table_importer/table_import.h"

#include <memory>

#include "platform/report.h"
#include "platform/text_reader.h"
#include "table_importer/big5_characters.h"
#include "table_importer/cizu_table_target.h"
#include "table_importer/conversion.h"
#include "table_importer/drop_report.h"
#include "table_importer/input_table_target.h"
#include "table_importer/messages.h"
#include "table_importer/product.h"
#include "table_importer/table_layout.h"
#include "table_importer/table_source.h"
#include "table_importer/word_list_target.h"

namespace table_importer {

namespace {

// The source's file name without its folder and its extensions: the English name's last default.
std::string bare_file_name(const std::string& source) {
  if (source == msg::kStandardStream) return "";
  std::string name = source.substr(source.find_last_of('/') + 1);
  return name.substr(0, name.find('.'));
}

std::unique_ptr<Target> make_target(const Arguments& args, Big5Characters& big5, DropReport& report,
                                    std::ostream& err) {
  switch (args.table->target) {
    case TargetKind::kWordList: return std::make_unique<WordListTarget>(big5, report);
    case TargetKind::kCizuTable: return std::make_unique<CizuTableTarget>(big5, report);
    case TargetKind::kInputTable:
      return std::make_unique<InputTableTarget>(big5, report, args.table->header, bare_file_name(args.source), err);
  }
  return nullptr;
}

// What the options say that can be checked before the table is read.
StopStatus check_header_options(const TableArguments& table, Big5Characters& big5, std::ostream& err) {
  if (table.target != TargetKind::kInputTable) return std::nullopt;
  const std::optional<std::string>& name = table.header.short_name;
  if (name && !is_short_name(*name, big5)) {
    err << platform::format(msg::kBadOptionValue, msg::kShortNameOption, name->c_str(), msg::kShortNameValues);
    return Outcome::kUsage;
  }
  // Of the formats only a .cin names itself in Chinese.
  if (!name && table.format && *table.format != TableFormat::kCin) {
    err << msg::kNoShortName;
    return Outcome::kNoShortName;
  }
  return std::nullopt;
}

StopStatus check_source_encoding(SourceDecoder& decoder, std::ostream& err) {
  if (!decoder.available()) {
    err << platform::format(msg::kUnknownSourceEncoding, decoder.name().c_str());
    return Outcome::kUsage;
  }
  if (!decoder.ascii_compatible()) {
    err << platform::format(msg::kNotAsciiEncoding, decoder.name().c_str());
    return Outcome::kUsage;
  }
  return std::nullopt;
}

}  // namespace

Outcome import_table(const Arguments& args, const std::string& source_name, std::ostream& out, std::ostream& err) {
  const TableArguments& table = *args.table;
  Big5Characters big5(args.encoding);
  if (!big5.available()) {
    err << platform::format(msg::kNoConversion, platform::variant_name(args.encoding));
    return Outcome::kNoConversion;
  }
  SourceDecoder decoder = table.from_encoding ? SourceDecoder(*table.from_encoding) : SourceDecoder();
  if (StopStatus stop = check_source_encoding(decoder, err)) return *stop;
  if (StopStatus stop = check_header_options(table, big5, err)) return *stop;

  platform::InputFile input;
  if (StopStatus stop = open_source(args.source, source_name, input, err)) return *stop;
  Product output(args.output);
  if (StopStatus stop = output.open(err)) return *stop;
  Product report_file(table.report);
  if (!table.report.empty()) {
    if (StopStatus stop = report_file.open(err)) return *stop;
  }

  DropReport report;
  std::unique_ptr<Target> target = make_target(args, big5, report, err);
  const SourceContext context{err, source_name};
  std::unique_ptr<TableSource> source = make_table_source(table.format, context);
  TableLayout layout(*source, *target);
  if (std::optional<std::uint64_t> size = input.regular_size()) target->expect(*size);
  platform::TextReader reader(std::move(input));
  std::string unused;
  if (StopStatus stop = convert_source(reader, source_name, decoder, layout, unused, err)) return *stop;
  if (StopStatus stop = source->end()) return *stop;
  std::string text;
  if (StopStatus stop = target->finish(source->facts(), text)) return *stop;

  report.write_summary(err, source_name);
  if (!table.report.empty()) {
    if (StopStatus stop = report_file.write(report.report_file(), out, err)) return *stop;
  }
  if (report.kept() == 0) {
    err << platform::format(msg::kNothingKept, source_name.c_str());
    return Outcome::kNothingKept;
  }
  if (table.strict && report.dropped() > 0) {
    err << platform::format(msg::kStrictDropped, report.dropped());
    return Outcome::kStrictDropped;
  }
  if (StopStatus stop = output.write(text, out, err)) return *stop;
  return Outcome::kWritten;
}

}  // namespace table_importer
