// The Big5 of a table's texts, character by character, through the C library's iconv: whether a
// character has a form in the variant is what iconv says. Each code point is asked once and its
// answer kept, so a table of 200,000 rows costs a look-up a character; a character with combining
// marks (Big5-HKSCS keeps a few such pairs in one code) goes to iconv whole every time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/big5_variants.h"
#include "platform/iconv_conversion.h"

namespace table_importer {

// What one pass over a text finds: an ASCII byte (in a Big5 text a blank or an ASCII letter would
// split the phrase or be taken for something else), its characters (each code point with the
// combining marks behind it), and whether each has a form in the variant.
struct TextForm {
  bool ascii = false;
  std::size_t characters = 0;
  bool whole = true;
};

class Big5Characters {
 public:
  explicit Big5Characters(platform::Big5Variant variant);

  bool available() const { return encoder_.available(); }

  // Appends the Big5 of `utf8` (valid UTF-8) to `out`. False, with `out` as it was, when a
  // character of it has no form in the variant.
  bool append(std::string_view utf8, std::string& out) { return convert(utf8, out).whole; }

  // The same in the pass that also counts the characters.
  TextForm convert(std::string_view utf8, std::string& out);

  // The UTF-8 of Big5 text this class made: how a phrase reads back, for the report of a row
  // whose own text is no longer held. Each code is asked once.
  std::string utf8_of(std::string_view big5);

 private:
  // What is known of a code point: not asked yet, no form, a two-byte code (kCode | lead << 8 |
  // trail), or another answer that iconv is asked for each time.
  static constexpr std::uint32_t kUnknown = 0;
  static constexpr std::uint32_t kLacking = 1;
  static constexpr std::uint32_t kAskEachTime = 2;
  static constexpr std::uint32_t kCode = 0x10000;
  static constexpr std::size_t kPageBits = 8;
  using Page = std::array<std::uint32_t, std::size_t{1} << kPageBits>;

  std::uint32_t& known(char32_t code_point);
  bool append_code_point(char32_t code_point, std::string_view character, std::string& out);

  platform::IconvConversion encoder_;
  std::vector<std::uint32_t> plane_zero_;    // U+0000..U+FFFF, where nearly every character stands
  std::vector<std::unique_ptr<Page>> pages_;  // the other planes, a page when first asked
  platform::IconvConversion decoder_;
  // By code (lead << 8 | trail): its UTF-8, at most four bytes, none of them zero, packed from the
  // low byte up; 0 until asked. Empty until a first code is asked.
  std::vector<std::uint32_t> read_back_;
};

}  // namespace table_importer
