// The Big5 tests the examiners use, under the names they read best in; the geometry itself lives
// in platform/big5.h.
#pragma once

#include <cstdint>

#include "big5dict/big5.h"

namespace dictionary_viewer {

using big5dict::is_big5_lead;
using big5dict::is_big5_trail;

// The phrase dictionary holds only characters of the rows from 0xA1 on.
constexpr bool is_phrase_lead(std::uint8_t lead) { return big5dict::is_character_row_lead(lead); }

constexpr std::uint8_t byte_of(char c) { return static_cast<std::uint8_t>(c); }

}  // namespace dictionary_viewer
