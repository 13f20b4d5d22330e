// The input dictionary in memory and as bytes: the header fields and the key table, a code stored
// at a character's slot, the final pass that sets the end marker, the bytes of the full file and of
// the empty stub, and both read back from a file's bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "big5dict/input_layout.h"

namespace big5dict::input {

using NameField = std::array<std::uint8_t, kNameBytes>;

// The header fields in memory, with the contents a conversion starts from; the header line
// overwrites what it supplies. The notice text is not held: it never changes. Read back from a
// file, every field holds its byte as stored, whatever its value.
struct DictHeader {
  NameField english_name = {'E', 'n', 'g', 'l', 'i', 's', 'h', 0, 0, 0, 0, 0, 0};
  NameField chinese_name = {'C', 'h', 'i', 'n', 'e', 's', 'e', 0, 0, 0, 0, 0, 0};
  DictKind dict_kind = DictKind::kOrdinary;
  std::array<std::uint8_t, kShortNameBytes> short_name = {'N', 'A', 'M', 'E'};
  std::uint8_t key_type = 0;
  std::uint8_t max_len = 0;
  std::uint8_t uw_option = 0;
  std::uint8_t single_char = 0;
  std::uint8_t range_first = 0;
  std::uint8_t range_last = 0;
  std::uint8_t qu_start = kDefaultQuStart;
  std::uint8_t qu_end = kDefaultQuEnd;
  std::array<std::uint32_t, kPlaceValueCount> place_values{};
};

// A name field's text, up to its zero byte (all 13 bytes when it has none).
std::string_view name_text(const NameField& field);

// Slots 0..19781 and one spare behind them that takes the end marker when the highest used slot
// is the last one; the spare never reaches the file.
class KeyTable {
 public:
  static constexpr std::size_t kSpareSlot = kSlotCount;

  KeyTable() : slots_(kSlotCount + 1, 0) {}

  std::uint32_t operator[](std::size_t slot) const { return slots_[slot]; }
  std::uint32_t& operator[](std::size_t slot) { return slots_[slot]; }

 private:
  std::vector<std::uint32_t> slots_;
};

enum class Stored { kStored, kNoSlot, kAlreadyDefined };

// Stores `code` at the slot `hash` of a character unless the character has no slot or already has
// a key: the first line that lists a character keeps it. A code of 0 leaves the slot empty, free
// for a later line.
Stored store_code(KeyTable& key, int hash, std::uint32_t code);

// After the last entry line: writes the end marker into the slot after the highest used one,
// unless that is slot 0 (or no slot is used). Returns, in ascending order, the slots that held
// 0xFFFFFFFF before, genuine codes that read like the marker.
std::vector<std::size_t> final_pass(KeyTable& key);

// The 108 header bytes, field by field.
std::array<std::uint8_t, kHeaderBytes> header_bytes(const DictHeader& header);

// The full file, kFullFileBytes long.
std::string full_file_bytes(const DictHeader& header, const KeyTable& key);

// The stub's text, naming OVCIZU<stub_character>.DBG.
std::string stub_text(char stub_character);

// The empty stub, kStubFileBytes long.
std::string stub_file_bytes(const DictHeader& header, char stub_character);

// The two forms of the file: the full file and the empty stub, which ends its header before the
// place values.
enum class Form { kFull, kStub };

// The header fields of a file: bytes 0..75, and the place values of a full file (they stay 0 for
// the stub). `file` holds at least the form's header.
DictHeader decode_header(std::string_view file, Form form);

// The key table of a full file (`file` holds at least kTrailerOffset bytes); the spare slot is 0.
KeyTable decode_key_table(std::string_view file);

// Where the final pass put the end marker, seen from the table's end: the highest slot that holds
// a key code, and the marker behind it. The text system scans up to the marker.
struct TableEnd {
  std::optional<std::size_t> highest_used;
  std::optional<std::size_t> marker;   // the marker after the highest used slot
  std::optional<std::size_t> stray;    // a marker after slot 0, which gets none
  std::optional<std::size_t> missing;  // the slot after the highest used one, which lacks its marker
};
// Where the key table ends, as the text system scans it, and what is wrong with its end.
TableEnd find_table_end(const KeyTable& key);

}  // namespace big5dict::input
