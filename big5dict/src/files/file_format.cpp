// Telling the three formats apart, and how far into a file each format reaches.
#include "big5dict/file_format.h"

#include "big5dict/bytes.h"
#include "big5dict/hashed_checks.h"
#include "big5dict/hashed_layout.h"
#include "big5dict/input_layout.h"
#include "big5dict/phrase_layout.h"

namespace big5dict {

namespace {

// The first bytes read reach past every header that tells a format.
static_assert(hashed::kHeaderBytes >= phrase::kHeaderBytes);
static_assert(hashed::kHeaderBytes >= input::kStubFileBytes);

bool starts_with_tag(std::string_view first) {
  const std::string_view tag(phrase::kTag);
  return first.substr(0, tag.size()) == tag;
}

bool starts_with_magic(std::string_view first) {
  return first.size() >= hashed::kHeaderBytes && get_u32(first, 0) == hashed::kMagic;
}

bool starts_with_format_byte(std::string_view first) {
  return !first.empty() && get_u8(first, input::kFormatByteOffset) == input::kFormatByte;
}

}  // namespace

std::size_t format_bytes() { return hashed::kHeaderBytes; }

std::uint64_t format_capacity(std::string_view first) {
  if (starts_with_tag(first)) return phrase::kLargestFile;
  if (starts_with_magic(first)) {
    // Word 9999 gives the end of the last bucket; offsets are biased by word 0, modulo 2^32.
    const std::uint32_t data_length =
        get_u32(first, (hashed::kHeaderWords - 1) * hashed::kWordBytes) - get_u32(first, 0);
    return hashed::kDataOffset + static_cast<std::uint64_t>(data_length);
  }
  if (starts_with_format_byte(first)) return input::kFullFileBytes;
  return first.size();
}

std::uint64_t stream_capacity(std::string_view first) {
  if (identify(first, {first.size(), true}) == FileFormat::kHashedDictionary && hashed::offsets_decrease(first)) {
    return hashed::kHeaderBytes;
  }
  return format_capacity(first);
}

FileFormat identify(std::string_view file, FileLength length) {
  if (file.size() >= phrase::kHeaderBytes && starts_with_tag(file)) return FileFormat::kPhraseDictionary;
  if (starts_with_magic(file)) return FileFormat::kHashedDictionary;
  if (starts_with_format_byte(file)) {
    // An input dictionary has one exact length, so one byte more or less makes it no dictionary.
    const bool exact = !length.more && length.bytes == file.size();
    if (exact && file.size() == input::kFullFileBytes) return FileFormat::kInputDictionary;
    if (exact && file.size() == input::kStubFileBytes &&
        get_u8(file, input::kDictKindOffset) == static_cast<std::uint8_t>(input::DictKind::kEmptyStub)) {
      return FileFormat::kInputStub;
    }
  }
  return FileFormat::kUnknown;
}

}  // namespace big5dict
