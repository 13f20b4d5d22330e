// Character-by-character conversion through iconv; a failed character leaves the descriptor reset.
#include "dictionary_viewer/utf8_conversion.h"

#include <iconv.h>

#include "dictionary_viewer/big5.h"
#include "platform/report.h"

namespace dictionary_viewer {

namespace {

const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);

iconv_t handle(void* descriptor) { return static_cast<iconv_t>(descriptor); }

void append_escape(std::string_view bytes, std::string& out) {
  for (char c : bytes) out += platform::format("\\x%02X", byte_of(c));
}

// UTF-8 characters in a run of bytes: every byte that is no continuation byte (10xxxxxx) starts one.
std::size_t characters_in(const char* begin, const char* end) {
  std::size_t n = 0;
  for (const char* p = begin; p != end; ++p) {
    if ((byte_of(*p) & 0xC0) != 0x80) ++n;
  }
  return n;
}

}  // namespace

Big5ToUtf8::Big5ToUtf8() : descriptor_(iconv_open("UTF-8", "BIG5")) {}

Big5ToUtf8::~Big5ToUtf8() {
  if (available()) iconv_close(handle(descriptor_));
}

bool Big5ToUtf8::available() const { return handle(descriptor_) != kNoDescriptor; }

bool Big5ToUtf8::convert_character(std::string_view pair, std::string& out) {
  char in_bytes[2] = {pair[0], pair[1]};
  char out_bytes[16];
  char* in = in_bytes;
  std::size_t in_left = sizeof in_bytes;
  char* to = out_bytes;
  std::size_t out_left = sizeof out_bytes;
  std::size_t done = iconv(handle(descriptor_), &in, &in_left, &to, &out_left);
  // Both bytes must make one character: a pair that iconv reads as two single-byte characters (0x80
  // then an ASCII byte) is none.
  if (done == static_cast<std::size_t>(-1) || in_left != 0 || characters_in(out_bytes, to) != 1) {
    iconv(handle(descriptor_), nullptr, nullptr, nullptr, nullptr);
    return false;
  }
  out.append(out_bytes, static_cast<std::size_t>(to - out_bytes));
  return true;
}

Utf8Text Big5ToUtf8::convert(std::string_view big5) {
  Utf8Text result;
  result.text.reserve(big5.size() + big5.size() / 2);
  std::size_t pos = 0;
  while (pos < big5.size()) {
    if (byte_of(big5[pos]) < 0x80) {
      result.text.push_back(big5[pos++]);
      continue;
    }
    if (pos + 1 >= big5.size() || big5[pos + 1] == '\n') {
      append_escape(big5.substr(pos, 1), result.text);
      ++result.unconvertible;
      ++pos;
      continue;
    }
    std::string_view pair = big5.substr(pos, 2);
    if (!available() || !convert_character(pair, result.text)) {
      append_escape(pair, result.text);
      ++result.unconvertible;
    }
    pos += 2;
  }
  return result;
}

std::size_t convert_summary(Big5ToUtf8& converter, Examination& examination) {
  std::size_t unconvertible = 0;
  auto convert = [&](std::string& field) {
    Utf8Text utf8 = converter.convert(field);
    field = std::move(utf8.text);
    unconvertible += utf8.unconvertible;
  };
  convert(examination.summary);
  for (std::vector<Finding>* findings : {&examination.violations, &examination.warnings}) {
    for (Finding& f : *findings) {
      convert(f.place);
      convert(f.text);
    }
  }
  return unconvertible;
}

}  // namespace dictionary_viewer
