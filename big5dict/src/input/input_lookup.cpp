// Look-ups in an input dictionary's key table, up to its end as the text system scans it.
#include "big5dict/input_lookup.h"

#include "big5dict/input_keys.h"

namespace big5dict::input {

KeyLookup::KeyLookup(std::string_view file)
    : header_(decode_header(file, Form::kFull)), key_(decode_key_table(file)) {
  const TableEnd end = find_table_end(key_);
  used_ = end.highest_used ? *end.highest_used + 1 : 0;
}

std::uint32_t KeyLookup::key_code(Big5Char c) const {
  const int hash = character_hash(c.lead, c.trail, header_.qu_start);
  if (!has_slot(hash) || static_cast<std::size_t>(hash) >= used_) return 0;
  return key_[static_cast<std::size_t>(hash)];
}

std::optional<std::string> KeyLookup::key_text(std::uint32_t code) const {
  if (code == 0 || !is_key_type(header_.key_type)) return std::nullopt;
  DecodedKey decoded = decode_key(code, static_cast<KeyType>(header_.key_type));
  if (decoded.fault != KeyCodeFault::kNone) return std::nullopt;
  return std::move(decoded.key);
}

std::vector<Big5Char> KeyLookup::characters(std::string_view key) const {
  std::vector<Big5Char> found;
  if (!is_key_type(header_.key_type)) return found;
  const EncodedKey encoded = encode_key(key, 0, static_cast<KeyType>(header_.key_type));
  if (encoded.code == 0 || encoded.stop != key.size()) return found;
  for (std::size_t slot = 0; slot < used_; ++slot) {
    if (key_[slot] != encoded.code) continue;
    const HashedCharacter c = hashed_character(static_cast<int>(slot), header_.qu_start);
    if (c.is_character()) found.push_back({static_cast<std::uint8_t>(c.lead), c.trail});
  }
  return found;
}

}  // namespace big5dict::input
