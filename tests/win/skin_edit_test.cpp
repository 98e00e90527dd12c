// Edits and other bordered controls skinned: the border they show (sunken,
// flat, a memo with its scroll bar, none at all), the border printed into a
// foreign DC, painting on request, an up-down inside an edit, typing,
// selecting and Enter as without skinning, and handles over many paints.
#include "tests/win/MessageSequence.h"
#include "tests/win/skin_box_support.h"

#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/model/SkinMessages.h"
#include "ui/DcGuards.h"
#include "ui/Memo.h"
#include "ui/StdCtrls.h"
#include "ui/UpDown.h"
#include "ui/WndProcThunk.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace skinboxtest;
using skinbuttontest::CountLeaning;
using skinbuttontest::Surface;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr TColor kEditColour = static_cast<TColor>(RGB(255, 240, 160));

// The pixel `ring` pixels in from each side's middle of a width x height window.
std::vector<COLORREF> Ring(HWND window, int ring, int width, int height)
{
    const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(window);
    return {GetPixel(dc.get(), width / 2, ring), GetPixel(dc.get(), ring, height / 2),
            GetPixel(dc.get(), width - 1 - ring, height / 2), GetPixel(dc.get(), width / 2, height - 1 - ring)};
}

std::vector<COLORREF> All(COLORREF colour) { return std::vector<COLORREF>(4, colour); }

class SkinEditTest : public BoxFixture {};

TEST_F(SkinEditTest, BorderedControlsShowOneShadowLineAndTwoWhiteOnes)
{
    auto* sunken = Place<TEdit>(20, 20, 120, 20);
    sunken->SetText("北京");
    sunken->SetColor(kEditColour);
    auto* memo = Place<TMemo>(160, 20, 160, 80);
    memo->SetScrollBars(ssVertical);
    memo->SetColor(kEditColour);
    memo->Lines().Add("第一行");
    Redraw(sunken->Handle());
    ASSERT_NE(Ring(sunken->Handle(), 1, 120, 20), All(kWhite)) << "the system's own sunken edge";

    for (TWinControl* control : std::vector<TWinControl*>{sunken, memo}) {
        Skin<TSkinEdit>(*control);
        Redraw(control->Handle());
        const int width = control->Width();
        const int height = control->Height();
        EXPECT_EQ(Ring(control->Handle(), 0, width, height), All(kShadow)) << control->ClassType().Name;
        EXPECT_EQ(Ring(control->Handle(), 1, width, height), All(kWhite));
        EXPECT_EQ(Ring(control->Handle(), 2, width, height), All(kWhite));
    }
    EXPECT_EQ(Ring(memo->Handle(), 3, 160, 80)[0], static_cast<COLORREF>(kEditColour)) << "the memo's own inside";

    // Focus and typing repaint the edit and its frame; the border stays.
    sunken->SetFocus();
    PostMessageA(sunken->Handle(), WM_CHAR, 'a', 1);
    Flush(100);
    EXPECT_EQ(Ring(sunken->Handle(), 0, 120, 20), All(kShadow));
    EXPECT_EQ(Ring(sunken->Handle(), 1, 120, 20), All(kWhite));
    SetWindowPos(sunken->Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Flush(100);
    EXPECT_EQ(Ring(sunken->Handle(), 0, 120, 20), All(kShadow)) << "after the system drew its frame again";
}

TEST_F(SkinEditTest, WithoutSkinDataTheBorderTakesTheSystemsShadow)
{
    auto* edit = Place<TEdit>(20, 20, 120, 20);
    auto* skinner = new TSkinEdit(edit);
    skinner->InitControl(nullptr, nullptr, false, nullptr);
    Redraw(edit->Handle());
    EXPECT_EQ(Ring(edit->Handle(), 0, 120, 20), All(GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_EQ(Ring(edit->Handle(), 1, 120, 20), All(kWhite));
}

TEST_F(SkinEditTest, ControlsWithoutABorderAreLeftAlone)
{
    auto* edit = Place<TEdit>(20, 20, 120, 20);
    edit->SetBorderStyle(bsNone);
    edit->SetText("北京");
    // Scroll bar, no border: the client area is as high as the window.
    const ui::UniqueWindow scrolled(CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE,
                                                    20, 60, 120, 60, form->Handle(), nullptr,
                                                    GetModuleHandleA(nullptr), nullptr));
    Redraw(edit->Handle());
    Redraw(scrolled.get());
    const std::vector<COLORREF> bare = Shot(edit->Handle());
    const std::vector<COLORREF> bareScrolled = Shot(scrolled.get());
    Skin<TSkinEdit>(*edit);
    auto* skinner = new TSkinEdit(form.get());
    skinner->InitHandle(scrolled.get(), &host->Skin, host.get(), &host->Canvas);
    Redraw(edit->Handle());
    Redraw(scrolled.get());
    EXPECT_EQ(Shot(edit->Handle()), bare);
    EXPECT_EQ(Shot(scrolled.get()), bareScrolled);
    delete skinner;
}

TEST_F(SkinEditTest, PrintingDrawsTheDCsBrushInsideTheShadow)
{
    constexpr COLORREF kBrush = RGB(200, 30, 30);
    auto* edit = Place<TEdit>(20, 20, 120, 22);
    // A one-pixel border, drawn by the system around the client area.
    const ui::UniqueWindow thin(CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 20, 60, 120, 22,
                                                form->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr));
    Skin<TSkinEdit>(*edit);
    auto* thinSkinner = new TSkinEdit(form.get());
    thinSkinner->InitHandle(thin.get(), &host->Skin, host.get(), &host->Canvas);
    const auto print = [&](HWND target, int x, int y) {
        Surface surface(120, 22);
        const ui::UniqueBrush brush(CreateSolidBrush(kBrush));
        const ui::ScopedSelect selected(surface.dc.get(), brush.get());
        SendMessageA(target, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc.get()), PRF_CLIENT);
        return GetPixel(surface.dc.get(), x, y);
    };
    EXPECT_EQ(print(edit->Handle(), 60, 0), kShadow);
    EXPECT_EQ(print(edit->Handle(), 0, 11), kShadow);
    EXPECT_EQ(print(edit->Handle(), 60, 1), kBrush);
    EXPECT_EQ(print(edit->Handle(), 118, 11), kBrush);
    // One pixel of border each side is too thin for a printed one.
    EXPECT_NE(print(thin.get(), 60, 0), kShadow);
    EXPECT_NE(print(thin.get(), 60, 1), kBrush);
    delete thinSkinner;
}

TEST_F(SkinEditTest, PaintRequestDrawsTheEditIntoTheGivenDC)
{
    auto* edit = Place<TEdit>(20, 20, 120, 22);
    msgseq::Sequence sequence;
    msgseq::Recorder recorder(sequence);
    // Below the skinner: what the edit itself receives.
    recorder.AttachControl(*edit, "edit");
    Skin<TSkinEdit>(*edit);
    Flush(100);
    sequence.Clear();
    Surface surface(120, 22);
    const auto paintsInto = [&](HDC dc) {
        return std::count_if(sequence.Entries().begin(), sequence.Entries().end(), [&](const msgseq::Entry& entry) {
            return entry.message == WM_PAINT && entry.wParam == reinterpret_cast<WPARAM>(dc);
        });
    };
    EXPECT_EQ(SendMessageA(edit->Handle(), SKM_EDITPAINT, 0, SkinExtKey), SkinExtKey);
    EXPECT_EQ(paintsInto(nullptr), 0) << "no DC, no paint";
    EXPECT_EQ(SendMessageA(edit->Handle(), SKM_EDITPAINT, reinterpret_cast<WPARAM>(surface.dc.get()), SkinExtKey),
              SkinExtKey);
    EXPECT_EQ(paintsInto(surface.dc.get()), 1);
    EXPECT_NE(SendMessageA(edit->Handle(), SKM_EDITPAINT, reinterpret_cast<WPARAM>(surface.dc.get()), 1), SkinExtKey)
        << "only with the key";
    EXPECT_EQ(paintsInto(surface.dc.get()), 1);
    recorder.Detach();
}

// ---- an up-down inside an edit

// Frame i of the test skin's vertical up-down picture.
COLORREF SpinColour(int frame) { return RGB(30 * frame, 200 - 20 * frame, 60 + 20 * frame); }

class SkinEditUpDownTest : public BoxFixture {
protected:
    void SetUp() override
    {
        BoxFixture::SetUp();
        host->Skin.UpDownVert = std::make_unique<TDataSkinBorder>("UpDown.Vert");
        skinbuttontest::PaintCells(host->Skin.UpDownVert->Bitmap, 8, 10, 10, SpinColour);
        host->Skin.UpDownVert->FrameCount = 8;
    }
    void TearDown() override
    {
        edit.reset();
        BoxFixture::TearDown();
    }

    // A bare sunken edit with a bare up-down along the right of its client area.
    void MakeBareEdit()
    {
        edit.reset(CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "12", WS_CHILD | WS_VISIBLE, 40, 40, 120, 28,
                                   form->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr));
        RECT client{};
        GetClientRect(edit.get(), &client);
        spin = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, client.right - 16, 0, 16, client.bottom,
                               edit.get(), nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(spin, nullptr);
        Flush();
    }

    // Where the skin's halves show inside the edit on the screen: how many
    // pixels, and whether each half shows its normal frame at its middle.
    struct Shown {
        int pixels = 0;
        bool clearOfEdges = true;
        bool normalFrames = false;
    };
    static Shown OnScreen(HWND editWindow, HWND spinWindow)
    {
        RECT edit{};
        RECT own{};
        GetWindowRect(editWindow, &edit);
        GetWindowRect(spinWindow, &own);
        const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(editWindow);
        const int width = edit.right - edit.left;
        const int height = edit.bottom - edit.top;
        Shown shown;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const COLORREF pixel = GetPixel(dc.get(), x, y);
                bool half = false;
                for (int frame = 1; frame <= 8; ++frame)
                    half = half || skinbuttontest::Near(pixel, SpinColour(frame), 3);
                if (!half)
                    continue;
                ++shown.pixels;
                shown.clearOfEdges = shown.clearOfEdges && y >= 3 && y < height - 3 && x < width - 3;
            }
        // The middles of the two halves, in the edit's window coordinates.
        const int x = (own.left + own.right) / 2 - edit.left;
        const int top = std::max(own.top, edit.top + 3) - edit.top;
        const int bottom = std::min(own.bottom, edit.bottom - 3) - edit.top;
        const int middle = (top + bottom) / 2;
        shown.normalFrames = skinbuttontest::Near(GetPixel(dc.get(), x, (top + middle) / 2), SpinColour(1), 3) &&
                             skinbuttontest::Near(GetPixel(dc.get(), x, (middle + bottom) / 2), SpinColour(5), 3);
        return shown;
    }

    ui::UniqueWindow edit;
    HWND spin = nullptr;
};

TEST_F(SkinEditUpDownTest, BareUpDownInsideIsSkinnedAtTheFirstPaintClearOfTheEdges)
{
    MakeBareEdit();
    auto* skinner = new TSkinEdit(form.get());
    skinner->InitHandle(edit.get(), &host->Skin, host.get(), &host->Canvas);
    EXPECT_EQ(skinner->UpDown(), nullptr) << "nothing before the edit paints";
    Redraw(edit.get());
    TSkinUpDown* const upDown = skinner->UpDown();
    ASSERT_NE(upDown, nullptr);
    EXPECT_EQ(upDown->Handle(), spin);
    EXPECT_TRUE(upDown->InEdit());
    EXPECT_EQ(SendMessageA(spin, SKM_ISSKINNED, 0, 0), 1);
    const Shown shown = OnScreen(edit.get(), spin);
    EXPECT_GT(shown.pixels, 100);
    EXPECT_TRUE(shown.clearOfEdges) << "3 pixels stay free at the top, bottom and right";
    EXPECT_TRUE(shown.normalFrames);

    Redraw(edit.get());
    EXPECT_EQ(skinner->UpDown(), upDown) << "one skinner, however often the edit paints";
    EXPECT_EQ(host->List.Controls().size(), 2u);
    delete skinner;
}

TEST_F(SkinEditUpDownTest, FrameworkUpDownAssociatedAndPlacedInsideTheEdit)
{
    auto* owner = Place<TEdit>(40, 40, 120, 28);
    owner->SetText("5");
    auto* upDown = new TUpDown(form.get());
    upDown->SetAssociate(owner);
    upDown->SetParent(owner);
    RECT client{};
    GetClientRect(owner->Handle(), &client);
    upDown->SetBounds(client.right - 16, 0, 16, client.bottom);
    auto* skinner = Skin<TSkinEdit>(*owner);
    Redraw(owner->Handle());
    ASSERT_NE(skinner->UpDown(), nullptr);
    EXPECT_EQ(skinner->UpDown()->Handle(), upDown->Handle());
    EXPECT_TRUE(skinner->UpDown()->InEdit());
    const Shown shown = OnScreen(owner->Handle(), upDown->Handle());
    EXPECT_GT(shown.pixels, 100);
    EXPECT_TRUE(shown.clearOfEdges);
    EXPECT_TRUE(shown.normalFrames);
    delete upDown;
    Redraw(owner->Handle());
    EXPECT_EQ(skinner->UpDown(), nullptr) << "its window is gone";
}

TEST_F(SkinEditUpDownTest, WithoutSpinControlsInTheSkinTheUpDownStaysPlain)
{
    host->Skin.SkinControls.Exclude(xcSpin);
    MakeBareEdit();
    Redraw(edit.get());
    const std::vector<COLORREF> plain = Shot(spin);
    auto* skinner = new TSkinEdit(form.get());
    skinner->InitHandle(edit.get(), &host->Skin, host.get(), &host->Canvas);
    Redraw(edit.get());
    EXPECT_EQ(skinner->UpDown(), nullptr);
    EXPECT_EQ(SendMessageA(spin, SKM_ISSKINNED, 0, 0), 0);
    EXPECT_EQ(OnScreen(edit.get(), spin).pixels, 0);
    EXPECT_EQ(Shot(spin), plain);
    EXPECT_EQ(Ring(edit.get(), 0, 120, 28), All(kShadow)) << "the edit itself is skinned";
    delete skinner;
}

// ---- behaviour

struct EditScriptResult {
    std::vector<std::string> log;
    std::vector<msgseq::Entry> commands;
};

// Typing (Chinese too, byte by byte into the ANSI edit), a selection dragged
// with the mouse, the caret, Enter for the default button.
EditScriptResult RunEditScript(TForm& form, TestHost* host)
{
    EditScriptResult result;
    auto* edit = new TEdit(&form);
    edit->SetBounds(20, 20, 150, 22);
    edit->SetParent(&form);
    auto* ok = new TButton(&form);
    ok->SetBounds(20, 60, 90, 28);
    ok->SetCaption("确定");
    ok->SetParent(&form);
    ok->SetDefault(true);
    int changes = 0;
    edit->OnChange = TNotifyEvent([&](TObject*) { ++changes; });
    ok->OnClick = TNotifyEvent([&](TObject*) { result.log.push_back("click ok"); });
    if (host) {
        (new TSkinEdit(edit))->InitControl(host, &host->Skin, false, &host->Canvas);
        (new TSkinButton(ok))->InitControl(host, &host->Skin, false, &host->Canvas);
    }
    Flush();
    msgseq::Sequence sequence;
    {
        msgseq::Recorder recorder(sequence);
        recorder.AttachControl(form, "form");
        edit->SetFocus();
        Flush();
        const std::string typed = std::string("ab") + "中文";
        for (const char c : typed)
            PostMessageA(edit->Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
        Flush(100);
        result.log.push_back("text " + edit->Text());
        POINT caret{};
        GetCaretPos(&caret);
        result.log.push_back("caret " + std::to_string(caret.x) + "," + std::to_string(caret.y));
        PostMessageA(edit->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 8));
        PostMessageA(edit->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(140, 8));
        PostMessageA(edit->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(140, 8));
        Flush(100);
        result.log.push_back("selection " + std::to_string(edit->SelStart()) + "+" +
                             std::to_string(edit->SelLength()) + " " + edit->SelText());
        PostMessageA(edit->Handle(), WM_KEYDOWN, VK_RETURN, 1);
        PostMessageA(edit->Handle(), WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC0000001));
        Flush(100);
        result.log.push_back("changes " + std::to_string(changes));
    }
    for (const msgseq::Entry& entry : sequence.Entries())
        if (entry.message == WM_COMMAND)
            result.commands.push_back(entry);
    return result;
}

TEST_F(SkinEditTest, TypingSelectingAndEnterWorkAsWithoutSkinning)
{
    const EditScriptResult bare = RunEditScript(*form, nullptr);
    NewForm();
    const EditScriptResult skinned = RunEditScript(*form, host.get());
    EXPECT_EQ(skinned.log, bare.log);
    EXPECT_TRUE(msgseq::SameSequence(bare.commands, skinned.commands, "the form's commands"));
    ASSERT_EQ(bare.log.size(), 5u);
    EXPECT_EQ(bare.log[0].rfind("text ab", 0), 0u);
    EXPECT_EQ(bare.log[2].rfind("selection 0+", 0), 0u);
    EXPECT_EQ(bare.log[3], "click ok");
    EXPECT_GE(bare.commands.size(), 4u);
}

// The GBK bytes of a Chinese word, as WM_CHAR pairs and as WM_IME_CHAR
// words, pass the skinner untouched: the edit's own handlers receive the same
// messages skinned as bare, and the text ends as in a system edit that has no
// framework in front of it.
TEST_F(SkinEditTest, ChineseBytesReachTheEditAsWithoutSkinning)
{
    const std::string word = "邮政编码";
    ASSERT_EQ(word.size(), 8u) << "two bytes a character in the ANSI code page";
    const auto type = [&](HWND window) {
        for (const char c : word)
            PostMessageA(window, WM_CHAR, static_cast<unsigned char>(c), 1);
        Flush();
        for (std::size_t i = 0; i + 1 < word.size(); i += 2)
            PostMessageA(window, WM_IME_CHAR,
                         static_cast<WPARAM>(static_cast<unsigned char>(word[i]) << 8 |
                                             static_cast<unsigned char>(word[i + 1])),
                         1);
        Flush(100);
    };
    const auto run = [&](bool skinned, std::string& text) {
        msgseq::Sequence sequence;
        sequence.SetOptional(0x0118); // the caret's blinking
        auto* edit = Place<TEdit>(20, 20, 200, 22);
        edit->SetFocus();
        Flush();
        {
            msgseq::Recorder recorder(sequence);
            recorder.AttachControl(*edit, "Edit");
            sequence.Pause(true);
            if (skinned)
                Skin<TSkinEdit>(*edit);
            Flush();
            PostMessageA(form->Handle(), WM_NULL, 0, 0);
            Flush();
            sequence.Pause(false);
            type(edit->Handle());
            sequence.Pause(true);
        }
        text = edit->Text();
        delete edit;
        Flush();
        return sequence.Entries();
    };

    std::string bareText;
    std::string skinnedText;
    const std::vector<msgseq::Entry> bare = run(false, bareText);
    const std::vector<msgseq::Entry> skinned = run(true, skinnedText);
    EXPECT_TRUE(msgseq::SameSequence(bare, skinned, "Chinese typed into the edit"));
    EXPECT_EQ(skinnedText, bareText);

    std::string chars;
    for (const msgseq::Entry& entry : skinned)
        if (entry.message == WM_CHAR && entry.wParam <= 0xFF)
            chars.push_back(static_cast<char>(entry.wParam));
    EXPECT_EQ(chars.substr(0, word.size()), word) << "each byte reaches the edit as it was sent";

    const ui::UniqueWindow system(CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 20, 60, 200,
                                                  22, form->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr));
    SetFocus(system.get());
    type(system.get());
    char own[64] = {};
    GetWindowTextA(system.get(), own, sizeof own);
    EXPECT_EQ(bareText, std::string(own)) << "the framework's edit ends as the system's own";
}

TEST_F(SkinEditTest, ManyPaintsLeaveNoHandles)
{
    auto* edit = Place<TEdit>(20, 20, 120, 22);
    auto* skinner = Skin<TSkinEdit>(*edit);
    Surface surface(120, 22);
    const RECT rect{0, 0, 120, 22};
    skinner->PaintControl(surface.dc.get(), rect);
    SendMessageA(edit->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc.get()), PRF_CLIENT);
    const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    const long thunks = ui::LiveThunkCount();
    for (int i = 0; i < 70000; ++i)
        skinner->PaintControl(surface.dc.get(), rect);
    for (int i = 0; i < 2000; ++i) {
        SendMessageA(edit->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc.get()), PRF_CLIENT);
        skinner->PaintFrame(nullptr);
    }
    EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
    EXPECT_EQ(ui::LiveThunkCount(), thunks);
}

} // namespace
