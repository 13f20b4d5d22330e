// A CiZu table line scanned into its record, and stored units restored as Big5 text.
#include "big5dict/hashed_record.h"

#include <cstdint>

#include "big5dict/big5.h"
#include "big5dict/hashed_key.h"
#include "big5dict/hashed_layout.h"
#include "big5dict/hashed_text.h"

namespace big5dict::hashed {

namespace {

constexpr auto kSpace = static_cast<std::uint8_t>(kSeparator);
constexpr std::uint8_t kNul = 0x00;

class LineScanner {
 public:
  LineScanner(std::string_view line, std::size_t start) : line_(line), pos_(start) {}

  bool done() const { return pos_ >= line_.size(); }
  std::uint8_t peek() const { return static_cast<std::uint8_t>(line_[pos_]); }
  std::uint8_t take() { return static_cast<std::uint8_t>(line_[pos_++]); }
  bool at(std::uint8_t b) const { return !done() && peek() == b; }
  bool at_lead_byte() const { return !done() && is_lead_above_0x80(peek()); }
  void skip_spaces() {
    while (at(kSpace)) ++pos_;
  }
  // A lead byte here has a trail byte the record can keep: one that was read and is no NUL.
  bool character_complete() const {
    return pos_ + 1 < line_.size() && static_cast<std::uint8_t>(line_[pos_ + 1]) != kNul;
  }

 private:
  std::string_view line_;
  std::size_t pos_;
};

// Copies one phrase; returns false when it ended on a lead byte without a usable trail byte,
// which ends the line. A phrase is counted once its first character is stored.
bool copy_phrase(LineScanner& scan, Record& record) {
  bool first = true;
  while (scan.at_lead_byte()) {
    if (!scan.character_complete()) return false;
    std::uint8_t lead = scan.take();
    if (first) {
      ++record.phrases;
    } else {
      lead &= kContinuationMask;
    }
    record.bytes.push_back(static_cast<char>(lead));
    record.bytes.push_back(static_cast<char>(scan.take()));  // a trail byte is kept whatever it is
    first = false;
  }
  return true;
}

}  // namespace

void build_record(std::string_view line, Record& record) {
  record.bytes.clear();
  record.phrases = 0;
  const std::string_view key = line_key(line);
  append_stored_key(key, record.bytes);
  LineScanner scan(line, key.size());
  scan.skip_spaces();
  while (scan.at_lead_byte()) {
    if (!copy_phrase(scan, record)) break;
    // Behind a phrase only a space lets the line go on; a line feed, a NUL or any other byte of
    // 0x80 or below ends it.
    if (!scan.at(kSpace)) break;
    scan.skip_spaces();
  }
}

void append_restored(std::string_view units, std::string& text) {
  for (std::size_t i = 0; i + 1 < units.size(); i += kUnitBytes) {
    text.push_back(static_cast<char>(static_cast<std::uint8_t>(units[i]) | kPhraseMark));
    text.push_back(units[i + 1]);
  }
}

}  // namespace big5dict::hashed
