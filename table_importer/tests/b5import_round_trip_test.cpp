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

struct Format {
  const char* name;
  const char* layout;
  std::string (*source)();
  // Makes the dictionary `file` in `dir` from `source`.
  void (*make)(const ScratchDir& dir, const std::string& source, const std::string& file);
};

void expect_status(const ProcessResult& r, int status, const std::string& what) {
  ASSERT_EQ(r.status, status) << what << "\n" << r.out.substr(0, 2000) << r.err.substr(0, 2000);
}

void lexmoor(const ScratchDir& dir, const std::string& source, const std::string& file) {
  std::filesystem::remove(dir / "LEXMOOR.DBG");
  expect_status(test_support::run_in(dir.path(), LEXMOOR_PATH, {source[0] == '$' ? source : "#", source[0] == '$' ? "" : "+" + source}), 1, "LEXMOOR");
  std::filesystem::rename(dir / "LEXMOOR.DBG", dir / file);
}

void tombral(const ScratchDir& dir, const std::string& source, const std::string& file) {
  expect_status(test_support::run_in(dir.path(), TOMBRAL_PATH, {source, file}), 0, "TOMBRAL");
}

void kestrawn(const ScratchDir& dir, const std::string& source, const std::string& file) {
  expect_status(test_support::run_in(dir.path(), KESTRAWN_PATH, {source, file}), 0, "KESTRAWN");
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
  format.make(dir, "source.b5", "d.dbg");
  const std::string original = dir.read("d.dbg");

  ProcessResult big5 = test_support::run_in(dir.path(), DBGVIEW_PATH, {"--text", "d.dbg"});
  expect_status(big5, 0, "DBGVIEW --text");
  ProcessResult utf8 = test_support::run_in(dir.path(), DBGVIEW_PATH, {"--text", "--utf8", "--encoding", encoding, "d.dbg"});
  expect_status(utf8, 0, "DBGVIEW --text --utf8");
  EXPECT_NE(utf8.err.find("shown as \\xHH\\xHH"), std::string::npos) << utf8.err;
  dir.write("d.txt", utf8.out);

  ProcessResult imported =
      test_support::run_in(dir.path(), B5IMPORT_PATH, {"--from", format.layout, "--encoding", encoding, "d.txt", "d.b5"});
  expect_status(imported, 0, "B5IMPORT");
  EXPECT_EQ(imported.out, "");
  EXPECT_EQ(imported.err, "");
  ASSERT_TRUE(dir.read("d.b5") == big5.out) << "B5IMPORT's Big5 differs from DBGVIEW --text";

  std::filesystem::remove(dir / "d.dbg");
  format.make(dir, format.layout == std::string("phrase-text") ? "$d.b5" : "d.b5", "d.dbg");
  EXPECT_TRUE(dir.read("d.dbg") == original) << "the rebuilt dictionary differs";
}

const Format kFormats[] = {
    {"PhraseDictionary", "phrase-text", table_importer::generated::word_list, lexmoor},
    {"HashedDictionary", "cizu-table", table_importer::generated::cizu_table, tombral},
    {"InputDictionaryFromRow135", "input-table", table_importer::generated::input_table, kestrawn},
    {"AlphaNumericalInputDictionary", "input-table", table_importer::generated::alphanumerical_table, kestrawn},
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
