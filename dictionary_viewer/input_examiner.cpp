// The input dictionary's checks as DBGVIEW shows them: each finding of the library in the words of
// the viewer, and the summary's lines, for the full file and for the empty stub.
#include "dictionary_viewer/input_examiner.h"

#include <cstdint>
#include <string>

#include "big5dict/input_checks.h"
#include "big5dict/input_keys.h"
#include "dictionary_viewer/messages.h"
#include "platform/message_writer.h"

namespace dictionary_viewer {

namespace {

namespace input = big5dict::input;
using input::Field;
using input::Rule;

const char* key_type_name(std::uint8_t stored) {
  switch (stored) {
    case static_cast<std::uint8_t>(input::KeyType::kAlpha): return msg::kAlphaName;
    case static_cast<std::uint8_t>(input::KeyType::kNumber): return msg::kNumberName;
    case static_cast<std::uint8_t>(input::KeyType::kAlphaNumerical): return msg::kAlphaNumericalName;
    default: return msg::kUnknownName;
  }
}

const char* dict_kind_name(input::DictKind kind) {
  switch (kind) {
    case input::DictKind::kEmptyStub: return msg::kEmptyStubName;
    case input::DictKind::kOrdinary: return msg::kOrdinaryName;
    case input::DictKind::kExtraKeys: return msg::kExtraKeysName;
  }
  return msg::kUnknownName;
}

const char* field_name(std::uint64_t field) {
  switch (static_cast<Field>(field)) {
    case Field::kEnglishName: return msg::kEnglishNameField;
    case Field::kChineseName: return msg::kChineseNameField;
    case Field::kNoticeText: return msg::kNoticeTextField;
    case Field::kDictKind: return msg::kDictKindField;
    case Field::kShortName: return msg::kShortNameField;
    case Field::kZeroPad: return msg::kHeaderPlace;
    case Field::kKeyType: return msg::kKeyTypeField;
    case Field::kMaxLen: return msg::kMaxLenField;
    case Field::kUWOption: return msg::kUWOptionField;
    case Field::kSingleChar: return msg::kSingleCharField;
    case Field::kRangeFirst: return msg::kRangeFirstField;
    case Field::kRangeLast: return msg::kRangeLastField;
    case Field::kPlaceValues: return msg::kPlaceValuesField;
  }
  return msg::kHeaderPlace;
}

std::string place_of(const input::InputFinding& f) {
  switch (f.rule) {
    case Rule::kMissingEndMarker:
    case Rule::kStrayEndMarker:
    case Rule::kSlotWithoutCharacter:
    case Rule::kCodeTooWide:
    case Rule::kBadDigit:
    case Rule::kGapInKey:
      return platform::format(msg::kIndexPlace, static_cast<std::size_t>(f.place));
    case Rule::kTrailerDiffers: return msg::kTrailerPlace;
    case Rule::kStubTextDiffers: return msg::kStubTextPlace;
    default: return field_name(f.place);
  }
}

std::string field_value(const input::InputFinding& f, const char* allowed) {
  return platform::format(msg::kFieldValue, field_name(f.place), static_cast<unsigned>(f.a), allowed);
}

std::string text_of(const input::InputFinding& f) {
  const auto code = static_cast<unsigned long>(f.a);
  const auto type = static_cast<input::KeyType>(f.b);
  switch (f.rule) {
    case Rule::kNameNotEnded: return platform::format(msg::kNameNotEnded, static_cast<std::size_t>(f.a));
    case Rule::kShortNameStart: return platform::format(msg::kShortNameStart, static_cast<unsigned>(f.a));
    case Rule::kZeroPadNotZero:
      return platform::format(msg::kZeroBytes, static_cast<unsigned>(f.a), static_cast<unsigned>(f.b));
    case Rule::kKeyTypeValue: return field_value(f, msg::kKeyTypeValues);
    case Rule::kUWOptionValue: return field_value(f, msg::kUWOptionValues);
    case Rule::kCapitalField:
      return platform::format(msg::kCapitalField, field_name(f.place), static_cast<int>(f.a));
    case Rule::kDictKindValue: return field_value(f, msg::kFullDictKindValues);
    case Rule::kMaxLenValue:
      return field_value(f, f.b == input::max_len_limit(input::KeyType::kAlpha) ? msg::kAlphaMaxLenValues
                                                                                : msg::kOtherMaxLenValues);
    case Rule::kPlaceValue:
      return platform::format(msg::kPlaceValue, static_cast<std::size_t>(f.a), static_cast<unsigned long>(f.b),
                              static_cast<unsigned long>(f.c));
    case Rule::kMissingEndMarker:
      return platform::format(msg::kMissingEndMarker, static_cast<std::size_t>(f.a), static_cast<unsigned long>(f.b));
    case Rule::kStrayEndMarker: return msg::kStrayEndMarker;
    case Rule::kSlotWithoutCharacter:
      return platform::format(msg::kSlotWithoutCharacter, code, static_cast<unsigned>(f.b));
    case Rule::kCodeTooWide:
      return platform::format(msg::kCodeTooWide, code, input::layout_of(type).width(), key_type_name(f.b));
    case Rule::kBadDigit: {
      const auto position = static_cast<std::size_t>(f.c);
      return platform::format(msg::kBadDigit, code, input::digit_at(static_cast<std::uint32_t>(f.a), type, position),
                              position, key_type_name(f.b));
    }
    case Rule::kGapInKey: return platform::format(msg::kGapInKey, code);
    case Rule::kTrailerDiffers: return platform::format(msg::kTrailerDiffers, static_cast<unsigned>(f.a));
    case Rule::kStubMaxLenValue: return field_value(f, msg::kStubMaxLenValue);
    case Rule::kStubTextDiffers: return platform::format(msg::kStubTextDiffers, static_cast<unsigned>(f.a));
  }
  return "";
}

// A header byte as the summary shows it: the character when printable, else its value.
std::string shown(std::uint8_t b) {
  if (b >= 0x21 && b <= 0x7E) return std::string(1, static_cast<char>(b));
  return platform::format(msg::kByteValue, static_cast<unsigned>(b));
}

void summarise_key_type(const input::DictHeader& header, std::string& s) {
  s += platform::format(msg::kKeyTypeLine, static_cast<unsigned>(header.key_type), key_type_name(header.key_type));
}

void summarise_names(const input::DictHeader& header, std::string& s) {
  s += platform::format(msg::kEnglishLine, std::string(input::name_text(header.english_name)).c_str());
  s += platform::format(msg::kChineseLine, std::string(input::name_text(header.chinese_name)).c_str());
  s += platform::format(msg::kShortNameLine, std::string(header.short_name.begin(), header.short_name.end()).c_str());
}

}  // namespace

void examine_input_dictionary(std::string_view file, bool with_text, Examination& result) {
  FindingsInto<Rule> findings(result, place_of, text_of);
  const input::Summary summary = input::check_input_dictionary(file, findings, with_text ? &result.text : nullptr);
  const input::DictHeader& h = summary.header;
  std::string& s = result.summary;
  summarise_key_type(h, s);
  s += platform::format(msg::kMaxLenLine, static_cast<unsigned>(h.max_len));
  s += platform::format(msg::kDictKindLine, static_cast<unsigned>(h.dict_kind), dict_kind_name(h.dict_kind));
  s += platform::format(msg::kUWOptionLine, static_cast<unsigned>(h.uw_option));
  s += platform::format(msg::kRangeLine, shown(h.range_first).c_str(), shown(h.range_last).c_str());
  s += platform::format(msg::kSingleCharLine, shown(h.single_char).c_str());
  s += platform::format(msg::kRowsLine, static_cast<unsigned>(h.qu_start), static_cast<unsigned>(h.qu_end));
  summarise_names(h, s);
  s += platform::format(msg::kCharactersLine, summary.characters_with_key);
  s += platform::format(msg::kCodesLine, summary.distinct_codes);
  if (summary.end_marker) {
    s += platform::format(msg::kEndMarkerLine, *summary.end_marker, input::slot_offset(*summary.end_marker));
  } else {
    s += msg::kNoEndMarkerLine;
  }
}

void examine_input_stub(std::string_view file, bool with_text, Examination& result) {
  FindingsInto<Rule> findings(result, place_of, text_of);
  const input::StubSummary summary = input::check_input_stub(file, findings, with_text ? &result.text : nullptr);
  std::string& s = result.summary;
  s += platform::format(msg::kStubCharacter, summary.stub_character, summary.stub_character);
  summarise_key_type(summary.header, s);
  summarise_names(summary.header, s);
}

}  // namespace dictionary_viewer
