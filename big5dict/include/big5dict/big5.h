// Big5 characters as every format stores them: a lead byte, a trail byte, the rows they form, the
// lead-byte rules of the programs, and the one scan for a run of characters in a text. A row is the
// 157 characters of one lead byte: 63 for trail bytes 0x40..0x7E, then 94 for 0xA1..0xFE.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace big5dict {

struct Big5Char {
  std::uint8_t lead;
  std::uint8_t trail;
  friend constexpr bool operator==(Big5Char, Big5Char) = default;
};

constexpr std::uint8_t kLowTrailFirst = 0x40;
constexpr std::uint8_t kLowTrailLast = 0x7E;
constexpr std::uint8_t kHighTrailFirst = 0xA1;
constexpr std::uint8_t kHighTrailLast = 0xFE;
constexpr int kLowTrailCount = kLowTrailLast - kLowTrailFirst + 1;
constexpr int kRowPositions = kLowTrailCount + (kHighTrailLast - kHighTrailFirst + 1);
static_assert(kLowTrailCount == 63 && kRowPositions == 157);

// The last lead byte of any row.
constexpr std::uint8_t kLastLead = 0xFE;

// Whether a byte is a trail byte of the low run (0x40..0x7E), of the high run (0xA1..0xFE), or of
// either.
constexpr bool is_low_trail(std::uint8_t trail) { return trail >= kLowTrailFirst && trail <= kLowTrailLast; }
constexpr bool is_high_trail(std::uint8_t trail) { return trail >= kHighTrailFirst && trail <= kHighTrailLast; }
constexpr bool is_big5_trail(std::uint8_t trail) { return is_low_trail(trail) || is_high_trail(trail); }

// The place of a trail byte in its row, 0..156, or -1 for a byte that is no trail byte.
constexpr int row_position(std::uint8_t trail) {
  if (is_low_trail(trail)) return trail - kLowTrailFirst;
  if (is_high_trail(trail)) return trail - kHighTrailFirst + kLowTrailCount;
  return -1;
}

// The trail byte at a place of a row (0 <= position < kRowPositions).
constexpr std::uint8_t position_trail(int position) {
  return static_cast<std::uint8_t>(position < kLowTrailCount ? kLowTrailFirst + position
                                                             : kHighTrailFirst + (position - kLowTrailCount));
}

// The four lead-byte rules. Which bytes start a character depends on the reader: the converters
// take every byte above 0x80 as a lead byte, the phrase tools only those above 0xA0, where the rows
// of characters begin. A lead byte of the full code is 0x81..0xFE, of the rows of characters
// 0xA1..0xFE.
constexpr bool is_lead_above_0x80(std::uint8_t b) { return b > 0x80; }
constexpr bool is_lead_above_0xA0(std::uint8_t b) { return b > 0xA0; }
constexpr bool is_big5_lead(std::uint8_t b) { return is_lead_above_0x80(b) && b <= kLastLead; }
constexpr bool is_character_row_lead(std::uint8_t b) { return is_lead_above_0xA0(b) && b <= kLastLead; }

// Where the run of two-byte characters that starts at `start` in `text` ends: two bytes at a time,
// while the byte at the position passes `is_lead` and a byte follows it, which is its trail byte
// whatever its value. A lead byte with no byte behind it in `text` is no character: the run ends
// before it, and no scan ever reads past the text.
template <typename LeadRule>
constexpr std::size_t character_run_end(std::string_view text, std::size_t start, LeadRule is_lead) {
  std::size_t end = start;
  while (end + 1 < text.size() && is_lead(static_cast<std::uint8_t>(text[end]))) end += 2;
  return end;
}

}  // namespace big5dict
