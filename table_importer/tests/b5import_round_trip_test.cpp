// The editing path end to end, for BIG5 and Big5-HKSCS: a dictionary made by its program from
// sources that use every character row the format holds, its UTF-8 text from DBGVIEW --text --utf8
// --encoding E, that text back through B5IMPORT --from LAYOUT --encoding E (which must give exactly
// the Big5 text DBGVIEW --text writes), and the program again: the same file, byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "table_importer/tests/generated_tables.h"
#include "test_support/process.h"
#include "test_support/scratch.h"

namespace {

using test_support::ProcessResult;
using test_support::ScratchDir;

// A format, the program that makes it, and how it is made from the generated Big5 source.b5 and
// again from the Big5 text d.b5 that B5IMPORT writes.
struct Format {
  const char* name;
  const char* layout;
  std::string (*source)();
  const char* program;
  std::vector<std::string> build, rebuild;
  const char* made;  // the dictionary the program writes
  int status;        // the status of a completed run
};

void run_program(const ScratchDir& dir, const Format& format, const std::vector<std::string>& args) {
  ProcessResult r = test_support::run_in(dir.path(), format.program, args);
  ASSERT_EQ(r.status, format.status) << format.program << "\n" << r.out.substr(0, 2000) << r.err.substr(0, 2000);
}

struct RoundTrip {
  Format format;
  const char* encoding;
};

std::string case_name(const ::testing::TestParamInfo<RoundTrip>& info) {
  std::string name = std::string(info.param.format.name) + "In" + info.param.encoding;
  std::erase(name, '-');
  return name;
}

class EditingPath : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(EditingPath, GivesTheFileBackByteForByte) {
  const Format& format = GetParam().format;
  const std::string encoding = GetParam().encoding;
  ScratchDir dir;
  dir.write("source.b5", format.source());
  run_program(dir, format, format.build);
  const std::string original = dir.read(format.made);

  ProcessResult big5 = test_support::run_in(dir.path(), DBGVIEW_PATH, {"--text", format.made});
  ASSERT_EQ(big5.status, 0) << big5.err.substr(0, 2000);
  ProcessResult utf8 =
      test_support::run_in(dir.path(), DBGVIEW_PATH, {"--text", "--utf8", "--encoding", encoding, format.made});
  ASSERT_EQ(utf8.status, 0) << utf8.err.substr(0, 2000);
  EXPECT_NE(utf8.err.find("shown as \\xHH\\xHH"), std::string::npos) << utf8.err;
  dir.write("d.txt", utf8.out);

  ProcessResult imported = test_support::run_in(dir.path(), B5IMPORT_PATH,
                                                {"--from", format.layout, "--encoding", encoding, "d.txt", "d.b5"});
  ASSERT_EQ(imported.status, 0) << imported.err.substr(0, 2000);
  EXPECT_EQ(imported.out, "");
  EXPECT_EQ(imported.err, "");
  ASSERT_TRUE(dir.read("d.b5") == big5.out) << "B5IMPORT's Big5 differs from DBGVIEW --text";

  std::filesystem::remove(dir / format.made);
  run_program(dir, format, format.rebuild);
  EXPECT_TRUE(dir.read(format.made) == original) << "the rebuilt dictionary differs";
}

const Format kFormats[] = {
    {"PhraseDictionary", "phrase-text", table_importer::generated::word_list, LEXMOOR_PATH, {"#", "+source.b5"},
     {"$d.b5"}, "LEXMOOR.DBG", 1},
    {"HashedDictionary", "cizu-table", table_importer::generated::cizu_table, TOMBRAL_PATH, {"source.b5", "d.dbg"},
     {"d.b5", "d.dbg"}, "d.dbg", 0},
    {"InputDictionaryFromRow135", "input-table", table_importer::generated::input_table, KESTRAWN_PATH,
     {"source.b5", "d.dbg"}, {"d.b5", "d.dbg"}, "d.dbg", 0},
    {"AlphaNumericalInputDictionary", "input-table", table_importer::generated::alphanumerical_table, KESTRAWN_PATH,
     {"source.b5", "d.dbg"}, {"d.b5", "d.dbg"}, "d.dbg", 0},
};

std::vector<RoundTrip> round_trips() {
  std::vector<RoundTrip> trips;
  for (const char* encoding : {"BIG5", "BIG5-HKSCS"}) {
    for (const Format& format : kFormats) trips.push_back({format, encoding});
  }
  trips.push_back({kFormats[1], "CP950"});
  return trips;
}

INSTANTIATE_TEST_SUITE_P(EveryFormatAndVariant, EditingPath, ::testing::ValuesIn(round_trips()), case_name);

}  // namespace
