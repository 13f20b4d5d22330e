// The product, the findings and the counts, as every view writes them.
#include "dictionary_viewer/product.h"

#include "dictionary_viewer/messages.h"
#include "platform/checked_output.h"
#include "platform/report.h"

namespace dictionary_viewer {

bool write_product(const std::string& product, std::ostream& out, std::ostream& err) {
  out << product;
  out.flush();
  if (int error = platform::output_error(out); error != 0) {
    err << platform::write_error_report(platform::kStandardOutputName, error);
    return false;
  }
  return true;
}

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

void write_counts(const Utf8Text& counts, platform::Big5Variant variant, std::ostream& err) {
  const char* name = platform::variant_name(variant);
  if (counts.escaped > 0) err << platform::format(msg::kEscaped, counts.escaped, name);
  if (counts.private_use > 0) err << platform::format(msg::kPrivateUse, counts.private_use, name);
}

}  // namespace dictionary_viewer
