// B5IMPORT's line loop over any bytes, in each layout and variant: the first byte picks the layout,
// the variant and what the rest is. As a source of its own it may stop only for a reason (bytes that
// are no UTF-8, an over-long line, an input table's header line that cannot be written) and never
// writes more than its source. As Big5 text, any bytes (but a CR and 0x1A, which the reader turns
// into other bytes) taken to UTF-8 the way DBGVIEW takes a phrase text must come back byte for
// byte, with nothing left out.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "dictionary_viewer/utf8_conversion.h"
#include "platform/byte_escapes.h"
#include "platform/input_file.h"
#include "platform/text_reader.h"
#include "table_importer/conversion.h"
#include "table_importer/source_formats.h"

namespace {

using namespace table_importer;

constexpr std::size_t kLongestLine = 256;
constexpr const char* kLayouts[] = {"phrase-text", "cizu-table", "input-table"};
constexpr platform::Big5Variant kVariants[] = {platform::Big5Variant::kBig5, platform::Big5Variant::kBig5Hkscs};

struct Imported {
  StopStatus stop;
  std::string big5;
  std::size_t lacking;
};

Imported import(const char* layout, platform::Big5Variant variant, const std::string& utf8) {
  static Big5Text big5_texts[] = {Big5Text(kVariants[0]), Big5Text(kVariants[1])};
  Big5Text& big5 = big5_texts[variant == kVariants[0] ? 0 : 1];
  std::ostringstream err;
  LineReport report(err, "fuzz", variant);
  std::unique_ptr<Layout> reader = find_source_format(layout)->make(big5, report);
  platform::TextReader text(platform::InputFile::from_bytes(utf8), kLongestLine);
  Imported result;
  result.stop = convert_source(text, "fuzz", *reader, result.big5, err);
  result.lacking = report.lacking_count();
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const platform::Big5Variant variant = kVariants[data[0] & 1];
  std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
  if ((data[0] >> 1) % 4 < 3) {
    const char* layout = kLayouts[(data[0] >> 1) % 4];
    Imported result = import(layout, variant, rest);
    if (result.stop && *result.stop != Outcome::kNotUtf8 && *result.stop != Outcome::kLongLine &&
        *result.stop != Outcome::kHeaderLacking) {
      std::abort();
    }
    if (result.big5.size() > rest.size()) std::abort();
    return 0;
  }
  std::erase_if(rest, [](char c) { return c == '\r' || c == '\x1A'; });
  // Every byte may become an escape of four.
  if (rest.size() > kLongestLine / platform::kEscapeBytes) rest.resize(kLongestLine / platform::kEscapeBytes);
  const dictionary_viewer::Utf8Text utf8 =
      dictionary_viewer::Big5ToUtf8(variant).convert(rest, dictionary_viewer::Backslashes::kEscaped);
  Imported back = import("phrase-text", variant, utf8.text);
  if (back.stop || back.lacking != 0 || back.big5 != rest) std::abort();
  return 0;
}
