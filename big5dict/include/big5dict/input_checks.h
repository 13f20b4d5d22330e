// Every rule of the input dictionary checked, for the full file and for the empty stub: what is
// broken comes out as findings, what the file holds as a summary, and, when asked, the input table
// that KESTRAWN converts back into the same file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "big5dict/findings.h"
#include "big5dict/input_file.h"

namespace big5dict::input {

// The header fields, as the `place` of a finding about one.
enum class Field {
  kEnglishName,
  kChineseName,
  kNoticeText,
  kDictKind,
  kShortName,
  kZeroPad,
  kKeyType,
  kMaxLen,
  kUWOption,
  kSingleChar,
  kRangeFirst,
  kRangeLast,
  kPlaceValues,
};

// The rules, and what each finding holds besides its offset. For a header rule `place` is the
// Field, for a key table rule the slot. The checks go in the order below: the header fields both
// forms share, then the full file's DictKind, MaxLen and place values, its table's end, its slots
// one by one and its trailer; or the stub's MaxLen and text.
enum class Rule {
  kNameNotEnded,          // no zero byte ends the field (kEnglishName, kChineseName, kNoticeText) of a bytes
  kShortNameStart,        // the short name begins with a, a byte below 0x80
  kZeroPadNotZero,        // bytes 66 and 67 are a and b, not zero
  kKeyTypeValue,          // KeyType is a, which names no key type
  kUWOptionValue,         // UWOption is a, above 2
  kCapitalField,          // the field (kRangeFirst, kRangeLast, kSingleChar) is the capital a
  kDictKindValue,         // DictKind of a full file is a, neither 1 nor 2
  kMaxLenValue,           // MaxLen is a, outside 1..b for the key type
  kPlaceValue,            // place value a is b; the key type gives c
  kMissingEndMarker,      // no end marker at the slot after the highest used slot a (it holds the code b)
  kStrayEndMarker,        // 0xFFFFFFFF at slot 1, right after slot 0, which gets no end marker
  kSlotWithoutCharacter,  // the code a in a slot that no character has under QuStart b
  kCodeTooWide,           // the code a has bits above those a key of type b fills
  kBadDigit,              // the code a of key type b: position c holds a digit no key character has
  kGapInKey,              // the code a has a filled position after an empty one
  kTrailerDiffers,        // the trailer differs from the converter's from the byte a on
  kStubMaxLenValue,       // MaxLen of the stub is a, not 0x20
  kStubTextDiffers,       // the stub text differs from the converter's from the byte a on
};

using InputFinding = Finding<Rule>;

// The full file's header fields as stored, and what its key table holds.
struct Summary {
  DictHeader header;
  std::size_t characters_with_key = 0;
  std::size_t distinct_codes = 0;
  std::optional<std::size_t> end_marker;  // the slot of the end marker, where the final pass put one
};

// The stub's header fields as stored, and the character its text names.
struct StubSummary {
  DictHeader header;
  char stub_character = 0;
};

// `file` is a full file, exactly kFullFileBytes long. With `text`, sets it to the input table: the
// header line, then one entry line per key code in ascending order, its characters in slot order.
Summary check_input_dictionary(std::string_view file, FindingSink<Rule>& findings, std::string* text);

// `file` is a stub, exactly kStubFileBytes long. With `text`, sets it to the header line of a table
// that converts into the same stub.
StubSummary check_input_stub(std::string_view file, FindingSink<Rule>& findings, std::string* text);

}  // namespace big5dict::input
