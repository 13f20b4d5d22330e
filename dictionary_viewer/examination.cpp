// Telling the three formats apart by their first bytes and their length, and handing the file to
// the examiner of its format.
#include "dictionary_viewer/examination.h"

#include <cstdint>

#include "cizu_converter/hashed_dictionary.h"
#include "dictionary_viewer/big5.h"
#include "dictionary_viewer/hashed_examiner.h"
#include "dictionary_viewer/input_examiner.h"
#include "dictionary_viewer/phrase_examiner.h"
#include "input_table_converter/input_dictionary.h"
#include "phrase_tool/dictionary_format.h"
#include "platform/little_endian.h"

namespace dictionary_viewer {

DictionaryFormat detect_format(std::string_view file) {
  namespace itc = input_table_converter;
  const std::string_view tag(phrase_tool::kTag);
  if (file.size() >= phrase_tool::kHeaderBytes && file.substr(0, tag.size()) == tag) {
    return DictionaryFormat::kPhraseDictionary;
  }
  if (file.size() >= cizu_converter::kHeaderBytes &&
      platform::get_u32(reinterpret_cast<const std::uint8_t*>(file.data())) == cizu_converter::kMagic) {
    return DictionaryFormat::kHashedDictionary;
  }
  if (!file.empty() && byte_of(file[itc::kFormatByteOffset]) == itc::kFormatByte) {
    if (file.size() == itc::kFullFileBytes) return DictionaryFormat::kInputDictionary;
    if (file.size() == itc::kStubFileBytes &&
        byte_of(file[itc::kDictKindOffset]) == static_cast<std::uint8_t>(itc::DictKind::kEmptyStub)) {
      return DictionaryFormat::kInputStub;
    }
  }
  return DictionaryFormat::kUnknown;
}

Examination examine(std::string_view file, bool with_text) {
  Examination result;
  result.format = detect_format(file);
  switch (result.format) {
    case DictionaryFormat::kPhraseDictionary: examine_phrase_dictionary(file, with_text, result); break;
    case DictionaryFormat::kHashedDictionary: examine_hashed_dictionary(file, with_text, result); break;
    case DictionaryFormat::kInputDictionary: examine_input_dictionary(file, with_text, result); break;
    case DictionaryFormat::kInputStub: examine_input_stub(file, with_text, result); break;
    case DictionaryFormat::kUnknown: break;
  }
  return result;
}

}  // namespace dictionary_viewer
