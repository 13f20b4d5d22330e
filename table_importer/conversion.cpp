// Reading the source line by line.
#include "table_importer/conversion.h"

#include "big5dict/ascii.h"
#include "platform/report.h"
#include "platform/utf8.h"
#include "table_importer/messages.h"

namespace table_importer {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool names_utf8(const std::string& encoding) {
  std::string plain;
  for (char c : encoding) {
    if (c != '-' && c != '_') plain.push_back(big5dict::to_ascii_upper(c));
  }
  return plain == "UTF8";
}

}  // namespace

SourceDecoder::SourceDecoder(const std::string& encoding) {
  if (names_utf8(encoding)) return;
  name_ = encoding;
  to_utf8_ = std::make_unique<platform::IconvConversion>(msg::kUtf8Name, encoding.c_str());
}

bool SourceDecoder::available() const { return !to_utf8_ || to_utf8_->available(); }

bool SourceDecoder::ascii_compatible() {
  if (!to_utf8_) return true;
  // Every ASCII byte in turn, and each on its own, must read as itself.
  std::string ascii;
  for (int b = 1; b < 0x80; ++b) ascii.push_back(static_cast<char>(b));
  std::string read;
  if (!to_utf8_->convert(ascii, read) || read != ascii) return false;
  for (char c : ascii) {
    read.clear();
    if (!to_utf8_->convert(std::string_view(&c, 1), read) || read != std::string_view(&c, 1)) return false;
  }
  return true;
}

std::optional<std::string_view> SourceDecoder::decode(const std::string& line, std::size_t& bad) {
  if (!to_utf8_) {
    bad = platform::first_invalid_utf8(line);
    if (bad != std::string::npos) return std::nullopt;
    return std::string_view(line);
  }
  converted_.clear();
  if (!to_utf8_->convert(line, converted_, bad)) return std::nullopt;
  return std::string_view(converted_);
}

StopStatus convert_source(platform::TextReader& reader, const std::string& source_name, Layout& layout,
                          std::string& big5, std::ostream& err) {
  SourceDecoder utf8;
  return convert_source(reader, source_name, utf8, layout, big5, err);
}

StopStatus convert_source(platform::TextReader& reader, const std::string& source_name, SourceDecoder& decoder,
                          Layout& layout, std::string& big5, std::ostream& err) {
  std::string line;
  for (bool first = true;; first = false) {
    switch (reader.read_line(line)) {
      case platform::LineStatus::kLine: break;
      case platform::LineStatus::kEnd: return std::nullopt;
      case platform::LineStatus::kTooLong:
        err << platform::long_line_report(reader.line_number(), source_name);
        return Outcome::kLongLine;
      case platform::LineStatus::kError:
        err << platform::read_error_report(source_name, reader.error());
        return Outcome::kReadError;
    }
    const int number = reader.line_number();
    std::size_t bad = 0;
    std::optional<std::string_view> text = decoder.decode(line, bad);
    if (!text) {
      err << platform::format(msg::kNotInEncoding, source_name.c_str(), number, static_cast<unsigned char>(line[bad]),
                              bad, decoder.name().c_str());
      return Outcome::kNotUtf8;
    }
    if (first && text->substr(0, kByteOrderMark.size()) == kByteOrderMark) text->remove_prefix(kByteOrderMark.size());
    if (StopStatus stop = layout.line(*text, number, big5)) return stop;
  }
}

}  // namespace table_importer
