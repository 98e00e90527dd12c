// Scroll bars drawn from a test skin whose every frame has its own colour:
// the bar painter offscreen (which frame shows for which state, short and
// disabled bars, the grip), and list boxes whose native bars lie under
// overlays: found by WindowFromPoint, scrolled by every means exactly as a
// bare list box beside them, the thumb on the screen where the system has it.
#include "tests/win/skin_scroll_support.h"

#include "skin/controls/ScrollOverlay.h"
#include "skin/controls/SkinScrollbar.h"
#include "ui/Memo.h"
#include "ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using skincontroltest::kSkinFace;
using skincontroltest::TestHost;
using skinbuttontest::Surface;
using namespace skinscrolltest;

// ---- the painter

class ScrollPainterTest : public ::testing::Test {
protected:
    void SetUp() override { MakeScrollSkin(skin); }

    // The bar painted on a white surface; the pixel along its middle line at `along`.
    COLORREF At(int along)
    {
        Surface surface(look.Width + 4, look.Height + 4);
        EXPECT_TRUE(scrollface::PaintBar(surface.dc.get(), skin, look, scratch));
        return look.Vertical ? GetPixel(surface.dc.get(), look.Width / 2, along)
                             : GetPixel(surface.dc.get(), along, look.Height / 2);
    }

    TSkinData skin{nullptr};
    TBitmap scratch;
    const int a = ArrowSize();
    scrollface::TBarLook look{.Vertical = true, .Width = ArrowSize(), .Height = 200, .Arrow = ArrowSize(),
                              .ThumbStart = 60, .ThumbEnd = 120};
};

TEST_F(ScrollPainterTest, VerticalBarShowsArrowsTrackThumbAndGrip)
{
    EXPECT_TRUE(Near(At(a / 2), BarColour(9), 3));
    EXPECT_TRUE(Near(At(200 - a / 2), BarColour(13), 3));
    EXPECT_TRUE(Near(At(a + 5), VertTrackColour(1), 3));
    EXPECT_TRUE(Near(At(150), VertTrackColour(1), 3));
    EXPECT_TRUE(Near(At(61), VertThumbColour(1), 3));
    EXPECT_TRUE(Near(At(118), VertThumbColour(1), 3));
    EXPECT_TRUE(Near(At(90), BarColour(20), 3));
}

TEST_F(ScrollPainterTest, HorizontalBarUsesItsOwnFrames)
{
    look.Vertical = false;
    look.Width = 200;
    look.Height = a;
    EXPECT_TRUE(Near(At(a / 2), BarColour(1), 3));
    EXPECT_TRUE(Near(At(200 - a / 2), BarColour(5), 3));
    EXPECT_TRUE(Near(At(40), HorzTrackColour(1), 3));
    EXPECT_TRUE(Near(At(61), HorzThumbColour(1), 3));
    EXPECT_TRUE(Near(At(90), BarColour(17), 3));
}

TEST_F(ScrollPainterTest, HoverAndPressFramesOfArrowsAndThumb)
{
    struct Case {
        int part;
        bool pressed;
        int first, second, thumb, grip;
    };
    for (const Case c : {Case{spFirstArrow, false, 12, 13, 1, 20}, Case{spFirstArrow, true, 10, 13, 1, 20},
                         Case{spSecondArrow, false, 9, 16, 1, 20}, Case{spSecondArrow, true, 9, 14, 1, 20},
                         Case{spThumb, false, 9, 13, 3, 22}, Case{spThumb, true, 9, 13, 2, 21},
                         Case{spPageBefore, false, 9, 13, 1, 20}, Case{spPageAfter, true, 9, 13, 1, 20}}) {
        SCOPED_TRACE(testing::Message() << "part " << c.part << " pressed " << c.pressed);
        look.HotPart = c.part;
        look.Pressed = c.pressed;
        EXPECT_TRUE(Near(At(a / 2), BarColour(c.first), 3));
        EXPECT_TRUE(Near(At(200 - a / 2), BarColour(c.second), 3));
        EXPECT_TRUE(Near(At(61), VertThumbColour(c.thumb), 3));
        EXPECT_TRUE(Near(At(90), BarColour(c.grip), 3));
    }
}

TEST_F(ScrollPainterTest, DisabledShortAndGriplessBars)
{
    look.Enabled = false;
    EXPECT_TRUE(Near(At(90), VertTrackColour(3), 3)) << "no thumb on a disabled bar";
    EXPECT_TRUE(Near(At(61), VertTrackColour(3), 3));
    EXPECT_TRUE(Near(At(a / 2), BarColour(9), 3)) << "arrows keep their frames";

    look.Enabled = true;
    look.ThumbStart = 60;
    look.ThumbEnd = 60 + a - 3;
    EXPECT_TRUE(Near(At(60 + (a - 3) / 2), VertThumbColour(1), 3)) << "a grip longer than the thumb is left out";

    // Shorter than two arrows: each arrow gets half.
    look.Height = a;
    look.ThumbStart = look.ThumbEnd = 0;
    EXPECT_TRUE(Near(At(1), BarColour(9), 3));
    EXPECT_TRUE(Near(At(a / 2 - 1), BarColour(9), 3));
    EXPECT_TRUE(Near(At(a - a / 2 + 1), BarColour(13), 3));
}

TEST_F(ScrollPainterTest, StretchedControlBarAndMissingPicture)
{
    look.Width = 3 * a;
    look.Stretch = true;
    look.DestWidth = 3 * a;
    look.DestHeight = 200;
    {
        Surface surface(look.Width, look.Height);
        ASSERT_TRUE(scrollface::PaintBar(surface.dc.get(), skin, look, scratch));
        EXPECT_TRUE(Near(GetPixel(surface.dc.get(), 3 * a - 2, a / 2), BarColour(9), 3))
            << "drawn at the skin's thickness, stretched across";
    }
    skin.Scrollbar.reset();
    Surface surface(look.Width, look.Height);
    EXPECT_FALSE(scrollface::PaintBar(surface.dc.get(), skin, look, scratch));
    EXPECT_EQ(GetPixel(surface.dc.get(), 5, 5), RGB(255, 255, 255));
}

// ---- list boxes

class SkinListBoxScrollTest : public ScrollFormTest {
protected:
    SkinListBoxScrollTest() : ScrollFormTest(RECT{100, 100, 520, 420}) {}

    void SetUp() override
    {
        ScrollFormTest::SetUp();
        skinned = Place(20, 20);
        bare = Place(220, 20);
        skinner = new TSkinScrollbar(skinned);
        skinner->InitScrolled(*skinned, &host->Skin, host.get(), &host->Canvas);
        Flush(100);
    }

    TListBox* Place(int left, int top, int items = 60)
    {
        auto* list = new TListBox(form.get());
        list->SetBounds(left, top, 160, 200);
        list->SetParent(form.get());
        for (int i = 0; i < items; ++i)
            list->Items().Add("行 " + std::to_string(i));
        return list;
    }

    static int TopIndex(TListBox* list) { return static_cast<int>(SendMessageA(list->Handle(), LB_GETTOPINDEX, 0, 0)); }

    // The same point of each list's vertical bar, `along` pixels from its start.
    static POINT OnBar(TListBox* list, int along)
    {
        const RECT bar = BarOnScreen(list->Handle(), true);
        return POINT{(bar.left + bar.right) / 2, bar.top + along};
    }

    TListBox* skinned = nullptr;
    TListBox* bare = nullptr;
    TSkinScrollbar* skinner = nullptr;
};

TEST_F(SkinListBoxScrollTest, OverlayLiesOverTheVisibleBarWithTheSkinsPixels)
{
    const RECT bar = BarOnScreen(skinned->Handle(), true);
    ASSERT_GT(bar.bottom - bar.top, 3 * ArrowSize());
    EXPECT_EQ(WindowFromPoint(Centre(bar)), skinner->VertBar()->Handle());
    EXPECT_FALSE(IsWindowVisible(skinner->HorzBar()->Handle())) << "no horizontal bar, no overlay";
    EXPECT_TRUE(Near(ScreenPixel(Centre(bar).x, bar.top + ArrowSize() / 2), BarColour(9), 3));
    EXPECT_TRUE(Near(ScreenPixel(Centre(bar).x, bar.bottom - ArrowSize() / 2), BarColour(13), 3));
    ExpectThumbWhereTheSystemHasIt(skinned->Handle());
}

TEST_F(SkinListBoxScrollTest, MouseScrollsAsOnTheBareList)
{
    const int a = ArrowSize();
    const RECT bar = BarOnScreen(skinned->Handle(), true);
    const int length = bar.bottom - bar.top;
    struct Case {
        const char* what;
        std::vector<Step> (*gesture)(TListBox*, int, int);
    };
    const Case cases[] = {
        {"second arrow", [](TListBox* l, int a, int n) { return Click(OnBar(l, n - a / 2)); }},
        {"page after the thumb", [](TListBox* l, int, int n) { return Click(OnBar(l, n - 30)); }},
        {"first arrow", [](TListBox* l, int a, int) { return Click(OnBar(l, a / 2)); }},
        {"page before the thumb", [](TListBox* l, int a, int) { return Click(OnBar(l, a + 2)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Gesture(c.gesture(bare, a, length));
        Gesture(c.gesture(skinned, a, length));
        EXPECT_EQ(TopIndex(skinned), TopIndex(bare));
        ExpectThumbWhereTheSystemHasIt(skinned->Handle());
    }

    // The thumb dragged down by 60 pixels.
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetScrollBarInfo(skinned->Handle(), OBJID_VSCROLL, &info);
    const int grab = (info.xyThumbTop + info.xyThumbBottom) / 2;
    const POINT bareFrom = OnBar(bare, grab);
    const POINT skinFrom = OnBar(skinned, grab);
    Gesture(Drag(bareFrom, POINT{bareFrom.x, bareFrom.y + 60}));
    Gesture(Drag(skinFrom, POINT{skinFrom.x, skinFrom.y + 60}));
    EXPECT_GT(TopIndex(bare), 0);
    EXPECT_EQ(TopIndex(skinned), TopIndex(bare));
    ExpectThumbWhereTheSystemHasIt(skinned->Handle());
    EXPECT_FALSE(skinner->VertBar()->Pressed());
}

TEST_F(SkinListBoxScrollTest, WheelKeyboardCodeAndResizeMoveTheThumb)
{
    for (TListBox* list : {skinned, bare})
        list->SetFocus();
    const auto both = [&](UINT msg, WPARAM w, LPARAM l) {
        SendMessageA(bare->Handle(), msg, w, l);
        SendMessageA(skinned->Handle(), msg, w, l);
        Application->ProcessMessages();
    };
    both(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(TopIndex(skinned), TopIndex(bare));
    EXPECT_GT(TopIndex(skinned), 0);
    Flush(100);
    ExpectThumbWhereTheSystemHasIt(skinned->Handle());

    both(WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(TopIndex(skinned), TopIndex(bare));
    Flush(100);
    ExpectThumbWhereTheSystemHasIt(skinned->Handle());

    both(LB_SETTOPINDEX, 17, 0);
    EXPECT_EQ(TopIndex(skinned), 17);
    Flush(100);
    ExpectThumbWhereTheSystemHasIt(skinned->Handle());

    skinned->SetBounds(20, 20, 160, 120);
    Flush(100);
    const RECT bar = BarOnScreen(skinned->Handle(), true);
    RECT overlay{};
    GetWindowRect(skinner->VertBar()->Handle(), &overlay);
    EXPECT_TRUE(EqualRect(&overlay, &bar)) << "the overlay follows the shorter bar";
    ExpectThumbWhereTheSystemHasIt(skinned->Handle());
}

TEST_F(SkinListBoxScrollTest, GrowingListBringsTheOverlayUp)
{
    auto* list = Place(20, 230, 1);
    list->SetBounds(20, 230, 160, 60);
    auto* grown = new TSkinScrollbar(list);
    grown->InitScrolled(*list, &host->Skin, host.get(), &host->Canvas);
    Flush(100);
    EXPECT_FALSE(IsWindowVisible(grown->VertBar()->Handle()));
    for (int i = 0; i < 20 && !(GetWindowLongPtrA(list->Handle(), GWL_STYLE) & WS_VSCROLL); ++i)
        list->Items().Add("更多");
    ASSERT_TRUE(GetWindowLongPtrA(list->Handle(), GWL_STYLE) & WS_VSCROLL);
    Flush(100);
    const RECT bar = BarOnScreen(list->Handle(), true);
    EXPECT_TRUE(IsWindowVisible(grown->VertBar()->Handle()));
    EXPECT_EQ(WindowFromPoint(Centre(bar)), grown->VertBar()->Handle());
}

TEST_F(SkinListBoxScrollTest, CornerBetweenTwoBarsAndDisabledBar)
{
    auto* memo = new TMemo(form.get());
    memo->SetBounds(20, 230, 200, 70);
    memo->SetWordWrap(false);
    memo->SetScrollBars(ssBoth);
    memo->SetParent(form.get());
    for (int i = 0; i < 20; ++i)
        memo->Lines().Add(std::string(80, 'x'));
    auto* memoSkinner = new TSkinScrollbar(memo);
    memoSkinner->InitScrolled(*memo, &host->Skin, host.get(), &host->Canvas);
    Flush(100);
    const RECT memoVert = BarOnScreen(memo->Handle(), true);
    const RECT memoHorz = BarOnScreen(memo->Handle(), false);
    ASSERT_TRUE(memoSkinner->HorzBar()->Shown());
    ASSERT_TRUE(memoSkinner->VertBar()->Shown());
    EXPECT_EQ(WindowFromPoint(Centre(memoHorz)), memoSkinner->HorzBar()->Handle());
    EXPECT_EQ(WindowFromPoint(Centre(memoVert)), memoSkinner->VertBar()->Handle());
    RedrawWindow(memo->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    Flush(100);
    EXPECT_TRUE(Near(ScreenPixel((memoVert.left + memoVert.right) / 2, (memoHorz.top + memoHorz.bottom) / 2),
                     ui::ColorToRGB(kSkinFace), 3));

    const RECT vert = BarOnScreen(skinned->Handle(), true);
    EnableScrollBar(skinned->Handle(), SB_VERT, ESB_DISABLE_BOTH);
    // The system says nothing to the window; its next paint shows the bar disabled.
    RedrawWindow(skinned->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Flush(100);
    const POINT middle = Centre(vert);
    EXPECT_TRUE(Near(ScreenPixel(middle.x, vert.top + ArrowSize() + 2), VertTrackColour(3), 3));
    EXPECT_EQ(ThumbOnScreen(vert, true).start, -1) << "no thumb on a disabled bar";
    EXPECT_TRUE(Near(ScreenPixel(middle.x, vert.top + ArrowSize() / 2), BarColour(9), 3));
}

TEST_F(SkinListBoxScrollTest, HoverShowsTheArrowAndThumbFrames)
{
    const RECT bar = BarOnScreen(skinned->Handle(), true);
    const POINT arrow = OnBar(skinned, ArrowSize() / 2);
    Gesture({{arrow.x, arrow.y, 0, 80}});
    EXPECT_EQ(skinner->VertBar()->HotPart(), spFirstArrow);
    EXPECT_TRUE(Near(ScreenPixel(arrow.x, arrow.y), BarColour(12), 3));

    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetScrollBarInfo(skinned->Handle(), OBJID_VSCROLL, &info);
    const POINT thumb = OnBar(skinned, info.xyThumbTop + 1);
    Gesture({{thumb.x, thumb.y, 0, 80}});
    EXPECT_EQ(skinner->VertBar()->HotPart(), spThumb);
    EXPECT_TRUE(Near(ScreenPixel(thumb.x, thumb.y), VertThumbColour(3), 3));
    EXPECT_TRUE(Near(ScreenPixel(arrow.x, arrow.y), BarColour(9), 3));

    Gesture({{bar.left - 60, bar.top + 40, 0, 80}});
    EXPECT_EQ(skinner->VertBar()->HotPart(), spNone);
}


TEST_F(SkinListBoxScrollTest, OwnBorderRecreatedWindowAndUnskin)
{
    const auto windowPixel = [](HWND window, int x, int y) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
        Flush(100);
        RECT outer{};
        GetWindowRect(window, &outer);
        return ScreenPixel(outer.left + x, outer.top + y);
    };
    const COLORREF shadow = ui::ColorToRGB(host->Skin.ButtonShadowColour);
    const COLORREF face = ui::ColorToRGB(kSkinFace);
    EXPECT_TRUE(skinner->OwnBorder());
    EXPECT_TRUE(Near(windowPixel(skinned->Handle(), 40, 0), shadow, 3));
    EXPECT_TRUE(Near(windowPixel(skinned->Handle(), 40, 1), face, 3));

    auto* flat = Place(20, 230, 5);
    flat->SetBorderStyle(bsNone);
    auto* flatSkinner = new TSkinScrollbar(flat);
    flatSkinner->InitScrolled(*flat, &host->Skin, host.get(), &host->Canvas);
    auto* single = Place(220, 230, 5);
    auto* singleSkinner = new TSkinScrollbar(single);
    singleSkinner->SetSingleScrollbar();
    singleSkinner->InitScrolled(*single, &host->Skin, host.get(), &host->Canvas);
    EXPECT_FALSE(flatSkinner->OwnBorder());
    EXPECT_FALSE(singleSkinner->OwnBorder()) << "a single-scroll-bar control draws no border";
    EXPECT_FALSE(Near(windowPixel(single->Handle(), 40, 0), shadow, 3) &&
                 Near(windowPixel(single->Handle(), 40, 1), face, 3));

    // A new window for the control: the overlays follow it.
    SendMessageA(skinned->Handle(), LB_SETTOPINDEX, 10, 0);
    skinned->RecreateWnd();
    Flush(150);
    SendMessageA(skinned->Handle(), LB_SETTOPINDEX, 10, 0);
    Flush(100);
    const RECT bar = BarOnScreen(skinned->Handle(), true);
    ASSERT_NE(skinner->VertBar(), nullptr);
    EXPECT_EQ(skinner->VertBar()->Target(), skinned->Handle());
    EXPECT_EQ(WindowFromPoint(Centre(bar)), skinner->VertBar()->Handle());
    ExpectThumbWhereTheSystemHasIt(skinned->Handle());

    skinner->Unskin();
    EXPECT_EQ(skinner->VertBar(), nullptr);
    RedrawWindow(skinned->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    Flush(100);
    EXPECT_EQ(WindowFromPoint(Centre(bar)), skinned->Handle()) << "the native bar again";
}


// What reaches the list box's own handling below the skinner is what a bare
// list box gets for the same scrolling, paints aside (overlays change what
// is uncovered).
TEST_F(SkinListBoxScrollTest, ListBoxReceivesWhatABareOneDoes)
{
    const auto record = [](TListBox* list, std::vector<UINT>& seen) {
        return list->AddWindowProc([&seen](TMessage& message, const TWndNext& next) {
            switch (message.Msg) {
            case WM_PAINT:
            case WM_NCPAINT:
            case WM_ERASEBKGND:
            case WM_TIMER:
            case 0x0118: // the system's timer
                break;
            default:
                seen.push_back(message.Msg);
            }
            next(message);
        });
    };
    auto* list = Place(20, 230, 60);
    list->SetBounds(20, 230, 160, 60);
    std::vector<UINT> bareSeen;
    std::vector<UINT> skinnedSeen;
    const ui::HookToken bareToken = record(bare, bareSeen);
    const ui::HookToken skinnedToken = record(list, skinnedSeen);
    auto* listSkinner = new TSkinScrollbar(list);
    listSkinner->InitScrolled(*list, &host->Skin, host.get(), &host->Canvas);
    bare->SetBounds(220, 230, 160, 60);
    Flush(100);
    bareSeen.clear();
    skinnedSeen.clear();
    for (TListBox* target : {bare, list}) {
        SendMessageA(target->Handle(), LB_SETTOPINDEX, 12, 0);
        SendMessageA(target->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
        SendMessageA(target->Handle(), WM_KEYDOWN, VK_NEXT, 0);
        SendMessageA(target->Handle(), WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
        SendMessageA(target->Handle(), WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
        target->SetBounds(target->Left(), target->Top(), 160, 90);
        Flush(100);
    }
    EXPECT_EQ(skinnedSeen, bareSeen);
    EXPECT_EQ(TopIndex(list), TopIndex(bare));
    EXPECT_EQ(listSkinner->VertBar()->HotPart(), spNone) << "an end of scrolling highlights no part";
}

} // namespace
