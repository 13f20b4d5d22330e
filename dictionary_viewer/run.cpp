// The arguments ([--text | --find WHAT] [--utf8 [--encoding NAME]] FILE, options in any order before
// or after the name), the file read as far as its format reaches, and the verdict as an exit status.
#include "dictionary_viewer/run.h"

#include <new>
#include <optional>

#include "dictionary_viewer/bounded_read.h"
#include "dictionary_viewer/find.h"
#include "dictionary_viewer/messages.h"
#include "dictionary_viewer/viewer.h"
#include "platform/big5_variants.h"
#include "platform/input_file.h"
#include "platform/report.h"
#include "platform/utf8.h"

namespace dictionary_viewer {

namespace {

struct Arguments {
  ViewOptions options;
  std::string name;
  std::optional<std::string> sought;  // --find's WHAT
};

// The arguments, or the usage error: its own line (empty when the usage text says it all).
struct Parsed {
  std::optional<Arguments> arguments;
  std::string error;
};

Parsed parse(const std::vector<std::string>& args) {
  Arguments parsed;
  bool have_name = false;
  bool encoding_given = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == msg::kTextOption) {
      parsed.options.text = true;
    } else if (arg == msg::kUtf8Option) {
      parsed.options.utf8 = true;
    } else if (arg == msg::kEncodingOption) {
      if (++i == args.size()) return {};
      std::optional<platform::Big5Variant> variant = platform::find_variant(args[i]);
      if (!variant) return {std::nullopt, platform::format(msg::kUnknownEncoding, args[i].c_str())};
      parsed.options.encoding = *variant;
      encoding_given = true;
    } else if (arg == msg::kFindOption) {
      if (++i == args.size() || parsed.sought) return {};
      if (args[i].empty()) return {std::nullopt, msg::kEmptySought};
      parsed.sought = args[i];
    } else if (arg.size() > 1 && arg[0] == '-') {
      return {};
    } else if (have_name) {
      return {};
    } else {
      parsed.name = arg;
      have_name = true;
    }
  }
  if (encoding_given && !parsed.options.utf8) return {std::nullopt, msg::kEncodingWithoutUtf8};
  if (parsed.sought && parsed.options.text) return {std::nullopt, msg::kFindWithText};
  if (!have_name) return {};
  return {parsed, ""};
}

}  // namespace

int exit_status(Outcome outcome) {
  switch (outcome) {
    case Outcome::kSound:
      return 0;
    case Outcome::kUsage:
    case Outcome::kFindTrouble:
      return 2;
    case Outcome::kFound:
      return 0;
    case Outcome::kNothingFound:
      return 1;
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

namespace {

// Valid UTF-8 that holds a character beyond ASCII.
bool looks_like_utf8(std::string_view text) {
  bool beyond_ascii = false;
  for (char c : text) beyond_ascii = beyond_ascii || static_cast<unsigned char>(c) >= 0x80;
  return beyond_ascii && platform::first_invalid_utf8(text) == std::string_view::npos;
}

// The file opened and read as far as its format reaches, then viewed, or searched for WHAT given
// in Big5.
Outcome view_file(const Arguments* parsed, const std::string* sought, std::ostream& out, std::ostream& err) {
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
    if (sought) {
      switch (find(parsed->name, held.bytes, held.length, *sought, parsed->options, out, err)) {
        case FindVerdict::kFound: return Outcome::kFound;
        case FindVerdict::kNothingFound: return Outcome::kNothingFound;
        case FindVerdict::kTrouble: return Outcome::kFindTrouble;
      }
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

}  // namespace

Outcome run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Parsed arguments = parse(args);
  if (!arguments.arguments) {
    err << arguments.error << msg::kUsage;
    return Outcome::kUsage;
  }
  const Arguments* parsed = &*arguments.arguments;
  if (!parsed->sought) return view_file(parsed, nullptr, out, err);
  // WHAT is checked before the file is opened: its faults are the user's, whatever the file.
  std::string sought = *parsed->sought;
  if (parsed->options.utf8) {
    sought.clear();
    if (!big5_of_sought(*parsed->sought, parsed->options, sought, err)) return Outcome::kFindTrouble;
  }
  // UTF-8 text typed without --utf8 mostly reads as Big5 too, and then finds nothing: when that is
  // what a search that found nothing was given, say so.
  const bool looks_utf8 = !parsed->options.utf8 && looks_like_utf8(sought);
  Outcome outcome = Outcome::kFindTrouble;
  if (!ends_in_lone_lead(sought, err)) outcome = view_file(parsed, &sought, out, err);
  if (outcome != Outcome::kFound && outcome != Outcome::kNothingFound) outcome = Outcome::kFindTrouble;
  if (outcome != Outcome::kFound && looks_utf8) err << msg::kSoughtLooksUtf8;
  return outcome;
}

}  // namespace dictionary_viewer
