// The README's lines that make git show dictionaries as text, tried with real git: a repository
// holds two versions of a phrase dictionary, a hashed dictionary, an input dictionary and a damaged
// file, and the diff of each names what changed.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "test_support/process.h"
#include "test_support/scratch.h"

namespace {

namespace fs = std::filesystem;
using test_support::ProcessResult;
using test_support::run_in;
using test_support::ScratchDir;

// As the README gives them.
const char kAttributes[] = "*.DBG diff=big5dict\n*.dbg diff=big5dict\n";
const char kTextconv[] = R"(sh -c 'DBGVIEW --text --utf8 "$0" || true')";

const char kInputTable[] = "\xC2\xB2\xA9\xF6 A 4 U a-z z 164-249 (Simplex) [\xC2\xB2\xA9\xF6]\na \xA4\xE9\n";

bool git_installed() {
  return test_support::run_process("/bin/sh", {"-c", "command -v git"}).status == 0;
}

// git with a HOME of its own and no system configuration, so that nothing of this machine's setup
// takes part, and DBGVIEW found on PATH as an installed one would be.
ProcessResult git(const ScratchDir& dir, const std::string& command, const std::vector<std::string>& args = {}) {
  std::vector<std::string> sh_args = {
      "-c",
      "export HOME='" + (dir / "home").string() + "' GIT_CONFIG_NOSYSTEM=1 PATH='" +
          fs::path(DBGVIEW_PATH).parent_path().string() + "':\"$PATH\"; unset XDG_CONFIG_HOME GIT_DIR; " + command,
      "sh"};
  sh_args.insert(sh_args.end(), args.begin(), args.end());
  return run_in(dir / "repo", "/bin/sh", sh_args);
}

// Both versions of each dictionary, made by the programs: [0] the first, [1] the second.
struct Versions {
  std::string phrase[2], hashed[2], input[2];
};

Versions make_dictionaries(const ScratchDir& dir) {
  Versions v;
  dir.write("words1.b5", "\xA4\xA4\xA4\xE5\n");  // 中文
  dir.write("words2.b5", "\xB9\x71\xB8\xA3\n");  // 電腦
  EXPECT_EQ(run_in(dir.path(), LEXMOOR_PATH, {"#", "+words1.b5"}).status, 1);
  v.phrase[0] = dir.read("LEXMOOR.DBG");
  EXPECT_EQ(run_in(dir.path(), LEXMOOR_PATH, {"@LEXMOOR.DBG", "+words2.b5"}).status, 1);
  v.phrase[1] = dir.read("LEXMOOR.DBG");

  dir.write("table1.b5", "abc \xA4\xA4\xA4\xE5\n");
  dir.write("table2.b5", "abc \xA4\xA4\xA4\xE5\nxyz \xB9\x71\xB8\xA3\n");
  dir.write("input1.b5", kInputTable);
  dir.write("input2.b5", std::string(kInputTable) + "zz \xA4\xEB\n");  // 月
  for (int i = 0; i < 2; ++i) {
    const std::string n = std::to_string(i + 1);
    EXPECT_EQ(run_in(dir.path(), TOMBRAL_PATH, {"table" + n + ".b5", "hashed" + n}).status, 0);
    EXPECT_EQ(run_in(dir.path(), KESTRAWN_PATH, {"input" + n + ".b5", "input" + n + ".dbg"}).status, 0);
    v.hashed[i] = dir.read("hashed" + n);
    v.input[i] = dir.read("input" + n + ".dbg");
  }
  return v;
}

struct DiffCase {
  std::string file;
  std::string added;  // the line the second version adds to the text
};

TEST(GitDiff, ShowsWhatChangedInEveryFormat) {
  if (!git_installed()) GTEST_SKIP() << "git is not installed (scripts/install-deps installs it)";
  ScratchDir dir;
  Versions v = make_dictionaries(dir);
  // Bytes after the last bucket make a hashed dictionary unsound: DBGVIEW exits 1 on it.
  const std::string damage = "damage";
  fs::create_directories(dir / "repo");
  fs::create_directories(dir / "home");
  dir.write("repo/damaged.dbg", v.hashed[1] + damage);
  ASSERT_EQ(run_in(dir / "repo", DBGVIEW_PATH, {"damaged.dbg"}).status, 1);

  ASSERT_EQ(git(dir, "git init -q && git config user.name Tester && git config user.email tester@example.org && "
                     "git config diff.big5dict.textconv \"$1\"",
                {kTextconv})
                .status,
            0);
  dir.write("repo/.gitattributes", kAttributes);
  for (int i = 0; i < 2; ++i) {
    dir.write("repo/phrase.DBG", v.phrase[i]);
    dir.write("repo/hashed.dbg", v.hashed[i]);
    dir.write("repo/input.DBG", v.input[i]);
    dir.write("repo/damaged.dbg", v.hashed[i] + damage);
    ProcessResult commit = git(dir, "git add -A && git commit -q -m \"version $1\"", {std::to_string(i + 1)});
    ASSERT_EQ(commit.status, 0) << commit.err;
  }

  const std::vector<DiffCase> cases = {
      {"phrase.DBG", "+電 腦"},
      {"hashed.dbg", "+xyz 電腦"},
      {"input.DBG", "+zz 月"},
      {"damaged.dbg", "+xyz 電腦"},
  };
  for (const DiffCase& c : cases) {
    ProcessResult diff = git(dir, "git --no-pager log -p -1 --format= -- \"$1\"", {c.file});
    EXPECT_EQ(diff.status, 0) << c.file << ": " << diff.err;
    EXPECT_NE(diff.out.find("\n" + c.added + "\n"), std::string::npos) << c.file << ":\n" << diff.out;
    EXPECT_EQ(diff.out.find("Binary files"), std::string::npos) << c.file << ":\n" << diff.out;
  }
}

}  // namespace
