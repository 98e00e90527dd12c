// Media players skinned from a test skin: the panel over the player shows
// only the visible buttons, sharing the width, each in the Buttons frame of
// its state (normal, pressed, disabled) with the glyph of that state from
// the program's resources; a press on a button reaches the player, whose
// OnClick names that button; the panel follows the player and goes with
// Unskin; plain buttons without the Buttons picture; handles over many paints.
#include "tests/win/skin_bars_support.h"

#include "skin/controls/SkinMediaPlayer.h"
#include "ui/MediaPlayer.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

using namespace skinbarstest;

constexpr COLORREF kOlive = RGB(128, 128, 0);

// The one colour of a glyph picture besides the olive background.
COLORREF InkOf(const char* name)
{
    TBitmap glyph;
    glyph.SetHandle(ui::UniqueBitmap(LoadBitmapA(GetModuleHandleA(nullptr), name)));
    const HDC dc = glyph.Canvas().Handle();
    for (int y = 0; y < glyph.Height(); ++y)
        for (int x = 0; x < glyph.Width(); ++x) {
            const COLORREF pixel = GetPixel(dc, x, y);
            if (pixel != kOlive)
                return pixel;
        }
    return kOlive;
}

// The commonest colour of area that is not one of the frames.
COLORREF GlyphInk(const Capture& screen, const RECT& area)
{
    std::map<COLORREF, int> counts;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF pixel = screen.At(x, y);
            bool frame = false;
            for (int i = 1; i <= 5; ++i)
                frame = frame || pixel == FrameColour(i);
            if (!frame)
                ++counts[pixel];
        }
    COLORREF best = CLR_INVALID;
    int most = 0;
    for (const auto& [colour, count] : counts)
        if (count > most) {
            best = colour;
            most = count;
        }
    return best;
}

class SkinMediaPlayerTest : public BarsTest {
protected:
    void SetUp() override
    {
        BarsTest::SetUp();
        MakeButtonSkin(host->Skin);
        player = Place<TMediaPlayer>(20, 40, 270, 30);
        player->SetColoredButtons(TButtonSet{});
        player->OnClick = TMPClickEvent([this](TObject*, TMPBtnType button, bool& doDefault) {
            clicks.push_back(button);
            doDefault = false; // no device is open
        });
        Flush();
    }
    TWMediaPlayer& Overlay()
    {
        skinner = Skin<TSkinMP>(*player);
        EXPECT_NE(skinner->Player(), nullptr);
        Redraw(skinner->Player()->Handle());
        return *skinner->Player();
    }
    static RECT Slot(int index, int count, int width = 270, int height = 30)
    {
        return RECT{width * index / count, 0, width * (index + 1) / count, height};
    }
    static POINT Middle(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
    static RECT GlyphArea(const RECT& slot)
    {
        const POINT m = Middle(slot);
        return RECT{m.x - 9, m.y - 8, m.x + 9, m.y + 8};
    }

    TMediaPlayer* player = nullptr;
    TSkinMP* skinner = nullptr;
    std::vector<TMPBtnType> clicks;
};

TEST_F(SkinMediaPlayerTest, GlyphResourcesAreThereInEveryState)
{
    const TPlayerGlyphs glyphs(GetModuleHandleA(nullptr));
    EXPECT_EQ(glyphs.Loaded(), 27);
    for (const char* name : {"EN_MPPLAY", "DI_MPPAUSE", "CL_MPEJECT", "CL_MPRECORD"}) {
        TBitmap glyph;
        glyph.SetHandle(ui::UniqueBitmap(LoadBitmapA(GetModuleHandleA(nullptr), name)));
        ASSERT_FALSE(glyph.Empty()) << name;
        EXPECT_LE(glyph.Width(), 16) << name;
        EXPECT_EQ(GetPixel(glyph.Canvas().Handle(), 0, 0), kOlive) << name << ": the corner is background";
    }
    EXPECT_NE(InkOf("EN_MPPLAY"), InkOf("DI_MPPLAY"));
    EXPECT_NE(InkOf("EN_MPPLAY"), InkOf("CL_MPPLAY"));
    EXPECT_NE(InkOf("CL_MPPLAY"), InkOf("CL_MPSTOP"));
}

TEST_F(SkinMediaPlayerTest, VisibleButtonsShareTheWidthInTheirFramesWithTheirGlyphs)
{
    TWMediaPlayer& overlay = Overlay();
    EXPECT_EQ(GetParent(overlay.Handle()), form->Handle());
    EXPECT_EQ(overlay.BoundsRect().left, 20);
    EXPECT_EQ(overlay.Width(), 270);
    EXPECT_EQ(overlay.Height(), 30);
    EXPECT_TRUE(IsWindowVisible(overlay.Handle()));
    POINT over{25, 45};
    ClientToScreen(form->Handle(), &over);
    EXPECT_EQ(WindowFromPoint(over), overlay.Handle()) << "the panel lies over the player";

    const Capture all(overlay.Handle());
    for (int i = 0; i < 9; ++i) {
        const RECT slot = Slot(i, 9);
        EXPECT_EQ(all.At(slot.left + 1, 1), FrameColour(1)) << i;
        EXPECT_EQ(all.At(slot.right - 2, 28), FrameColour(1)) << i;
        EXPECT_EQ(all.Count(slot, kOlive, 0), 0) << i << ": olive is keyed out";
        EXPECT_EQ(GlyphInk(all, GlyphArea(slot)), InkOf("EN_MPPLAY")) << i;
    }

    player->SetVisibleButtons(TButtonSet{btPlay, btStop, btEject});
    player->SetColoredButtons(TButtonSet{btStop});
    Redraw(overlay.Handle());
    const Capture three(overlay.Handle());
    for (int i = 0; i < 3; ++i) {
        const RECT slot = Slot(i, 3);
        EXPECT_EQ(three.At(slot.left + 1, 1), FrameColour(1)) << i;
        EXPECT_EQ(three.At(slot.right - 2, 1), FrameColour(1)) << i;
    }
    EXPECT_EQ(GlyphInk(three, GlyphArea(Slot(0, 3))), InkOf("EN_MPPLAY"));
    EXPECT_EQ(GlyphInk(three, GlyphArea(Slot(1, 3))), InkOf("CL_MPSTOP")) << "coloured";
    EXPECT_EQ(GlyphInk(three, GlyphArea(Slot(2, 3))), InkOf("EN_MPEJECT"));
}

TEST_F(SkinMediaPlayerTest, DisabledButtonsAndAPressedOne)
{
    TWMediaPlayer& overlay = Overlay();
    player->SetEnabledButtons(TButtonSet{btPlay, btStop});
    Redraw(overlay.Handle());
    const Capture screen(overlay.Handle());
    EXPECT_EQ(screen.At(Slot(0, 9).left + 1, 1), FrameColour(1));
    EXPECT_EQ(screen.At(Slot(1, 9).left + 1, 1), FrameColour(3)) << "pause is disabled";
    EXPECT_EQ(GlyphInk(screen, GlyphArea(Slot(1, 9))), InkOf("DI_MPPAUSE"));
    EXPECT_EQ(screen.At(Slot(2, 9).left + 1, 1), FrameColour(1));

    // A press on stop: pressed frame, the glyph one pixel lower-right.
    const POINT stop = Middle(Slot(2, 9));
    SendMessageA(overlay.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(stop.x, stop.y));
    EXPECT_EQ(overlay.Pressed(), static_cast<int>(btStop));
    Redraw(overlay.Handle());
    const Capture pressed(overlay.Handle());
    EXPECT_EQ(pressed.At(Slot(2, 9).left + 1, 1), FrameColour(2));
    EXPECT_EQ(pressed.At(Slot(1, 9).left + 1, 1), FrameColour(3));
    int moved = 0;
    const RECT area = GlyphArea(Slot(2, 9));
    for (int y = area.top; y < area.bottom - 1; ++y)
        for (int x = area.left; x < area.right - 1; ++x)
            moved += screen.At(x, y) != FrameColour(1) && pressed.At(x + 1, y + 1) == screen.At(x, y) ? 1 : 0;
    EXPECT_GT(moved, 20) << "the glyph moved by one pixel";
    SendMessageA(player->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(stop.x, stop.y));
    EXPECT_EQ(overlay.Pressed(), -1);
    EXPECT_EQ(clicks, (std::vector<TMPBtnType>{btStop}));
}

TEST_F(SkinMediaPlayerTest, APressOnAButtonReachesThePlayerAsAClickOfThatButton)
{
    player->SetVisibleButtons(TButtonSet{btPlay, btPause, btNext, btEject});
    TWMediaPlayer& overlay = Overlay();
    const auto click = [&](int slot) {
        POINT point = Middle(Slot(slot, 4));
        ClientToScreen(overlay.Handle(), &point);
        const HWND under = WindowFromPoint(point);
        ScreenToClient(under, &point);
        PostMessageA(under, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        PostMessageA(under, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        Flush(60);
    };
    click(0);
    click(2);
    click(3);
    EXPECT_EQ(clicks, (std::vector<TMPBtnType>{btPlay, btNext, btEject}));
    EXPECT_EQ(overlay.Pressed(), -1);
    // A press that leaves the button is no click, as on the bare player.
    const POINT pause = Middle(Slot(1, 4));
    PostMessageA(overlay.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pause.x, pause.y));
    Flush(30);
    PostMessageA(player->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pause.x, 200));
    PostMessageA(player->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(pause.x, 200));
    Flush(60);
    EXPECT_EQ(clicks.size(), 3u);
    EXPECT_EQ(overlay.Pressed(), -1);
    // A disabled button takes no click.
    player->SetEnabledButtons(TButtonSet{btPlay});
    click(2);
    EXPECT_EQ(clicks.size(), 3u);
}

TEST_F(SkinMediaPlayerTest, ThePlayerReceivesWhatItWouldReceiveBare)
{
    std::vector<msgseq::Entry> runs[2];
    std::vector<TMPBtnType> clicked[2];
    for (int skinned = 0; skinned < 2; ++skinned) {
        clicks.clear();
        if (skinned)
            Overlay();
        Flush(60);
        msgseq::Sequence sequence;
        {
            msgseq::Recorder recorder(sequence);
            recorder.AttachControl(*player, "player");
            for (const int slot : {0, 4, 8}) {
                POINT point = Middle(Slot(slot, 9));
                ClientToScreen(player->Handle(), &point);
                const HWND under = WindowFromPoint(point);
                ScreenToClient(under, &point);
                PostMessageA(under, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
                PostMessageA(under, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
                Flush(60);
            }
        }
        clicked[skinned] = clicks;
        // Hit tests go to the panel on top; painting is not the player's behaviour.
        for (const msgseq::Entry& entry : Behaviour(sequence.Entries())) {
            if (entry.message != WM_NCHITTEST && entry.message != WM_SETCURSOR)
                runs[skinned].push_back(entry);
        }
    }
    EXPECT_EQ(clicked[0], (std::vector<TMPBtnType>{btPlay, btPrev, btEject}));
    EXPECT_EQ(clicked[1], clicked[0]);
    EXPECT_FALSE(runs[0].empty());
    EXPECT_TRUE(msgseq::SameSequence(runs[0], runs[1], "three clicks"));
}

TEST_F(SkinMediaPlayerTest, ThePanelFollowsThePlayerAndGoesWithUnskin)
{
    TWMediaPlayer& overlay = Overlay();
    player->SetBounds(30, 100, 180, 26);
    Flush();
    EXPECT_EQ(overlay.Left(), 30);
    EXPECT_EQ(overlay.Top(), 100);
    EXPECT_EQ(overlay.Width(), 180);
    EXPECT_EQ(overlay.Height(), 26);
    player->SetVisible(false);
    Flush();
    EXPECT_FALSE(IsWindowVisible(overlay.Handle()));
    player->SetVisible(true);
    Flush();
    EXPECT_TRUE(IsWindowVisible(overlay.Handle()));

    const HWND window = overlay.Handle();
    skinner->Unskin();
    EXPECT_EQ(skinner->Player(), nullptr);
    EXPECT_FALSE(IsWindow(window));
    Redraw(player->Handle());
    const Capture plain(player->Handle());
    EXPECT_EQ(plain.Count(RECT{0, 0, 180, 26}, FrameColour(1), 0), 0) << "the player draws itself again";
}

TEST_F(SkinMediaPlayerTest, WithoutTheButtonsPictureTheButtonsArePlain)
{
    for (const bool empty : {false, true}) {
        if (empty) {
            host->Skin.ButtonsElement->Bitmap.SetSize(0, 0);
        } else {
            host->Skin.ButtonsElement->FrameCount = 1;
        }
        TWMediaPlayer& overlay = Overlay();
        const Capture screen(overlay.Handle());
        const RECT slot = Slot(0, 9);
        EXPECT_EQ(screen.Count(slot, FrameColour(1), 0), 0) << empty;
        EXPECT_GT(screen.Count(slot, GetSysColor(COLOR_BTNFACE), 0), 200) << empty << ": a system button";
        EXPECT_EQ(GlyphInk(screen, GlyphArea(slot)), GetSysColor(COLOR_BTNFACE)) << empty;
        EXPECT_GT(screen.Count(GlyphArea(slot), InkOf("EN_MPPLAY"), 0), 10) << empty << ": with its glyph";
        delete skinner;
    }
}

TEST_F(SkinMediaPlayerTest, WithoutSkinDataThePanelStillDrawsAndTakesClicks)
{
    auto* mp = new TSkinMP(player);
    mp->InitControl(host.get(), nullptr, false, &host->Canvas);
    ASSERT_NE(mp->Player(), nullptr);
    Redraw(mp->Player()->Handle());
    const Capture screen(mp->Player()->Handle());
    EXPECT_GT(screen.Count(Slot(0, 9), GetSysColor(COLOR_BTNFACE), 0), 200);
    const POINT play = Middle(Slot(0, 9));
    SendMessageA(mp->Player()->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(play.x, play.y));
    Flush(30);
    SendMessageA(player->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(play.x, play.y));
    EXPECT_EQ(clicks, (std::vector<TMPBtnType>{btPlay}));
}

TEST_F(SkinMediaPlayerTest, ManyPaintsLeaveNoHandles)
{
    // Three buttons, one in each glyph look, keep the run short.
    player->SetBounds(20, 40, 90, 30);
    player->SetVisibleButtons(TButtonSet{btPlay, btPause, btStop});
    player->SetEnabledButtons(TButtonSet{btPlay, btStop});
    player->SetColoredButtons(TButtonSet{btStop});
    TWMediaPlayer& overlay = Overlay();
    Surface surface(90, 30);
    const HWND window = overlay.Handle();
    SendMessageA(window, WM_PAINT, reinterpret_cast<WPARAM>(surface.dc.get()), 0);
    const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 70000; ++i)
        SendMessageA(window, WM_PAINT, reinterpret_cast<WPARAM>(surface.dc.get()), 0);
    EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi + 2);
    EXPECT_EQ(GetPixel(surface.dc.get(), 1, 1), FrameColour(1));
}

TEST_F(SkinMediaPlayerTest, SkinningAgainAndAgainLeavesNoHandles)
{
    const auto cycle = [&] {
        auto* mp = Skin<TSkinMP>(*player);
        EXPECT_EQ(mp->Player()->Glyphs().Loaded(), 27);
        delete mp;
    };
    cycle();
    const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 200; ++i)
        cycle();
    EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi + 2);
}

} // namespace
