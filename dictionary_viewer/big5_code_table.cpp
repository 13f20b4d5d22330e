// Building the code table: decode each code on its own, take it only when it makes one character,
// then encode that character back and keep it only when it gives the same code.
#include "dictionary_viewer/big5_code_table.h"

#include <map>
#include <memory>
#include <string>

#include "platform/iconv_conversion.h"
#include "platform/utf8.h"

namespace dictionary_viewer {

namespace {

constexpr char kUtf8[] = "UTF-8";

// One character: a code point that is no combining mark, and the marks that belong to it. iconv
// reads 0x80 as a character of its own, so that 80 41 would decode to two.
bool is_one_character(std::string_view utf8) {
  if (utf8.empty() || utf8.size() > CodeForm::kLongestText) return false;
  if (platform::is_combining_mark(platform::decode_utf8(utf8, 0).code_point)) return false;
  return platform::character_end(utf8, 0) == utf8.size();
}

}  // namespace

Big5CodeTable::Big5CodeTable(platform::Big5Variant variant) {
  const char* name = platform::variant_name(variant);
  platform::IconvConversion decoder(kUtf8, name);
  platform::IconvConversion encoder(name, kUtf8);
  available_ = decoder.available() && encoder.available();
  if (!available_) return;
  forms_.resize((256 - kFirstLead) * 256);
  std::string utf8;
  std::string back;
  for (int lead = kFirstLead; lead <= 0xFF; ++lead) {
    for (int trail = 0; trail <= 0xFF; ++trail) {
      const char code[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      utf8.clear();
      back.clear();
      if (!decoder.convert({code, 2}, utf8) || !is_one_character(utf8)) continue;
      if (!encoder.convert(utf8, back) || back != std::string_view(code, 2)) continue;
      CodeForm& form = forms_[static_cast<std::size_t>(lead - kFirstLead) * 256 + static_cast<std::size_t>(trail)];
      utf8.copy(form.utf8.data(), utf8.size());
      form.length = static_cast<std::uint8_t>(utf8.size());
      form.private_use = platform::is_private_use(platform::decode_utf8(utf8, 0).code_point);
    }
  }
}

const Big5CodeTable& code_table(platform::Big5Variant variant) {
  static std::map<platform::Big5Variant, std::unique_ptr<Big5CodeTable>> built;
  std::unique_ptr<Big5CodeTable>& table = built[variant];
  if (!table) table = std::make_unique<Big5CodeTable>(variant);
  return *table;
}

}  // namespace dictionary_viewer
