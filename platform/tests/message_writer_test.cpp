#include "platform/message_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

namespace {

// What the C library's printf makes of a format, the reference of the programs' one formatter.
template <typename... Args>
std::string printf_text(const char* format, Args... args) {
  char text[512];
  const int n = std::snprintf(text, sizeof text, format, args...);
  return std::string(text, static_cast<std::size_t>(n));
}

// The writer and format() fill each conversion the programs use exactly as printf does.
#define EXPECT_AS_PRINTF(...)                                              \
  do {                                                                     \
    std::ostringstream stream;                                             \
    {                                                                      \
      platform::MessageWriter out(stream);                                 \
      out.print(__VA_ARGS__);                                              \
    }                                                                      \
    EXPECT_EQ(stream.str(), printf_text(__VA_ARGS__));                     \
    EXPECT_EQ(platform::format(__VA_ARGS__), printf_text(__VA_ARGS__));    \
  } while (false)

TEST(MessageWriter, MatchesPrintf) {
  const std::string text("name\0hidden", 11);
  EXPECT_AS_PRINTF("Words=%5ld  Line=%5ld\r", 3L, 123456L);
  EXPECT_AS_PRINTF("Qu=%2d - %2d|%-4d|%04d|%d|%u|%zu|%%\n", 7, 249, -5, -5, -2147483647 - 1, 4294967295u, std::size_t{12});
  EXPECT_AS_PRINTF("Out of Range: %c%c at line %d (hash=%d)\n", 0xA4, 0x0A, 5, -1);
  EXPECT_AS_PRINTF("converting %s to %5s ...", text.c_str(), "b");
  EXPECT_AS_PRINTF("0x%02X 0x%08lX %04lX %llu %lu %x", 0x0Au, 0x5651DE88ul, 0xABCul, 4295007040ull, 7ul, 255u);
  EXPECT_AS_PRINTF("%zu more, %ld-%ld, %-3s|", std::size_t{0}, -1L, 0L, "ab");
}

// More bytes than the buffer holds reach the stream in order.
TEST(MessageWriter, PassesItsBufferInOrder) {
  std::ostringstream stream;
  std::string expected;
  {
    platform::MessageWriter out(stream);
    for (int i = 0; i < 5000; ++i) out.print("%d\r", i);
  }
  for (int i = 0; i < 5000; ++i) expected += printf_text("%d\r", i);
  EXPECT_EQ(stream.str(), expected);
}

}  // namespace
