// KESTRAWN run as a process: exact standard output and error, exit statuses and output bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "input_table_converter/tests/kestrawn_texts.h"
#include "big5dict/bytes.h"
#include "platform/report.h"
#include "test_support/process.h"
#include "test_support/scratch.h"

namespace {

using test_support::hex;
using test_support::ProcessResult;
using test_support::ScratchDir;
using namespace input_table_converter::kestrawn_texts;

constexpr std::uint32_t kABCDEF = kA + 2 * 1048576 + 3 * 32768 + 4 * 1024 + 5 * 32 + 6;

const std::string kTable =
    "* a known table\n"
    "\xA4\x40\xA4\x41 A 4 u a-z ; (Test) [\xA4\x42]\n"
    "a \xA4\x40\xA4\x41\n"
    "AB\t\xA4\x42\n"
    "abcdefg\t\xA4\x43\n"
    "  * a comment among the entries\n"
    "\n"
    "zz \xA4\x40\n"
    "b \xA4\x7F\xA4\x44\n"
    "C   ascii skipped \xF9\xFE\n"
    "d \xA1\x40\n"
    "e \xA4\x45";  // no line feed: read all the same

Fields known_table() {
  Fields e;
  e.english = std::string("Test\0sh\0\0\0\0\0\0", 13);
  e.chinese = std::string("\xA4\x42\0nese\0\0\0\0\0\0", 13);
  e.slots = {{0, 4 * kA}, {471, kA}, {472, kA}, {473, kAB}, {474, kABCDEF}, {475, 2 * kA}, {476, 5 * kA}, {13972, 3 * kA},
             {13973, 0xFFFFFFFF}};
  return e;
}

const std::string kKnownOut =
    "GANTRELL: converting table.B5 to out.DBG ...Qu=161 - 249\n"
    "The MaxKeySize(Alpha:6,Number:8 A+N:5) exceeded at line: 4: abcdefg \xA4\x43\n\n"
    "key[471] already defined at line 7\n"
    "Out of Range: \xA4\x7F at line 8 (hash=-1)\n"
    "Total 8 Entries out of 19782\n";

TEST(KestrawnProcess, ConvertsAKnownTableByteForByte) {
  ScratchDir dir;
  dir.write("table.B5", kTable);
  ProcessResult r = kestrawn(dir, {"table", "out"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, banner() + kKnownOut);
  std::string file = dir.read("out.DBG");
  ASSERT_EQ(file.size(), 79318u);
  std::string want = full_file(known_table());
  for (std::size_t i = 0; i < file.size(); i += 4) {
    ASSERT_EQ(hex(file.substr(i, 4)), hex(want.substr(i, 4))) << "at offset " << i;
  }
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"out.DBG", "table.B5"}));
}

TEST(KestrawnProcess, NumberTableWithTheMarkerValueAsACode) {
  ScratchDir dir;
  dir.write("n.tab", "\xA4\x40\xA4\x41 N 8\n........ \xA4\x40\n1 \xA1\x40\n");
  ProcessResult r = kestrawn(dir, {"n.tab", "n.out"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, banner() +
                       "GANTRELL: converting n.tab to n.out ...Qu=161 - 249\n"
                       "WARNING Key[471]==0xffffffff\n"
                       "Total 2 Entries out of 19782\n");
  Fields e;
  e.english = std::string("\0nglish\0\0\0\0\0\0", 13);
  e.chinese = std::string("\0hinese\0\0\0\0\0\0", 13);
  e.key_type = 1;
  e.max_len = 8;
  e.uw_option = 0;
  e.single = e.first = e.last = 0;
  e.place_values = {268435456, 16777216, 1048576, 65536, 4096, 256, 16, 1};
  e.slots = {{0, 536870912}, {471, 0xFFFFFFFF}, {472, 0xFFFFFFFF}};
  EXPECT_EQ(dir.read("n.out"), full_file(e));
}

TEST(KestrawnProcess, StubForCizuInAnyCase) {
  for (const char* option : {"*CIZU", "*cizu", "*CiZu"}) {
    ScratchDir dir;
    dir.write("table.B5", kTable);
    ProcessResult r = kestrawn(dir, {"table", "dictj", option});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, banner() + "GANTRELL: converting table.B5 to dictj.DBG ...Qu=161 - 249\n");
    Fields e = known_table();
    e.dict_kind = 0;
    EXPECT_EQ(hex(dir.read("dictj.DBG")), hex(stub_file(e, 'J'))) << option;
  }
}

// The name rules look at the file name only, whatever the folders on its way are called.
TEST(KestrawnProcess, StubCharacterBeforeTheFirstFullStop) {
  struct Case {
    const char* output;
    const char* written;
    char c;
  };
  for (Case c : {Case{"x.j.dbg", "x.j.dbg", 'X'}, Case{".hidden", ".hidden", '_'}, Case{"Q7.DBG", "Q7.DBG", '7'},
                 Case{"./q", "q.DBG", 'Q'}, Case{"d.dir/zz", "d.dir/zz.DBG", 'Z'}}) {
    ScratchDir dir;
    std::filesystem::create_directory(dir / "d.dir");
    dir.write("t.b5", "\xA4\x40\xA4\x41 A 4\n");
    ProcessResult r = kestrawn(dir, {"t.b5", c.output, "*cizu"});
    EXPECT_EQ(r.status, 0);
    std::string stub = dir.read(c.written);
    ASSERT_EQ(stub.size(), 130u);
    EXPECT_EQ(stub.substr(76), std::string("\r\nThis Dictionary is Empty, Need OVCIZU") + c.c + ".DBG to Work. ");
  }
}

TEST(KestrawnProcess, ExtraKeysOverrideTheStubAndOtherThirdArgumentsAreIgnored) {
  ScratchDir dir;
  dir.write("t.b5", "\xA4\x40\xA4\x41 X+ 5\na \xA4\x40\n");
  ProcessResult r = kestrawn(dir, {"t.b5", "plus.dbg", "*cizu"});
  EXPECT_EQ(r.status, 0);
  std::string plus = dir.read("plus.dbg");
  ASSERT_EQ(plus.size(), 79318u);
  EXPECT_EQ(plus[61], 2);
  EXPECT_EQ(big5dict::get_u32(reinterpret_cast<const std::uint8_t*>(plus.data()) + 108 + 4 * 471), 184549376u);

  for (const char* option : {"*CIZUX", "*CIZ", "CIZU"}) {
    ProcessResult other = kestrawn(dir, {"t.b5", "other.dbg", option, "more"});
    EXPECT_EQ(other.status, 0);
    EXPECT_EQ(dir.read("other.dbg").size(), 79318u) << option;
  }
}

TEST(KestrawnProcess, UsageWithFewerThanTwoArguments) {
  for (std::vector<std::string> args : {std::vector<std::string>{}, std::vector<std::string>{"table"}}) {
    ScratchDir dir;
    ProcessResult r = kestrawn(dir, args);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, banner() + kUsage);
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(dir.entries().empty());
  }
}

TEST(KestrawnProcess, MissingInputNamedWithItsExtension) {
  ScratchDir dir;
  dir.write("out.DBG", "old");
  ProcessResult r = kestrawn(dir, {"missing", "out"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, banner());
  EXPECT_EQ(r.err, "missing.B5: No such file or directory\n");
  EXPECT_EQ(dir.read("out.DBG"), "old");
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"out.DBG"}));
}

TEST(KestrawnProcess, OutputThatCannotBeWritten) {
  ScratchDir dir;
  dir.write("table.B5", kTable);
  std::filesystem::create_directory(dir / "folder.DBG");
  ProcessResult r = kestrawn(dir, {"table", "folder"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, banner());
  EXPECT_EQ(r.err, "folder.DBG: Is a directory\n");

  ProcessResult missing = kestrawn(dir, {"table", "nowhere/out"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "nowhere/out.DBG: No such file or directory\n");
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"folder.DBG", "table.B5"}));
}

TEST(KestrawnProcess, FolderAsInputIsAReadError) {
  ScratchDir dir;
  std::filesystem::create_directory(dir / "folder.B5");
  dir.write("out.DBG", "old");
  ProcessResult r = kestrawn(dir, {"folder", "out"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, banner() +
                       "GANTRELL: converting folder.B5 to out.DBG ..."
                       "\nRead error on file: folder.B5: Is a directory\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(dir.read("out.DBG"), "old");
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"folder.B5", "out.DBG"}));
}

// Memory stays bounded on an endless line: the run stops at the longest line a reader takes.
TEST(KestrawnProcess, EndlessInputIsAnOverLongLine) {
  ScratchDir dir;
  std::filesystem::create_symlink("/dev/zero", dir / "z.B5");
  dir.write("out.DBG", "old");
  ProcessResult r = kestrawn(dir, {"z", "out"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            banner() + "GANTRELL: converting z.B5 to out.DBG ...\nLine 1 of z.B5 is longer than 1048576 bytes\n");
  EXPECT_EQ(dir.read("out.DBG"), "old");
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"out.DBG", "z.B5"}));
}

TEST(KestrawnProcess, HeaderFaultsStopAndLeaveTheOldOutput) {
  struct Case {
    std::string input;
    std::string message;
  };
  for (const Case& c : {
           Case{"", "\nNo header line in t.b5\n"},
           Case{"*only a comment\n", "\nNo header line in t.b5\n"},
           Case{"no short name\na \xA4\x40\n", "\nThe header line has no short name\n"},
           Case{"\xA4\x40\xA4\x41 Z 4\n",
                "KeyType unknown: [Z] (Accept: A-Alpha, N-Number X-AlphaNumerical, '+' can be added after ANX for "
                "extra keys)\n"},
           Case{"\xA4\x40\xA4\x41 A 7\n", "MaxLen out of range: [7] (Accept: 1 - 8)\n"},
           Case{"\xA4\x40\xA4\x41 A 4\na \xA4\x40\n" + std::string(1048577, 'b') + "\n",
                "Qu=161 - 249\n" + platform::long_line_report(3, "t.b5")},
       }) {
    ScratchDir dir;
    dir.write("t.b5", c.input);
    dir.write("out.DBG", "old output");
    ProcessResult r = kestrawn(dir, {"t.b5", "out.DBG"});
    EXPECT_EQ(r.status, 1) << c.message;
    EXPECT_EQ(r.out, banner() + "GANTRELL: converting t.b5 to out.DBG ..." + c.message);
    EXPECT_EQ(dir.read("out.DBG"), "old output");
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"out.DBG", "t.b5"}));
  }
}

TEST(KestrawnProcess, FailedWriteLeavesTheOldOutputAndNoTemporaryFile) {
  ScratchDir dir;
  dir.write("table.B5", kTable);
  dir.write("out.DBG", "old output");
  ProcessResult r = kestrawn(dir, {"table", "out"}, 4096);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.signal, 0);
  std::string expected_lines = kKnownOut.substr(0, kKnownOut.find("Total"));
  EXPECT_EQ(r.out, banner() + expected_lines + "\nWrite error on file: out.DBG: File too large\n");
  EXPECT_EQ(dir.read("out.DBG"), "old output");
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"out.DBG", "table.B5"}));
}

TEST(KestrawnProcess, InputNamedAsOutputIsReadBeforeItIsReplaced) {
  ScratchDir dir;
  dir.write("same.B5", kTable);
  ProcessResult r = kestrawn(dir, {"same.B5", "same.B5"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(dir.read("same.B5"), full_file(known_table()));
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"same.B5"}));
}

TEST(KestrawnProcess, NamesOfAnyLength) {
  ScratchDir dir;
  std::string in(120, 'i'), out(150, 'o');
  dir.write(in + ".B5", kTable);
  ProcessResult r = kestrawn(dir, {in, out});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("converting " + in + ".B5 to " + out + ".DBG ...Qu="), std::string::npos);
  EXPECT_EQ(dir.read(out + ".DBG"), full_file(known_table()));
}

TEST(KestrawnProcess, ConvertsTheExampleTable) {
  ScratchDir dir;
  std::filesystem::copy_file(KESTRAWN_EXAMPLE, dir / "input-table.b5");
  ProcessResult r = kestrawn(dir, {"input-table.b5", "simplex"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, banner() +
                       "GANTRELL: converting input-table.b5 to simplex.DBG ...Qu=164 - 249\n"
                       "Total 43 Entries out of 19782\n");
  std::string file = dir.read("simplex.DBG");
  ASSERT_EQ(file.size(), 79318u);
  // The character A4 E9 under the key a, with rows counted from 0xA4.
  EXPECT_EQ(big5dict::get_u32(reinterpret_cast<const std::uint8_t*>(file.data()) + 108 + 4 * 135), kA);
}

}  // namespace
