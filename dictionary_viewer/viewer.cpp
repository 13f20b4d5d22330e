// Puts an examination on the console: what goes to standard output and what to standard error.
#include "dictionary_viewer/viewer.h"

#include <optional>
#include <sstream>

#include "dictionary_viewer/examination.h"
#include "dictionary_viewer/messages.h"
#include "dictionary_viewer/utf8_conversion.h"
#include "platform/checked_output.h"
#include "platform/report.h"

namespace dictionary_viewer {

namespace {

const char* kind_format(DictionaryFormat format) {
  switch (format) {
    case DictionaryFormat::kPhraseDictionary: return msg::kPhraseKind;
    case DictionaryFormat::kHashedDictionary: return msg::kHashedKind;
    case DictionaryFormat::kInputDictionary: return msg::kInputKind;
    case DictionaryFormat::kInputStub: return msg::kStubKind;
    case DictionaryFormat::kUnknown: break;
  }
  return "";
}

// Writes the product whole and flushes it, so that a full disk or a closed pipe is known before
// the verdict is given.
bool write_product(const std::string& product, std::ostream& out, std::ostream& err) {
  out << product;
  out.flush();
  if (int error = platform::output_error(out); error != 0) {
    err << platform::write_error_report(platform::kStandardOutputName, error);
    return false;
  }
  return true;
}

// The violations and warnings, then the verdict; a sound file's verdict only when asked for.
void write_findings(const std::string& name, const Examination& examination, bool sound_verdict, std::ostream& to) {
  for (const Finding& f : examination.violations) {
    to << platform::format(msg::kFinding, f.offset, f.place.c_str(), f.text.c_str());
  }
  if (examination.violation_count > examination.violations.size()) {
    to << platform::format(msg::kMoreFindings, examination.violation_count - examination.violations.size());
  }
  for (const Finding& f : examination.warnings) {
    to << platform::format(msg::kWarning, f.offset, f.place.c_str(), f.text.c_str());
  }
  if (examination.warning_count > 0) to << platform::format(msg::kWarnings, name.c_str(), examination.warning_count);
  if (!examination.sound()) {
    to << platform::format(msg::kNotSound, name.c_str(), examination.violation_count);
  } else if (sound_verdict) {
    to << platform::format(msg::kSound, name.c_str());
  }
}

// The backslashes of a format's text that the way back would read as escapes: the phrase text has
// no keys; a CiZu table's lines begin with their keys and hold only characters behind them; an
// input table's header line holds names, its later lines keys and characters.
Backslashes backslashes_of(DictionaryFormat format) {
  switch (format) {
    case DictionaryFormat::kPhraseDictionary: return Backslashes::kEscaped;
    case DictionaryFormat::kInputDictionary:
    case DictionaryFormat::kInputStub: return Backslashes::kEscapedInFirstLine;
    case DictionaryFormat::kHashedDictionary:
    case DictionaryFormat::kUnknown: break;
  }
  return Backslashes::kKept;
}

// The closing lines on standard error: the codes written as escapes, and the characters that
// came out as private-use code points, which only the same variant turns back into their codes.
void write_counts(const Utf8Text& counts, platform::Big5Variant variant, std::ostream& err) {
  const char* name = platform::variant_name(variant);
  if (counts.escaped > 0) err << platform::format(msg::kEscaped, counts.escaped, name);
  if (counts.private_use > 0) err << platform::format(msg::kPrivateUse, counts.private_use, name);
}

}  // namespace

Verdict view(const std::string& name, std::string_view file, FileLength length, const ViewOptions& options,
             std::ostream& out, std::ostream& err) {
  std::optional<Big5ToUtf8> converter;
  if (options.utf8) {
    converter.emplace(options.encoding);
    if (!converter->available()) {
      err << platform::format(msg::kNoConversion, platform::variant_name(options.encoding));
      return Verdict::kNoConversion;
    }
  }
  Examination examination = examine(file, length, options.text);
  if (examination.format == DictionaryFormat::kUnknown) {
    err << platform::format(msg::kUnknownFormat, name.c_str(), shown(length).c_str());
    return Verdict::kUnknownFormat;
  }
  if (!options.text) {
    Utf8Text counts;
    if (converter) convert_summary(*converter, examination, counts);
    std::ostringstream summary;
    summary.exceptions(std::ios::badbit);  // running out of memory must not cut the summary short
    summary << platform::format(kind_format(examination.format), name.c_str()) << examination.summary;
    write_findings(name, examination, true, summary);
    if (!write_product(summary.str(), out, err)) return Verdict::kOutputFailed;
    write_counts(counts, options.encoding, err);
  } else if (converter) {
    Utf8Text utf8 = converter->convert(examination.text, backslashes_of(examination.format));
    if (!write_product(utf8.text, out, err)) return Verdict::kOutputFailed;
    write_findings(name, examination, false, err);
    write_counts(utf8, options.encoding, err);
  } else {
    if (!write_product(examination.text, out, err)) return Verdict::kOutputFailed;
    write_findings(name, examination, false, err);
  }
  return examination.sound() ? Verdict::kSound : Verdict::kNotSound;
}

}  // namespace dictionary_viewer
