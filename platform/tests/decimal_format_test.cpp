#include "platform/decimal_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::string printf_field(long value, int width) {
  char text[128];
  const int n = std::snprintf(text, sizeof text, "%*ld", width, value);
  return std::string(text, static_cast<std::size_t>(n));
}

// Every count of digits a long has, at both ends of its range, on both sides of zero.
std::vector<long> every_length() {
  std::vector<long> values{0, LONG_MIN, LONG_MAX, LONG_MIN + 1, LONG_MAX - 1};
  long power = 1;
  for (int digits = 1; digits <= 19; ++digits) {
    for (long v : {power, power + 1, power * 9 / 5 + 1}) values.insert(values.end(), {v, -v});
    if (digits < 19) {
      values.insert(values.end(), {power * 10 - 1, -(power * 10 - 1)});
      power *= 10;
    }
  }
  return values;
}

// Every width from none to wider than the longest long, so numbers longer and shorter than their field.
TEST(PutDecimal, MatchesPrintfForEveryLengthAndWidth) {
  for (long value : every_length()) {
    for (int width = 0; width <= 24; ++width) {
      char out[32];
      const char* const end = platform::put_decimal(out, value, static_cast<std::size_t>(width));
      EXPECT_EQ(std::string(out, static_cast<std::size_t>(end - out)), printf_field(value, width)) << value << " width " << width;
    }
  }
}

TEST(PutDecimal, WritesNoMoreThanTheFieldOrTheNumber) {
  char out[40];
  std::fill(std::begin(out), std::end(out), '#');
  const char* end = platform::put_decimal(out, LONG_MIN, 20);
  EXPECT_EQ(std::string(out, static_cast<std::size_t>(end - out)), "-9223372036854775808");
  EXPECT_EQ(out[20], '#');
  end = platform::put_decimal(out, 7, 30);
  EXPECT_EQ(std::string(out, static_cast<std::size_t>(end - out)), std::string(29, ' ') + "7");
  EXPECT_EQ(out[30], '#');
}

struct FormatCase {
  const char* format;
  std::vector<long> values;
};

std::string printf_text(const FormatCase& c) {
  char text[512];
  int n = 0;
  switch (c.values.size()) {
    case 0: n = std::snprintf(text, sizeof text, c.format, 0); break;
    case 1: n = std::snprintf(text, sizeof text, c.format, c.values[0]); break;
    case 2: n = std::snprintf(text, sizeof text, c.format, c.values[0], c.values[1]); break;
    default: ADD_FAILURE() << "no case for " << c.values.size() << " values";
  }
  return std::string(text, static_cast<std::size_t>(n));
}

std::string format_text(const FormatCase& c) {
  platform::DecimalFormat format(c.format);
  std::ostringstream stream;
  std::string filled;
  {
    platform::MessageWriter out(stream);
    switch (c.values.size()) {
      case 0:
        format.print(out);
        filled = format.text();
        break;
      case 1:
        format.print(out, c.values[0]);
        filled = format.text(c.values[0]);
        break;
      case 2:
        format.print(out, c.values[0], c.values[1]);
        filled = format.text(c.values[0], c.values[1]);
        break;
      default: ADD_FAILURE() << "no case for " << c.values.size() << " values";
    }
  }
  EXPECT_EQ(stream.str(), filled) << c.format;
  return filled;
}

// The formats TOMBRAL fills line by line and at its end, and the shapes a format may take.
TEST(DecimalFormat, MatchesPrintf) {
  const std::vector<FormatCase> cases{
      {"Words=%5ld  Line=%5ld\r", {0, 1}},
      {"Words=%5ld  Line=%5ld\r", {12345, 123456}},
      {"Words=%5ld  Line=%5ld\r", {LONG_MAX, LONG_MIN}},
      {"Words=%5ld  Line=%5ld\r", {-1, -12345}},
      {"count=%5ld\n", {191440}},
      {"MAXLEN=%5ld\n", {7}},
      {"%ld", {-42}},
      {"%ld%ld", {1, 2}},
      {"%20ld|%19ld", {LONG_MIN, LONG_MIN}},
      {"%1ld:%24ld", {LONG_MAX, LONG_MAX}},
      {"no conversion\n", {}},
      {"", {}},
  };
  for (const FormatCase& c : cases) EXPECT_EQ(format_text(c), printf_text(c)) << c.format;
}

// Many lines in a row, through more than the writer's buffer, as the progress lines go.
TEST(DecimalFormat, FillsLineAfterLine) {
  platform::DecimalFormat format("Words=%5ld  Line=%5ld\r");
  std::ostringstream stream;
  std::string expected;
  {
    platform::MessageWriter out(stream);
    for (long line = 99990; line <= 100010; ++line) {
      format.print(out, line / 2, line);
      expected += printf_text({"Words=%5ld  Line=%5ld\r", {line / 2, line}});
    }
    for (long line = 0; line < 2000; ++line) {
      format.print(out, line, line * 1000003);
      expected += printf_text({"Words=%5ld  Line=%5ld\r", {line, line * 1000003}});
    }
  }
  EXPECT_EQ(stream.str(), expected);
}

// A field wider than the writer's buffer: the line is made apart and then handed over.
TEST(DecimalFormat, FillsFieldsWiderThanTheWritersBuffer) {
  platform::DecimalFormat format("[%20000ld|%ld]");
  std::ostringstream stream;
  {
    platform::MessageWriter out(stream);
    out.write("before ");
    format.print(out, -5L, 6L);
  }
  EXPECT_EQ(stream.str(), "before [" + std::string(19998, ' ') + "-5|6]");
}

TEST(DecimalFormat, RefusesOtherConversions) {
  for (const char* format : {"%d", "%5d", "%lu", "%-5ld", "%05ld", "%lld", "%%", "100%", "%l", "%99999999ld"}) {
    EXPECT_THROW(platform::DecimalFormat{format}, std::invalid_argument) << format;
  }
}

TEST(DecimalFormat, RefusesValuesNotOneAConversion) {
  platform::DecimalFormat format("count=%5ld\n");
  EXPECT_THROW(format.text(), std::invalid_argument);
  EXPECT_THROW(format.text(1L, 2L), std::invalid_argument);
}

}  // namespace
