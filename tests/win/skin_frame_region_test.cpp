// The window region of a skinned frame: the whole rectangle for opaque
// borders, the borders' pixels that are not magenta for transparent ones,
// built again only when the window's size changes.
#include "tests/win/frame_skin_support.h"

#include "skin/chrome/FrameRegion.h"
#include "ui/Handles.h"

#include <gtest/gtest.h>

namespace {

using namespace frametest;

constexpr int W = 200;
constexpr int H = 100;
constexpr TColor Key = RGBColor(255, 0, 255);

class FrameRegionTest : public FrameSkinTest {
protected:
    void SetUp() override
    {
        FrameSkinTest::SetUp();
        PaintBorders(*skin);
        // Rounded top corners on both sides, one pixel within the key's
        // tolerance and one just outside it, and a notch in the bottom border.
        TBitmap& left = skin->BorderLeft->Bitmap;
        SetPixel(left, 0, 0, Key);
        SetPixel(left, 1, 0, Key);
        SetPixel(left, 0, 1, Key);
        SetPixel(left, 2, 0, RGBColor(255, 1, 255));
        SetPixel(left, 3, 0, RGBColor(254, 0, 255));
        SetPixel(skin->BorderRight->Bitmap, 5, 0, Key);
        SetPixel(skin->BorderBottom->Bitmap, 0, 5, Key);
    }
    ui::UniqueRegion Build(TBorderKind kind = TBorderKind::Sizeable)
    {
        return BuildFrameRegion(*skin, {W, H}, PaintedMetrics, kind);
    }
    void SetTrans(int left, int right, int top, int bottom)
    {
        skin->BorderLeft->Trans = left;
        skin->BorderRight->Trans = right;
        skin->BorderTop->Trans = top;
        skin->BorderBottom->Trans = bottom;
    }
};

bool SameAsRectangle(HRGN region, const RECT& r)
{
    const ui::UniqueRegion rect(CreateRectRgn(r.left, r.top, r.right, r.bottom));
    return EqualRgn(region, rect.get()) != 0;
}

TEST_F(FrameRegionTest, OpaqueBordersGiveTheWholeRectangle)
{
    SetTrans(0, 0, 0, 0);
    const auto region = Build();
    ASSERT_TRUE(region);
    EXPECT_TRUE(SameAsRectangle(region.get(), {0, 0, W, H}));
    // A transparent bottom border alone does not shape the window.
    SetTrans(0, 0, 0, 1);
    EXPECT_TRUE(SameAsRectangle(Build().get(), {0, 0, W, H}));
}

TEST_F(FrameRegionTest, TransparentBordersLeaveTheirMagentaOut)
{
    SetTrans(1, 1, 0, 1);
    const auto region = Build();
    ASSERT_TRUE(region);
    const HRGN r = region.get();
    // Left corner: magenta and the pixel within tolerance are out, the one below the key's red is in.
    EXPECT_FALSE(PtInRegion(r, 0, 0));
    EXPECT_FALSE(PtInRegion(r, 1, 0));
    EXPECT_FALSE(PtInRegion(r, 0, 1));
    EXPECT_FALSE(PtInRegion(r, 2, 0));
    EXPECT_TRUE(PtInRegion(r, 3, 0));
    EXPECT_TRUE(PtInRegion(r, 1, 1));
    EXPECT_TRUE(PtInRegion(r, 0, 50));
    // Right corner.
    EXPECT_FALSE(PtInRegion(r, W - 1, 0));
    EXPECT_TRUE(PtInRegion(r, W - 2, 0));
    // The bottom border's notch: its left end's last row.
    EXPECT_FALSE(PtInRegion(r, 4, H - 1));
    EXPECT_TRUE(PtInRegion(r, 5, H - 1));
    // The opaque title bar and the client area are whole.
    EXPECT_TRUE(PtInRegion(r, 4, 0));
    EXPECT_TRUE(PtInRegion(r, W - 7, 0));
    EXPECT_TRUE(PtInRegion(r, 100, 50));
    RECT box{};
    GetRgnBox(r, &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, W);
    EXPECT_EQ(box.bottom, H);
}

TEST_F(FrameRegionTest, ATransparentTitleBarFollowsItsPicture)
{
    SetTrans(0, 0, 1, 0);
    SetPixel(skin->BorderTop->Bitmap, 0, 0, Key);
    SetPixel(skin->BorderTop->Bitmap, 39, 14, Key);
    const auto region = Build();
    EXPECT_FALSE(PtInRegion(region.get(), 4, 0));
    EXPECT_FALSE(PtInRegion(region.get(), W - 7, 14));
    EXPECT_TRUE(PtInRegion(region.get(), 5, 0));
    // Opaque sides are plain strips.
    EXPECT_TRUE(PtInRegion(region.get(), 0, 0));
    EXPECT_TRUE(PtInRegion(region.get(), W - 1, 0));
}

TEST_F(FrameRegionTest, TheRegionIsBuiltAgainOnlyForANewSize)
{
    SetTrans(1, 1, 0, 1);
    TFrameRegion cache;
    EXPECT_TRUE(cache.Update(*skin, {W, H}, PaintedMetrics, TBorderKind::Sizeable));
    const HRGN first = cache.Region();
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(cache.Update(*skin, {W, H}, PaintedMetrics, TBorderKind::Sizeable));
    EXPECT_EQ(cache.Region(), first);

    EXPECT_TRUE(cache.Update(*skin, {W + 10, H}, PaintedMetrics, TBorderKind::Sizeable));
    EXPECT_EQ(cache.Size().cx, W + 10);
    EXPECT_FALSE(PtInRegion(cache.Region(), W + 9, 0));
    EXPECT_TRUE(PtInRegion(cache.Region(), W - 1, 0));
    // A changed skin builds anew at the same size.
    EXPECT_TRUE(cache.Update(*skin, {W + 10, H}, PaintedMetrics, TBorderKind::Sizeable, true));
    cache.Drop();
    EXPECT_EQ(cache.Region(), nullptr);
    EXPECT_TRUE(cache.Update(*skin, {W + 10, H}, PaintedMetrics, TBorderKind::Sizeable));
}

TEST_F(FrameRegionTest, TheWindowGetsACopyAndNoRegionIsLeftBehind)
{
    SetTrans(1, 1, 0, 1);
    const ui::UniqueWindow window(
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, W, H, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    ASSERT_TRUE(window);
    // The border pictures make their drawing contexts at their first use and keep them.
    Build();
    const ui::HandleSnapshot before = ui::HandleSnapshot::Take();
    {
        TFrameRegion cache;
        for (int i = 0; i < 50; ++i) {
            cache.Update(*skin, {W + i % 3, H}, PaintedMetrics, TBorderKind::Sizeable);
            ASSERT_TRUE(cache.ApplyTo(window.get(), false));
        }
        const ui::UniqueRegion applied(CreateRectRgn(0, 0, 0, 0));
        ASSERT_NE(GetWindowRgn(window.get(), applied.get()), ERROR);
        EXPECT_TRUE(EqualRgn(applied.get(), cache.Region()));
        cache.DropFrom(window.get(), false);
        EXPECT_EQ(cache.Region(), nullptr);
        EXPECT_EQ(GetWindowRgn(window.get(), applied.get()), ERROR);
    }
    EXPECT_EQ(ui::HandleSnapshot::Take(), before);
}

} // namespace
