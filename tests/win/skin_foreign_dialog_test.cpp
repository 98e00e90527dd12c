// Windows the program did not make: the system's open-file, colour and font
// dialogs opened from a skinned form are skinned like the program's own
// windows, with the skin's title band and the dialog's caption in it; of the
// windows of other modules only dialogs are skinned; and a window activated
// again keeps the one skinner it has.
#include "tests/win/frame_skin_support.h"
#include "tests/win/skin_window_support.h"

#include "skin/chrome/WinSkinForm.h"
#include "ui/Forms.h"

#include <commdlg.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <memory>
#include <string>

namespace {

using namespace frametest;
using namespace skinwin;
using uitest::Pump;

// The painted borders' metrics (PaintedMetrics): 4 left, 15 title, 6 right.
constexpr int kLeft = 4;
constexpr int kTitle = 15;
constexpr int kRight = 6;

// The pixels of a title band that are not the top border's picture: the caption's.
struct CaptionInk {
    int count = 0;
    // Of them, those in the active title text colour (antialiasing blends the rest).
    int inTextColour = 0;
    RECT bounds{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    int Width() const { return count == 0 ? 0 : bounds.right - bounds.left; }
};

CaptionInk InkInTitleBand(const TBitmap& screen, int frame)
{
    CaptionInk ink;
    const int bandWidth = screen.Width() - kLeft - kRight;
    for (LONG y = 0; y < kTitle; ++y)
        for (LONG x = kLeft; x < kLeft + bandWidth; ++x) {
            const TColor pixel = skintest::PixelOf(screen, x, y);
            if (pixel == TopColour(frame, PartAt(x - kLeft, bandWidth, 5, 5)))
                continue;
            ++ink.count;
            ink.inTextColour += pixel == ActiveText ? 1 : 0;
            ink.bounds = {std::min(ink.bounds.left, x), std::min(ink.bounds.top, y),
                          std::max(ink.bounds.right, x + 1), std::max(ink.bounds.bottom, y + 1)};
        }
    return ink;
}

int TextWidthIn(TFont& font, const std::wstring& text)
{
    const ui::UniqueDC dc(CreateCompatibleDC(nullptr));
    const HGDIOBJ old = SelectObject(dc.get(), font.Handle());
    SIZE extent{};
    GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc.get(), old);
    return extent.cx;
}

std::wstring WideText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// What a modal dialog showed while it was open.
struct DialogLook {
    HWND window = nullptr;
    HINSTANCE module = nullptr;
    bool skinned = false;
    bool ready = false;
    bool active = false;
    std::wstring caption;
    std::unique_ptr<TBitmap> screen;
};

class ForeignDialogTest : public FrameSkinTest {
protected:
    void SetUp() override
    {
        FrameSkinTest::SetUp();
        PaintBorders(*skin);
        skin->CaptionButtons.clear();
        owner = std::make_unique<TForm>(nullptr);
        owner->SetBounds(40, 40, 300, 200);
        owner->SetCaption("Owner");
        SwitchedOnManager(*skin);
        owner->Show();
        Pump(100);
    }
    void TearDown() override
    {
        owner.reset();
        Pump(10);
        FrameSkinTest::TearDown();
    }

    // Opens a modal dialog with `open`, looks at it once its skinner is
    // ready, and cancels it.
    DialogLook OpenAndLook(const std::function<void()>& open)
    {
        DialogLook look;
        const auto ready = [this] {
            const HWND dialog = uitest::FindThreadDialog();
            const TWinSkinForm* skinner =
                dialog != nullptr ? SwitchedOnManager(*skin).FindFormSkinner(dialog) : nullptr;
            return skinner != nullptr && skinner->State() == TFormSkinState::Ready;
        };
        uitest::CallWhen(ready, [&] {
            look.window = uitest::FindThreadDialog();
            if (look.window == nullptr) {
                uitest::CancelThreadDialogs();
                return;
            }
            look.module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(look.window, GWLP_HINSTANCE));
            look.skinned = IsSkinned(look.window);
            const TWinSkinForm* skinner = SwitchedOnManager(*skin).FindFormSkinner(look.window);
            look.ready = skinner != nullptr && skinner->State() == TFormSkinState::Ready;
            look.caption = WideText(look.window);
            look.screen = ScreenOf(look.window);
            look.active = GetActiveWindow() == look.window;
            PostMessageA(look.window, WM_COMMAND, IDCANCEL, 0);
        });
        open();
        Pump(50);
        return look;
    }

    // The dialog on the screen: the skin's side border, and a title band
    // that is the top border's picture but for one caption, as wide as the
    // dialog's text in the skin's caption font and centred as the skin says.
    void ExpectSkinnedTitle(const DialogLook& look)
    {
        ASSERT_NE(look.window, nullptr) << "no dialog showed";
        EXPECT_NE(look.module, GetModuleHandleA(nullptr)) << "the dialog is another module's";
        EXPECT_TRUE(look.skinned);
        EXPECT_TRUE(look.ready);
        ASSERT_TRUE(look.active);
        ASSERT_TRUE(look.screen);
        const TBitmap& screen = *look.screen;
        EXPECT_EQ(FirstOther(screen, {0, 20, kLeft, screen.Height() - 10}, LeftColour(1, Middle)), "");

        ASSERT_FALSE(look.caption.empty());
        const CaptionInk ink = InkInTitleBand(screen, 1);
        const int textWidth = TextWidthIn(skin->CaptionFont(), look.caption);
        EXPECT_NEAR(ink.Width(), textWidth, 4) << "the caption, and nothing else, over the title picture";
        EXPECT_GT(ink.inTextColour, ink.count / 10) << "in the active title colour";
        // Centred (the edge skin's alignment), give or take the blanks and margins around the text.
        const int bandCentre = kLeft + (screen.Width() - kLeft - kRight) / 2;
        EXPECT_NEAR((ink.bounds.left + ink.bounds.right) / 2, bandCentre, 8);
    }

    std::unique_ptr<TForm> owner;
};

TEST_F(ForeignDialogTest, TheOpenFileDialogIsSkinned)
{
    char file[MAX_PATH]{};
    OPENFILENAMEA open{};
    open.lStructSize = sizeof(open);
    open.hwndOwner = owner->Handle();
    open.lpstrFilter = "Text\0*.txt\0";
    open.lpstrFile = file;
    open.nMaxFile = sizeof file;
    open.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    const DialogLook look = OpenAndLook([&] { EXPECT_FALSE(GetOpenFileNameA(&open)); });
    ExpectSkinnedTitle(look);
    EXPECT_EQ(CommDlgExtendedError(), 0u) << "cancelled, not failed";
}

TEST_F(ForeignDialogTest, TheColourDialogIsSkinned)
{
    COLORREF custom[16]{};
    CHOOSECOLORA choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = owner->Handle();
    choose.lpCustColors = custom;
    choose.rgbResult = RGB(10, 20, 30);
    choose.Flags = CC_RGBINIT;
    ExpectSkinnedTitle(OpenAndLook([&] { EXPECT_FALSE(ChooseColorA(&choose)); }));
}

TEST_F(ForeignDialogTest, TheFontDialogIsSkinnedAndItsSkinnerGoesWithIt)
{
    LOGFONTA font{};
    font.lfHeight = -12;
    lstrcpyA(font.lfFaceName, "Tahoma");
    CHOOSEFONTA choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = owner->Handle();
    choose.lpLogFont = &font;
    choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    ExpectSkinnedTitle(OpenAndLook([&] { EXPECT_FALSE(ChooseFontA(&choose)); }));
    TSkinManage& manager = SwitchedOnManager(*skin);
    manager.PurgeAllDestroyed();
    EXPECT_EQ(manager.FormSkinners().size(), 1u) << "only the owner's";
}

// A captioned dialog template without controls, in memory.
struct alignas(4) CaptionedDialog {
    DLGTEMPLATE header{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE, 0, 0, 200, 150, 160, 60};
    WORD menu = 0;
    WORD windowClass = 0;
    WCHAR title[8] = L"Foreign";
};

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) noexcept
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

TEST_F(ForeignDialogTest, OfAnotherModulesWindowsOnlyDialogsAreSkinned)
{
    TSkinManage& manager = SwitchedOnManager(*skin);
    const HINSTANCE other = GetModuleHandleA("comdlg32.dll");
    ASSERT_NE(other, nullptr);
    const std::size_t before = manager.FormSkinners().size();
    constexpr DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;

    // The same kind of captioned window, once of this program and once of another module.
    RecordingWindow own("ZelOwnModuleWindow", GetModuleHandleA(nullptr), style, {400, 60, 640, 220});
    ASSERT_TRUE(own.get());
    ActivateAgain(own.get());
    EXPECT_TRUE(IsSkinned(own.get()));

    RecordingWindow foreign("ZelOtherModuleWindow", other, style, {400, 260, 640, 420});
    ASSERT_TRUE(foreign.get());
    ASSERT_EQ(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(foreign.get(), GWLP_HINSTANCE)), other);
    const SIZE foreignSize = WindowSize(foreign.get());
    ActivateAgain(foreign.get());
    ASSERT_EQ(GetActiveWindow(), foreign.get());
    EXPECT_FALSE(IsSkinned(foreign.get()));
    EXPECT_EQ(manager.FindFormSkinner(foreign.get()), nullptr);
    EXPECT_EQ(WindowSize(foreign.get()).cx, foreignSize.cx);
    EXPECT_EQ(WindowSize(foreign.get()).cy, foreignSize.cy);
    EXPECT_EQ(foreign.Count(SKM_SKINAPPLIED), 0);

    // A dialog of that module is.
    CaptionedDialog dialogTemplate;
    const ui::UniqueWindow dialog(CreateDialogIndirectParamA(other, &dialogTemplate.header, nullptr, &PlainDialogProc, 0));
    ASSERT_TRUE(dialog);
    ASSERT_EQ(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog.get(), GWLP_HINSTANCE)), other);
    ActivateAgain(dialog.get());
    EXPECT_TRUE(IsSkinned(dialog.get()));
    EXPECT_EQ(ClientOffset(dialog.get()).x, kLeft);
    EXPECT_EQ(ClientOffset(dialog.get()).y, kTitle);
    EXPECT_EQ(manager.FormSkinners().size(), before + 2);
}

TEST_F(ForeignDialogTest, ASkinnedWindowActivatedAgainKeepsItsSkinnerAndItsSize)
{
    TSkinManage& manager = SwitchedOnManager(*skin);
    RecordingWindow window("ZelActivatedTwice", GetModuleHandleA(nullptr), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                           {400, 60, 640, 220});
    ASSERT_TRUE(window.get());
    ActivateAgain(window.get());
    const TWinSkinForm* skinner = manager.FindFormSkinner(window.get());
    ASSERT_NE(skinner, nullptr);
    ASSERT_EQ(skinner->State(), TFormSkinState::Ready);
    const std::size_t skinners = manager.FormSkinners().size();
    const auto resizes = [&] {
        int count = 0;
        for (const Sent& sent : window.log)
            count += sent.message == WM_WINDOWPOSCHANGING && (sent.windowPosFlags & SWP_NOSIZE) == 0 ? 1 : 0;
        return count;
    };
    const int firstResizes = resizes();
    EXPECT_GE(firstResizes, 1) << "grown to the skin's frame once";
    EXPECT_EQ(window.Count(SKM_SKINAPPLIED), 1);
    const SIZE size = WindowSize(window.get());

    for (int i = 0; i < 3; ++i)
        ActivateAgain(window.get());
    ASSERT_EQ(GetActiveWindow(), window.get());
    EXPECT_FALSE(manager.SkinWindow(window.get()));
    EXPECT_EQ(manager.FormSkinners().size(), skinners);
    EXPECT_EQ(manager.FindFormSkinner(window.get()), skinner);
    EXPECT_EQ(window.Count(SKM_SKINAPPLIED), 1);
    EXPECT_EQ(resizes(), firstResizes);
    EXPECT_EQ(WindowSize(window.get()).cx, size.cx);
    EXPECT_EQ(WindowSize(window.get()).cy, size.cy);
}

} // namespace
