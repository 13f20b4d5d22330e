// Telling the three formats apart by their first bytes and their length, how far into a file each
// format reaches, and handing the file to the examiner of its format.
#include "dictionary_viewer/examination.h"

#include <cstdint>

#include "dictionary_viewer/big5.h"
#include "dictionary_viewer/hashed_examiner.h"
#include "dictionary_viewer/input_examiner.h"
#include "dictionary_viewer/messages.h"
#include "dictionary_viewer/phrase_examiner.h"
#include "big5dict/input_layout.h"
#include "big5dict/phrase_layout.h"
#include "big5dict/bytes.h"
#include "big5dict/hashed_checks.h"
#include "big5dict/hashed_layout.h"
#include "platform/report.h"

namespace dictionary_viewer {

namespace {

// A phrase dictionary's buckets are each shorter than 16384 bytes.
constexpr std::uint64_t kPhraseCapacity =
    big5dict::phrase::kHeaderBytes + static_cast<std::uint64_t>(big5dict::phrase::kSlotCount) * big5dict::phrase::kBucketLimit;
static_assert(kPhraseCapacity == 220'703'100);
// The first bytes read reach past every header that tells a format.
static_assert(big5dict::hashed::kHeaderBytes >= big5dict::phrase::kHeaderBytes);
static_assert(big5dict::hashed::kHeaderBytes >= big5dict::input::kStubFileBytes);

}  // namespace

std::string shown(FileLength length) {
  std::string bytes = std::to_string(length.bytes);
  return length.more ? platform::format(msg::kMoreThan, bytes.c_str()) : bytes;
}

std::size_t format_bytes() { return big5dict::hashed::kHeaderBytes; }

std::uint64_t format_capacity(std::string_view first) {
  namespace cz = big5dict::hashed;
  namespace itc = big5dict::input;
  if (first.substr(0, std::string_view(big5dict::phrase::kTag).size()) == big5dict::phrase::kTag) return kPhraseCapacity;
  if (first.size() >= cz::kHeaderBytes && big5dict::get_u32(first, 0) == cz::kMagic) {
    // Word 9999 gives the end of the last bucket; offsets are biased by word 0, modulo 2^32.
    const std::uint32_t data_length =
        big5dict::get_u32(first, (cz::kHeaderWords - 1) * cz::kWordBytes) - big5dict::get_u32(first, 0);
    return cz::kDataOffset + static_cast<std::uint64_t>(data_length);
  }
  if (!first.empty() && big5dict::get_u8(first, itc::kFormatByteOffset) == itc::kFormatByte) return itc::kFullFileBytes;
  return first.size();
}

std::uint64_t stream_capacity(std::string_view first) {
  if (detect_format(first, {first.size(), true}) == DictionaryFormat::kHashedDictionary &&
      big5dict::hashed::offsets_decrease(first)) {
    return big5dict::hashed::kHeaderBytes;
  }
  return format_capacity(first);
}

DictionaryFormat detect_format(std::string_view file, FileLength length) {
  namespace itc = big5dict::input;
  const std::string_view tag(big5dict::phrase::kTag);
  if (file.size() >= big5dict::phrase::kHeaderBytes && file.substr(0, tag.size()) == tag) {
    return DictionaryFormat::kPhraseDictionary;
  }
  if (file.size() >= big5dict::hashed::kHeaderBytes &&
      big5dict::get_u32(file, 0) == big5dict::hashed::kMagic) {
    return DictionaryFormat::kHashedDictionary;
  }
  if (!file.empty() && big5dict::get_u8(file, itc::kFormatByteOffset) == itc::kFormatByte) {
    // An input dictionary has one exact length, so one byte more or less makes it no dictionary.
    const bool exact = !length.more && length.bytes == file.size();
    if (exact && file.size() == itc::kFullFileBytes) return DictionaryFormat::kInputDictionary;
    if (exact && file.size() == itc::kStubFileBytes &&
        big5dict::get_u8(file, itc::kDictKindOffset) == static_cast<std::uint8_t>(itc::DictKind::kEmptyStub)) {
      return DictionaryFormat::kInputStub;
    }
  }
  return DictionaryFormat::kUnknown;
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
