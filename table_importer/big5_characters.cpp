// Code points asked once; clusters with marks asked whole.
#include "table_importer/big5_characters.h"

#include "platform/utf8.h"

namespace table_importer {

namespace {

constexpr char kUtf8[] = "UTF-8";
constexpr char32_t kLastCodePoint = 0x10FFFF;
constexpr std::size_t kCodeBytes = 2;
constexpr char32_t kPlaneZero = 0x10000;

// Whether the character that starts with `lead` may be a combining mark: marks stand at U+0300 and
// above in a few blocks, whose UTF-8 begins with one of these bytes. The CJK blocks do not.
constexpr bool may_be_mark(std::uint8_t lead) {
  return lead == 0xCC || lead == 0xCD || lead == 0xE1 || lead == 0xE2 || lead == 0xE3 || lead == 0xEF || lead == 0xF3;
}
// What a code that does not read back shows; a code B5IMPORT made always does.
constexpr char kUnreadable = '?';

// A code point of text already checked to be UTF-8, decoded without a check of its own.
platform::DecodedCodePoint decode_checked(std::string_view utf8, std::size_t pos) {
  const auto at = [&](std::size_t i) { return char32_t{static_cast<std::uint8_t>(utf8[pos + i])}; };
  const char32_t first = at(0);
  if (first < 0x80) return {first, 1};
  if (first < 0xE0) return {(first & 0x1F) << 6 | (at(1) & 0x3F), 2};
  if (first < 0xF0) return {(first & 0x0F) << 12 | (at(1) & 0x3F) << 6 | (at(2) & 0x3F), 3};
  return {(first & 0x07) << 18 | (at(1) & 0x3F) << 12 | (at(2) & 0x3F) << 6 | (at(3) & 0x3F), 4};
}

}  // namespace

Big5Characters::Big5Characters(platform::Big5Variant variant)
    : encoder_(platform::variant_name(variant), kUtf8),
      plane_zero_(kPlaneZero, kUnknown),
      pages_((kLastCodePoint >> kPageBits) + 1),
      decoder_(kUtf8, platform::variant_name(variant)) {}

std::string Big5Characters::utf8_of(std::string_view big5) {
  if (read_back_.empty()) read_back_.resize(std::size_t{1} << 16);
  std::string utf8;
  for (std::size_t pos = 0; pos + kCodeBytes <= big5.size(); pos += kCodeBytes) {
    std::uint32_t& known = read_back_[static_cast<std::uint8_t>(big5[pos]) << 8 | static_cast<std::uint8_t>(big5[pos + 1])];
    if (known == 0) {
      std::string character;
      if (!decoder_.convert(big5.substr(pos, kCodeBytes), character) || character.empty() || character.size() > 4) {
        character.assign(1, kUnreadable);
      }
      for (std::size_t i = character.size(); i-- > 0;) known = known << 8 | static_cast<std::uint8_t>(character[i]);
    }
    for (std::uint32_t bytes = known; bytes != 0; bytes >>= 8) utf8.push_back(static_cast<char>(bytes & 0xFF));
  }
  return utf8;
}

std::uint32_t& Big5Characters::known(char32_t code_point) {
  if (code_point < kPlaneZero) return plane_zero_[code_point];
  std::unique_ptr<Page>& page = pages_[code_point >> kPageBits];
  if (!page) page = std::make_unique<Page>(Page{});
  return (*page)[code_point & ((1u << kPageBits) - 1)];
}

bool Big5Characters::append_code_point(char32_t code_point, std::string_view character, std::string& out) {
  std::uint32_t& answer = known(code_point);
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

TextForm Big5Characters::convert(std::string_view utf8, std::string& out) {
  TextForm form;
  const std::size_t kept = out.size();
  for (std::size_t pos = 0; pos < utf8.size();) {
    if (static_cast<std::uint8_t>(utf8[pos]) < 0x80) {
      // ASCII is ASCII in every variant.
      form.ascii = true;
      ++form.characters;
      if (form.whole) out.push_back(utf8[pos]);
      ++pos;
      continue;
    }
    const platform::DecodedCodePoint c = decode_checked(utf8, pos);
    std::size_t end = pos + c.length;
    bool marked = false;
    while (end < utf8.size() && may_be_mark(static_cast<std::uint8_t>(utf8[end]))) {
      const platform::DecodedCodePoint mark = decode_checked(utf8, end);
      if (!platform::is_combining_mark(mark.code_point)) break;
      end += mark.length;
      marked = true;
    }
    ++form.characters;
    if (form.whole) {
      // A letter and its marks go to iconv together, as one character.
      const std::string_view character = utf8.substr(pos, end - pos);
      form.whole = marked ? encoder_.convert(character, out) : append_code_point(c.code_point, character, out);
      if (!form.whole) out.resize(kept);
    }
    pos = end;
  }
  return form;
}

}  // namespace table_importer
