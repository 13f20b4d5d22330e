// Text-mode line reading: CR LF as LF, 0x1A as the end, reads cut at a byte limit.
#include "platform/text_reader.h"

namespace platform {

namespace {
constexpr std::size_t kChunkBytes = 65536;
constexpr int kEndOfText = 0x1A;
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

LineStatus TextReader::read_line(std::string& line, std::size_t max_bytes) {
  line.clear();
  while (line.size() < max_bytes) {
    int c = next_byte();
    if (c < 0) break;
    line.push_back(static_cast<char>(c));
    if (c == '\n') break;
  }
  if (error_ != 0) return LineStatus::kError;
  if (at_end_) return LineStatus::kEnd;
  return LineStatus::kLine;
}

}  // namespace platform
