// The frame painted into an offscreen picture of a window: each border in
// the frame its activation asks for, the title bar from its back buffer with
// the title buttons' turn and the caption, the menu band, minimised windows,
// skins missing pictures, and no handle left behind by many paints.
#include "tests/win/frame_skin_support.h"

#include "skin/chrome/BorderPainter.h"
#include "skin/chrome/CaptionText.h"
#include "skin/chrome/FramePainter.h"
#include "skin/chrome/ScratchBitmap.h"
#include "skin/chrome/TitlePainter.h"
#include "skin/chrome/WindowCaption.h"
#include "ui/Handles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace frametest;
using skintest::PixelOf;

constexpr int W = 200;
constexpr int H = 100;
constexpr TColor Untouched = RGBColor(1, 2, 3);

class FramePaintTest : public FrameSkinTest {
protected:
    void SetUp() override
    {
        FrameSkinTest::SetUp();
        PaintBorders(*skin);
        window.SetSize(W, H);
        window.Canvas().Brush().SetColor(Untouched);
        window.Canvas().FillRect({0, 0, W, H});
    }

    TFrameState State(bool active = true) const
    {
        return {.size = {W, H}, .metrics = PaintedMetrics, .active = active};
    }
    bool Paint(const TFrameState& state, std::wstring_view caption = L"")
    {
        return painter.Paint(window.Canvas().Handle(), *skin, state, caption);
    }

    TBitmap window;
    TFramePainter painter;
};

std::function<TColor(int, int)> LeftBorder(int frame)
{
    return [frame](int, int y) { return LeftColour(frame, PartAt(y, H, 3, 2)); };
}

TEST_F(FramePaintTest, EachBorderShowsItsFirstFrameWhileActiveAndItsSecondWhileInactive)
{
    for (const bool active : {true, false}) {
        SCOPED_TRACE(active ? "active" : "inactive");
        const int frame = active ? 1 : 2;
        ASSERT_TRUE(Paint(State(active)));
        // Sides over the whole height, their ends unscaled.
        EXPECT_EQ(FirstOther(window, {0, 0, 4, H}, LeftBorder(frame)), "");
        // The right border has one frame only, shown either way.
        EXPECT_EQ(FirstOther(window, {194, 0, W, H}, [](int, int y) { return RightColour(PartAt(y, H, 3, 2)); }),
                  "");
        // Bottom and title bar between the sides, their ends unscaled.
        EXPECT_EQ(FirstOther(window, {4, 94, 194, H},
                             [frame](int x, int) { return BottomColour(frame, PartAt(x - 4, 190, 2, 2)); }),
                  "");
        EXPECT_EQ(FirstOther(window, {4, 0, 194, 15},
                             [frame](int x, int) { return TopColour(frame, PartAt(x - 4, 190, 5, 5)); }),
                  "");
        // The client area is not the frame's.
        EXPECT_EQ(FirstOther(window, {4, 15, 194, 94}, Untouched), "");
    }
}

TEST_F(FramePaintTest, BorderTileOfOneStretchesTheMiddleAndAnythingElseRepeatsIt)
{
    // A title picture whose middle is four columns of their own colours.
    const auto column = [](int i) { return RGBColor(static_cast<std::uint8_t>(50 * i), 7, 7); };
    TDataSkinBorder& top = *skin->BorderTop;
    PaintPicture(top.Bitmap, 14, 2, [&](int x, int) { return x < 5 || x >= 9 ? RGBColor(9, 9, 9) : column(x - 5); });
    top.FrameCount = 2;
    const RECT target{0, 0, 45, 1};

    top.Tile = 0;
    TBitmap tiled(45, 1);
    PaintBorder(tiled.Canvas().Handle(), target, *skin, TBorderSide::Top, true);
    EXPECT_EQ(FirstOther(tiled, {5, 0, 40, 1}, [&](int x, int) { return column((x - 5) % 4); }), "");

    top.Tile = 1;
    TBitmap stretched(45, 1);
    PaintBorder(stretched.Canvas().Handle(), target, *skin, TBorderSide::Top, true);
    // 35 columns in four runs of the four colours, in order, each 8 or 9 wide.
    int index = 0;
    int run = 0;
    std::vector<int> runs;
    for (int x = 5; x < 40; ++x) {
        const TColor c = PixelOf(stretched, x, 0);
        if (c != column(index)) {
            runs.push_back(run);
            run = 0;
            ++index;
            ASSERT_LT(index, 4) << x;
            ASSERT_EQ(c, column(index)) << x;
        }
        ++run;
    }
    runs.push_back(run);
    ASSERT_EQ(runs.size(), 4u);
    for (const int length : runs)
        EXPECT_TRUE(length == 8 || length == 9) << length;
}

TEST_F(FramePaintTest, AnInvertedTargetPaintsNothing)
{
    PaintBorder(window.Canvas().Handle(), {10, 10, 5, 50}, *skin, TBorderSide::Left, true);
    PaintBorder(window.Canvas().Handle(), {10, 10, 50, 5}, *skin, TBorderSide::Top, true);
    EXPECT_EQ(FirstOther(window, {0, 0, W, H}, Untouched), "");
}

TEST_F(FramePaintTest, TheTitleBarKeepsTheSidesAndDrawsButtonsBeforeTheCaption)
{
    const HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    std::vector<RECT> seen;
    painter.Hooks.paintTitleButtons = [&](HDC dc) {
        seen.push_back(painter.CaptionRect());
        const RECT button{160, 2, 170, 12};
        FillRect(dc, &button, black);
    };
    ASSERT_TRUE(Paint(State(), L" Caption  "));
    ASSERT_TRUE(Paint(State(), L" Caption  "));
    ASSERT_EQ(seen.size(), 2u);
    // The first paint's buttons saw no caption yet, the second's the first caption.
    EXPECT_EQ(seen[0].left, 0);
    EXPECT_EQ(seen[0].right, 0);
    EXPECT_EQ(seen[1].left, painter.CaptionRect().left);
    EXPECT_EQ(seen[1].right, painter.CaptionRect().right);
    EXPECT_GT(painter.CaptionRect().right, painter.CaptionRect().left);
    // The button landed in window coordinates, the sides survived the title buffer.
    EXPECT_EQ(FirstOther(window, {160, 2, 170, 12}, RGBColor(0, 0, 0)), "");
    EXPECT_EQ(FirstOther(window, {0, 0, 4, 15}, LeftBorder(1)), "");

    // Buttons covering the whole band still have the caption on top.
    painter.Hooks.paintTitleButtons = [&](HDC dc) {
        const RECT band{4, 0, 194, 15};
        FillRect(dc, &band, black);
    };
    ASSERT_TRUE(Paint(State(), L" Caption  "));
    int yellowish = 0;
    for (int y = 0; y < 15; ++y)
        for (int x = 4; x < 194; ++x)
            yellowish += RedOf(PixelOf(window, x, y)) > 128 && BlueOf(PixelOf(window, x, y)) < 128;
    EXPECT_GT(yellowish, 10);
}

TEST_F(FramePaintTest, MenuBandIsTheMenuBarsOrTheFaceColour)
{
    TFrameState state = State();
    state.menuHeight = 19;
    ASSERT_TRUE(Paint(state));
    EXPECT_EQ(FirstOther(window, {4, 15, 194, 34}, Face), "");
    EXPECT_EQ(FirstOther(window, {4, 34, 194, 94}, Untouched), "");

    // A menu bar draws the whole band in place of the face colour.
    RECT band{};
    painter.Hooks.paintMenuBar = [&](HDC dc, const RECT& r) {
        band = r;
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    };
    window.Canvas().FillRect({0, 0, W, H});
    ASSERT_TRUE(Paint(state));
    EXPECT_EQ(band.left, 4);
    EXPECT_EQ(band.top, 15);
    EXPECT_EQ(band.right, 194);
    EXPECT_EQ(band.bottom, 34);
    EXPECT_EQ(FirstOther(window, {4, 15, 194, 34}, RGBColor(0, 0, 0)), "");
    EXPECT_EQ(FirstOther(window, {4, 34, 194, 94}, Untouched), "");
}

TEST_F(FramePaintTest, AMinimisedWindowGetsOnlyItsTitleOverTheFaceColour)
{
    TFrameState state = State();
    state.minimised = true;
    ASSERT_TRUE(Paint(state));
    EXPECT_EQ(FirstOther(window, {0, 0, W, 15}, [](int x, int) { return TopColour(1, PartAt(x, W, 5, 5)); }), "");
    EXPECT_EQ(FirstOther(window, {0, 15, W, H}, Face), "");
}

TEST_F(FramePaintTest, AWindowWithoutCaptionGetsNothingAndAFailingPartIsContained)
{
    TFrameState state = State();
    state.kind = TBorderKind::None;
    ASSERT_TRUE(Paint(state));
    EXPECT_EQ(FirstOther(window, {0, 0, W, H}, Untouched), "");

    painter.Hooks.paintTitleButtons = [](HDC) { throw std::runtime_error("a title button failed"); };
    EXPECT_FALSE(Paint(State()));
    // What came before the failure is there.
    EXPECT_EQ(FirstOther(window, {0, 0, 4, H}, LeftBorder(1)), "");
}

TEST_F(FramePaintTest, EachMissingPictureGivesTheFaceColourAndTheRestStillPaints)
{
    for (TDataSkinBorder* border : {skin->BorderLeft.get(), skin->BorderRight.get(), skin->BorderTop.get(),
                                    skin->BorderBottom.get()}) {
        SCOPED_TRACE(border->Name);
        PaintBorders(*skin);
        border->Bitmap.SetSize(0, 0);
        window.Canvas().FillRect({0, 0, W, H});
        ASSERT_TRUE(Paint(State(), L" Missing  "));
        const RECT where = border == skin->BorderLeft.get()    ? RECT{0, 0, 4, H}
                           : border == skin->BorderRight.get() ? RECT{194, 0, W, H}
                           : border == skin->BorderTop.get()   ? RECT{4, 0, 40, 15}
                                                               : RECT{4, 94, 194, H};
        EXPECT_EQ(FirstOther(window, where, Face), "");
        if (border != skin->BorderLeft.get()) {
            EXPECT_EQ(FirstOther(window, {0, 0, 4, H}, LeftBorder(1)), "");
        }
        if (border != skin->BorderBottom.get()) {
            EXPECT_EQ(FirstOther(window, {4, 94, 194, H},
                                 [](int x, int) { return BottomColour(1, PartAt(x - 4, 190, 2, 2)); }),
                      "");
        }
    }
}

TEST(FramePaintUnskinned, ASkinNeverLoadedPaintsInTheSystemFaceColour)
{
    TSkinData skin(nullptr);
    TBitmap window(W, H);
    TFramePainter painter;
    const TFrameState state{.size = {W, H}, .metrics = PaintedMetrics, .menuHeight = 10};
    EXPECT_TRUE(painter.Paint(window.Canvas().Handle(), skin, state, L" Plain  "));
    const TColor face = GetSysColor(COLOR_BTNFACE) & 0xFFFFFF;
    EXPECT_EQ(FirstOther(window, {0, 0, 4, H}, face), "");
    EXPECT_EQ(FirstOther(window, {4, 94, 194, H}, face), "");
    EXPECT_EQ(FirstOther(window, {4, 15, 194, 25}, face), "");
    FreeSkinManager();
}

TEST_F(FramePaintTest, ManyFramePaintsLeaveNoHandleBehind)
{
    TFrameState state = State();
    state.menuHeight = 19;
    painter.Hooks.paintTitleButtons = [](HDC) {};
    // Warm up: the title buffer and the caption font are made once.
    ASSERT_TRUE(Paint(state, L" Soak  "));
    const ui::HandleSnapshot before = ui::HandleSnapshot::Take();
    for (int i = 0; i < 70000; ++i) {
        state.active = i % 2 == 0;
        ASSERT_TRUE(Paint(state, L" Soak  "));
    }
    EXPECT_EQ(ui::HandleSnapshot::Take(), before);
}

TEST_F(FramePaintTest, AWindowIsPaintedAtItsOwnSizeIntoItsOwnDCOrAGivenOne)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZelFramePaintWindow";
    RegisterClassA(&wc);
    const ui::UniqueWindow shown(CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 30, 40,
                                                 W, H, nullptr, nullptr, wc.hInstance, nullptr));
    ASSERT_TRUE(shown);
    const long windowDCs = ui::LiveHandleCount(ui::HandleKind::WindowDC);
    // The size given is replaced by the window's.
    TFrameState state = State();
    state.size = {10, 10};
    const RECT rect = painter.PaintWindow(shown.get(), nullptr, *skin, state, L"");
    EXPECT_EQ(rect.left, 30);
    EXPECT_EQ(rect.right - rect.left, W);
    EXPECT_EQ(rect.bottom - rect.top, H);
    TBitmap screen(W, H);
    {
        const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(shown.get());
        BitBlt(screen.Canvas().Handle(), 0, 0, W, H, dc.get(), 0, 0, SRCCOPY);
    }
    EXPECT_EQ(FirstOther(screen, {0, 0, 4, H}, LeftBorder(1)), "");
    EXPECT_EQ(FirstOther(screen, {4, 94, 194, H},
                         [](int x, int) { return BottomColour(1, PartAt(x - 4, 190, 2, 2)); }),
              "");
    // The window's DC went back.
    EXPECT_EQ(ui::LiveHandleCount(ui::HandleKind::WindowDC), windowDCs);

    painter.PaintWindow(shown.get(), window.Canvas().Handle(), *skin, State(false), L"");
    EXPECT_EQ(FirstOther(window, {0, 0, 4, H}, LeftBorder(2)), "");
}

TEST(ScratchBitmap, LivesWhileAnyoneUsesItAndNeverBlends)
{
    EXPECT_EQ(TScratchBitmapUse::Current(), nullptr);
    {
        const TScratchBitmapUse first;
        TBitmap* shared = TScratchBitmapUse::Current();
        ASSERT_NE(shared, nullptr);
        EXPECT_EQ(&first.Bitmap(), shared);
        EXPECT_EQ(GetStretchBltMode(shared->Canvas().Handle()), COLORONCOLOR);
        {
            const TScratchBitmapUse second;
            EXPECT_EQ(&second.Bitmap(), shared);
        }
        EXPECT_EQ(TScratchBitmapUse::Current(), shared);
    }
    EXPECT_EQ(TScratchBitmapUse::Current(), nullptr);
}

} // namespace
