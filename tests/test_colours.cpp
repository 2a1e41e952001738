// The shared colours as the screens must show them: the page tests compare
// drawn pixels with these constants, so their values are pinned here.
#include <gtest/gtest.h>

#include "app/colours.h"

TEST(Colours, SharedColoursHaveTheirScreenValues) {
    EXPECT_EQ(COLOUR_BLACK, 0xFF000000u);
    EXPECT_EQ(COLOUR_WHITE, 0xFFFFFFFFu);
    EXPECT_EQ(COLOUR_LABEL, 0xFF60F0F0u);
    EXPECT_EQ(COLOUR_GREY, 0xFF707070u);
    EXPECT_EQ(COLOUR_SEPARATOR, 0xFF888888u);
    EXPECT_EQ(COLOUR_TITLE_GREEN, 0xFF00B000u);
    EXPECT_EQ(COLOUR_HIGHLIGHT, 0xFFFF00FFu);
    EXPECT_EQ(COLOUR_GREEN, 0xFF00FF00u);
    EXPECT_EQ(COLOUR_YELLOW, 0xFFFFFF00u);
    EXPECT_EQ(COLOUR_RED, 0xFFFF0000u);
    EXPECT_EQ(COLOUR_CYAN, 0xFF00FFFFu);
}
