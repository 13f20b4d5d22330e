#include "cizu_converter/line_conversion.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/input_file.h"
#include "test_support/scratch.h"

namespace {

using namespace cizu_converter;
using test_support::hex;

struct Converted {
  Conversion conversion;
  std::string out;
};

void convert(const std::string& table, Converted& result) {
  platform::TextReader reader(platform::InputFile::from_bytes(table));
  std::ostringstream out;
  ASSERT_TRUE(convert_lines(reader, "in.b5", result.conversion, out));
  result.out = out.str();
}

TEST(ConvertLines, CommentsCountAsLinesAndTheLastLineWithoutLineFeedIsLost) {
  Converted c;
  convert("Hello \xA4\xA4\r\n* note\nlost \xA4\x40", c);
  EXPECT_EQ(c.out, "Words=    0  Line=    1\rWords=    1  Line=    2\r");
  EXPECT_EQ(c.conversion.lines, 2);
  EXPECT_EQ(c.conversion.phrases, 1);
  EXPECT_EQ(hex(c.conversion.table.bytes(key_hash("hello"))), hex("HELLO\xA4\xA4"));
  EXPECT_EQ(max_bucket_length(c.conversion.table), 7u);
}

// A read of 1023 bytes that ends on a lead byte drops it and ends that line's record there; the
// rest of the line comes back as a line of its own.
TEST(ConvertLines, ALeadByteCutByTheReadLimitIsDropped) {
  std::string first = "k ";
  while (first.size() < kLineReadBytes - 1) first += "\xA4\x40";
  ASSERT_EQ(first.size(), kLineReadBytes - 1);
  Converted c;
  convert(first + "\xA5\x42\n", c);
  EXPECT_EQ(c.conversion.lines, 2);
  EXPECT_EQ(c.conversion.phrases, 1);
  std::string record = "K\xA4\x40";
  for (std::size_t i = 1; i < (kLineReadBytes - 3) / 2; ++i) record += "\x24\x40";
  EXPECT_EQ(hex(c.conversion.table.bytes(key_hash("k"))), hex(record));
  // The rest, "B\n", is a line of its own: its trail byte reads as the key B, folded to b.
  EXPECT_EQ(hex(c.conversion.table.bytes(key_hash("b"))), hex("B"));
}

}  // namespace
