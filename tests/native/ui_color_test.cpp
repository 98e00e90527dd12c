// Colour names and the text forms a form file stores colours in.
#include "ui/Color.h"

#include <gtest/gtest.h>

namespace {

TEST(Color, NamesGoBothWays)
{
    EXPECT_EQ(ui::ColorToIdent(clBtnFace), "clBtnFace");
    EXPECT_EQ(ui::IdentToColor("CLBTNFACE"), clBtnFace);
    EXPECT_EQ(ui::IdentToColor("clfuchsia"), 0xFF00FFu);
    EXPECT_FALSE(ui::IdentToColor("clNoSuchColour"));
    EXPECT_FALSE(ui::ColorToIdent(0x123456));
}

TEST(Color, TextFormsOfValues)
{
    EXPECT_EQ(ui::ColorToString(clWindowText), "clWindowText");
    EXPECT_EQ(ui::ColorToString(0x00123456), "$00123456");
    EXPECT_EQ(ui::StringToColor("$00123456"), 0x123456u);
    EXPECT_EQ(ui::StringToColor("0xff00ff"), 0xFF00FFu);
    EXPECT_EQ(ui::StringToColor("16711935"), 0xFF00FFu);
    // A system colour written as a signed number.
    EXPECT_EQ(ui::StringToColor("-16777201"), clBtnFace);
    EXPECT_EQ(ui::StringToColor("clRed"), clRed);
    for (const char* bad : {"", "$", "0x", "12ab", "$1FFFFFFFF", "-", "-2147483649", "clNope"})
        EXPECT_FALSE(ui::StringToColor(bad)) << bad;
}

TEST(Color, ChannelsAndSystemColours)
{
    constexpr TColor c = RGBColor(1, 2, 3);
    static_assert(c == 0x030201);
    EXPECT_EQ(RedOf(c), 1);
    EXPECT_EQ(GreenOf(c), 2);
    EXPECT_EQ(BlueOf(c), 3);
    EXPECT_TRUE(IsSystemColor(clBtnFace));
    EXPECT_FALSE(IsSystemColor(clNone));
    EXPECT_FALSE(IsSystemColor(clWhite));
}

} // namespace
