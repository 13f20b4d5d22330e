// Puts an examination on the console: what goes to standard output and what to standard error.
#include "dictionary_viewer/viewer.h"

#include <optional>
#include <sstream>

#include "dictionary_viewer/examination.h"
#include "dictionary_viewer/messages.h"
#include "dictionary_viewer/product.h"
#include "dictionary_viewer/utf8_conversion.h"
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
