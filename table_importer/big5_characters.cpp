// Code points asked once; clusters with marks asked whole.
#include "table_importer/big5_characters.h"

#include "platform/utf8.h"

namespace table_importer {

namespace {

constexpr char kUtf8[] = "UTF-8";
constexpr char32_t kLastCodePoint = 0x10FFFF;
constexpr std::size_t kCodeBytes = 2;

}  // namespace

std::size_t character_count(std::string_view utf8) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < utf8.size(); pos = platform::character_end(utf8, pos)) ++count;
  return count;
}

bool holds_ascii(std::string_view utf8) {
  if (utf8.empty()) return true;
  for (char c : utf8) {
    if (static_cast<unsigned char>(c) < 0x80) return true;
  }
  return false;
}

Big5Characters::Big5Characters(platform::Big5Variant variant)
    : encoder_(platform::variant_name(variant), kUtf8), pages_((kLastCodePoint >> kPageBits) + 1) {}

std::uint32_t& Big5Characters::known(char32_t code_point) {
  std::unique_ptr<Page>& page = pages_[code_point >> kPageBits];
  if (!page) page = std::make_unique<Page>(Page{});
  return (*page)[code_point & ((1u << kPageBits) - 1)];
}

bool Big5Characters::append_character(std::string_view character, std::string& out) {
  const platform::DecodedCodePoint c = platform::decode_utf8(character, 0);
  if (c.length != character.size()) return encoder_.convert(character, out);
  std::uint32_t& answer = known(c.code_point);
  if (answer == kUnknown) {
    std::string code;
    if (!encoder_.convert(character, code)) {
      answer = kLacking;
    } else if (code.size() == kCodeBytes) {
      answer = kCode | static_cast<std::uint8_t>(code[0]) << 8 | static_cast<std::uint8_t>(code[1]);
    } else {
      answer = kAskEachTime;
    }
  }
  if (answer == kLacking) return false;
  if (answer == kAskEachTime) return encoder_.convert(character, out);
  out.push_back(static_cast<char>(answer >> 8 & 0xFF));
  out.push_back(static_cast<char>(answer & 0xFF));
  return true;
}

bool Big5Characters::append(std::string_view utf8, std::string& out) {
  const std::size_t kept = out.size();
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::size_t end = platform::character_end(utf8, pos);
    if (!append_character(utf8.substr(pos, end - pos), out)) {
      out.resize(kept);
      return false;
    }
    pos = end;
  }
  return true;
}

}  // namespace table_importer
