// Every two-byte code of a Big5 variant, decoded once: the UTF-8 text DBGVIEW writes for it when
// that text encodes back to the same two bytes in the variant, and whether it is a private-use
// code point. A code whose text comes back as other bytes (under BIG5, A2CC decodes to the
// character that A451 encodes) is written as escapes, so that its bytes survive the way back.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/big5_variants.h"

namespace dictionary_viewer {

struct CodeForm {
  // One code is one character: a code point, and for four codes of Big5-HKSCS a combining mark.
  static constexpr std::size_t kLongestText = 8;

  std::array<char, kLongestText> utf8{};
  std::uint8_t length = 0;  // 0: no UTF-8 text that comes back as this code
  bool private_use = false;

  bool exact() const { return length > 0; }
  std::string_view text() const { return {utf8.data(), length}; }
};

class Big5CodeTable {
 public:
  // Decodes every code with a lead byte of 0x80 or above through iconv, and encodes each text back.
  explicit Big5CodeTable(platform::Big5Variant variant);

  // False when this system's iconv cannot convert between the variant and UTF-8.
  bool available() const { return available_; }

  // `lead` is 0x80 or above. Without the conversion no code has a form.
  const CodeForm& form(std::uint8_t lead, std::uint8_t trail) const {
    static const CodeForm kNone;
    if (!available_) return kNone;
    return forms_[static_cast<std::size_t>(lead - kFirstLead) * 256 + trail];
  }

 private:
  static constexpr std::uint8_t kFirstLead = 0x80;

  std::vector<CodeForm> forms_;
  bool available_ = false;
};

// The table of a variant, built when first asked for and kept for the rest of the run.
const Big5CodeTable& code_table(platform::Big5Variant variant);

}  // namespace dictionary_viewer
