// What every view writes: the product on standard output, whole and checked, and the findings and
// the closing counts of a conversion on the stream the view gives them.
#pragma once

#include <ostream>
#include <string>

#include "dictionary_viewer/examination.h"
#include "dictionary_viewer/utf8_conversion.h"
#include "platform/big5_variants.h"

namespace dictionary_viewer {

// Writes the product whole and flushes it, so that a full disk or a closed pipe is known before
// the verdict is given. False, with the report on `err`, when it failed.
bool write_product(const std::string& product, std::ostream& out, std::ostream& err);

// The violations and warnings, then the verdict; a sound file's verdict only when asked for.
void write_findings(const std::string& name, const Examination& examination, bool sound_verdict, std::ostream& to);

// The backslashes of a format's text that the way back would read as escapes.
Backslashes backslashes_of(DictionaryFormat format);

// The closing lines on standard error: the codes written as escapes, and the characters that
// came out as private-use code points, which only the same variant turns back into their codes.
void write_counts(const Utf8Text& counts, platform::Big5Variant variant, std::ostream& err);

}  // namespace dictionary_viewer
