// One conversion of the C library's iconv, opened once and owned, that converts a whole text at a
// time: a run of text goes through one call however long it is, which keeps a large table as fast
// as iconv itself.
#pragma once

#include <string>
#include <string_view>

namespace platform {

class IconvConversion {
 public:
  // `to` and `from` are iconv's encoding names.
  IconvConversion(const char* to, const char* from);
  ~IconvConversion();
  IconvConversion(const IconvConversion&) = delete;
  IconvConversion& operator=(const IconvConversion&) = delete;

  // False when this system's iconv has no such conversion.
  bool available() const;

  // Appends the conversion of all of `in` to `out`, then flushes the converter, so that a character
  // it holds back waiting for a combining mark comes out and nothing carries over into the next
  // text. False when a byte of `in` does not convert (or the conversion is not available): `out`
  // is then as it was, and the converter starts afresh.
  bool convert(std::string_view in, std::string& out);

  // The same; on failure `failed_at` holds the offset in `in` of the first byte that does not
  // convert (or of the sequence cut by the end of `in`).
  bool convert(std::string_view in, std::string& out, std::size_t& failed_at);

 private:
  void* descriptor_;  // iconv_t
};

}  // namespace platform
