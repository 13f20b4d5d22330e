// Why an entry of a table is not carried into its target. The names are the second column of the
// report file and stand in every message, so they never change.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace table_importer {

enum class DropReason : std::uint8_t {
  kNoBig5,           // a character the variant lacks: the whole phrase or entry goes
  kNotBig5Text,      // empty, or an ASCII byte or a blank inside the text
  kNotStorable,      // word list: a first character without a slot, a lead byte of 0xA0 or below, or too long
  kBucketFull,       // word list: its first character's bucket would reach the limit
  kSingleCharacter,  // word list: a phrase has two characters or more
  kNotACharacter,    // input table: a phrase
  kNoCode,           // a row without a code, for a target that needs one
  kBadKey,           // a key outside the key type's alphabet or the key bytes, or one that reads as a comment
  kKeyTooLong,       // longer than MaxLen or than the key type allows
  kOutOfRows,        // a character outside the header's rows
  kOtherCode,        // a character's codes other than its preferred one: counted, never listed
  kDuplicate,
};

constexpr std::size_t kDropReasonCount = 12;

constexpr std::array<std::string_view, kDropReasonCount> kDropReasonNames = {
    "no-big5",     "not-big5-text", "not-storable", "bucket-full", "single-character", "not-a-character",
    "no-code",     "bad-key",       "key-too-long", "out-of-rows", "other-code",       "duplicate",
};

constexpr std::string_view reason_name(DropReason reason) { return kDropReasonNames[static_cast<std::size_t>(reason)]; }

// Only the other codes of a character go unnamed: a shape-code table lists most characters under
// several, and the count says all there is to say.
constexpr bool is_listed(DropReason reason) { return reason != DropReason::kOtherCode; }

static_assert(reason_name(DropReason::kDuplicate) == "duplicate");

}  // namespace table_importer
