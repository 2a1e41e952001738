// Number strings built with a moving cursor.
#include "gfx/fmt.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

namespace {

// Formats value into a buffer pre-filled with '#', returning what was written
// (up to the first '#') and how far the cursor moved.
std::string written(int value, long* moved) {
    char buf[32];
    std::memset(buf, '#', sizeof buf);
    char* cursor = buf;
    fmt_int(value, &cursor);
    *moved = cursor - buf;
    const char* end = static_cast<const char*>(std::memchr(buf, '#', sizeof buf));
    return std::string(static_cast<const char*>(buf), end);
}

}  // namespace

TEST(FmtInt, ZeroIsTerminatedWithTheCursorOnTheNul) {
    char buf[8] = "xxxxxxx";
    char* cursor = buf;
    fmt_int(0, &cursor);
    EXPECT_EQ(cursor, buf + 1);
    EXPECT_STREQ(buf, "0");
    *cursor++ = 'k';  // the next character overwrites the NUL
    *cursor = '\0';
    EXPECT_STREQ(buf, "0k");
}

TEST(FmtInt, OtherValuesAdvanceByTheirLengthWithoutTerminator) {
    long moved = 0;
    EXPECT_EQ(written(-45, &moved), "-45");
    EXPECT_EQ(moved, 3);
    EXPECT_EQ(written(1234, &moved), "1234");
    EXPECT_EQ(moved, 4);
    EXPECT_EQ(written(7, &moved), "7");
    EXPECT_EQ(written(-100, &moved), "-100");
    EXPECT_EQ(written(INT_MAX, &moved), "2147483647");
}

TEST(FmtInt, MostNegativeIntNeedsElevenCharacters) {
    long moved = 0;
    EXPECT_EQ(written(INT_MIN, &moved), "-2147483648");
    EXPECT_EQ(moved, 11);
}

TEST(FmtInt, PiecesChainIntoOneDecimal) {
    char buf[16];
    char* cursor = buf;
    const float value = 12.34f;
    fmt_int(static_cast<int>(value), &cursor);
    *cursor++ = '.';
    fmt_int(static_cast<int>((value - static_cast<int>(value)) * 10), &cursor);
    *cursor = '\0';
    EXPECT_STREQ(buf, "12.3");
}

TEST(StrAppend, ReturnsTheNewEndForChaining) {
    char buf[16] = "";
    char* end = str_append(buf, "AB");
    EXPECT_EQ(end, buf + 2);
    end = str_append(end, "CDE");
    EXPECT_EQ(end, buf + 5);
    EXPECT_STREQ(buf, "ABCDE");
    EXPECT_EQ(str_append(buf, ""), buf + 5);
}

TEST(CelsiusToFahrenheit, FixedPoints) {
    EXPECT_EQ(celsius_to_fahrenheit(-40.0f), -40.0f);
    EXPECT_EQ(celsius_to_fahrenheit(100.0f), 212.0f);
    EXPECT_EQ(celsius_to_fahrenheit(22.4f), static_cast<float>(22.4f * 1.8 + 32.0));
}
