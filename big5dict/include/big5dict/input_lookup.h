// What a text system looks up in an input dictionary: the key code of a character, the key a code
// stands for, and the characters a key reaches. The key table counts up to its end marker, as the
// text system scans it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "big5dict/big5.h"
#include "big5dict/input_file.h"

namespace big5dict::input {

class KeyLookup {
 public:
  // `file` is a full input dictionary, kFullFileBytes long.
  explicit KeyLookup(std::string_view file);

  // The file's header, decoded.
  const DictHeader& header() const { return header_; }

  // The key code of a character, 0 when no key reaches it or it has no slot.
  std::uint32_t key_code(Big5Char c) const;

  // The key a code stands for, as a table line writes it (small letters); none for 0, for a code
  // that no key of the table's key type encodes to, or when the header names no key type.
  std::optional<std::string> key_text(std::uint32_t code) const;

  // The characters a key reaches, in slot order; capitals count as their small letters. A key that
  // does not encode whole (a byte that is no key character of the type, or more characters than
  // its positions) reaches none.
  std::vector<Big5Char> characters(std::string_view key) const;

 private:
  DictHeader header_;
  KeyTable key_;
  std::size_t used_ = 0;  // the slots before the end of the table
};

}  // namespace big5dict::input
