// What the harnesses that build a LEXMOOR table from word lists start from: the settings in the
// input's first byte, an empty table, a console nobody reads, and the input cut in two at a 0x1A.
#pragma once

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "big5dict/phrase_table.h"
#include "phrase_tool/run_state.h"

namespace lexmoor_fuzz {

struct TableRun {
  // `data` holds at least one byte, the settings: bit 0 sets the at-end flag, bit 1 the list-added
  // flag. The bytes after it are the input.
  TableRun(const std::uint8_t* data, std::size_t size)
      : settings(data[0]), input(reinterpret_cast<const char*>(data + 1), size - 1) {
    flags.at_end = (settings & 1) != 0;
    flags.list_added = (settings & 2) != 0;
  }

  std::uint8_t settings;
  std::string input;
  phrase_tool::RunFlags flags;
  big5dict::phrase::PhraseTable table;
  std::ostringstream out;
  std::ostringstream err;
  phrase_tool::Console console{out, err};
};

// The part of `input` before its first 0x1A, which would end a text input anyway; `input` keeps
// what follows the 0x1A, nothing when there is none.
inline std::string take_first_part(std::string& input) {
  const std::size_t cut = input.find('\x1A');
  std::string first = input.substr(0, cut);
  input = cut == std::string::npos ? std::string() : input.substr(cut + 1);
  return first;
}

}  // namespace lexmoor_fuzz
