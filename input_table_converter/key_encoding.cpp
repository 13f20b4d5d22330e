// Encodes keys and stores their codes at the slots of the characters they reach.
#include "input_table_converter/key_encoding.h"

namespace input_table_converter {

EncodedKey encode_key(std::string_view text, std::size_t start, KeyType type) {
  const std::array<std::uint32_t, kPlaceValueCount> weights = place_values(type);
  const std::size_t positions = layout_of(type).positions;
  EncodedKey key;
  key.stop = start;
  for (std::size_t position = 0; position < positions && key.stop < text.size(); ++position) {
    int digit = key_digit(type, static_cast<std::uint8_t>(text[key.stop]));
    if (digit == kNoDigit) break;
    key.code += static_cast<std::uint32_t>(digit) * weights[position];
    ++key.stop;
  }
  return key;
}

Stored store_code(KeyTable& key, int hash, std::uint32_t code) {
  if (!has_slot(hash)) return Stored::kNoSlot;
  std::uint32_t& slot = key[static_cast<std::size_t>(hash)];
  if (slot != 0) return Stored::kAlreadyDefined;
  slot = code;
  return Stored::kStored;
}

}  // namespace input_table_converter
