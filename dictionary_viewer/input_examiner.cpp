// Reads an input dictionary (or its empty stub) field by field and slot by slot through KESTRAWN's
// layout constants, checks every field and key code, and writes it back as an input table.
#include "dictionary_viewer/input_examiner.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "dictionary_viewer/big5.h"
#include "dictionary_viewer/key_decoding.h"
#include "dictionary_viewer/messages.h"
#include "input_table_converter/input_dictionary.h"
#include "input_table_converter/key_encoding.h"
#include "big5dict/ascii.h"
#include "big5dict/bytes.h"
#include "platform/report.h"

namespace dictionary_viewer {

namespace {

namespace itc = input_table_converter;

// Characters a table line lists: KESTRAWN reads lines of any length, but lines that stay within
// 255 bytes with a key of up to 8 bytes, a space and the line feed also suit older readers.
constexpr std::size_t kCharactersPerLine = 100;
static_assert(8 + 1 + 2 * kCharactersPerLine + 1 <= 255);

const char* dict_kind_name(std::uint8_t kind) {
  switch (kind) {
    case 0: return msg::kEmptyStubName;
    case 1: return msg::kOrdinaryName;
    case 2: return msg::kExtraKeysName;
    default: return msg::kUnknownName;
  }
}

// A header byte as the summary shows it: the character when printable, else its value.
std::string shown(std::uint8_t b) {
  if (b >= 0x21 && b <= 0x7E) return std::string(1, static_cast<char>(b));
  return platform::format(msg::kByteValue, b);
}

class DictionaryBytes {
 public:
  DictionaryBytes(std::string_view file, Examination& result) : file_(file), result_(result) {}

  std::uint8_t at(std::size_t offset) const { return big5dict::get_u8(file_, offset); }
  std::uint32_t slot(std::size_t s) const { return big5dict::get_u32(file_, slot_offset(s)); }
  std::size_t slot_offset(std::size_t s) const { return itc::kKeyTableOffset + s * itc::kSlotBytes; }
  std::optional<KeyType> key_type() const {
    std::uint8_t t = at(itc::kKeyTypeOffset);
    if (t > static_cast<std::uint8_t>(KeyType::kAlphaNumerical)) return std::nullopt;
    return static_cast<KeyType>(t);
  }
  // The text of a name field, up to its zero byte.
  std::string field_text(std::size_t offset, std::size_t size) const {
    std::string_view field = file_.substr(offset, size);
    return std::string(field.substr(0, field.find('\0')));
  }
  std::string_view bytes(std::size_t offset, std::size_t size) const { return file_.substr(offset, size); }

  void violation(std::size_t offset, const char* place, std::string what) const {
    result_.violation(offset, place, std::move(what));
  }

  // The fields both forms share: bytes 0..75.
  void check_common_header() const {
    check_ended(msg::kEnglishNameField, itc::kEnglishNameOffset, itc::kNameBytes);
    check_ended(msg::kChineseNameField, itc::kChineseNameOffset, itc::kNameBytes);
    check_ended(msg::kNoticeTextField, itc::kNoticeTextOffset, itc::kNoticeTextBytes);
    if (at(itc::kShortNameOffset) < 0x80) {
      violation(itc::kShortNameOffset, msg::kShortNameField, platform::format(msg::kShortNameStart, at(itc::kShortNameOffset)));
    }
    if (at(itc::kZeroPadOffset) != 0 || at(itc::kZeroPadOffset + 1) != 0) {
      violation(itc::kZeroPadOffset, msg::kHeaderPlace,
                platform::format(msg::kZeroBytes, at(itc::kZeroPadOffset), at(itc::kZeroPadOffset + 1)));
    }
    check_range(msg::kKeyTypeField, itc::kKeyTypeOffset, 2, msg::kKeyTypeValues);
    check_range(msg::kUWOptionField, itc::kUWOptionOffset, 2, msg::kUWOptionValues);
    check_small(msg::kRangeFirstField, itc::kRangeFirstOffset);
    check_small(msg::kRangeLastField, itc::kRangeLastOffset);
    check_small(msg::kSingleCharField, itc::kSingleCharOffset);
  }

 private:
  void check_ended(const char* place, std::size_t offset, std::size_t size) const {
    if (bytes(offset, size).find('\0') == std::string_view::npos) {
      violation(offset, place, platform::format(msg::kNameNotEnded, size));
    }
  }
  void check_range(const char* place, std::size_t offset, unsigned highest, const char* allowed) const {
    if (at(offset) > highest) violation(offset, place, platform::format(msg::kFieldValue, place, at(offset), allowed));
  }
  void check_small(const char* place, std::size_t offset) const {
    std::uint8_t b = at(offset);
    if (big5dict::is_ascii_capital(b)) violation(offset, place, platform::format(msg::kCapitalField, place, b));
  }

  std::string_view file_;
  Examination& result_;
};

// The header line of an input table that KESTRAWN takes apart into the same fields: short name, key
// type letter (with "+" for extra keys), length digit, option letter, range, single character, rows,
// "(English)" and "[Chinese]".
std::string header_line(const DictionaryBytes& in, char length_digit) {
  std::optional<KeyType> type = in.key_type();
  std::uint8_t option = in.at(itc::kUWOptionOffset);
  std::string line(in.bytes(itc::kShortNameOffset, itc::kShortNameBytes));
  line.push_back(' ');
  line.push_back(type ? key_type_letter(*type) : '?');
  if (in.at(itc::kDictKindOffset) == static_cast<std::uint8_t>(itc::DictKind::kExtraKeys)) line.push_back('+');
  line.push_back(' ');
  line.push_back(length_digit);
  line.push_back(' ');
  line.push_back(option == 1 ? 'U' : option == 2 ? 'W' : '-');  // any other letter stands for 0
  line.push_back(' ');
  line.push_back(static_cast<char>(in.at(itc::kRangeFirstOffset)));
  line.push_back('-');
  line.push_back(static_cast<char>(in.at(itc::kRangeLastOffset)));
  line.push_back(' ');
  line.push_back(static_cast<char>(in.at(itc::kSingleCharOffset)));
  line += platform::format(" %u-%u (", in.at(itc::kQuStartOffset), in.at(itc::kQuEndOffset));
  line += in.field_text(itc::kEnglishNameOffset, itc::kNameBytes);
  line += ") [";
  line += in.field_text(itc::kChineseNameOffset, itc::kNameBytes);
  line += "]\n";
  return line;
}

void summarise_names(const DictionaryBytes& in, std::string& s) {
  s += platform::format(msg::kEnglishLine, in.field_text(itc::kEnglishNameOffset, itc::kNameBytes).c_str());
  s += platform::format(msg::kChineseLine, in.field_text(itc::kChineseNameOffset, itc::kNameBytes).c_str());
  s += platform::format(msg::kShortNameLine, std::string(in.bytes(itc::kShortNameOffset, itc::kShortNameBytes)).c_str());
}

// Where the final pass put the end marker, and the highest slot that holds a key code.
struct TableEnd {
  std::optional<std::size_t> highest_used;
  std::optional<std::size_t> marker;
  std::optional<std::size_t> stray;  // a marker after slot 0, which gets none
};

TableEnd find_table_end(const DictionaryBytes& in) {
  TableEnd end;
  std::optional<std::size_t> top;
  for (std::size_t s = itc::kSlotCount; s-- > 0;) {
    if (in.slot(s) != 0) {
      top = s;
      break;
    }
  }
  if (!top) return end;
  const std::size_t t = *top;
  if (in.slot(t) == itc::kEndMarker && t >= 1 && in.slot(t - 1) != 0) {
    if (t - 1 > 0) {
      end.marker = t;
    } else {
      end.stray = t;
    }
    end.highest_used = t - 1;
    return end;
  }
  end.highest_used = t;
  // The marker goes right after the highest used slot, except after slot 0 and after the last slot
  // (where it lands in the spare slot that never reaches the file).
  if (t > 0 && t + 1 < itc::kSlotCount) {
    in.violation(in.slot_offset(t + 1), platform::format(msg::kIndexPlace, t + 1).c_str(),
                 platform::format(msg::kMissingEndMarker, t, static_cast<unsigned long>(in.slot(t))));
  }
  return end;
}

}  // namespace

void examine_input_dictionary(std::string_view file, bool with_text, Examination& result) {
  DictionaryBytes in(file, result);
  in.check_common_header();
  const std::uint8_t kind = in.at(itc::kDictKindOffset);
  if (kind != 1 && kind != 2) {
    in.violation(itc::kDictKindOffset, msg::kDictKindField,
                 platform::format(msg::kFieldValue, msg::kDictKindField, kind, msg::kFullDictKindValues));
  }
  const std::optional<KeyType> type = in.key_type();
  const std::uint8_t max_len = in.at(itc::kMaxLenOffset);
  const unsigned longest = type ? itc::max_len_limit(*type) : 8;
  if (type && (max_len < 1 || max_len > longest)) {
    in.violation(itc::kMaxLenOffset, msg::kMaxLenField,
                 platform::format(msg::kFieldValue, msg::kMaxLenField, max_len,
                                  longest == 6 ? msg::kAlphaMaxLenValues : msg::kOtherMaxLenValues));
  }
  if (type) {
    const auto values = itc::place_values(*type);
    for (std::size_t i = 0; i < itc::kPlaceValueCount; ++i) {
      std::size_t offset = itc::kPlaceValuesOffset + 4 * i;
      std::uint32_t value = big5dict::get_u32(file, offset);
      if (value != values[i]) {
        in.violation(offset, msg::kPlaceValuesField,
                     platform::format(msg::kPlaceValue, i, static_cast<unsigned long>(value),
                                      static_cast<unsigned long>(values[i])));
      }
    }
  }

  // The key table: every used slot's code must decode under the key type and belong to a character.
  const TableEnd end = find_table_end(in);
  if (end.stray) {
    in.violation(in.slot_offset(*end.stray), platform::format(msg::kIndexPlace, *end.stray).c_str(),
                 msg::kStrayEndMarker);
  }
  const std::uint8_t qu_start = in.at(itc::kQuStartOffset);
  std::map<std::uint32_t, std::pair<std::string, std::vector<std::size_t>>> by_code;
  std::size_t with_key = 0;
  const std::size_t slots_to_read = end.highest_used ? *end.highest_used + 1 : 0;
  for (std::size_t s = 0; s < slots_to_read; ++s) {
    const std::uint32_t code = in.slot(s);
    if (code == 0) continue;
    ++with_key;
    const std::string place = platform::format(msg::kIndexPlace, s);
    const int lead = itc::hashed_character(static_cast<int>(s), qu_start).lead;
    bool usable = true;
    // The character hash gives a slot only to lead bytes above 0x80 from the base row on.
    if (lead <= 0x80 || lead > 0xFF) {
      in.violation(in.slot_offset(s), place.c_str(),
                   platform::format(msg::kSlotWithoutCharacter, static_cast<unsigned long>(code),
                                    in.at(itc::kQuStartOffset)));
      usable = false;
    }
    if (!type) continue;
    DecodedKey key = decode_key(code, *type);
    const unsigned long shown_code = code;
    switch (key.fault) {
      case KeyCodeFault::kNone:
        break;
      case KeyCodeFault::kTooWide: {
        const auto layout = itc::layout_of(*type);
        in.violation(in.slot_offset(s), place.c_str(),
                     platform::format(msg::kCodeTooWide, shown_code,
                                      layout.bits_per_position * static_cast<unsigned>(layout.positions),
                                      key_type_name(*type)));
        break;
      }
      case KeyCodeFault::kBadDigit:
        in.violation(in.slot_offset(s), place.c_str(),
                     platform::format(msg::kBadDigit, shown_code, key.digit, key.position, key_type_name(*type)));
        break;
      case KeyCodeFault::kGap:
        in.violation(in.slot_offset(s), place.c_str(), platform::format(msg::kGapInKey, shown_code));
        break;
    }
    if (usable && key.fault == KeyCodeFault::kNone) {
      auto& entry = by_code[code];
      entry.first = key.key;
      entry.second.push_back(s);
    }
  }

  // The trailer, as the converter writes it: its notice, then zero bytes.
  std::string trailer(itc::kTrailerNotice);
  trailer.resize(itc::kTrailerBytes, '\0');
  std::string_view stored = in.bytes(itc::kTrailerOffset, itc::kTrailerBytes);
  for (std::size_t i = 0; i < itc::kTrailerBytes; ++i) {
    if (big5dict::get_u8(stored, i) != static_cast<std::uint8_t>(trailer[i])) {
      in.violation(itc::kTrailerOffset + i, msg::kTrailerPlace, platform::format(msg::kTrailerDiffers, big5dict::get_u8(stored, i)));
      break;
    }
  }

  std::string& s = result.summary;
  s += platform::format(msg::kKeyTypeLine, in.at(itc::kKeyTypeOffset), type ? key_type_name(*type) : msg::kUnknownName);
  s += platform::format(msg::kMaxLenLine, max_len);
  s += platform::format(msg::kDictKindLine, kind, dict_kind_name(kind));
  s += platform::format(msg::kUWOptionLine, in.at(itc::kUWOptionOffset));
  s += platform::format(msg::kRangeLine, shown(in.at(itc::kRangeFirstOffset)).c_str(),
                        shown(in.at(itc::kRangeLastOffset)).c_str());
  s += platform::format(msg::kSingleCharLine, shown(in.at(itc::kSingleCharOffset)).c_str());
  s += platform::format(msg::kRowsLine, in.at(itc::kQuStartOffset), in.at(itc::kQuEndOffset));
  summarise_names(in, s);
  s += platform::format(msg::kCharactersLine, with_key);
  s += platform::format(msg::kCodesLine, by_code.size());
  if (end.marker) {
    s += platform::format(msg::kEndMarkerLine, *end.marker, in.slot_offset(*end.marker));
  } else {
    s += msg::kNoEndMarkerLine;
  }

  if (!with_text) return;
  const char digit = max_len >= 1 && max_len <= 8 ? static_cast<char>('0' + max_len) : '?';
  result.text = header_line(in, digit);
  // One line per key code in ascending order, its characters in slot order; a code with many
  // characters takes several lines, which the converter stores alike.
  for (const auto& [code, entry] : by_code) {
    const auto& [key, slots] = entry;
    for (std::size_t first = 0; first < slots.size(); first += kCharactersPerLine) {
      result.text += key;
      result.text.push_back(' ');
      for (std::size_t i = first; i < slots.size() && i < first + kCharactersPerLine; ++i) {
        const itc::HashedCharacter c = itc::hashed_character(static_cast<int>(slots[i]), qu_start);
        result.text.push_back(static_cast<char>(c.lead));
        result.text.push_back(static_cast<char>(c.trail));
      }
      result.text.push_back('\n');
    }
  }
}

void examine_input_stub(std::string_view file, bool with_text, Examination& result) {
  DictionaryBytes in(file, result);
  in.check_common_header();
  if (in.at(itc::kMaxLenOffset) != itc::kStubMaxLen) {
    in.violation(itc::kMaxLenOffset, msg::kMaxLenField,
                 platform::format(msg::kFieldValue, msg::kMaxLenField, in.at(itc::kMaxLenOffset), msg::kStubMaxLenValue));
  }
  const std::string_view pattern(itc::kStubText);
  const std::size_t at = itc::kStubHeaderBytes + pattern.find("%c");
  const auto character = static_cast<char>(big5dict::get_u8(file, at));
  const std::string expected = platform::format(itc::kStubText, character);
  const std::string_view stored = in.bytes(itc::kStubHeaderBytes, itc::kStubTextBytes);
  for (std::size_t i = 0; i < itc::kStubTextBytes; ++i) {
    if (big5dict::get_u8(stored, i) != static_cast<std::uint8_t>(expected[i])) {
      in.violation(itc::kStubHeaderBytes + i, msg::kStubTextPlace,
                   platform::format(msg::kStubTextDiffers, big5dict::get_u8(stored, i)));
      break;
    }
  }
  std::string& s = result.summary;
  s += platform::format(msg::kStubCharacter, character, character);
  const std::optional<KeyType> type = in.key_type();
  s += platform::format(msg::kKeyTypeLine, in.at(itc::kKeyTypeOffset), type ? key_type_name(*type) : msg::kUnknownName);
  summarise_names(in, s);
  // The stub keeps no length: any digit the key type accepts gives the same file.
  if (with_text) result.text = header_line(in, '1');
}

}  // namespace dictionary_viewer
