// Viewing one file held in memory: its summary and findings, or its text (in Big5 or UTF-8) with
// the findings on the error stream. Reads nothing outside the bytes it is given and writes no file,
// so a fuzz harness drives it as the program does.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace dictionary_viewer {

struct ViewOptions {
  bool text = false;  // the content as text instead of the summary
  bool utf8 = false;  // the text, or the Big5 fields of the summary, in UTF-8
};

enum class Verdict {
  kSound,
  kNotSound,
  kUnknownFormat,
  kNoConversion,  // UTF-8 asked for, and the system's iconv has no BIG5
};

// `name` is the file's name as given, for the messages.
Verdict view(const std::string& name, std::string_view file, const ViewOptions& options, std::ostream& out,
             std::ostream& err);

}  // namespace dictionary_viewer
