// The skin engine's own bitmaps as a program carries them: loaded by name
// from the program's resources, the way the skin data loads them.
#include "ui/Bitmap.h"
#include "ui/ImageList.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

namespace {

TColor At(TBitmap& bitmap, int x, int y)
{
    const std::uint8_t* line = bitmap.ScanLine(y);
    return RGBColor(line[3 * x + 2], line[3 * x + 1], line[3 * x]);
}

// The program's own module: a null instance would make the image list look
// among the system's bitmaps instead.
HINSTANCE Program() { return GetModuleHandleA(nullptr); }

int Lightness(TColor colour)
{
    const COLORREF rgb = static_cast<COLORREF>(colour);
    return GetRValue(rgb) + GetGValue(rgb) + GetBValue(rgb);
}

constexpr int TrackBorder = 3;

TEST(SkinResources, TrackChannelsStretchCleanlyBetweenTheirBorders)
{
    TBitmap track;
    track.LoadFromResourceName(Program(), "TRACK");
    TBitmap vertical;
    vertical.LoadFromResourceName(Program(), "TRACKVERT");
    ASSERT_EQ(track.PixelFormat(), pf24bit);
    ASSERT_GT(track.Width(), 2 * TrackBorder);
    ASSERT_GT(track.Height(), 2 * TrackBorder);
    ASSERT_GT(track.Width(), track.Height());
    ASSERT_EQ(vertical.Width(), track.Height());
    ASSERT_EQ(vertical.Height(), track.Width());

    const int w = track.Width();
    const int h = track.Height();
    const TColor inside = At(track, w / 2, h / 2);
    // The stretched middle columns repeat, so the channel has no seams at any length.
    for (int y = 0; y < h; ++y) {
        for (int x = TrackBorder; x < w - TrackBorder; ++x) {
            EXPECT_EQ(At(track, x, y), At(track, TrackBorder, y)) << x << "," << y;
        }
    }
    // A recessed rim: the edges and the shadowed top differ from the floor.
    EXPECT_NE(At(track, 0, h / 2), inside);
    EXPECT_NE(At(track, w - 1, h / 2), inside);
    EXPECT_LT(Lightness(At(track, w / 2, 0)), Lightness(inside));
    EXPECT_LT(Lightness(At(track, w / 2, 1)), Lightness(inside));
    EXPECT_NE(At(track, w / 2, h - 1), inside);
    // The vertical channel is the same picture turned, shadow on the left.
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            EXPECT_EQ(At(vertical, y, x), At(track, x, y)) << x << "," << y;
        }
    }
}

TEST(SkinResources, MenuGlyphsAreInkOnTheWhiteMask)
{
    TBitmap strip;
    strip.LoadFromResourceName(Program(), "ORTAVELMENU");
    ASSERT_EQ(strip.Width(), 64);
    ASSERT_EQ(strip.Height(), 16);
    // The first pixel stands for the mask when loaded transparently.
    EXPECT_EQ(At(strip, 0, 0), clWhite);

    std::set<TColor> inks;
    for (int cell = 0; cell < 4; ++cell) {
        int inked = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = cell * 16; x < cell * 16 + 16; ++x) {
                const TColor colour = At(strip, x, y);
                if (colour != clWhite) {
                    inks.insert(colour);
                    ++inked;
                }
            }
        }
        EXPECT_GT(inked, 8) << "glyph " << cell;
    }
    // One dark ink and nothing between it and white: a pale fringe would
    // survive the mask and show on coloured menus.
    ASSERT_EQ(inks.size(), 1u);
    EXPECT_LT(Lightness(*inks.begin()), 3 * 64);
}

TEST(SkinResources, MenuGlyphListShowsTheMenuThroughTheMask)
{
    TImageList list(nullptr);
    ASSERT_TRUE(list.GetInstRes(Program(), "ORTAVELMENU", 16, true, clWhite));
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Width(), 16);
    EXPECT_EQ(list.Height(), 16);

    TBitmap strip;
    strip.LoadFromResourceName(Program(), "ORTAVELMENU");
    for (int index = 0; index < 4; ++index) {
        TBitmap menu(16, 16);
        menu.Canvas().Brush().SetColor(clTeal);
        menu.Canvas().FillRect({0, 0, 16, 16});
        list.Draw(menu.Canvas(), 0, 0, index);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const TColor source = At(strip, index * 16 + x, y);
                EXPECT_EQ(At(menu, x, y), source == clWhite ? clTeal : source)
                    << "glyph " << index << " at " << x << "," << y;
            }
        }
    }
}

}  // namespace
