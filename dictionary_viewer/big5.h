// What a Big5 character is, as the three formats store it: a lead byte and a trail byte.
#pragma once

#include <cstdint>

namespace dictionary_viewer {

// Trail bytes 0x40..0x7E and 0xA1..0xFE: the 157 positions of every lead byte.
constexpr bool is_big5_trail(std::uint8_t trail) {
  return (trail >= 0x40 && trail <= 0x7E) || (trail >= 0xA1 && trail <= 0xFE);
}

// Lead bytes 0x81..0xFE.
constexpr bool is_big5_lead(std::uint8_t lead) { return lead >= 0x81 && lead <= 0xFE; }

// The phrase dictionary holds only characters of the rows from 0xA1 on.
constexpr bool is_phrase_lead(std::uint8_t lead) { return lead >= 0xA1 && lead <= 0xFE; }

constexpr std::uint8_t byte_of(char c) { return static_cast<std::uint8_t>(c); }

}  // namespace dictionary_viewer
