// Which of the three dictionary files a file is, told by its first bytes and its length, and how
// much of a file is worth reading: no format holds more than its own largest file, so an endless
// or huge input of the wrong kind is refused after a few megabytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "big5dict/file_length.h"

namespace big5dict {

enum class FileFormat {
  kUnknown,
  kPhraseDictionary,  // LEXMOOR's 27004-byte header and buckets
  kHashedDictionary,  // TOMBRAL's 9999 hash buckets
  kInputDictionary,   // KESTRAWN's full file
  kInputStub,         // KESTRAWN's 130-byte empty stub
};

// The bytes that tell every format apart: the longest header, the hashed dictionary's.
std::size_t format_bytes();

// The most bytes a file can hold in the format that its first bytes `first` name (its first
// format_bytes(), or all of it when shorter); no more of it is worth reading.
std::uint64_t format_capacity(std::string_view first);

// The same for an input whose length is known only by reading it (a pipe, a device): where its
// header already makes it unsound, no byte past the header is worth reading to say so.
std::uint64_t stream_capacity(std::string_view first);

// Tells the format from the first bytes and the length: a phrase dictionary starts with "OVBig5CZ"
// and has its 27004-byte header, a hashed one starts with the word 0x5651DE88 and has its 40000,
// an input dictionary starts with the byte 5 and has exactly 79318 bytes, its stub exactly 130 and
// DictKind 0. `file` holds the file's bytes as far as they were read; `length` is the whole file's.
FileFormat identify(std::string_view file, FileLength length);

}  // namespace big5dict
