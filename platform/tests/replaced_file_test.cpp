#include "platform/replaced_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "platform/build_date.h"
#include "platform/file_permissions.h"
#include "big5dict/bytes.h"
#include "platform/report.h"
#include "test_support/scratch.h"

namespace {

namespace fs = std::filesystem;
using test_support::ScratchDir;

// Opens `file` to replace `name` in `dir` and writes `bytes` into it.
void open_and_write(platform::ReplacedFile& file, const ScratchDir& dir, const std::string& name,
                    const std::string& bytes) {
  ASSERT_EQ(file.open((dir / name).string()), 0);
  ASSERT_TRUE(file.write(bytes));
}

TEST(ReplacedFile, ReplacesTheTargetOnlyOnCommit) {
  ScratchDir dir;
  dir.write("out", "old");
  {
    platform::ReplacedFile file;
    ASSERT_NO_FATAL_FAILURE(open_and_write(file, dir, "out", "ne"));
    ASSERT_TRUE(file.write("xx"));
    EXPECT_EQ(dir.read("out"), "old") << "nothing reaches the target before the commit";
    ASSERT_TRUE(file.commit());
  }
  EXPECT_EQ(dir.read("out"), "nexx");
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"out"});
}

TEST(ReplacedFile, AbandonedWriteLeavesTargetAndNoTemporaryFile) {
  ScratchDir dir;
  dir.write("out", "old");
  {
    platform::ReplacedFile file;
    ASSERT_NO_FATAL_FAILURE(open_and_write(file, dir, "out", "new"));
    EXPECT_EQ(dir.entries().size(), 2u);
  }
  EXPECT_EQ(dir.read("out"), "old");
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"out"});
}

TEST(ReplacedFile, RefusesWhatOpeningForWritingWouldRefuse) {
  ScratchDir dir;
  fs::create_directory(dir / "folder");
  platform::ReplacedFile file;
  EXPECT_EQ(file.open((dir / "folder").string()), EISDIR);
  EXPECT_EQ(file.open((dir / "missing" / "out").string()), ENOENT);
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"folder"});
}

TEST(ReplacedFile, KeepsThePermissionsOfTheFileItReplaces) {
  ScratchDir dir;
  dir.write("out", "old");
  fs::permissions(dir / "out", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
                  fs::perm_options::replace);
  platform::ReplacedFile file;
  ASSERT_NO_FATAL_FAILURE(open_and_write(file, dir, "out", "new"));
  ASSERT_TRUE(file.commit());
  EXPECT_EQ(fs::status(dir / "out").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(ReplacedFile, WritesThroughASymbolicLink) {
  ScratchDir dir;
  dir.write("real", "old");
  fs::create_symlink("real", dir / "link");
  platform::ReplacedFile file;
  ASSERT_NO_FATAL_FAILURE(open_and_write(file, dir, "link", "new"));
  ASSERT_TRUE(file.commit());
  EXPECT_TRUE(fs::is_symlink(dir / "link"));
  EXPECT_EQ(dir.read("real"), "new");
}

// Whatever takes the target's name while the output is written, an existing file put there or a
// file where the name was free, is left alone: the rename would hand it the checked file's place.
TEST(ReplacedFile, TargetReplacedDuringTheRunIsLeftAlone) {
  for (bool existed : {true, false}) {
    ScratchDir dir;
    if (existed) dir.write("out", "old");
    platform::ReplacedFile file;
    ASSERT_NO_FATAL_FAILURE(open_and_write(file, dir, "out", "new"));
    dir.write("other", "someone else's");
    fs::rename(dir / "other", dir / "out");
    EXPECT_FALSE(file.commit()) << existed;
    EXPECT_EQ(file.error(), platform::kTargetChanged);
    EXPECT_EQ(dir.read("out"), "someone else's");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"out"});
  }
}

TEST(FilePermissions, TheGroupEntryOfAnAccessList) {
  auto list = [](std::initializer_list<std::pair<int, int>> entries) {
    std::string bytes;
    big5dict::append_u32(bytes, 2);
    for (auto [tag, permissions] : entries) {
      big5dict::append_u16(bytes, static_cast<std::uint16_t>(tag));
      big5dict::append_u16(bytes, static_cast<std::uint16_t>(permissions));
      big5dict::append_u32(bytes, 0);
    }
    return bytes;
  };
  struct Case {
    std::string list;
    mode_t group_bits;
  };
  for (const Case& c : {Case{list({{0x01, 6}, {0x04, 4}, {0x10, 6}, {0x20, 0}}), 040},
                        Case{list({{0x01, 6}, {0x02, 6}, {0x04, 0}, {0x10, 6}, {0x20, 0}}), 0},
                        Case{list({{0x04, 7}}), 070}, Case{"", 0}, Case{std::string("\3\0\0\0", 4), 0}}) {
    EXPECT_EQ(platform::access_list_group_bits(c.list), c.group_bits) << test_support::hex(c.list);
  }
}

TEST(Report, FormatsTheCommonMessages) {
  EXPECT_EQ(platform::open_failure_report("a.b5", ENOENT), "a.b5: No such file or directory\n");
  EXPECT_EQ(platform::read_error_report("d", EISDIR), "\nRead error on file: d: Is a directory\n");
  EXPECT_EQ(platform::write_error_report("o", EFBIG), "\nWrite error on file: o: File too large\n");
  EXPECT_EQ(platform::format("Words=%5ld  Line=%5ld\r", 3L, 12L), "Words=    3  Line=   12\r");
  EXPECT_EQ(std::string(platform::build_date()).size(), 11u);
}

}  // namespace
