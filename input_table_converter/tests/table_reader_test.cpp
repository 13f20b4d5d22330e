#include "input_table_converter/table_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "platform/input_file.h"
#include "platform/text_reader.h"
#include "test_support/scratch.h"

namespace {

namespace itc = input_table_converter;
using itc::Outcome;

const std::string kHeader = "\xA4\x40\xA4\x41 A 4 u a-z ;\n";
constexpr std::size_t kSlotA440 = 3 * 157;  // with the default base row 0xA1

struct Converted {
  itc::StopStatus outcome;
  std::string out;
  big5dict::input::DictHeader header;
  big5dict::input::KeyTable key;
  long entries = 0;
};

Converted read_table(const std::string& input) {
  Converted c;
  platform::TextReader reader(platform::InputFile::from_bytes(input));
  std::ostringstream stream;
  platform::MessageWriter out(stream);
  itc::TableReader table(reader, "t.b5", out);
  c.outcome = table.read_header(c.header);
  if (!c.outcome) c.outcome = table.read_entries(c.header, c.key);
  out.flush();
  c.out = stream.str();
  c.entries = table.entry_count();
  return c;
}

TEST(TableReader, CommentsBeforeTheHeaderAreNotCounted) {
  Converted c = read_table("*one\n*two\n" + kHeader + "a1 \xA4\x40\n");
  EXPECT_EQ(c.outcome, std::nullopt);
  EXPECT_EQ(c.out,
            "Qu=161 - 249\n"
            "The MaxKeySize(Alpha:6,Number:8 A+N:5) exceeded at line: 2: a1 \xA4\x40\n\n");
  EXPECT_EQ(c.key[kSlotA440], 33554432u);
  EXPECT_EQ(c.entries, 1);
}

TEST(TableReader, LinesAmongEntriesCountButOnlyEntriesAreEntries) {
  Converted c = read_table(kHeader + "\n  * note\n\t\n" + "a \xA4\x40\n" + "b \xA4\x40\n");
  EXPECT_EQ(c.out, "Qu=161 - 249\nkey[471] already defined at line 6\n");
  EXPECT_EQ(c.entries, 2);
}

TEST(TableReader, ALastLineWithoutLineFeedIsRead) {
  for (const std::string& input : {kHeader + "a \xA4\x40", kHeader + "a \xA4\x40\x1A", kHeader + "a \xA4\x40\n"}) {
    Converted c = read_table(input);
    EXPECT_EQ(c.entries, 1);
    EXPECT_EQ(c.key[kSlotA440], 33554432u);
  }
}

// The first line that lists a character keeps it, later ones are reported; so are characters
// without a slot, with their hash.
TEST(TableReader, StoringReportsRepeatsAndCharactersWithoutSlot) {
  struct Case {
    std::string lines;
    std::string out;
    std::size_t slot;
    std::uint32_t code;
  };
  const std::string rows_1 = "\xA4\x40\xA4\x41 A 4 u a-z ; 1-249\n";
  for (const Case& c : {
           Case{kHeader + "a \xA4\x40\xA4\x41\nab \xA4\x41\xA4\x42\xA4\x42\n",
                "Qu=161 - 249\nkey[472] already defined at line 3\nkey[473] already defined at line 3\n",
                kSlotA440 + 2, 35651584},
           Case{kHeader + "a \xA4\x7F\n", "Qu=161 - 249\nOut of Range: \xA4\x7F at line 2 (hash=-1)\n",
                kSlotA440, 0},
           Case{rows_1 + "a \xFF\xA1\xFE\xFE\n", "Qu= 1 - 249\nOut of Range: \xFF\xA1 at line 2 (hash=19845)\n", 19781,
                33554432},
       }) {
    Converted converted = read_table(c.lines);
    EXPECT_EQ(converted.out, c.out) << c.lines;
    EXPECT_EQ(converted.key[c.slot], c.code) << c.lines;
  }
}

TEST(TableReader, CarriageReturnsAndTheEndOfTextByte) {
  Converted c = read_table("\xA4\x40\xA4\x41 A 4 u a-z ; (En)\r\na \xA4\x40\r\nb \xA4\x41\n\x1A" "c \xA4\x42\n");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(c.header.english_name.data()), 3), std::string("En\0", 3));
  EXPECT_EQ(c.entries, 2);
  EXPECT_EQ(c.key[kSlotA440 + 1], 67108864u);  // the key b
  EXPECT_EQ(c.key[kSlotA440 + 2], 0u);
}

TEST(TableReader, ALongLineIsReadWhole) {
  std::string line = "a ";
  for (int i = 0; i < 126; ++i) line += "\xA4\x40";
  line += "\xA4\xA1";  // bytes 255 and 256: no read cuts the character
  Converted c = read_table(kHeader + line + "\n");
  std::string repeats;
  for (int i = 0; i < 125; ++i) repeats += "key[471] already defined at line 2\n";
  EXPECT_EQ(c.out, "Qu=161 - 249\n" + repeats);
  EXPECT_EQ(c.entries, 1);
  EXPECT_EQ(c.key[kSlotA440 + 63], 33554432u);
}

TEST(TableReader, NulEndsTheLineText) {
  Converted c = read_table(kHeader + std::string("a1\0 \xA4\x40\n", 7));
  EXPECT_EQ(c.out, "Qu=161 - 249\nThe MaxKeySize(Alpha:6,Number:8 A+N:5) exceeded at line: 2: a1\n");
  EXPECT_EQ(c.key[kSlotA440], 0u);
  EXPECT_EQ(c.entries, 1);
}

TEST(TableReader, RowsAsWritten) {
  EXPECT_EQ(read_table("\xA4\x40\xA4\x41 A 4 u a-z ; 33-121\n").out, "Qu=33 - 121\n");
  EXPECT_EQ(read_table("\xA4\x40\xA4\x41 A 4 u a-z ; 5-7\n").out, "Qu= 5 -  7\n");
  Converted low = read_table("\xA4\x40\xA4\x41 A 4 u a-z ; 33-121\na \xA1\x40\n");
  EXPECT_EQ(low.key[0], 33554432u);
  EXPECT_EQ(low.header.qu_start, 33);
}

TEST(TableReader, NoHeaderLine) {
  for (const char* input : {"", "*only comments\n*here\n", "*a\n*b"}) {
    Converted c = read_table(input);
    EXPECT_EQ(c.outcome, Outcome::kNoHeaderLine) << input;
    EXPECT_EQ(c.out, "\nNo header line in t.b5\n") << input;
  }
}

TEST(TableReader, HeaderFaults) {
  struct Case {
    std::string input;
    std::string out;
  };
  for (const Case& c : {
           Case{"A 4 u a-z\n", "\nThe header line has no short name\n"},
           Case{"\n", "\nThe header line has no short name\n"},
           Case{" *\n", "\nThe header line has no short name\n"},
           Case{"\xA4\x40\xA4\x41 Q 4\n",
                "KeyType unknown: [Q] (Accept: A-Alpha, N-Number X-AlphaNumerical, '+' can be added after ANX "
                "for extra keys)\n"},
           Case{"\xA4\x40\xA4\x41 A 7\n", "MaxLen out of range: [7] (Accept: 1 - 8)\n"},
           Case{"\xA4\x40\xA4\x41 A\n", "MaxLen out of range: [\n] (Accept: 1 - 8)\n"},
       }) {
    Converted converted = read_table(c.input + "a \xA4\x40\n");
    EXPECT_EQ(converted.outcome, Outcome::kHeaderFault) << c.input;
    EXPECT_EQ(converted.out, c.out);
  }
}

TEST(TableReader, AnIndentedStarLineBeforeTheHeaderIsTheHeader) {
  Converted c = read_table(" *\xA4\x40\xA4\x41 N 2\n1 \xA4\x40\n");
  EXPECT_EQ(c.outcome, std::nullopt);
  EXPECT_EQ(c.header.key_type, 1);
  EXPECT_EQ(c.key[kSlotA440], 536870912u);
}

TEST(TableReader, EightFullStopsAreStoredAsTheMarkerValue) {
  Converted c = read_table("\xA4\x40\xA4\x41 N 8\n........ \xA4\x40\n");
  EXPECT_EQ(c.key[kSlotA440], 0xFFFFFFFFu);
  EXPECT_EQ(c.out, "Qu=161 - 249\n");
}

}  // namespace

namespace {

// Every cut of a table, and every byte of its header line replaced by each of a spread of values:
// the reader never reads past a line (the sanitizer build checks), and whatever it stores lies in
// the table.
TEST(TableReader, AnyCutOrChangedHeaderStaysInsideItsLines) {
  const std::string table = "*c\n\xA4\x40\xA4\x41 X+ 5 u a-z ; 1-249 (Name) [\xA4\x42\xA4\x43]\n"
                            "a1b \xFE\xFE\xA4\n........ \xA4\x40\n  *\n\xA4";
  for (std::size_t cut = 0; cut <= table.size(); ++cut) read_table(table.substr(0, cut));
  std::size_t header_start = 3, header_end = table.find('\n', header_start);
  for (std::size_t pos = header_start; pos <= header_end; ++pos) {
    for (int value : {0x00, 0x09, 0x0A, 0x20, 0x28, 0x29, 0x2A, 0x2B, 0x2D, 0x30, 0x37, 0x39, 0x41, 0x5B,
                      0x5D, 0x80, 0xA4, 0xFF}) {
      std::string changed = table;
      changed[pos] = static_cast<char>(value);
      Converted c = read_table(changed);
      if (c.outcome) continue;
      // Each name still ends inside its field, and the key type is one of the three.
      EXPECT_NE(std::find(c.header.english_name.begin(), c.header.english_name.end(), 0), c.header.english_name.end());
      EXPECT_NE(std::find(c.header.chinese_name.begin(), c.header.chinese_name.end(), 0), c.header.chinese_name.end());
      EXPECT_LE(c.header.key_type, 2);
    }
  }
}

}  // namespace
