// Text-mode line reading: CR LF as LF, 0x1A as the end, whole lines up to the longest line.
#include "platform/text_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

namespace platform {

namespace {
constexpr std::size_t kChunkBytes = 65536;
constexpr std::size_t kFirstLineRoom = 256;
constexpr int kEndOfText = 0x1A;

// Bytes that need a look of their own: a line feed, a CR that may start a CR LF pair, the end of
// text. Every other byte goes into the line as it is.
constexpr bool is_plain(char c) { return c != '\n' && c != '\r' && c != static_cast<char>(kEndOfText); }

// Whether any of the eight bytes at `p` is a line feed, a CR or the end of text: a byte equal to
// c leaves a zero byte in word ^ (c in every byte), which the borrow of the subtraction reveals.
inline bool holds_special(const char* p) {
  constexpr std::uint64_t kOnes = 0x0101010101010101;
  constexpr std::uint64_t kHighBits = 0x8080808080808080;
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  auto has_zero = [](std::uint64_t v) { return ((v - kOnes) & ~v & kHighBits) != 0; };
  return has_zero(word ^ (kOnes * '\n')) || has_zero(word ^ (kOnes * '\r')) || has_zero(word ^ (kOnes * kEndOfText));
}
}  // namespace

// The next byte of the input as stored, without consuming it; -1 at the end or on an error.
int TextReader::peek_raw() {
  if (pos_ < buffer_.size()) return static_cast<unsigned char>(buffer_[pos_]);
  if (source_done_ || error_ != 0) return -1;
  buffer_.resize(kChunkBytes);
  std::size_t got = file_.read(buffer_.data(), kChunkBytes);
  buffer_.resize(got);
  pos_ = 0;
  if (file_.error() != 0) {
    error_ = file_.error();
    buffer_.clear();
    return -1;
  }
  if (got < kChunkBytes) source_done_ = true;
  if (got == 0) return -1;
  return static_cast<unsigned char>(buffer_[0]);
}

// The next byte as a text-mode stream delivers it; -1 raises the end (or records the error).
int TextReader::next_byte() {
  if (at_end_ || error_ != 0) return -1;
  int c = peek_raw();
  if (c < 0 || c == kEndOfText) {
    if (error_ == 0) at_end_ = true;
    return -1;
  }
  ++pos_;
  if (c == '\r' && peek_raw() == '\n') {
    ++pos_;
    return '\n';
  }
  return c;
}

void TextReader::count_line() {
  if (line_number_ < std::numeric_limits<int>::max()) ++line_number_;
}

void TextReader::make_room(std::string& line, std::size_t more) const {
  if (line.size() + more <= line.capacity()) return;
  line.reserve(std::min(std::max({2 * line.capacity(), kFirstLineRoom, line.size() + more}), longest_line_ + 1));
}

void TextReader::take_plain_bytes(std::string& line) {
  if (at_end_ || error_ != 0 || pos_ >= buffer_.size()) return;
  const std::size_t reach = std::min(buffer_.size() - pos_, longest_line_ - line.size());
  const char* from = buffer_.data() + pos_;
  std::size_t n = 0;
  // Eight bytes at a time while none of them needs a look of its own, then byte by byte.
  while (n + sizeof(std::uint64_t) <= reach && !holds_special(from + n)) n += sizeof(std::uint64_t);
  while (n < reach && is_plain(from[n])) ++n;
  make_room(line, n);
  line.append(from, n);
  pos_ += n;
}

LineStatus TextReader::read_line(std::string& line) {
  line.clear();
  if (too_long_) return LineStatus::kTooLong;
  for (;;) {
    take_plain_bytes(line);
    int c = next_byte();
    if (c < 0) break;
    if (c != '\n' && line.size() == longest_line_) {
      // Nothing more of this line is read: the run stops here whatever follows.
      line.clear();
      too_long_ = true;
      count_line();
      return LineStatus::kTooLong;
    }
    make_room(line, 1);
    line.push_back(static_cast<char>(c));
    if (c == '\n') break;
  }
  if (error_ != 0) {
    line.clear();
    return LineStatus::kError;
  }
  if (line.empty()) return LineStatus::kEnd;
  count_line();
  return LineStatus::kLine;
}

}  // namespace platform
