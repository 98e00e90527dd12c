// The frame's size and arithmetic: the border kind a window's styles give,
// the metrics the edge skin's border pictures give, the client rectangle of
// WM_NCCALCSIZE, the window size for a client size, the dialog caption rule
// and the hit test.
#include "tests/win/frame_skin_support.h"

#include "skin/chrome/FrameGeometry.h"
#include "skin/chrome/FrameMetrics.h"

#include <gtest/gtest.h>

namespace {

using frametest::FrameSkinTest;

TEST(BorderKind, FollowsCaptionFrameAndDialogStyles)
{
    struct Case {
        DWORD style;
        DWORD exStyle;
        const char* className;
        TBorderKind kind;
    };
    const Case cases[] = {
        {WS_OVERLAPPEDWINDOW, 0, "TForm1", TBorderKind::Sizeable},
        {WS_CAPTION | WS_SYSMENU, 0, "TForm1", TBorderKind::Single},
        {WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, "TForm1", TBorderKind::Dialog},
        // A thick frame is sizeable before a modal frame style counts.
        {WS_CAPTION | WS_THICKFRAME | DS_MODALFRAME, 0, "TForm1", TBorderKind::Sizeable},
        // Either caption bit alone is no caption.
        {WS_POPUP | WS_BORDER | WS_THICKFRAME, 0, "TForm1", TBorderKind::None},
        {WS_POPUP | WS_DLGFRAME, 0, "TForm1", TBorderKind::None},
        {WS_POPUP, 0, "TForm1", TBorderKind::None},
        // The modal-frame extended style and the dialog classes always make a dialog frame.
        {WS_OVERLAPPEDWINDOW, WS_EX_DLGMODALFRAME, "TForm1", TBorderKind::Dialog},
        {WS_OVERLAPPEDWINDOW, 0, "#32770", TBorderKind::Dialog},
        {WS_CAPTION, 0, "TMessageForm", TBorderKind::Dialog},
        {WS_POPUP, 0, "#32770", TBorderKind::Dialog},
        // Class names compare exactly.
        {WS_OVERLAPPEDWINDOW, 0, "tmessageform", TBorderKind::Sizeable},
        {WS_OVERLAPPEDWINDOW, 0, "#327700", TBorderKind::Sizeable},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BorderKindOf(c.style, c.exStyle, c.className), c.kind)
            << std::hex << c.style << " " << c.exStyle << " " << c.className;
    EXPECT_TRUE(IsDialogClassName("#32770"));
    EXPECT_TRUE(IsDialogClassName("TMessageForm"));
    EXPECT_FALSE(IsDialogClassName("TForm1"));
}

TEST_F(FrameSkinTest, MetricsComeFromOneFrameOfEachBorderPicture)
{
    // Top 30 rows in 2 stacked frames, left 8 columns in 2 frames side by
    // side, right 8 columns in one frame, and no bottom picture at all.
    const TFrameMetrics edge{.borderLeft = 4, .titleHeight = 15, .borderRight = 8, .borderBottom = 0};
    EXPECT_EQ(SkinFrameMetrics(*skin, TBorderKind::Sizeable), edge);
    EXPECT_EQ(SkinFrameMetrics(*skin, TBorderKind::Single), edge);
    EXPECT_EQ(SkinFrameMetrics(*skin, TBorderKind::Dialog), edge);
    EXPECT_EQ(SkinFrameMetrics(*skin, TBorderKind::None), TFrameMetrics{});
}

TEST_F(FrameSkinTest, MetricsFollowFrameCountsOfAVariantSkin)
{
    // The left picture (8 x 60) as the bottom border in 3 stacked frames, the right one in 4.
    ASSERT_TRUE(skintest::LoadSkinBytes(*skin, frametest::EdgeSkinWith([](std::string ini) {
        const std::string personality = "[Personality]\n";
        ini.insert(ini.find(personality) + personality.size(), "Bottom=left.bmp\nBottomFrame=3\nRightFrame=4\n");
        return ini;
    })));
    const TFrameMetrics variant{.borderLeft = 4, .titleHeight = 15, .borderRight = 2, .borderBottom = 20};
    EXPECT_EQ(SkinFrameMetrics(*skin, TBorderKind::Single), variant);
}

TEST_F(FrameSkinTest, MetricsOfMissingPicturesAreZero)
{
    ASSERT_TRUE(skintest::LoadSkinBytes(*skin, frametest::EdgeSkinWith([](std::string ini) {
        return skintest::WithoutLines(skintest::WithoutLines(ini, "Top=top.bmp"), "Left=left.bmp");
    })));
    const TFrameMetrics sidesOnly{.borderLeft = 0, .titleHeight = 0, .borderRight = 8, .borderBottom = 0};
    EXPECT_EQ(SkinFrameMetrics(*skin, TBorderKind::Sizeable), sidesOnly);
    // A frame count of 0 counts as one frame.
    skin->BorderRight->FrameCount = 0;
    EXPECT_EQ(SkinFrameMetrics(*skin, TBorderKind::Sizeable).borderRight, 8);
}

TEST(FrameGeometry, ClientRectangleLiesInsideTheSkinnedFrame)
{
    const TFrameMetrics m{.borderLeft = 4, .titleHeight = 15, .borderRight = 8, .borderBottom = 6};
    WINDOWPOS pos{};
    pos.x = 100;
    pos.y = 50;
    pos.cx = 533;
    pos.cy = 352;
    const RECT client = ClientRectFromWindowPos(pos, m, 0);
    EXPECT_EQ(client.left, 104);
    EXPECT_EQ(client.top, 65);
    EXPECT_EQ(client.right, 625);
    EXPECT_EQ(client.bottom, 396);
    // A menu bar lies between the title bar and the client area.
    const RECT withMenu = ClientRectFromWindowPos(pos, m, 19);
    EXPECT_EQ(withMenu.top, 84);
    EXPECT_EQ(withMenu.bottom, 396);
}

TEST(FrameGeometry, ResizingForAClientSizeGivesThatClientSizeBack)
{
    const TFrameMetrics m{.borderLeft = 4, .titleHeight = 15, .borderRight = 8, .borderBottom = 6};
    for (const int menu : {0, 19}) {
        const SIZE window = SkinnedWindowSize({521, 331}, m, menu);
        EXPECT_EQ(window.cx, 533);
        EXPECT_EQ(window.cy, menu == 0 ? 352 : 371);
        WINDOWPOS pos{};
        pos.x = -7;
        pos.y = 3;
        pos.cx = window.cx;
        pos.cy = window.cy;
        const RECT client = ClientRectFromWindowPos(pos, m, menu);
        EXPECT_EQ(client.right - client.left, 521);
        EXPECT_EQ(client.bottom - client.top, 331);
    }
    // Giving the frame back to the system keeps the client area: the system
    // frame measured 16 x 39 around it.
    const SIZE restored = UnskinnedWindowSize({533, 352}, {16, 39}, m);
    EXPECT_EQ(restored.cx, 537);
    EXPECT_EQ(restored.cy, 370);
}

TEST(FrameGeometry, DialogsWidenForTheirCaptionAndCentreTheirChildren)
{
    TDataSkinTitle title("Title");
    title.LeftWidth = 5;   // text shift
    title.RightWidth = 60; // right clip
    const TCaptionWidening fits = WidenForCaption(200, 135, title);
    EXPECT_EQ(fits.width, 200);
    EXPECT_EQ(fits.childShift, 0);
    const TCaptionWidening wider = WidenForCaption(200, 180, title);
    EXPECT_EQ(wider.width, 245);
    EXPECT_EQ(wider.childShift, 22);
}

TEST(FrameGeometry, WindowCoordinatesAndHitTest)
{
    const TFrameMetrics m{.borderLeft = 4, .titleHeight = 15, .borderRight = 8, .borderBottom = 6};
    const POINT p = WindowPointFromClient({10, 5}, m, 19);
    EXPECT_EQ(p.x, 14);
    EXPECT_EQ(p.y, 39);

    // What the window's own procedure knows stands.
    EXPECT_EQ(FrameHitTest(HTCLIENT, {50, 50}, 15, 0), HTCLIENT);
    EXPECT_EQ(FrameHitTest(HTLEFT, {1, 50}, 15, 0), HTLEFT);
    EXPECT_EQ(FrameHitTest(HTCLOSE, {50, 2}, 15, 0), HTCLOSE);
    // The top three rows stay what they were.
    EXPECT_EQ(FrameHitTest(HTNOWHERE, {50, 3}, 15, 0), HTNOWHERE);
    EXPECT_EQ(FrameHitTest(HTCAPTION, {50, 2}, 15, 0), HTCAPTION);
    EXPECT_EQ(FrameHitTest(HTNOWHERE, {50, 4}, 15, 0), HTCAPTION);
    EXPECT_EQ(FrameHitTest(HTNOWHERE, {50, 15}, 15, 19), HTCAPTION);
    EXPECT_EQ(FrameHitTest(HTNOWHERE, {50, 16}, 15, 19), HTMENU);
    EXPECT_EQ(FrameHitTest(HTCAPTION, {50, 30}, 15, 19), HTMENU);
    EXPECT_EQ(FrameHitTest(HTNOWHERE, {50, 16}, 15, 0), HTCAPTION);
}

} // namespace
