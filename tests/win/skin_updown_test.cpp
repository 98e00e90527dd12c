// Up-down controls skinned from a test skin: the frame of each half for
// normal, hot, pressed and disabled, glyphs over them, both layouts, the
// 3 pixels kept clear inside an edit, plain halves without the elements,
// click, hold and keys as on a bare up-down (and the same messages below
// the skinner), and handles over many paints.
#include "tests/win/skin_bars_support.h"

#include "skin/controls/SkinUpDown.h"
#include "ui/StdCtrls.h"
#include "ui/UpDown.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace skinbarstest;

COLORREF HalfColour(int frame) { return RGB(25 * frame, 210 - 22 * frame, 40 + 24 * frame); }
COLORREF GlyphColour(int frame) { return RGB(255, 250 - 12 * frame, 12 * frame); }
COLORREF HorzColour(int frame) { return RGB(240 - 25 * frame, 20 + 12 * frame, 200); }

bool NearAnyHalf(COLORREF pixel)
{
    for (int frame = 1; frame <= 8; ++frame)
        if (Near(pixel, HalfColour(frame), 6) || Near(pixel, GlyphColour(frame), 6))
            return true;
    return false;
}

class SkinUpDownTest : public BarsTest {
protected:
    void SetUp() override
    {
        BarsTest::SetUp();
        host->Skin.UpDownVert = BorderElement("UpDown.Vert", 8, 10, 10, HalfColour);
        PaintCells(host->Skin.UpDownVert->Bitmap2, 8, 4, 3, GlyphColour);
        host->Skin.UpDownHorz = BorderElement("UpDown.Horz", 8, 10, 10, HorzColour);
    }

    // An edit with an up-down docked beside it, 30 pixels high.
    TUpDown* Spin(TEdit*& edit)
    {
        edit = Place<TEdit>(40, 40, 80, 30);
        auto* spin = Place<TUpDown>(120, 40, 17, 30);
        spin->SetAssociate(edit);
        spin->SetPosition(5);
        return spin;
    }
    static COLORREF Offscreen(TSkinControl& skinner, TWinControl& control, int x, int y)
    {
        Surface surface(control.Width(), control.Height());
        skinner.PaintControl(surface.dc.get(), RECT{0, 0, control.Width(), control.Height()});
        return GetPixel(surface.dc.get(), x, y);
    }
    static COLORREF Screen(TWinControl& control, int x, int y)
    {
        Flush(100);
        return Capture(control.Handle()).At(x, y);
    }
    // The pointer over (x, y) of the control, as the user would move it there.
    static void PointAt(TWinControl& control, int x, int y)
    {
        POINT point{x, y};
        ClientToScreen(control.Handle(), &point);
        SetCursorPos(point.x, point.y);
        SendMessageA(control.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        Flush(60);
    }
};

TEST_F(SkinUpDownTest, HalvesShowTheirFramesWithGlyphsCentred)
{
    TEdit* edit = nullptr;
    auto* spin = Spin(edit);
    auto* skinner = Skin<TSkinUpDown>(*spin);
    const int width = spin->Width();
    EXPECT_FALSE(skinner->InEdit());
    // Halves 15 high; the 4 x 3 glyph centred in each.
    EXPECT_TRUE(Near(Offscreen(*skinner, *spin, 1, 1), HalfColour(1), 4));
    EXPECT_TRUE(Near(Offscreen(*skinner, *spin, 1, 28), HalfColour(5), 4));
    EXPECT_TRUE(Near(Offscreen(*skinner, *spin, (width - 4) / 2 + 1, 7), GlyphColour(1), 4));
    EXPECT_TRUE(Near(Offscreen(*skinner, *spin, (width - 4) / 2 + 1, 15 + 7), GlyphColour(5), 4));

    spin->SetEnabled(false);
    EXPECT_TRUE(Near(Offscreen(*skinner, *spin, 1, 1), HalfColour(3), 4));
    EXPECT_TRUE(Near(Offscreen(*skinner, *spin, 1, 28), HalfColour(7), 4));
    EXPECT_TRUE(Near(Offscreen(*skinner, *spin, (width - 4) / 2 + 1, 7), GlyphColour(3), 4));
}

TEST_F(SkinUpDownTest, TheHalfUnderThePointerIsHotAndPressed)
{
    TEdit* edit = nullptr;
    auto* spin = Spin(edit);
    // The edit's border overlaps the up-down's left columns: look further in.
    Skin<TSkinUpDown>(*spin);
    Redraw(spin->Handle());
    PointAt(*spin, 8, 5);
    EXPECT_TRUE(Near(Screen(*spin, 8, 1), HalfColour(4), 4)) << "hot";
    EXPECT_TRUE(Near(Screen(*spin, 8, 28), HalfColour(5), 4)) << "the other half stays normal";
    PostMessageA(spin->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 5));
    Flush(60);
    EXPECT_TRUE(Near(Screen(*spin, 8, 1), HalfColour(2), 4)) << "pressed";
    PostMessageA(spin->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(8, 5));
    Flush(60);
    EXPECT_TRUE(Near(Screen(*spin, 8, 1), HalfColour(4), 4)) << "hot again";
    PointAt(*spin, 8, 24);
    EXPECT_TRUE(Near(Screen(*spin, 8, 1), HalfColour(1), 4));
    EXPECT_TRUE(Near(Screen(*spin, 8, 28), HalfColour(8), 4)) << "the lower half lit";
    SetCursorPos(0, 0);
    SendMessageA(spin->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(Near(Screen(*spin, 8, 28), HalfColour(5), 4)) << "left";
}

TEST_F(SkinUpDownTest, HorizontalLayoutFromTheStyleOrTheSwitch)
{
    auto* spin = Place<TUpDown>(40, 40, 34, 17);
    spin->SetOrientation(udHorizontal);
    spin->SetBounds(40, 40, 34, 17);
    auto* skinner = Skin<TSkinUpDown>(*spin);
    EXPECT_TRUE(Near(Offscreen(*skinner, *spin, 2, 8), HorzColour(1), 4));
    EXPECT_TRUE(Near(Offscreen(*skinner, *spin, 31, 8), HorzColour(5), 4));

    auto* upright = Place<TUpDown>(100, 40, 34, 17);
    auto* forced = Skin<TSkinUpDown>(*upright);
    EXPECT_TRUE(Near(Offscreen(*forced, *upright, 31, 2), HalfColour(1), 4)) << "vertical by its style";
    forced->SetHorizontal(1);
    EXPECT_TRUE(Near(Offscreen(*forced, *upright, 31, 2), HorzColour(5), 4));
}

TEST_F(SkinUpDownTest, InsideAnEditThreePixelsStayClear)
{
    const HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "12", WS_CHILD | WS_VISIBLE, 40, 100, 120, 26,
                                      form->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    RECT client{};
    GetClientRect(edit, &client);
    const HWND spin = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, client.right - 16, 0, 16,
                                      client.bottom, edit, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(spin, nullptr);
    {
        TSkinUpDown skinner(nullptr);
        skinner.InitHandle(spin, &host->Skin, host.get(), &host->Canvas);
        EXPECT_TRUE(skinner.InEdit());
        Redraw(edit);
        const Capture screen(edit);
        int lit = 0;
        for (int y = 0; y < screen.height; ++y)
            for (int x = 0; x < screen.width; ++x) {
                const bool half = NearAnyHalf(screen.At(x, y));
                lit += half ? 1 : 0;
                if (half) {
                    EXPECT_GE(y, 3);
                    EXPECT_LT(y, screen.height - 3);
                    ASSERT_LT(x, screen.width - 3);
                }
            }
        EXPECT_GT(lit, 100);
        const Capture own(spin);
        EXPECT_EQ(own.At(0, 0), RGB(255, 255, 255)) << "the freed edge is the edit's white";
    }
    DestroyWindow(edit);
}

TEST_F(SkinUpDownTest, WithoutTheElementsHalvesArePlain)
{
    TEdit* edit = nullptr;
    auto* spin = Spin(edit);
    auto* skinner = Skin<TSkinUpDown>(*spin);
    const COLORREF face = ui::ColorToRGB(kSkinFace);
    const COLORREF dark = ui::ColorToRGB(host->Skin.ButtonDkShadowColour);
    for (const bool empty : {false, true}) {
        if (empty)
            host->Skin.UpDownVert = std::make_unique<TDataSkinBorder>("UpDown.Vert");
        else
            host->Skin.UpDownVert.reset();
        EXPECT_EQ(Offscreen(*skinner, *spin, 2, 2), face) << empty;
        EXPECT_EQ(Offscreen(*skinner, *spin, 0, 0), dark) << empty;
        EXPECT_EQ(Offscreen(*skinner, *spin, 0, 29), dark) << empty;
        // An arrow in each half.
        Surface surface(17, 30);
        skinner->PaintControl(surface.dc.get(), RECT{0, 0, 17, 30});
        EXPECT_GT(CountNear(surface.dc.get(), RECT{2, 2, 15, 13}, dark, 0), 3) << empty;
        EXPECT_GT(CountNear(surface.dc.get(), RECT{2, 17, 15, 28}, dark, 0), 3) << empty;
        Redraw(spin->Handle());
        EXPECT_EQ(Screen(*spin, 2, 2), face) << empty;
    }
}

struct Drive {
    std::vector<int> positions;
    std::vector<TUDBtnType> clicks;
    int held = 0; // steps while held down
    std::vector<msgseq::Entry> entries;
};

void Click(HWND window, int y)
{
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, y));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(8, y));
    msgseq::Flush();
}

Drive DriveSpin(TUpDown& spin, TEdit& edit)
{
    Drive drive;
    spin.OnClick = TUDClickEvent([&](TObject*, TUDBtnType button) { drive.clicks.push_back(button); });
    const HWND window = spin.Handle();
    SetFocus(GetParent(window));
    msgseq::Flush();
    msgseq::Sequence sequence;
    sequence.SetOptional(WM_TIMER);
    {
        msgseq::Recorder recorder(sequence);
        recorder.AttachControl(spin, "spin");
        Click(window, 5);
        drive.positions.push_back(spin.Position());
        Click(window, 24);
        Click(window, 24);
        drive.positions.push_back(spin.Position());
        edit.SetFocus();
        msgseq::Flush();
        for (const WPARAM key : {static_cast<WPARAM>(VK_UP), static_cast<WPARAM>(VK_UP), static_cast<WPARAM>(VK_DOWN)}) {
            PostMessageA(edit.Handle(), WM_KEYDOWN, key, 1);
            PostMessageA(edit.Handle(), WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
            msgseq::Flush();
        }
        drive.positions.push_back(spin.Position());
    }
    drive.entries = Behaviour(sequence.Entries());
    // Held down: the control repeats on its own.
    POINT over{8, 5};
    ClientToScreen(window, &over);
    SetCursorPos(over.x, over.y);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 5));
    msgseq::Flush();
    const std::size_t before = drive.clicks.size();
    Flush(1500);
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(8, 5));
    msgseq::Flush();
    drive.positions.push_back(spin.Position());
    drive.held = static_cast<int>(drive.clicks.size() - before);
    SetCursorPos(0, 0);
    return drive;
}

TEST_F(SkinUpDownTest, ClickHoldAndKeysBehaveAsOnABareUpDown)
{
    Drive runs[2];
    for (int skinned = 0; skinned < 2; ++skinned) {
        TEdit* edit = nullptr;
        auto* spin = Spin(edit);
        if (skinned)
            Skin<TSkinUpDown>(*spin);
        runs[skinned] = DriveSpin(*spin, *edit);
        delete spin;
        delete edit;
    }
    const Drive& plain = runs[0];
    const Drive& skinned = runs[1];
    // From 5: up, down twice, then the keys up, up, down.
    ASSERT_EQ(plain.positions.size(), 4u);
    EXPECT_EQ(plain.positions[0], 6);
    EXPECT_EQ(plain.positions[1], 4);
    EXPECT_EQ(plain.positions[2], 5);
    EXPECT_GT(plain.held, 3) << "held, it repeats";
    EXPECT_EQ((std::vector<TUDBtnType>(plain.clicks.begin(), plain.clicks.begin() + 3)),
              (std::vector<TUDBtnType>{ubNext, ubPrev, ubPrev}));
    EXPECT_EQ(std::vector<int>(skinned.positions.begin(), skinned.positions.begin() + 3),
              std::vector<int>(plain.positions.begin(), plain.positions.begin() + 3));
    EXPECT_GT(skinned.held, 3) << "held, it repeats";
    EXPECT_EQ(skinned.positions[3], plain.positions[3]);
    EXPECT_EQ(std::vector<TUDBtnType>(skinned.clicks.begin(), skinned.clicks.begin() + 6),
              std::vector<TUDBtnType>(plain.clicks.begin(), plain.clicks.begin() + 6));
    EXPECT_TRUE(msgseq::SameSequence(plain.entries, skinned.entries, "click and keys"));
}

TEST_F(SkinUpDownTest, ManyPaintsLeaveNoHandles)
{
    TEdit* edit = nullptr;
    auto* spin = Spin(edit);
    auto* skinner = Skin<TSkinUpDown>(*spin);
    Surface surface(17, 30);
    skinner->PaintFrame(surface.dc.get());
    const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 70000; ++i)
        skinner->PaintFrame(surface.dc.get());
    EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi + 2);
    host->Skin.UpDownVert.reset();
    const ui::HandleSnapshot plain = ui::HandleSnapshot::Take();
    for (int i = 0; i < 5000; ++i)
        skinner->PaintFrame(surface.dc.get());
    EXPECT_EQ(ui::HandleSnapshot::Take(), plain);
}

} // namespace
