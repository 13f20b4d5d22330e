// A CiZu table line scanned into its record, and stored units restored as Big5 text.
#include "big5dict/hashed_record.h"

#include <cstdint>

#include "big5dict/ascii.h"
#include "big5dict/big5.h"
#include "big5dict/hashed_key.h"
#include "big5dict/hashed_layout.h"
#include "big5dict/hashed_text.h"

namespace big5dict::hashed {

namespace {

constexpr auto kSpace = static_cast<std::uint8_t>(kSeparator);
constexpr std::uint8_t kNul = 0x00;

}  // namespace

FiledLine append_line_record(std::string_view line, std::string& out) {
  const auto* const s = reinterpret_cast<const std::uint8_t*>(line.data());
  const std::size_t n = line.size();
  // A record is never longer than its line: room for all of it at once, the rest given back below.
  const std::size_t start = out.size();
  out.resize(start + n);
  auto* const first = reinterpret_cast<std::uint8_t*>(out.data() + start);
  std::uint8_t* w = first;

  // The key, to the first space: hashed over its leading run of key bytes as they stand once the
  // leading capitals are folded, stored byte by byte with every capital folded.
  std::uint64_t sum = 0;
  std::uint64_t position = 0;
  bool folding = true;
  bool hashing = true;
  std::size_t i = 0;
  for (; i < n && s[i] != kSpace; ++i) {
    std::uint8_t b = s[i];
    if (folding) {
      if (is_ascii_capital(b)) {
        b = to_ascii_lower(b);
      } else {
        folding = false;
      }
    }
    if (hashing) {
      if (is_key_byte(b)) {
        sum += key_hash_term(b, ++position);  // each term below the bucket count: no overflow
      } else {
        hashing = false;
      }
    }
    if (auto stored = stored_key_byte(b)) *w++ = *stored;
  }

  // The phrases: spaces, and only spaces, between them; any other byte of 0x80 or below where a
  // phrase could start or go on ends the line, and so does a lead byte without a trail byte it can
  // keep (a stored 0x00 would read back as a record separator).
  long phrases = 0;
  while (i < n && s[i] == kSpace) ++i;
  while (i < n && is_lead_above_0x80(s[i])) {
    bool cut = false;
    bool phrase_start = true;
    do {
      if (i + 1 >= n || s[i + 1] == kNul) {
        cut = true;
        break;
      }
      std::uint8_t lead = s[i];
      if (phrase_start) {
        ++phrases;  // counted once its first character is stored
        phrase_start = false;
      } else {
        lead &= kContinuationMask;
      }
      *w++ = lead;
      *w++ = s[i + 1];  // a trail byte is kept whatever it is
      i += 2;
    } while (i < n && is_lead_above_0x80(s[i]));
    if (cut || i >= n || s[i] != kSpace) break;
    while (i < n && s[i] == kSpace) ++i;
  }
  out.resize(start + static_cast<std::size_t>(w - first));
  return FiledLine{static_cast<std::size_t>(sum % kBucketCount), phrases};
}

void build_record(std::string_view line, Record& record) {
  record.bytes.clear();
  record.phrases = append_line_record(line, record.bytes).phrases;
}

void append_restored(std::string_view units, std::string& text) {
  for (std::size_t i = 0; i + 1 < units.size(); i += kUnitBytes) {
    text.push_back(static_cast<char>(static_cast<std::uint8_t>(units[i]) | kPhraseMark));
    text.push_back(units[i + 1]);
  }
}

}  // namespace big5dict::hashed
