// Viewing one file held in memory: its summary and findings, or its text (in Big5 or UTF-8) with
// the findings on the error stream. Reads nothing outside the bytes it is given and writes no file,
// so a fuzz harness drives it as the program does.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "dictionary_viewer/examination.h"
#include "platform/big5_variants.h"

namespace dictionary_viewer {

struct ViewOptions {
  bool text = false;  // the content as text instead of the summary
  bool utf8 = false;  // the text, or the Big5 fields of the summary, in UTF-8
  platform::Big5Variant encoding = platform::kDefaultVariant;  // the Big5 variant of the UTF-8
};

enum class Verdict {
  kSound,
  kNotSound,
  kUnknownFormat,
  kNoConversion,  // UTF-8 asked for, and the system's iconv lacks the variant
  kOutputFailed,  // writing to `out` failed; the report is on `err`
};

// `name` is the file's name as given, for the messages. `file` holds the file's first bytes, as far
// as its format reaches, of a file `length` long.
Verdict view(const std::string& name, std::string_view file, FileLength length, const ViewOptions& options,
             std::ostream& out, std::ostream& err);

}  // namespace dictionary_viewer
