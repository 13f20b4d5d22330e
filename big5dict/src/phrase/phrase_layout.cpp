// The header image: identification field and half-offsets.
#include "big5dict/phrase_layout.h"

#include <cstring>

#include "big5dict/bytes.h"

namespace big5dict::phrase {

HeaderImage::HeaderImage() {
  bytes_.fill(0);
  std::memcpy(bytes_.data(), kBuiltInIdentification, sizeof kBuiltInIdentification);
  put_u16(bytes_.data() + kIdentificationBytes - 2, kBuiltInTrailerValue);
}

std::uint16_t HeaderImage::half_offset(int entry) const {
  return get_u16(bytes_.data() + kIdentificationBytes + static_cast<std::size_t>(entry) * kHalfOffsetBytes);
}

void HeaderImage::set_half_offset(int entry, std::uint16_t value) {
  put_u16(bytes_.data() + kIdentificationBytes + static_cast<std::size_t>(entry) * kHalfOffsetBytes, value);
}

std::size_t HeaderImage::bucket_length(int slot) const {
  std::uint16_t units = static_cast<std::uint16_t>(half_offset(slot + 1) - half_offset(slot));
  return static_cast<std::size_t>(units) * 2;
}

std::string HeaderImage::identification_text() const {
  const std::string_view field(reinterpret_cast<const char*>(bytes_.data()), kIdentificationBytes);
  return std::string(text_before_nul(field));
}

}  // namespace big5dict::phrase
