// Two-digit time fields: always two digits, whatever the value.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "app/time_fields.h"

namespace {

std::string field(int v) {
    char out[TWO_DIGIT_FIELD_SIZE];
    twoDigitField(v, out);
    return out;
}

TEST(TwoDigitField, ShownValuesKeepTheirLeadingZero) {
    EXPECT_EQ(field(0), "00");
    EXPECT_EQ(field(7), "07");
    EXPECT_EQ(field(59), "59");
    EXPECT_EQ(field(98), "98");
}

TEST(TwoDigitField, ValuesOutsideTheFieldStillGiveTwoDigits) {
    EXPECT_EQ(field(100), "00");
    EXPECT_EQ(field(123), "23");
    EXPECT_EQ(field(-5), "05");
    EXPECT_EQ(field(INT_MAX), "47");
    EXPECT_EQ(field(INT_MIN), "48");
}

}  // namespace
