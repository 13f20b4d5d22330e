// The conversion run in order: banner, usage, opening both files, the line loop, the writer.
#include "cizu_converter/run.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <optional>
#include <string_view>
#include <utility>

#include "big5dict/hashed_file.h"
#include "big5dict/hashed_layout.h"
#include "cizu_converter/line_conversion.h"
#include "cizu_converter/messages.h"
#include "platform/build_date.h"
#include "platform/conversion_files.h"
#include "platform/decimal_format.h"
#include "platform/input_file.h"
#include "platform/message_writer.h"
#include "platform/replaced_file.h"
#include "platform/report.h"
#include "platform/standard_descriptors.h"
#include "platform/text_reader.h"

namespace cizu_converter {

namespace {

// Beyond this the arena grows as it fills rather than asking for all of a huge table's size at once.
constexpr std::uint64_t kLargestReserve = std::uint64_t{1} << 28;

Outcome convert(const std::string& input_name, const std::string& output_name,
                   platform::MessageWriter& out, std::ostream& err) {
  platform::InputFile input;
  platform::ReplacedFile output;
  if (!platform::open_conversion_files(input_name, input, output_name, output, msg::kConverting, out, err)) {
    return Outcome::kCannotOpen;
  }
  // A record is no longer than its line and its header is three bytes, so half the table's size
  // again is room for most tables' records; a larger one grows the arena, as a pipe does.
  const std::optional<std::uint64_t> input_size = input.regular_size();
  platform::TextReader reader(std::move(input));
  Conversion conversion;
  if (input_size) conversion.table.reserve(static_cast<std::size_t>(std::min(*input_size + *input_size / 2, kLargestReserve)));
  if (StopStatus stop = convert_lines(reader, input_name, conversion, out)) return *stop;
  platform::DecimalFormat(msg::kCount).print(out, conversion.phrases);
  if (!big5dict::hashed::data_area_fits(big5dict::hashed::data_area_bytes(conversion.table))) {
    out.print(msg::kTooLarge, output_name.c_str());
    return Outcome::kTooLarge;
  }

  // The writer's blocks go straight into the output.
  std::optional<std::size_t> max_length = big5dict::hashed::write_dictionary(
      conversion.table, [&output](std::string_view block) { return output.write(block); });
  if (!max_length) {
    out.write(platform::write_error_report(output_name, output.error()));
    return Outcome::kWriteError;
  }
  platform::DecimalFormat(msg::kMaxLen).print(out, static_cast<long>(*max_length));
  if (!output.commit()) {
    out.write(platform::write_error_report(output_name, output.error()));
    return Outcome::kWriteError;
  }
  return Outcome::kConverted;
}

}  // namespace

int exit_status(Outcome outcome) {
  switch (outcome) {
    case Outcome::kConverted:
      return 0;
    case Outcome::kUsage:
    case Outcome::kCannotOpen:
    case Outcome::kReadError:
    case Outcome::kLongLine:
    case Outcome::kTooLarge:
    case Outcome::kWriteError:
    case Outcome::kMemoryFull:
      return 1;
  }
  return 1;
}

Outcome run(const std::vector<std::string>& args, std::ostream& out_stream, std::ostream& err) {
  // An output that is standard output itself (/dev/stdout into a pipe) takes the dictionary alone:
  // the messages go to standard error.
  const bool output_is_standard_output = args.size() >= 2 && platform::names_standard_output(args[1]);
  platform::MessageWriter out(output_is_standard_output ? err : out_stream);
  out.print(msg::kBanner, platform::build_date());
  out.write(msg::kNotice);
  if (args.size() < 2) {
    out.write(msg::kUsage);
    return Outcome::kUsage;
  }
  try {
    return convert(args[0], args[1], out, err);
  } catch (const std::bad_alloc&) {
    // Nothing was committed, so the output's temporary file went with the stack.
    out.write(msg::kMemoryFull);
    return Outcome::kMemoryFull;
  }
}

}  // namespace cizu_converter
