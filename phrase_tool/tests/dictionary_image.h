// Dictionary files and buckets for the tests of the loader, the writers, the import and the
// comparison: buckets built entry by entry, whole files laid out by the library's file_bytes().
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "big5dict/bytes.h"
#include "big5dict/phrase_entry.h"
#include "big5dict/phrase_file.h"
#include "big5dict/phrase_layout.h"
#include "big5dict/phrase_table.h"
#include "test_support/scratch.h"

namespace phrase_tool::test_images {

using namespace big5dict::phrase;
using big5dict::Big5Char;
using test_support::bytes;

// Big5 characters. A is the character of slot 0; A2 that of slot 1; Z that of the last slot.
inline const std::string A = bytes({0xA4, 0x40});
inline const std::string A2 = bytes({0xA4, 0x41});
inline const std::string B = bytes({0xA5, 0x42});
inline const std::string C = bytes({0xA8, 0x7E});
inline const std::string D = bytes({0xA6, 0xA1});
inline const std::string E = bytes({0xB0, 0xB2});
inline const std::string G = bytes({0xC4, 0xE3});
inline const std::string K = bytes({0xAD, 0x5A});
inline const std::string Z = bytes({0xF9, 0xDD});
constexpr int kLastSlot = kSlotCount - 1;

// The worked bucket of slot A holding AB and ADEG.
inline const std::string kWorkedBucket =
    bytes({0x88, 0x88, 0x25, 0x42, 0x88, 0x84, 0xA6, 0xA1, 0x30, 0xB2, 0x44, 0xE3});

// The entry of a phrase's characters 2..k with the frequency unit of a new entry.
inline std::string entry(const std::string& tail) {
  std::string e;
  append_entry(e, tail, kind_of_tail(tail));
  return e;
}

// The buckets of a large dictionary, as a real phrase list gives: every slot holds phrases, and
// the first 40 slots hold 1000 to 3925 two-character phrases each, far more than a head line of
// 255 bytes could list; 252,990 phrases in all. Every entry has the frequency unit of a new entry.
inline std::map<int, std::string> generated_buckets() {
  auto character = [](int slot) {
    Big5Char c = slot_character(slot % kSlotCount);
    return std::string{static_cast<char>(c.lead), static_cast<char>(c.trail)};
  };
  std::map<int, std::string> buckets;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const int pairs = slot < 40 ? 1000 + 75 * slot : 8 + slot % 5;
    std::string bucket;
    for (int i = 0; i < pairs; ++i) bucket += entry(character(slot * 31 + i));
    for (int i = 0; i < slot % 4; ++i) {
      std::string tail = character(slot + 7 * i) + character(slot * 3 + i);
      if (i == 2) tail += character(slot + 11);
      bucket += entry(tail);
    }
    buckets[slot] = bucket;
  }
  return buckets;
}

// A whole dictionary file as the writer lays it out for `buckets`, every half-offset moved on by
// `first_half_offset` (modulo 65536, as a reader takes only their differences), then `trailing`
// bytes. The buckets are stored as given, NUL bytes and all, to build damaged files too.
inline std::string dictionary_file(const std::map<int, std::string>& buckets, std::uint16_t first_half_offset = 0,
                                   const HeaderImage& header = HeaderImage(), const std::string& trailing = "") {
  PhraseTable table;
  for (const auto& [slot, bucket] : buckets) table.insert(slot, 0, bucket);
  std::string file = big5dict::phrase::file_bytes(header, table);
  auto* half_offsets = reinterpret_cast<std::uint8_t*>(file.data()) + kIdentificationBytes;
  for (int entry_index = 0; entry_index < kTableEntries; ++entry_index) {
    std::uint8_t* half = half_offsets + entry_index * kHalfOffsetBytes;
    big5dict::put_u16(half, static_cast<std::uint16_t>(big5dict::get_u16(half) + first_half_offset));
  }
  return file + trailing;
}

// Equal bytes, or where they first differ, shown in hex: the texts are too long to print whole.
inline ::testing::AssertionResult same_bytes(const std::string& actual, const std::string& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  std::size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  std::size_t from = at < 16 ? 0 : at - 16;
  return ::testing::AssertionFailure()
         << "sizes " << actual.size() << " and " << expected.size() << ", first difference at " << at
         << "\n  actual:   " << test_support::hex(actual.substr(from, 48))
         << "\n  expected: " << test_support::hex(expected.substr(from, 48));
}

}  // namespace phrase_tool::test_images
