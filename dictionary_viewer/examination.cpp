// Handing a file to the examiner of its format, and how a length is shown.
#include "dictionary_viewer/examination.h"

#include "dictionary_viewer/hashed_examiner.h"
#include "dictionary_viewer/input_examiner.h"
#include "dictionary_viewer/messages.h"
#include "dictionary_viewer/phrase_examiner.h"
#include "platform/report.h"

namespace dictionary_viewer {

std::string shown(FileLength length) {
  std::string bytes = std::to_string(length.bytes);
  return length.more ? platform::format(msg::kMoreThan, bytes.c_str()) : bytes;
}

Examination examine(std::string_view file, FileLength length, bool with_text) {
  Examination result;
  result.format = detect_format(file, length);
  switch (result.format) {
    case DictionaryFormat::kPhraseDictionary: examine_phrase_dictionary(file, length, with_text, result); break;
    case DictionaryFormat::kHashedDictionary: examine_hashed_dictionary(file, length, with_text, result); break;
    case DictionaryFormat::kInputDictionary: examine_input_dictionary(file, with_text, result); break;
    case DictionaryFormat::kInputStub: examine_input_stub(file, with_text, result); break;
    case DictionaryFormat::kUnknown: break;
  }
  return result;
}

}  // namespace dictionary_viewer
