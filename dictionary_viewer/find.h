// DBGVIEW --find: one look-up in a file held in memory, its results one a line on standard output,
// what went wrong on the error stream, and grep's verdict.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "dictionary_viewer/examination.h"
#include "dictionary_viewer/viewer.h"

namespace dictionary_viewer {

enum class FindVerdict {
  kFound,
  kNothingFound,
  kTrouble,  // WHAT does not suit the file, the file is not sound or of no known format, or the output failed
};

// `sought` is WHAT in Big5 (already converted from UTF-8 when options.utf8 is set); `file` holds
// the file's first bytes, as far as its format reaches, of a file `length` long. Results are
// written as --text writes their format's text, in UTF-8 with options.utf8.
FindVerdict find(const std::string& name, std::string_view file, FileLength length, std::string_view sought,
                 const ViewOptions& options, std::ostream& out, std::ostream& err);

// WHAT given in UTF-8, in the Big5 of options.encoding; false, with the report on `err`, when a
// character has no code in the variant (or the text is not UTF-8) or the conversion is missing.
bool big5_of_sought(const std::string& sought, const ViewOptions& options, std::string& big5, std::ostream& err);

// The usage error of a WHAT that ends in a lead byte with no trail byte, reported on `err`.
bool ends_in_lone_lead(std::string_view sought, std::ostream& err);

}  // namespace dictionary_viewer
