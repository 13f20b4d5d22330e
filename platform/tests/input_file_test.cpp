#include "platform/input_file.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "test_support/scratch.h"

namespace {

// The end-of-file indicator rises only when a read asks for more than is left, as with fread.
TEST(InputFile, EndIndicatorFollowsBufferedStreams) {
  test_support::ScratchDir dir;
  dir.write("f", "abcd");
  for (bool from_disk : {false, true}) {
    platform::InputFile in;
    if (from_disk) {
      ASSERT_EQ(in.open((dir / "f").string()), 0);
    } else {
      in = platform::InputFile::from_bytes("abcd");
    }
    char buf[8];
    EXPECT_EQ(in.read(buf, 0), 0u);
    EXPECT_FALSE(in.at_end());
    EXPECT_EQ(in.read(buf, 4), 4u);
    EXPECT_FALSE(in.at_end()) << "exactly the bytes left";
    EXPECT_EQ(in.read(buf, 1), 0u);
    EXPECT_TRUE(in.at_end());
    EXPECT_EQ(in.error(), 0);
  }
}

TEST(InputFile, MissingFileGivesTheSystemError) {
  test_support::ScratchDir dir;
  platform::InputFile in;
  EXPECT_EQ(in.open((dir / "missing").string()), ENOENT);
}

TEST(InputFile, FolderOpensAndItsFirstReadFails) {
  test_support::ScratchDir dir;
  platform::InputFile in;
  ASSERT_EQ(in.open(dir.path().string()), 0);
  char buf[4];
  EXPECT_EQ(in.read(buf, 4), 0u);
  EXPECT_EQ(in.error(), EISDIR);
}

}  // namespace
