// The window's own menu drawn in the frame's menu band: the face colour and
// the captions, cut at the band's edge, the items' places for clicks, and a
// band drawn anew whenever anything it is drawn from changes.
#include "tests/win/frame_skin_support.h"

#include "skin/chrome/SystemMenuBand.h"
#include "ui/Handles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace frametest;
using skintest::PixelOf;

constexpr int W = 220;
constexpr int H = 40;
constexpr TColor Untouched = RGBColor(1, 2, 3);
constexpr TColor Red = RGBColor(255, 0, 0);
constexpr RECT Band{4, 10, 200, 29};

class SystemMenuBandTest : public FrameSkinTest {
protected:
    void SetUp() override
    {
        FrameSkinTest::SetUp();
        skin->MenuBarTextColour = Red;
        AppendMenuA(menu.get(), MF_STRING, 1, "File");
        AppendMenuA(menu.get(), MF_STRING, 2, "Edit");
    }

    // A picture of the window with the band painted by band.
    static void PaintInto(TBitmap& picture, TSystemMenuBand& band, const RECT& where, const TSkinData& skin)
    {
        picture.SetSize(W, H);
        picture.Canvas().Brush().SetColor(Untouched);
        picture.Canvas().FillRect({0, 0, W, H});
        band.Paint(picture.Canvas().Handle(), where, skin);
    }

    // Paints with the band that has painted before and with a new one: both
    // must show the same. Returns the picture.
    std::string SameAsNew(TBitmap& picture, const RECT& where = Band)
    {
        PaintInto(picture, kept, where, *skin);
        TSystemMenuBand fresh(menu.get());
        TBitmap expected;
        PaintInto(expected, fresh, where, *skin);
        return FirstOther(picture, {0, 0, W, H}, [&](int x, int y) { return PixelOf(expected, x, y); });
    }

    static int Count(const TBitmap& picture, const RECT& r, bool (*wanted)(TColor))
    {
        int count = 0;
        for (LONG y = r.top; y < r.bottom; ++y)
            for (LONG x = r.left; x < r.right; ++x)
                count += wanted(PixelOf(picture, x, y));
        return count;
    }

    static bool Reddish(TColor c) { return RedOf(c) > 150 && GreenOf(c) < 120 && BlueOf(c) < 120; }

    ui::UniqueMenu menu{CreateMenu()};
    TSystemMenuBand kept{menu.get()};
};

TEST_F(SystemMenuBandTest, TheFaceColourWithTheCaptionsCutAtTheBandsRightEdge)
{
    TBitmap picture;
    PaintInto(picture, kept, Band, *skin);
    EXPECT_EQ(FirstOther(picture, {0, 0, W, Band.top}, Untouched), "");
    EXPECT_EQ(FirstOther(picture, {0, Band.bottom, W, H}, Untouched), "");
    EXPECT_EQ(FirstOther(picture, {0, 0, Band.left, H}, Untouched), "");
    EXPECT_EQ(FirstOther(picture, {Band.right, 0, W, H}, Untouched), "");
    // The captions in the text colour, the rest of the band in the face colour.
    EXPECT_GT(Count(picture, Band, Reddish), 10);
    EXPECT_EQ(FirstOther(picture, {Band.right - 40, Band.top, Band.right, Band.bottom}, Face), "");

    // The items lie side by side from the band's left edge.
    EXPECT_EQ(kept.ItemAt({Band.left, Band.top}), 0);
    EXPECT_EQ(kept.ItemAt({Band.left - 1, Band.top}), -1);
    EXPECT_EQ(kept.ItemAt({Band.left, Band.bottom}), -1);
    int second = Band.left;
    while (second < Band.right && kept.ItemAt({second, Band.top + 5}) == 0)
        ++second;
    EXPECT_EQ(kept.ItemAt({second, Band.top + 5}), 1);
    EXPECT_EQ(kept.ItemAt({Band.right - 1, Band.top + 5}), -1);

    // A band narrower than its captions cuts them at its edge.
    const RECT narrow{4, 10, 24, 29};
    PaintInto(picture, kept, narrow, *skin);
    EXPECT_EQ(FirstOther(picture, {narrow.right, 0, W, H}, Untouched), "");
    EXPECT_EQ(kept.ItemAt({narrow.left, narrow.top}), 0);
    EXPECT_EQ(kept.ItemAt({second, narrow.top + 5}), -1) << "the second item starts past the band";
}

TEST_F(SystemMenuBandTest, WhatTheBandIsDrawnFromChangingDrawsItAnew)
{
    TBitmap before;
    ASSERT_EQ(SameAsNew(before), "");
    TBitmap after;

    ModifyMenuA(menu.get(), 0, MF_BYPOSITION | MF_STRING, 1, "Files");
    EXPECT_EQ(SameAsNew(after), "") << "a new caption";
    EXPECT_NE(FirstOther(after, Band, [&](int x, int y) { return PixelOf(before, x, y); }), "");

    const int reddish = Count(after, Band, Reddish);
    EnableMenuItem(menu.get(), 1, MF_BYPOSITION | MF_GRAYED);
    EXPECT_EQ(SameAsNew(after), "") << "a disabled item";
    EXPECT_LT(Count(after, Band, Reddish), reddish) << "the disabled item is not in the text colour";

    skin->MenuBarTextColour = RGBColor(0, 0, 255);
    EXPECT_EQ(SameAsNew(after), "") << "another text colour";
    EXPECT_EQ(Count(after, Band, Reddish), 0);

    EXPECT_EQ(SameAsNew(after, {10, 12, 120, 30}), "") << "another size and place";
    EXPECT_EQ(kept.ItemAt({10, 12}), 0);
    EXPECT_EQ(kept.ItemAt({9, 12}), -1);

    AppendMenuA(menu.get(), MF_STRING, 3, "View");
    EXPECT_EQ(SameAsNew(after), "") << "one item more";
}

TEST_F(SystemMenuBandTest, ManyPaintsLeaveNoHandleBehind)
{
    TBitmap picture;
    PaintInto(picture, kept, Band, *skin);
    const ui::HandleSnapshot before = ui::HandleSnapshot::Take();
    for (int i = 0; i < 2000; ++i)
        kept.Paint(picture.Canvas().Handle(), i % 2 == 0 ? Band : RECT{4, 10, 150, 29}, *skin);
    EXPECT_EQ(ui::HandleSnapshot::Take(), before);
}

} // namespace
