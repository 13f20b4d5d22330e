// The conversion run in order: banner, usage, opening both files, the line loop, the writer.
#include "cizu_converter/run.h"

#include <new>
#include <utility>

#include "cizu_converter/hashed_dictionary.h"
#include "cizu_converter/line_conversion.h"
#include "cizu_converter/messages.h"
#include "platform/input_file.h"
#include "platform/replaced_file.h"
#include "platform/report.h"
#include "platform/text_reader.h"

namespace cizu_converter {

namespace {

ExitStatus convert(const std::string& input_name, const std::string& output_name,
                   std::ostream& out, std::ostream& err) {
  platform::InputFile input;
  if (int error = input.open(input_name); error != 0) {
    err << platform::open_failure_report(input_name, error);
    return ExitStatus::kStopped;
  }
  platform::ReplacedFile output;
  if (int error = output.open(output_name); error != 0) {
    err << platform::open_failure_report(output_name, error);
    return ExitStatus::kStopped;
  }
  out << platform::format(msg::kConverting, input_name.c_str(), output_name.c_str());

  platform::TextReader reader(std::move(input));
  Conversion conversion;
  if (!convert_lines(reader, input_name, conversion, out)) return ExitStatus::kStopped;
  out << platform::format(msg::kCount, conversion.phrases);
  if (!data_area_fits(data_area_bytes(conversion.table))) {
    out << platform::format(msg::kTooLarge, output_name.c_str());
    return ExitStatus::kStopped;
  }

  std::optional<std::size_t> max_length = write_dictionary(conversion.table, output);
  if (!max_length) {
    out << platform::write_error_report(output_name, output.error());
    return ExitStatus::kStopped;
  }
  out << platform::format(msg::kMaxLen, static_cast<long>(*max_length));
  if (!output.commit()) {
    out << platform::write_error_report(output_name, output.error());
    return ExitStatus::kStopped;
  }
  return ExitStatus::kConverted;
}

}  // namespace

ExitStatus run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  out << platform::format(msg::kBanner, platform::build_date()) << msg::kNotice;
  if (args.size() < 2) {
    out << msg::kUsage;
    return ExitStatus::kStopped;
  }
  try {
    return convert(args[0], args[1], out, err);
  } catch (const std::bad_alloc&) {
    // Nothing was committed, so the output's temporary file went with the stack.
    out << msg::kMemoryFull;
    return ExitStatus::kStopped;
  }
}

}  // namespace cizu_converter
