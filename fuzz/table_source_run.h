// What the table harnesses share: a table of any bytes read by one source format into the target
// the first byte picks, in memory. A run may stop only for a reason of its own, and in a run that
// ends every row read is kept or dropped for a reason, never both and never lost.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>

#include "platform/input_file.h"
#include "platform/text_reader.h"
#include "table_importer/cizu_table_target.h"
#include "table_importer/conversion.h"
#include "table_importer/input_table_target.h"
#include "table_importer/table_layout.h"
#include "table_importer/word_list_target.h"

namespace fuzz_tables {

using namespace table_importer;

constexpr std::size_t kLongestLine = 256;

inline void run(std::optional<TableFormat> format, const std::uint8_t* data, std::size_t size) {
  if (size == 0) return;
  static Big5Characters variants[] = {Big5Characters(platform::Big5Variant::kBig5),
                                      Big5Characters(platform::Big5Variant::kBig5Hkscs)};
  Big5Characters& big5 = variants[data[0] & 1];
  std::ostringstream err;
  DropReport report;
  InputHeaderOptions header;
  if (data[0] & 8) header.short_name = "中文";
  std::unique_ptr<Target> target;
  switch ((data[0] >> 1) % 3) {
    case 0: target = std::make_unique<WordListTarget>(big5, report); break;
    case 1: target = std::make_unique<CizuTableTarget>(big5, report); break;
    default: target = std::make_unique<InputTableTarget>(big5, report, header, "fuzz", err); break;
  }
  const SourceContext context{err, "fuzz"};
  std::unique_ptr<TableSource> source = make_table_source(format, context);
  TableLayout lines(*source, *target);
  platform::TextReader reader(platform::InputFile::from_bytes(std::string(reinterpret_cast<const char*>(data + 1), size - 1)),
                              kLongestLine);
  std::string unused;
  StopStatus stop = convert_source(reader, "fuzz", lines, unused, err);
  if (!stop) stop = source->end();
  std::string out;
  if (!stop) stop = target->finish(source->facts(), out);
  const bool expected_stop = !stop || *stop == Outcome::kNotUtf8 || *stop == Outcome::kLongLine ||
                             *stop == Outcome::kTableFault || *stop == Outcome::kUnknownFormat ||
                             *stop == Outcome::kNoShortName;
  if (!expected_stop) std::abort();
  if (stop) return;
  if (report.rows_read() != report.kept() + report.dropped()) std::abort();
  if (report.kept() > 0 && out.empty()) std::abort();
  report.write_summary(err, "fuzz");
}

}  // namespace fuzz_tables
