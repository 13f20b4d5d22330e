#include "platform/message_writer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/report.h"

namespace {

// The writer fills each conversion the programs use exactly as the C library's printf does.
TEST(MessageWriter, MatchesPrintf) {
  std::ostringstream stream;
  std::string expected;
  {
    platform::MessageWriter out(stream);
    const std::string text("name\0hidden", 11);
    out.print("Words=%5ld  Line=%5ld\r", 3L, 123456L);
    expected += platform::format("Words=%5ld  Line=%5ld\r", 3L, 123456L);
    out.print("Qu=%2d - %2d|%-4d|%04d|%d|%u|%zu|%%\n", 7, 249, -5, -5, -2147483647 - 1, 4294967295u, std::size_t{12});
    expected += platform::format("Qu=%2d - %2d|%-4d|%04d|%d|%u|%zu|%%\n", 7, 249, -5, -5, -2147483647 - 1,
                                 4294967295u, std::size_t{12});
    out.print("Out of Range: %c%c at line %d (hash=%d)\n", std::uint8_t{0xA4}, std::uint8_t{0x0A}, 5, -1);
    expected += platform::format("Out of Range: %c%c at line %d (hash=%d)\n", 0xA4, 0x0A, 5, -1);
    out.print("converting %s to %5s ...", text, "b");
    expected += platform::format("converting %s to %5s ...", text.c_str(), "b");
    // More bytes than the buffer holds reach the stream in order.
    for (int i = 0; i < 5000; ++i) out.print("%d\r", i);
    for (int i = 0; i < 5000; ++i) expected += platform::format("%d\r", i);
  }
  EXPECT_EQ(stream.str(), expected);
}

}  // namespace
