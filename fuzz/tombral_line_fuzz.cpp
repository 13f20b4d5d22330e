// The CiZu table's line loop on any bytes, in memory, then the header image and MAXLEN. The header
// words must start at the magic and step by each bucket's length; no record holds more bytes than
// the line it came from, so the buckets together hold no more than the input and one separator
// per line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "big5dict/bytes.h"
#include "big5dict/hashed_file.h"
#include "cizu_converter/line_conversion.h"
#include "platform/input_file.h"
#include "platform/message_writer.h"
#include "platform/text_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace cizu_converter;
  using namespace big5dict::hashed;
  std::string input(reinterpret_cast<const char*>(data), size);
  platform::TextReader reader(platform::InputFile::from_bytes(input));
  Conversion conversion;
  std::ostringstream stream;
  platform::MessageWriter out(stream);
  if (convert_lines(reader, "fuzz.b5", conversion, out)) std::abort();  // memory holds no read error

  const std::string header = header_image(conversion.table);
  if (header.size() != kHeaderBytes) std::abort();
  const auto* words = reinterpret_cast<const std::uint8_t*>(header.data());
  std::size_t total = 0;
  std::size_t longest = 0;
  for (std::size_t k = 0; k < kBucketCount; ++k) {
    const auto length = static_cast<std::size_t>(conversion.table.length(k));
    std::uint32_t step = big5dict::get_u32(words + kWordBytes * (k + 1)) - big5dict::get_u32(words + kWordBytes * k);
    if (step != static_cast<std::uint32_t>(length)) std::abort();
    total += length;
    if (length > longest) longest = length;
  }
  if (big5dict::get_u32(words) != kMagic) std::abort();
  if (max_bucket_length(conversion.table) != longest) std::abort();
  if (total > input.size() + static_cast<std::size_t>(conversion.lines)) std::abort();
  if (conversion.phrases < 0 || static_cast<std::size_t>(conversion.phrases) > input.size() / 2) std::abort();
  return 0;
}
