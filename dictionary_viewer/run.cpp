// The arguments ([--text] [--utf8] FILE, options in any order before or after the name), the file
// read as far as its format reaches, and the verdict as an exit status.
#include "dictionary_viewer/run.h"

#include <new>
#include <optional>

#include "dictionary_viewer/bounded_read.h"
#include "dictionary_viewer/messages.h"
#include "dictionary_viewer/viewer.h"
#include "platform/input_file.h"
#include "platform/report.h"

namespace dictionary_viewer {

namespace {

struct Arguments {
  ViewOptions options;
  std::string name;
};

std::optional<Arguments> parse(const std::vector<std::string>& args) {
  Arguments parsed;
  bool have_name = false;
  for (const std::string& arg : args) {
    if (arg == msg::kTextOption) {
      parsed.options.text = true;
    } else if (arg == msg::kUtf8Option) {
      parsed.options.utf8 = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return std::nullopt;
    } else if (have_name) {
      return std::nullopt;
    } else {
      parsed.name = arg;
      have_name = true;
    }
  }
  if (!have_name) return std::nullopt;
  return parsed;
}

}  // namespace

int exit_status(Outcome outcome) {
  switch (outcome) {
    case Outcome::kSound:
      return 0;
    case Outcome::kUsage:
      return 2;
    case Outcome::kNotSound:
    case Outcome::kCannotOpen:
    case Outcome::kReadError:
    case Outcome::kUnknownFormat:
    case Outcome::kNoConversion:
    case Outcome::kNoMemory:
    case Outcome::kOutputFailed:
      return 1;
  }
  return 1;
}

Outcome run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::optional<Arguments> parsed = parse(args);
  if (!parsed) {
    err << msg::kUsage;
    return Outcome::kUsage;
  }
  platform::InputFile file;
  if (int error = file.open(parsed->name); error != 0) {
    err << platform::open_failure_report(parsed->name, error);
    return Outcome::kCannotOpen;
  }
  // A file the format allows may still not fit in memory: that is reported, never an abort. The
  // bytes, the examination and the text are all made before the product is written.
  try {
    HeldFile held;
    if (int error = read_bounded(file, held); error != 0) {
      err << platform::read_error_report(parsed->name, error);
      return Outcome::kReadError;
    }
    switch (view(parsed->name, held.bytes, held.length, parsed->options, out, err)) {
      case Verdict::kSound: return Outcome::kSound;
      case Verdict::kNotSound: return Outcome::kNotSound;
      case Verdict::kUnknownFormat: return Outcome::kUnknownFormat;
      case Verdict::kNoConversion: return Outcome::kNoConversion;
      case Verdict::kOutputFailed: return Outcome::kOutputFailed;
    }
  } catch (const std::bad_alloc&) {
    err << platform::format(msg::kNotEnoughMemory, parsed->name.c_str());
    return Outcome::kNoMemory;
  }
  return Outcome::kUnknownFormat;
}

}  // namespace dictionary_viewer
