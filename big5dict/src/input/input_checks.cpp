// Checks an input dictionary (or its empty stub) field by field and slot by slot against what
// KESTRAWN writes, and writes it back as the input table that converts into it.
#include "big5dict/input_checks.h"

#include <cstdint>
#include <map>
#include <utility>

#include "big5dict/ascii.h"
#include "big5dict/bytes.h"
#include "big5dict/input_keys.h"
#include "big5dict/input_text.h"

namespace big5dict::input {

namespace {

constexpr std::uint64_t place_of(Field field) { return static_cast<std::uint64_t>(field); }

// The fields both forms share: bytes 0..75.
void check_common_header(std::string_view file, const DictHeader& header, FindingSink<Rule>& findings) {
  auto check_ended = [&](Field field, std::size_t offset, std::size_t size) {
    if (get_bytes(file, offset, size).find('\0') == std::string_view::npos) {
      findings.violation({Rule::kNameNotEnded, offset, place_of(field), size});
    }
  };
  check_ended(Field::kEnglishName, kEnglishNameOffset, kNameBytes);
  check_ended(Field::kChineseName, kChineseNameOffset, kNameBytes);
  check_ended(Field::kNoticeText, kNoticeTextOffset, kNoticeTextBytes);
  if (header.short_name[0] < 0x80) {
    findings.violation({Rule::kShortNameStart, kShortNameOffset, place_of(Field::kShortName), header.short_name[0]});
  }
  const std::uint8_t pad_first = get_u8(file, kZeroPadOffset);
  const std::uint8_t pad_second = get_u8(file, kZeroPadOffset + 1);
  if (pad_first != 0 || pad_second != 0) {
    findings.violation({Rule::kZeroPadNotZero, kZeroPadOffset, place_of(Field::kZeroPad), pad_first, pad_second});
  }
  if (!is_key_type(header.key_type)) {
    findings.violation({Rule::kKeyTypeValue, kKeyTypeOffset, place_of(Field::kKeyType), header.key_type});
  }
  if (header.uw_option > 2) {
    findings.violation({Rule::kUWOptionValue, kUWOptionOffset, place_of(Field::kUWOption), header.uw_option});
  }
  // The converter stores the range and the single character in lower case.
  auto check_small = [&](Field field, std::size_t offset, std::uint8_t b) {
    if (is_ascii_capital(b)) findings.violation({Rule::kCapitalField, offset, place_of(field), b});
  };
  check_small(Field::kRangeFirst, kRangeFirstOffset, header.range_first);
  check_small(Field::kRangeLast, kRangeLastOffset, header.range_last);
  check_small(Field::kSingleChar, kSingleCharOffset, header.single_char);
}

// The first byte of `stored` that differs from `written`, as a finding of `rule` at `offset`.
void check_same(std::string_view stored, std::string_view written, Rule rule, std::size_t offset,
                FindingSink<Rule>& findings) {
  for (std::size_t i = 0; i < written.size(); ++i) {
    if (get_u8(stored, i) != static_cast<std::uint8_t>(written[i])) {
      findings.violation({rule, offset + i, 0, get_u8(stored, i)});
      return;
    }
  }
}

void check_header_values(const DictHeader& header, FindingSink<Rule>& findings) {
  const auto kind = static_cast<std::uint8_t>(header.dict_kind);
  if (header.dict_kind != DictKind::kOrdinary && header.dict_kind != DictKind::kExtraKeys) {
    findings.violation({Rule::kDictKindValue, kDictKindOffset, place_of(Field::kDictKind), kind});
  }
  if (!is_key_type(header.key_type)) return;
  const auto type = static_cast<KeyType>(header.key_type);
  const unsigned longest = max_len_limit(type);
  if (header.max_len < 1 || header.max_len > longest) {
    findings.violation({Rule::kMaxLenValue, kMaxLenOffset, place_of(Field::kMaxLen), header.max_len, longest});
  }
  const auto values = place_values(type);
  for (std::size_t i = 0; i < kPlaceValueCount; ++i) {
    if (header.place_values[i] != values[i]) {
      findings.violation({Rule::kPlaceValue, kPlaceValuesOffset + kPlaceValueBytes * i, place_of(Field::kPlaceValues),
                          i, header.place_values[i], values[i]});
    }
  }
}

// The characters of one key code, and the key that a table line gives them.
struct CodeEntry {
  std::string key;
  std::string characters;  // lead and trail byte pairs, in slot order
};

}  // namespace

Summary check_input_dictionary(std::string_view file, FindingSink<Rule>& findings, std::string* text) {
  Summary summary;
  summary.header = decode_header(file, Form::kFull);
  const DictHeader& header = summary.header;
  check_common_header(file, header, findings);
  check_header_values(header, findings);

  // The key table: every used slot's code must decode under the key type and belong to a character.
  const KeyTable key = decode_key_table(file);
  const TableEnd end = find_table_end(key);
  if (end.missing) {
    findings.violation({Rule::kMissingEndMarker, slot_offset(*end.missing), *end.missing, *end.highest_used,
                        key[*end.highest_used]});
  }
  if (end.stray) findings.violation({Rule::kStrayEndMarker, slot_offset(*end.stray), *end.stray});
  summary.end_marker = end.marker;

  const bool typed = is_key_type(header.key_type);
  const auto type = static_cast<KeyType>(header.key_type);
  std::map<std::uint32_t, CodeEntry> by_code;
  const std::size_t used = end.highest_used ? *end.highest_used + 1 : 0;
  for (std::size_t s = 0; s < used; ++s) {
    const std::uint32_t code = key[s];
    if (code == 0) continue;
    ++summary.characters_with_key;
    const HashedCharacter c = hashed_character(static_cast<int>(s), header.qu_start);
    const bool usable = c.is_character();
    if (!usable) findings.violation({Rule::kSlotWithoutCharacter, slot_offset(s), s, code, header.qu_start});
    if (!typed) continue;
    const DecodedKey decoded = decode_key(code, type);
    switch (decoded.fault) {
      case KeyCodeFault::kNone:
        break;
      case KeyCodeFault::kTooWide:
        findings.violation({Rule::kCodeTooWide, slot_offset(s), s, code, header.key_type});
        break;
      case KeyCodeFault::kBadDigit:
        findings.violation({Rule::kBadDigit, slot_offset(s), s, code, header.key_type, decoded.position});
        break;
      case KeyCodeFault::kGap:
        findings.violation({Rule::kGapInKey, slot_offset(s), s, code});
        break;
    }
    if (usable && decoded.fault == KeyCodeFault::kNone) {
      CodeEntry& entry = by_code[code];
      entry.key = decoded.key;
      entry.characters.push_back(static_cast<char>(c.lead));
      entry.characters.push_back(static_cast<char>(c.trail));
    }
  }
  summary.distinct_codes = by_code.size();

  // The trailer, as the converter writes it: its notice, then zero bytes.
  std::string trailer(kTrailerNotice);
  trailer.resize(kTrailerBytes, '\0');
  check_same(get_bytes(file, kTrailerOffset, kTrailerBytes), trailer, Rule::kTrailerDiffers, kTrailerOffset, findings);

  if (text != nullptr) {
    const char digit = header.max_len >= 1 && header.max_len <= 8 ? static_cast<char>('0' + header.max_len) : '?';
    *text = header_line(header, digit);
    // One key code after the other in ascending order; a code with many characters takes several
    // lines, which the converter stores alike.
    for (const auto& [code, entry] : by_code) append_entry_lines(entry.key, entry.characters, *text);
  }
  return summary;
}

StubSummary check_input_stub(std::string_view file, FindingSink<Rule>& findings, std::string* text) {
  StubSummary summary;
  summary.header = decode_header(file, Form::kStub);
  check_common_header(file, summary.header, findings);
  if (summary.header.max_len != kStubMaxLen) {
    findings.violation({Rule::kStubMaxLenValue, kMaxLenOffset, place_of(Field::kMaxLen), summary.header.max_len});
  }
  summary.stub_character = static_cast<char>(get_u8(file, kStubCharacterOffset));
  check_same(get_bytes(file, kStubHeaderBytes, kStubTextBytes), stub_text(summary.stub_character),
             Rule::kStubTextDiffers, kStubHeaderBytes, findings);
  // The stub keeps no length: any digit the key type accepts gives the same file.
  if (text != nullptr) *text = header_line(summary.header, '1');
  return summary;
}

}  // namespace big5dict::input
