// Encodes keys and stores their codes at the slots of the characters they reach.
#include "input_table_converter/key_encoding.h"

#include "input_table_converter/messages.h"

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

void store_characters(KeyTable& key, std::string_view run, std::uint32_t code, int line_number,
                      std::uint8_t qu_start, platform::MessageWriter& out) {
  for (std::size_t i = 0; i + 1 < run.size(); i += 2) {
    auto lead = static_cast<std::uint8_t>(run[i]);
    auto trail = static_cast<std::uint8_t>(run[i + 1]);
    int hash = character_hash(lead, trail, qu_start);
    if (!has_slot(hash)) {
      out.print(msg::kOutOfRange, lead, trail, line_number, hash);
    } else if (key[static_cast<std::size_t>(hash)] != 0) {
      out.print(msg::kAlreadyDefined, hash, line_number);
    } else {
      key[static_cast<std::size_t>(hash)] = code;
    }
  }
}

}  // namespace input_table_converter
