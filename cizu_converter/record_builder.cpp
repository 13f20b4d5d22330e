// Scanning a CiZu table line into its record.
#include "cizu_converter/record_builder.h"

#include "cizu_converter/hashed_dictionary.h"
#include "big5dict/ascii.h"
#include "big5dict/big5.h"

namespace cizu_converter {

namespace {

constexpr auto kSpace = static_cast<unsigned char>(kSeparator);
constexpr unsigned char kNul = 0x00;

class LineScanner {
 public:
  LineScanner(std::string_view line, std::size_t start) : line_(line), pos_(start) {}

  bool done() const { return pos_ >= line_.size(); }
  unsigned char peek() const { return static_cast<unsigned char>(line_[pos_]); }
  unsigned char take() { return static_cast<unsigned char>(line_[pos_++]); }
  bool at(unsigned char b) const { return !done() && peek() == b; }
  bool at_lead_byte() const { return !done() && big5dict::is_lead_above_0x80(peek()); }
  void skip_spaces() {
    while (at(kSpace)) ++pos_;
  }
  // A lead byte here has a trail byte the record can keep: one that was read and is no NUL.
  bool character_complete() const {
    return pos_ + 1 < line_.size() && static_cast<unsigned char>(line_[pos_ + 1]) != kNul;
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
    unsigned char lead = scan.take();
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

void fold_leading_capitals(std::string& line) {
  for (char& c : line) {
    if (!big5dict::is_ascii_capital(static_cast<unsigned char>(c))) break;
    c = big5dict::to_ascii_lower(c);
  }
}

Record build_record(std::string_view line) {
  Record record;
  build_record(line, record);
  return record;
}

void build_record(std::string_view line, Record& record) {
  record.bytes.clear();
  record.phrases = 0;
  const std::string_view key = line_key(line);
  for (char b : key) {
    if (auto stored = stored_key_byte(static_cast<unsigned char>(b))) record.bytes.push_back(static_cast<char>(*stored));
  }
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

}  // namespace cizu_converter
