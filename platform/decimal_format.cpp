// A format of long decimals taken apart once, and a long right-aligned in its field.
#include "platform/decimal_format.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace platform {

namespace {
constexpr std::size_t kWidestField = 65536;
}  // namespace

namespace {

// "00" to "99", so that a division gives two digits.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

std::size_t digit_count(unsigned long v) {
  std::size_t n = 1;
  for (; v >= 10000; v /= 10000) n += 4;
  return v >= 1000 ? n + 3 : v >= 100 ? n + 2 : v >= 10 ? n + 1 : n;
}

}  // namespace

// Written in place from the end, two digits a division: a converter fills a field for every line.
char* put_decimal(char* out, long value, std::size_t width) {
  unsigned long magnitude = static_cast<unsigned long>(value);
  if (value < 0) magnitude = 0 - magnitude;  // LONG_MIN too, in unsigned arithmetic
  const std::size_t length = digit_count(magnitude) + (value < 0 ? 1 : 0);
  for (; width > length; --width) *out++ = ' ';
  char* const end = out + length;
  char* p = end;
  while (magnitude >= 100) {
    const std::size_t pair = 2 * (magnitude % 100);
    magnitude /= 100;
    *--p = kDigitPairs[pair + 1];
    *--p = kDigitPairs[pair];
  }
  if (magnitude >= 10) {
    *--p = kDigitPairs[2 * magnitude + 1];
    *--p = kDigitPairs[2 * magnitude];
  } else {
    *--p = static_cast<char>('0' + magnitude);
  }
  if (value < 0) *--p = '-';
  return end;
}

// The text around the fields goes in chunks of kChunk bytes: the copies of the texts and the room
// a line is written into both reach a chunk past their end.
char* DecimalFormat::put_text(char* out, Text text) const {
  const char* from = texts_.data() + text.start;
  for (std::size_t i = 0; i < text.size; i += kChunk) std::memcpy(out + i, from + i, kChunk);
  return out + text.size;
}

DecimalFormat::Text DecimalFormat::keep_text(std::string_view text) {
  const Text kept{texts_.size(), text.size()};
  texts_.append(text);
  texts_.append(kChunk, '\0');
  return kept;
}

DecimalFormat::DecimalFormat(const char* format) {
  const std::string_view f(format);
  std::size_t longest = 0;
  std::size_t text_start = 0;
  for (std::size_t pos = f.find('%'); pos != std::string_view::npos; pos = f.find('%', text_start)) {
    std::size_t p = pos + 1;
    std::size_t width = 0;
    for (; p < f.size() && f[p] >= '0' && f[p] <= '9'; ++p) {
      // No line a program writes is this wide; a width past it could not be held.
      if (width > kWidestField) throw std::invalid_argument("a field wider than any line");
      width = width * 10 + static_cast<std::size_t>(f[p] - '0');
    }
    // A leading 0 is printf's flag for zeros, which no decimal format here asks for.
    if (p > pos + 1 && f[pos + 1] == '0') throw std::invalid_argument("a conversion other than %ld");
    if (f.substr(p, 2) != "ld") throw std::invalid_argument("a conversion other than %ld");
    fields_.push_back(Field{keep_text(f.substr(text_start, pos - text_start)), width});
    longest += pos - text_start + std::max(width, kLongDigits);
    text_start = p + 2;
  }
  tail_ = keep_text(f.substr(text_start));
  longest += tail_.size;
  longest_ = longest + kChunk;
}

char* DecimalFormat::fill(char* out, const long* values, std::size_t count) const {
  if (count != fields_.size()) throw std::invalid_argument("values not one a conversion");
  for (std::size_t i = 0; i < count; ++i) out = put_decimal(put_text(out, fields_[i].before), values[i], fields_[i].width);
  return put_text(out, tail_);
}

std::string DecimalFormat::fill(const long* values, std::size_t count) const {
  std::string line(longest_, '\0');
  line.resize(static_cast<std::size_t>(fill(line.data(), values, count) - line.data()));
  return line;
}

void DecimalFormat::print_values(MessageWriter& out, const long* values, std::size_t count) const {
  // Straight into the writer's buffer, unless the line could be longer than all of it.
  if (longest_ <= MessageWriter::kBufferBytes) {
    out.commit(fill(out.room(longest_), values, count));
  } else {
    out.write(fill(values, count));
  }
}

}  // namespace platform
