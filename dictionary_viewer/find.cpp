// One look-up through the library, and what DBGVIEW says of it.
#include "dictionary_viewer/find.h"

#include <cstdint>

#include "big5dict/big5.h"
#include "big5dict/file_lookup.h"
#include "dictionary_viewer/messages.h"
#include "dictionary_viewer/product.h"
#include "dictionary_viewer/utf8_conversion.h"
#include "platform/iconv_conversion.h"
#include "platform/report.h"

namespace dictionary_viewer {

namespace {

const char* what_fits(DictionaryFormat format) {
  switch (format) {
    case DictionaryFormat::kPhraseDictionary: return msg::kFindsInPhrase;
    case DictionaryFormat::kHashedDictionary: return msg::kFindsInHashed;
    case DictionaryFormat::kInputDictionary: return msg::kFindsInInput;
    case DictionaryFormat::kInputStub:
    case DictionaryFormat::kUnknown: break;
  }
  return "";
}

}  // namespace

bool big5_of_sought(const std::string& sought, const ViewOptions& options, std::string& big5, std::ostream& err) {
  const char* variant = platform::variant_name(options.encoding);
  platform::IconvConversion conversion(variant, "UTF-8");
  if (!conversion.available()) {
    err << platform::format(msg::kNoConversion, variant);
    return false;
  }
  if (!conversion.convert(sought, big5)) {
    err << platform::format(msg::kSoughtNotInVariant, variant);
    return false;
  }
  return true;
}

bool ends_in_lone_lead(std::string_view sought, std::ostream& err) {
  std::size_t pos = 0;
  while (pos < sought.size()) {
    const auto b = static_cast<std::uint8_t>(sought[pos]);
    if (!big5dict::is_big5_lead(b)) {
      ++pos;
    } else if (pos + 1 == sought.size()) {
      err << platform::format(msg::kSoughtLoneLead, static_cast<unsigned>(b));
      return true;
    } else {
      pos += 2;
    }
  }
  return false;
}

FindVerdict find(const std::string& name, std::string_view file, FileLength length, std::string_view sought,
                 const ViewOptions& options, std::ostream& out, std::ostream& err) {
  std::optional<Big5ToUtf8> converter;
  if (options.utf8) converter.emplace(options.encoding);
  const Examination examination = examine(file, length, false);
  if (examination.format == DictionaryFormat::kUnknown) {
    err << platform::format(msg::kUnknownFormat, name.c_str(), shown(length).c_str());
    return FindVerdict::kTrouble;
  }
  const big5dict::LookupResult result = big5dict::look_up(file, length, sought);
  if (!result.fits) {
    err << platform::format(msg::kSoughtDoesNotFit, name.c_str(), what_fits(examination.format));
    return FindVerdict::kTrouble;
  }
  std::string lines;
  for (const std::string& found : result.found) {
    lines += found;
    lines.push_back('\n');
  }
  Utf8Text utf8;
  if (converter) {
    // Only a phrase can hold a stray backslash; keys and characters are written as they are.
    utf8 = converter->convert(lines, examination.format == DictionaryFormat::kPhraseDictionary
                                         ? Backslashes::kEscaped
                                         : Backslashes::kKept);
    lines = std::move(utf8.text);
  }
  if (!write_product(lines, out, err)) return FindVerdict::kTrouble;
  write_findings(name, examination, false, err);
  if (converter) write_counts(utf8, options.encoding, err);
  if (!examination.sound()) return FindVerdict::kTrouble;
  return result.found.empty() ? FindVerdict::kNothingFound : FindVerdict::kFound;
}

}  // namespace dictionary_viewer
