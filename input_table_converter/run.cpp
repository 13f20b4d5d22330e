// The run order of KESTRAWN; every early stop comes back as a status for main.
#include "input_table_converter/run.h"

#include <string_view>

#include "big5dict/ascii.h"
#include "big5dict/input_file.h"
#include "input_table_converter/messages.h"
#include "input_table_converter/table_reader.h"
#include "platform/build_date.h"
#include "platform/conversion_files.h"
#include "platform/input_file.h"
#include "platform/message_writer.h"
#include "platform/replaced_file.h"
#include "platform/report.h"
#include "platform/standard_descriptors.h"
#include "platform/text_reader.h"

namespace input_table_converter {

namespace input = big5dict::input;

namespace {

// The name rules look at the file's own name, not at the folders on its way.
std::string_view file_name(const std::string& path) {
  std::string_view name(path);
  std::size_t slash = name.find_last_of('/');
  return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

// Writes the whole output and renames it over the target; a failure is reported and leaves an
// existing target as it was.
StopStatus write_output(platform::ReplacedFile& output, const std::string& name, const std::string& bytes,
                        platform::MessageWriter& out) {
  if (output.write(bytes) && output.commit()) return std::nullopt;
  out.write(platform::write_error_report(name, output.error()));
  return Outcome::kWriteError;
}

}  // namespace

int exit_status(Outcome outcome) {
  switch (outcome) {
    case Outcome::kConverted:
    case Outcome::kStubWritten:
      return 0;
    case Outcome::kUsage:
    case Outcome::kCannotOpen:
    case Outcome::kNoHeaderLine:
    case Outcome::kHeaderFault:
    case Outcome::kReadError:
    case Outcome::kLongLine:
    case Outcome::kWriteError:
      return 1;
  }
  return 1;
}

std::string with_extension(const std::string& name, const char* extension) {
  return file_name(name).find('.') == std::string_view::npos ? name + extension : name;
}

char stub_character(const std::string& output_name) {
  std::string_view name = file_name(output_name);
  std::size_t dot = name.find('.');
  if (dot == std::string_view::npos || dot == 0) return '_';
  return big5dict::to_ascii_upper(name[dot - 1]);
}

bool is_stub_option(const std::string& arg) {
  std::string_view option(msg::kStubOption);
  if (arg.size() != option.size()) return false;
  for (std::size_t i = 0; i < arg.size(); ++i) {
    if (big5dict::to_ascii_upper(arg[i]) != option[i]) return false;
  }
  return true;
}

Outcome run(const std::vector<std::string>& args, std::ostream& out_stream, std::ostream& err) {
  const std::string output_name = args.size() >= 2 ? with_extension(args[1], msg::kOutputExtension) : "";
  // An output that is standard output itself (/dev/stdout into a pipe) takes the dictionary alone:
  // the messages go to standard error.
  platform::MessageWriter out(platform::names_standard_output(output_name) ? err : out_stream);
  out.print(msg::kTitle, platform::build_date());
  out.write(msg::kNoticeLine);
  if (args.size() < 2) {
    out.write(msg::kUsage);
    return Outcome::kUsage;
  }

  input::DictHeader header;
  if (args.size() >= 3 && is_stub_option(args[2])) header.dict_kind = input::DictKind::kEmptyStub;
  const std::string input_name = with_extension(args[0], msg::kInputExtension);

  platform::InputFile input;
  platform::ReplacedFile output;
  if (!platform::open_conversion_files(input_name, input, output_name, output, msg::kConverting, out, err)) {
    return Outcome::kCannotOpen;
  }
  platform::TextReader reader(std::move(input));
  TableReader table(reader, input_name, out);
  if (StopStatus stop = table.read_header(header)) return *stop;

  // "*CIZU" asks for the stub only when the key type carries no "+".
  if (header.dict_kind == input::DictKind::kEmptyStub) {
    const std::string stub = input::stub_file_bytes(header, stub_character(output_name));
    if (StopStatus stop = write_output(output, output_name, stub, out)) return *stop;
    return Outcome::kStubWritten;
  }

  input::KeyTable key;
  if (StopStatus stop = table.read_entries(header, key)) return *stop;
  for (const std::size_t slot : input::final_pass(key)) out.print(msg::kEndMarkerValue, static_cast<int>(slot));
  if (StopStatus stop = write_output(output, output_name, input::full_file_bytes(header, key), out)) return *stop;
  out.print(msg::kTotal, table.entry_count(), static_cast<int>(input::kSlotCount));
  return Outcome::kConverted;
}

}  // namespace input_table_converter
