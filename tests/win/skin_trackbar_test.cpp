// Track bars skinned from a test skin: channel and thumb from the Track,
// TRACKVERT and thumb pictures in both orientations, tick marks left to the
// system, plain drawing without the pictures, the same behaviour by drag,
// keys and wheel as a bare bar (and the same messages below the skinner),
// and handles over many paints.
#include "tests/win/skin_bars_support.h"

#include "skin/controls/SkinTrackBar.h"
#include "ui/TrackBar.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using namespace skinbarstest;

constexpr COLORREF kTrack = RGB(40, 160, 220);
constexpr COLORREF kTrackVert = RGB(160, 40, 220);
constexpr COLORREF kThumb = RGB(230, 120, 20);
constexpr COLORREF kThumbVert = RGB(20, 230, 120);
constexpr COLORREF kOtherFrame = RGB(90, 90, 90);

class SkinTrackBarTest : public BarsTest {
protected:
    void SetUp() override
    {
        BarsTest::SetUp();
        TSkinData& skin = host->Skin;
        skin.Track = Element("Track", 1, 20, 6, [](int) { return kTrack; });
        skin.Track->LeftWidth = skin.Track->RightWidth = 3;
        skin.TrackVert = Element("TRACKVERT", 1, 6, 20, [](int) { return kTrackVert; });
        skin.TrackVert->TopHeight = skin.TrackVert->BottomHeight = 3;
        skin.TrackbarThumbHorz =
            Element("Trackbar.ThumbHorz", 5, 10, 20, [](int i) { return i == 2 ? kThumb : kOtherFrame; });
        skin.TrackbarThumbVert =
            Element("Trackbar.ThumbVert", 5, 20, 10, [](int i) { return i == 2 ? kThumbVert : kOtherFrame; });
    }

    TTrackBar* Bar(int left, int top, bool vertical)
    {
        auto* bar = Place<TTrackBar>(left, top, 200, 45);
        if (vertical) {
            bar->SetOrientation(trVertical);
            bar->SetBounds(left, top, 45, 200);
        }
        bar->SetPosition(3);
        return bar;
    }
    static RECT Thumb(TTrackBar& bar)
    {
        RECT rect{};
        SendMessageA(bar.Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    static RECT Channel(TTrackBar& bar)
    {
        RECT rect{};
        SendMessageA(bar.Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    static POINT Centre(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }
};

TEST_F(SkinTrackBarTest, HorizontalChannelAndThumbComeFromTheSkinTicksFromTheSystem)
{
    auto* bare = Bar(10, 10, false);
    auto* bar = Bar(10, 70, false);
    Skin<TSkinTrackBar>(*bar);
    Redraw(bare->Handle());
    Redraw(bar->Handle());
    const Capture screen(bar->Handle());
    const Capture plain(bare->Handle());
    const RECT thumb = Thumb(*bar);
    const RECT channel = Channel(*bar);
    const POINT middle = Centre(thumb);
    EXPECT_TRUE(Near(screen.At(middle.x, middle.y), kThumb, 4));
    EXPECT_TRUE(Near(screen.At(thumb.left, thumb.top), kThumb, 4)) << "stretched over the whole thumb";
    EXPECT_TRUE(Near(screen.At(channel.right - 10, channel.top + 1), kTrack, 4));
    EXPECT_FALSE(Near(plain.At(channel.right - 10, channel.top + 1), kTrack, 4));
    // Below the thumb only the system's ticks.
    const RECT ticks{0, thumb.bottom + 1, screen.width, screen.height};
    EXPECT_EQ(Differences(screen, plain, ticks), 0);
    int tickPixels = 0;
    for (int x = 0; x < screen.width; ++x)
        for (int y = ticks.top; y < ticks.bottom; ++y)
            tickPixels += screen.At(x, y) != screen.At(0, ticks.top) ? 1 : 0;
    EXPECT_GT(tickPixels, 10) << "there are ticks to compare";
}

TEST_F(SkinTrackBarTest, VerticalBarsUseTheVerticalPictures)
{
    auto* bare = Bar(10, 10, true);
    auto* bar = Bar(100, 10, true);
    Skin<TSkinTrackBar>(*bar);
    Redraw(bare->Handle());
    Redraw(bar->Handle());
    const Capture screen(bar->Handle());
    const RECT thumb = Thumb(*bar);
    const POINT middle = Centre(thumb);
    EXPECT_TRUE(Near(screen.At(middle.x, middle.y), kThumbVert, 4));
    // The channel picture is 6 wide, centred across the channel, low on the bar (position 3 of 10).
    const RECT channel = Channel(*bar);
    const int x = (channel.left + channel.right) / 2;
    int onPicture = 0;
    for (int y = thumb.bottom + 5; y < thumb.bottom + 50; ++y)
        onPicture += Near(screen.At(x, y), kTrackVert, 4) ? 1 : 0;
    EXPECT_EQ(onPicture, 45);
    EXPECT_EQ(Differences(screen, Capture(bare->Handle()), RECT{thumb.right + 1, 0, screen.width, screen.height}), 0)
        << "ticks on the right are the system's";

    host->Skin.TrackbarThumbVert.reset();
    Redraw(bar->Handle());
    EXPECT_TRUE(Near(Capture(bar->Handle()).At(middle.x, middle.y), kThumb, 4)) << "the horizontal thumb stands in";
}

TEST_F(SkinTrackBarTest, WithoutThePicturesTheChannelIsTheSystemsAndTheThumbPlain)
{
    host->Skin.Track.reset();
    host->Skin.TrackVert = std::make_unique<TDataSkinObject>("TRACKVERT");
    host->Skin.TrackbarThumbHorz.reset();
    host->Skin.TrackbarThumbVert.reset();
    for (const bool vertical : {false, true}) {
        auto* bare = Bar(10, 10, vertical);
        auto* bar = Bar(vertical ? 100 : 10, vertical ? 10 : 70, vertical);
        Skin<TSkinTrackBar>(*bar);
        Redraw(bare->Handle());
        Redraw(bar->Handle());
        const Capture screen(bar->Handle());
        const RECT thumb = Thumb(*bar);
        RECT channel = Channel(*bar);
        if (vertical)
            channel = RECT{channel.top, channel.left, channel.bottom, channel.right};
        RECT away = channel;
        if (vertical)
            away.top = thumb.bottom + 2;
        else
            away.left = thumb.right + 2;
        EXPECT_EQ(Differences(screen, Capture(bare->Handle()), away), 0) << vertical;
        const POINT middle = Centre(thumb);
        EXPECT_EQ(screen.At(middle.x, middle.y), ui::ColorToRGB(kSkinFace)) << vertical;
        EXPECT_EQ(screen.At(thumb.left, thumb.top), GetSysColor(COLOR_BTNSHADOW)) << vertical;
        delete bare;
        delete bar;
    }
}

// A bar driven by drag, keys and wheel; what its own code sees below the skinner.
struct Drive {
    std::vector<int> positions;
    int changes = 0;
    std::vector<msgseq::Entry> entries;
};

Drive DriveBar(TTrackBar& bar, bool vertical)
{
    Drive drive;
    msgseq::Sequence sequence;
    bar.OnChange = TNotifyEvent([&](TObject*) { ++drive.changes; });
    const HWND window = bar.Handle();
    SetFocus(GetParent(window));
    msgseq::Flush();
    {
        msgseq::Recorder recorder(sequence);
        recorder.AttachControl(bar, "bar");
        RECT thumb{};
        SendMessageA(window, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        RECT channel{};
        SendMessageA(window, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
        const POINT start{(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
        POINT end = start;
        if (vertical)
            end.y = channel.top + (channel.bottom - channel.top) * 8 / 10;
        else
            end.x = channel.left + (channel.right - channel.left) * 8 / 10;
        PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
        PostMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((start.x + end.x) / 2, (start.y + end.y) / 2));
        PostMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(end.x, end.y));
        PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(end.x, end.y));
        msgseq::Flush();
        drive.positions.push_back(bar.Position());
        bar.SetFocus();
        msgseq::Flush();
        for (const WPARAM key : {static_cast<WPARAM>(VK_LEFT), static_cast<WPARAM>(VK_PRIOR),
                                 static_cast<WPARAM>(VK_HOME), static_cast<WPARAM>(VK_NEXT)}) {
            PostMessageA(window, WM_KEYDOWN, key, 1);
            PostMessageA(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
            msgseq::Flush();
            drive.positions.push_back(bar.Position());
        }
        RECT screen{};
        GetWindowRect(window, &screen);
        const LPARAM at = MAKELPARAM(screen.left + 5, screen.top + 5);
        SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), at);
        msgseq::Flush();
        drive.positions.push_back(bar.Position());
        SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), at);
        msgseq::Flush();
        drive.positions.push_back(bar.Position());
    }
    drive.entries = Behaviour(sequence.Entries());
    return drive;
}

TEST_F(SkinTrackBarTest, DragKeysAndWheelBehaveAsOnABareBar)
{
    for (const bool vertical : {false, true}) {
        auto* bare = Bar(10, 10, vertical);
        const Drive plain = DriveBar(*bare, vertical);
        delete bare;
        auto* bar = Bar(10, 10, vertical);
        Skin<TSkinTrackBar>(*bar);
        const Drive skinned = DriveBar(*bar, vertical);
        delete bar;
        // Dragged to 8 of 10, then Left, Page Up (2), Home, Page Down; the wheel as the bare bar takes it.
        ASSERT_EQ(plain.positions.size(), 7u);
        EXPECT_EQ(plain.positions[0], 8) << vertical;
        EXPECT_EQ(plain.positions[1], 7) << vertical;
        EXPECT_EQ(plain.positions[2], 5) << vertical;
        EXPECT_EQ(plain.positions[3], 0) << vertical;
        EXPECT_EQ(plain.positions[4], 2) << vertical;
        EXPECT_EQ(skinned.positions, plain.positions) << vertical;
        EXPECT_EQ(skinned.changes, plain.changes) << vertical;
        EXPECT_GT(plain.changes, 4) << vertical;
        EXPECT_TRUE(msgseq::SameSequence(plain.entries, skinned.entries, vertical ? "vertical" : "horizontal"));
    }
}

TEST_F(SkinTrackBarTest, ManyPaintsLeaveNoHandles)
{
    auto* bar = Bar(10, 10, false);
    Skin<TSkinTrackBar>(*bar);
    Redraw(bar->Handle());
    Surface surface(200, 45);
    const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 70000; ++i)
        SendMessageA(bar->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc.get()), PRF_CLIENT);
    EXPECT_TRUE(Near(GetPixel(surface.dc.get(), (Thumb(*bar).left + Thumb(*bar).right) / 2, Thumb(*bar).top + 3),
                     kThumb, 4))
        << "the printed bar is skinned";
    EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi + 2);
}

} // namespace
