// Colour arithmetic of the skin painters: blends, saturation, gradient tables.
#include "skin/model/ColourMath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

TColor NoSystemColours(TColor) { return 0; }
TColor ButtonFaceIsGrey(TColor colour) { return colour == clBtnFace ? 0xC0C0C0 : 0x123456; }

TEST(MixColor, SmallWeightsArePercentagesRoundedHalfUp)
{
    EXPECT_EQ(MixColor(0xFFFFFF, 0x000000, 50, NoSystemColours), 0x808080u);
    EXPECT_EQ(MixColor(0x000000, 0xFFFFFF, 50, NoSystemColours), 0x808080u);
    EXPECT_EQ(MixColor(0x0000FF, 0xFF0000, 0, NoSystemColours), 0xFF0000u);
    EXPECT_EQ(MixColor(0x0000FF, 0xFF0000, 99, NoSystemColours), 0x0300FCu);
}

TEST(MixColor, WeightsOf100AndAboveArePerMille)
{
    EXPECT_EQ(MixColor(0xFFFFFF, 0x000000, 150, NoSystemColours), 0x262626u);
    // 15 % grey over 85 % of the second colour.
    EXPECT_EQ(MixColor(0x808080, 0x204060, 150, NoSystemColours), 0x2E4A65u);
    EXPECT_EQ(MixColor(0x102030, 0xFFFFFF, 1000, NoSystemColours), 0x102030u);
    // 100 is 10 %, not all of c1.
    EXPECT_EQ(MixColor(0xFFFFFF, 0x000000, 100, NoSystemColours), 0x1A1A1Au);
}

TEST(MixColor, SystemColoursAreResolvedFirst)
{
    EXPECT_EQ(MixColor(clBtnFace, 0x000000, 50, ButtonFaceIsGrey), 0x606060u);
    EXPECT_EQ(MixColor(0xFFFFFF, clBtnFace, 0, ButtonFaceIsGrey), 0xC0C0C0u);
}

TEST(MixColor, TheTopByteCountsAsBlue)
{
    // 0x01000000 >> 16 is 0x100: at full weight its low 8 bits (0) survive, at
    // half weight it adds 0x80 to the blue of the blend.
    EXPECT_EQ(MixColor(0x01000000, 0x000000, 1000, NoSystemColours), 0x000000u);
    EXPECT_EQ(MixColor(0x01000000, 0x000000, 50, NoSystemColours), 0x800000u);
}

TEST(ColourSaturation, SpreadOverBrightestChannel)
{
    EXPECT_EQ(ColourSaturation(0x00E3DFE0), 4);
    EXPECT_EQ(ColourSaturation(0xFFFFFF), 0);
    EXPECT_EQ(ColourSaturation(0x0000FF), 255);
    EXPECT_EQ(ColourSaturation(RGBColor(255, 160, 160)), 95);
    EXPECT_EQ(ColourSaturation(RGBColor(0, 0xA0, 0xFF)), 255);
}

TEST(ColourSaturation, DarkColoursCountAs200)
{
    EXPECT_EQ(ColourSaturation(0x000000), 200);
    EXPECT_EQ(ColourSaturation(0x9F9F9F), 200);
    EXPECT_EQ(ColourSaturation(0x00009F), 200);
    EXPECT_EQ(ColourSaturation(0x0000A0), 255);  // one channel at 160 is enough to be measured
}

TEST(ColourSaturation, HalvesRoundToEven)
{
    // red 170, blue 85: (170 - 85) / 170 * 255 = 127.5 -> 128; red 255, green 254, 1/255 * 255 = 1.
    EXPECT_EQ(ColourSaturation(RGBColor(170, 85, 85)), 128);
    EXPECT_EQ(ColourSaturation(RGBColor(255, 254, 254)), 1);
    // red 204, others 203: 1/204*255 = 1.25 -> 1; red 200, others 199: 1.275 -> 1.
    EXPECT_EQ(ColourSaturation(RGBColor(204, 203, 203)), 1);
}

std::vector<TColor> Table(int slot)
{
    const auto table = GradientTable(slot);
    return {table.begin(), table.end()};
}

TEST(GetGradient, EvenStepsRoundedToNearest)
{
    const int slot = GetGradient(3, clBlack, clWhite);
    EXPECT_EQ(Table(slot), (std::vector<TColor>{0x000000, 0x808080, 0xFFFFFF}));
    // Falling channels mirror rising ones and end exactly on the target, so
    // the same request finds its table again.
    const int down = GetGradient(4, 0x0000FF, 0x000000);
    EXPECT_EQ(Table(down), (std::vector<TColor>{0x0000FF, 0x0000AA, 0x000055, 0x000000}));
    EXPECT_EQ(GetGradient(4, 0x0000FF, 0x000000), down);
    // Channels move independently, toward their own ends.
    const int mixed = GetGradient(2, 0x00FF10, 0xFF0020);
    EXPECT_EQ(Table(mixed), (std::vector<TColor>{0x00FF10, 0xFF0020}));
}

TEST(GetGradient, OneEntryIsTheMidpoint)
{
    const int slot = GetGradient(1, 0x000000, 0xFEFEFE);
    EXPECT_EQ(Table(slot), (std::vector<TColor>{0x7F7F7F}));
    EXPECT_EQ(GetGradient(0, 0, 0), -1);
    EXPECT_TRUE(GradientTable(-1).empty());
    EXPECT_TRUE(GradientTable(16).empty());
}

TEST(GetGradient, IdenticalRequestsShareASlotAndSlotsAreReusedInTurn)
{
    const int slot = GetGradient(37, 0x102030, 0x405060);
    EXPECT_EQ(GetGradient(37, 0x102030, 0x405060), slot);
    EXPECT_NE(GetGradient(38, 0x102030, 0x405060), slot);
    EXPECT_NE(GetGradient(37, 0x102031, 0x405060), slot);

    // Sixteen further different tables take every slot once: the first is
    // refilled, so asking for it again fills a new slot.
    std::vector<int> slots;
    for (int i = 0; i < 16; ++i)
        slots.push_back(GetGradient(100 + i, 0, 0xFFFFFF));
    std::vector<int> sorted = slots;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::unique(sorted.begin(), sorted.end()), sorted.end());
    EXPECT_EQ(Table(GetGradient(100, 0, 0xFFFFFF)).size(), 100u);
    const int again = GetGradient(37, 0x102030, 0x405060);
    EXPECT_EQ(Table(again).size(), 37u);
    EXPECT_EQ(Table(again).front(), 0x102030u);
    EXPECT_EQ(Table(again).back(), 0x405060u);
}

} // namespace
