// The source's line loop: every line read whole by the platform's reader (CR LF as LF, 0x1A ends
// the input), checked to be UTF-8 or converted into it from the source's encoding, a byte-order
// mark at the start skipped, then handed to its layout.
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/iconv_conversion.h"
#include "platform/text_reader.h"
#include "table_importer/layout.h"
#include "table_importer/outcome.h"

namespace table_importer {

// How a source's lines become UTF-8: checked as they are, or converted from an encoding in which
// ASCII bytes stand for ASCII, so that tabs, blanks and marks are found in the bytes as read.
class SourceDecoder {
 public:
  SourceDecoder() = default;
  // `encoding` as iconv names it; UTF-8 in any spelling iconv takes is only checked.
  explicit SourceDecoder(const std::string& encoding);

  // False when this system's iconv does not read the encoding.
  bool available() const;
  // False when an ASCII byte of the encoding stands for something else (UTF-16, EBCDIC, a
  // shifting encoding such as ISO-2022-JP or UTF-7).
  bool ascii_compatible();
  const std::string& name() const { return name_; }

  // The line in UTF-8; nothing when it does not decode, `bad` then at the first byte that does not.
  std::optional<std::string_view> decode(const std::string& line, std::size_t& bad);

 private:
  std::string name_ = "UTF-8";
  std::unique_ptr<platform::IconvConversion> to_utf8_;
  std::string converted_;
};

// Reads the source to its end into `big5`. Stops on a read error, a line longer than any reader
// takes, bytes that do not decode, or a line that the layout cannot write, each reported on `err`
// with `source_name`.
StopStatus convert_source(platform::TextReader& reader, const std::string& source_name, Layout& layout,
                          std::string& big5, std::ostream& err);
StopStatus convert_source(platform::TextReader& reader, const std::string& source_name, SourceDecoder& decoder,
                          Layout& layout, std::string& big5, std::ostream& err);

}  // namespace table_importer
