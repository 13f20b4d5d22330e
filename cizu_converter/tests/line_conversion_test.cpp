#include "cizu_converter/line_conversion.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "big5dict/hashed_file.h"
#include "big5dict/hashed_key.h"
#include "platform/input_file.h"
#include "platform/message_writer.h"
#include "test_support/scratch.h"

namespace {

using namespace cizu_converter;
using big5dict::hashed::key_hash;
using big5dict::hashed::max_bucket_length;
using test_support::hex;

struct Converted {
  Conversion conversion;
  std::string out;
};

void convert(const std::string& table, Converted& result) {
  platform::TextReader reader(platform::InputFile::from_bytes(table));
  std::ostringstream stream;
  platform::MessageWriter out(stream);
  ASSERT_EQ(convert_lines(reader, "in.b5", result.conversion, out), std::nullopt);
  out.flush();
  result.out = stream.str();
}

TEST(ConvertLines, CommentsCountAsLinesAndTheLastLineWithoutLineFeedIsConverted) {
  Converted c;
  convert("Hello \xA4\xA4\r\n* note\nlast \xA4\x40", c);
  EXPECT_EQ(c.out, "Words=    0  Line=    1\rWords=    1  Line=    2\rWords=    1  Line=    3\r");
  EXPECT_EQ(c.conversion.lines, 3);
  EXPECT_EQ(c.conversion.phrases, 2);
  EXPECT_EQ(hex(c.conversion.table.bytes(key_hash("hello"))), hex("HELLO\xA4\xA4"));
  EXPECT_EQ(hex(c.conversion.table.bytes(key_hash("last"))), hex("LAST\xA4\x40"));
  EXPECT_EQ(max_bucket_length(c.conversion.table), 7u);
}

// A line longer than the 1023 bytes of the old reads is one record: no lead byte is cut from its
// trail byte, and no rest of the line becomes a record of its own.
TEST(ConvertLines, ALongLineIsOneRecord) {
  std::string line = "k ";
  while (line.size() < 1022) line += "\xA4\x40";
  line += "\xA5\x42\n";
  Converted c;
  convert(line, c);
  EXPECT_EQ(c.conversion.lines, 1);
  EXPECT_EQ(c.conversion.phrases, 1);
  std::string record = "K\xA4\x40";
  while (record.size() < 1021) record += "\x24\x40";
  record += "\x25\x42";
  EXPECT_EQ(hex(c.conversion.table.bytes(key_hash("k"))), hex(record));
  EXPECT_EQ(hex(c.conversion.table.bytes(key_hash("b"))), "");
}

}  // namespace
