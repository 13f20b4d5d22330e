// UTF-8 text into the Big5 of one variant, through the C library's iconv so that whether a
// character has a Big5 form is what iconv says. A run of text goes through one call; only a run
// that fails is done again character by character, to leave out and name the characters the variant
// lacks. An escape \xHH stands for its byte wherever the layout lets a character stand.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/big5_variants.h"
#include "platform/iconv_conversion.h"

namespace table_importer {

enum class Escapes {
  kDecoded,  // \xHH gives its byte
  kKept,     // a key: \xHH is its own text
};

class Big5Text {
 public:
  explicit Big5Text(platform::Big5Variant variant);

  // False when this system's iconv cannot convert from UTF-8 to the variant.
  bool available() const { return encoder_.available(); }
  platform::Big5Variant variant() const { return variant_; }

  // Appends the Big5 of `utf8` (valid UTF-8) to `out`. A character the variant lacks (a code point
  // with the combining marks behind it) is left out and added to `lacking`, as a view into `utf8`.
  // True when nothing was left out.
  bool append(std::string_view utf8, Escapes escapes, std::string& out, std::vector<std::string_view>& lacking);

  // The same, all or nothing: when a character is lacking, `out` stays as it was.
  bool append_whole(std::string_view utf8, Escapes escapes, std::string& out,
                    std::vector<std::string_view>& lacking);

  // A line in which no "\x" stands and every character has a form comes out the same in every
  // layout: it is converted in one call. False, with `out` as it was, for any other line.
  bool append_plain_line(std::string_view utf8, std::string& out);

 private:
  bool append_run(std::string_view run, std::string& out, std::vector<std::string_view>& lacking);

  platform::Big5Variant variant_;
  platform::IconvConversion encoder_;
};

}  // namespace table_importer
