// Code points asked once; clusters with marks asked whole.
#include "table_importer/big5_characters.h"

#include "platform/utf8.h"

namespace table_importer {

namespace {

constexpr char kUtf8[] = "UTF-8";
constexpr char32_t kLastCodePoint = 0x10FFFF;
constexpr std::size_t kCodeBytes = 2;
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

std::size_t character_count(std::string_view utf8) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const platform::DecodedCodePoint c = decode_checked(utf8, pos);
    if (pos == 0 || !platform::is_combining_mark(c.code_point)) ++count;
    pos += c.length;
  }
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
    : encoder_(platform::variant_name(variant), kUtf8),
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

bool Big5Characters::append(std::string_view utf8, std::string& out) {
  const std::size_t kept = out.size();
  platform::DecodedCodePoint next = utf8.empty() ? platform::DecodedCodePoint{} : decode_checked(utf8, 0);
  for (std::size_t pos = 0; pos < utf8.size();) {
    const platform::DecodedCodePoint c = next;
    std::size_t end = pos + c.length;
    if (end < utf8.size()) next = decode_checked(utf8, end);
    bool converted;
    if (end < utf8.size() && platform::is_combining_mark(next.code_point)) {
      // A letter and its marks go to iconv together, as one character.
      end = platform::character_end(utf8, pos);
      converted = encoder_.convert(utf8.substr(pos, end - pos), out);
      if (end < utf8.size()) next = decode_checked(utf8, end);
    } else {
      converted = append_code_point(c.code_point, utf8.substr(pos, c.length), out);
    }
    if (!converted) {
      out.resize(kept);
      return false;
    }
    pos = end;
  }
  return true;
}

}  // namespace table_importer
