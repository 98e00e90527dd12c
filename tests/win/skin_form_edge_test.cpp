// Skinned windows at the edges of what the manager and the form skinner
// decide: a window maximised before it is skinned, class names that say
// "preview", the opt-out tag, skinning without the frame, the system menu,
// and the title-bar buttons under a mouse that presses, wanders off and
// comes back many times.
#include "tests/win/frame_skin_support.h"
#include "tests/win/nc_owner_support.h"
#include "tests/win/skin_form_support.h"
#include "tests/win/skin_window_support.h"

#include "skin/chrome/WinSkinForm.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

using namespace frametest;
using namespace skinwin;

using FormEdgeTest = SkinnedFormTest;

TEST_F(FormEdgeTest, AWindowMaximisedBeforeItIsSkinnedIsOnlyToldItsFrameChanged)
{
    TSkinManage& manager = Manager();
    manager.SetEnabled(false);
    RecordingWindow window("ZelMaximisedFirst", GetModuleHandleA(nullptr), WS_OVERLAPPEDWINDOW, {100, 100, 400, 300});
    ASSERT_TRUE(window.get());
    ShowWindow(window.get(), SW_SHOWMAXIMIZED);
    Pump(50);
    RECT maximised{};
    GetWindowRect(window.get(), &maximised);
    window.log.clear();

    manager.SetEnabled(true);
    ActivateAgain(window.get());
    ASSERT_TRUE(IsSkinned(window.get()));
    ASSERT_EQ(manager.FindFormSkinner(window.get())->State(), TFormSkinState::Ready);
    ASSERT_TRUE(IsZoomed(window.get()));

    RECT now{};
    GetWindowRect(window.get(), &now);
    EXPECT_TRUE(EqualRect(&now, &maximised)) << "neither moved nor resized";
    int frameChanges = 0;
    for (const Sent& sent : window.log) {
        if (sent.message != WM_WINDOWPOSCHANGING)
            continue;
        EXPECT_EQ(sent.windowPosFlags & (SWP_NOSIZE | SWP_NOMOVE), static_cast<UINT>(SWP_NOSIZE | SWP_NOMOVE))
            << std::hex << sent.windowPosFlags;
        frameChanges += (sent.windowPosFlags & SWP_FRAMECHANGED) != 0 ? 1 : 0;
    }
    EXPECT_GE(frameChanges, 1);
    // The frame asked for is the skin's.
    EXPECT_EQ(ClientOffset(window.get()).x, PaintedMetrics.borderLeft);
    EXPECT_EQ(ClientOffset(window.get()).y, PaintedMetrics.titleHeight);
    EXPECT_EQ(ClientSize(window.get()).cx,
              WindowSize(window.get()).cx - PaintedMetrics.borderLeft - PaintedMetrics.borderRight);
}

TEST_F(FormEdgeTest, WindowsNamedPreviewAreSkinnedOnlyWithThePreviewOption)
{
    Manager();
    const HINSTANCE module = GetModuleHandleA(nullptr);
    constexpr DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    ASSERT_TRUE(skin->Options.Contains(xoPreview)) << "the default options";
    RecordingWindow withOption("ZelPrintPreviewWindow", module, style, {100, 100, 300, 250});
    ActivateAgain(withOption.get());
    EXPECT_TRUE(IsSkinned(withOption.get()));

    skin->Options.Exclude(xoPreview);
    for (const char* className : {"ZelPrintPREVIEW", "ZelpreView2", "PreviewZel"}) {
        SCOPED_TRACE(className);
        RecordingWindow window(className, module, style, {100, 100, 300, 250});
        ASSERT_TRUE(window.get());
        ActivateAgain(window.get());
        ASSERT_EQ(GetActiveWindow(), window.get());
        EXPECT_FALSE(IsSkinned(window.get()));
    }
    RecordingWindow other("ZelPrevue", module, style, {100, 100, 300, 250});
    ActivateAgain(other.get());
    EXPECT_TRUE(IsSkinned(other.get())) << "only the whole word counts";
}

TEST_F(FormEdgeTest, TagNinetyNineOptsAFormOutWhateverTheDisableTagIs)
{
    skin->DisableTag = 5;
    EXPECT_FALSE(IsSkinned(ShowForm([](TForm& f) { f.SetTag(99); }).Handle()));
    EXPECT_TRUE(IsSkinned(ShowForm([](TForm& f) { f.SetTag(5); }).Handle()))
        << "the disable tag is for controls and menus";
    skin->DisableTag = 99;
    EXPECT_FALSE(IsSkinned(ShowForm([](TForm& f) { f.SetTag(99); }).Handle()));
    EXPECT_TRUE(IsSkinned(ShowForm([](TForm& f) { f.SetTag(0); }).Handle()));
}

void AddMenu(TForm& form)
{
    auto* menu = new TMainMenu(&form);
    auto* item = new TMenuItem(&form);
    item->SetCaption("MMMMMMMM");
    menu->Items()->Add(item);
    form.SetMenu(menu);
}

TEST_F(FormEdgeTest, WithoutMainMenuSkinningTheFrameMenuAndSizeStayTheSystems)
{
    skin->SkinControls.Exclude(xcMainMenu);
    TForm& plain = ShowForm([](TForm& f) {
        AddMenu(f);
        f.SetTag(99);
    });
    ASSERT_FALSE(IsSkinned(plain.Handle()));
    const SIZE plainSize = WindowSize(plain.Handle());
    const POINT plainOffset = ClientOffset(plain.Handle());

    TForm& form = ShowForm([](TForm& f) { AddMenu(f); });
    const HWND window = form.Handle();
    EXPECT_TRUE(IsSkinned(window));
    EXPECT_EQ(WindowSize(window).cx, plainSize.cx);
    EXPECT_EQ(WindowSize(window).cy, plainSize.cy);
    EXPECT_EQ(ClientOffset(window).x, plainOffset.x);
    EXPECT_EQ(ClientOffset(window).y, plainOffset.y);
    EXPECT_NE(GetMenu(window), nullptr) << "the system's menu bar stays";
    const ui::UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(window, region.get()), ERROR);
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    SendMessageA(window, SKM_PAINTFRAME, 0, 0);
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), static_cast<LONG_PTR>(WS_CAPTION | WS_SYSMENU));
    const auto screen = ScreenOf(window);
    EXPECT_FALSE(Contains(*screen, {0, 0, screen->Width(), plainOffset.y}, TopColour(1, Middle)));
    EXPECT_FALSE(Contains(*screen, {0, 0, plainOffset.x, screen->Height()}, LeftColour(1, Middle)));
    EXPECT_EQ(form.Color(), skin->ButtonFaceColour) << "the form still takes the skin's face colour";
}

TEST_F(FormEdgeTest, WithoutMainMenuSkinningAForeignWindowIsStillErasedInTheFaceColour)
{
    TSkinManage& manager = Manager();
    skin->SkinControls.Exclude(xcMainMenu);
    manager.SetEnabled(false);
    RecordingWindow window("ZelNoFrameForeign", GetModuleHandleA(nullptr), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                           {100, 100, 340, 280});
    ASSERT_TRUE(window.get());
    const POINT offset = ClientOffset(window.get());
    const SIZE size = WindowSize(window.get());
    manager.SetEnabled(true);
    ActivateAgain(window.get());
    ASSERT_TRUE(IsSkinned(window.get()));
    EXPECT_EQ(ClientOffset(window.get()).x, offset.x);
    EXPECT_EQ(ClientOffset(window.get()).y, offset.y);
    EXPECT_EQ(WindowSize(window.get()).cx, size.cx);

    // The class has no background brush: only the skinner erases.
    RedrawWindow(window.get(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
    const auto screen = ScreenOf(window.get());
    const SIZE client = ClientSize(window.get());
    EXPECT_EQ(FirstOther(*screen, {offset.x, offset.y, offset.x + client.cx, offset.y + client.cy}, Face), "");
}

// The title band as the window's own surface holds it now.
std::unique_ptr<TBitmap> TitleBandOf(HWND window)
{
    const SIZE size = WindowSize(window);
    auto band = std::make_unique<TBitmap>(size.cx, PaintedMetrics.titleHeight);
    const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(window);
    BitBlt(band->Canvas().Handle(), 0, 0, size.cx, PaintedMetrics.titleHeight, dc.get(), 0, 0, SRCCOPY);
    return band;
}

TEST_F(FormEdgeTest, SettingTheCaptionShowsNothingOfTheSystemsCaptionAndThenTheSkinnedOne)
{
    TForm& form = ShowForm();
    const HWND window = form.Handle();
    const SIZE size = WindowSize(window);
    const RECT middle{PaintedMetrics.borderLeft + 5, 0, size.cx - PaintedMetrics.borderRight - 5,
                      PaintedMetrics.titleHeight};
    ASSERT_EQ(FirstOther(*TitleBandOf(window), middle, TopColour(1, Middle)), "");
    // Right after the system's own handling of the new text, inside the skinner's.
    std::unique_ptr<TBitmap> during;
    const ui::HookToken layer = form.AddWindowProc([&](TMessage& message, const TWndNext& next) {
        next(message);
        if (message.Msg == WM_SETTEXT)
            during = TitleBandOf(window);
    });
    SetWindowTextA(window, "WWWW MMMM");
    ASSERT_TRUE(during);
    EXPECT_EQ(FirstOther(*during, middle, TopColour(1, Middle)), "") << "the system drew a caption of its own";
    const auto after = TitleBandOf(window);
    EXPECT_TRUE(Contains(*after, middle, ActiveText)) << "the skinned title shows the new text";
}

// ---------------------------------------------------------------- MDI children

LRESULT CALLBACK MdiChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    return DefMDIChildProcA(window, message, wParam, lParam);
}

// An MDI frame of this program with its client, and children made in it.
class MdiFrame {
public:
    MdiFrame()
    {
        WNDCLASSA child{};
        child.lpfnWndProc = &MdiChildProc;
        child.hInstance = GetModuleHandleA(nullptr);
        child.lpszClassName = "ZelMdiChild";
        RegisterClassA(&child);
        frame_.reset(CreateWindowExA(0, "STATIC", "Frame", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 100, 100, 520,
                                     420, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
        CLIENTCREATESTRUCT clientCreate{};
        client_.reset(CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 500, 380,
                                      frame_.get(), nullptr, GetModuleHandleA(nullptr), &clientCreate));
        ShowWindow(frame_.get(), SW_SHOW);
        Pump(50);
    }
    ~MdiFrame()
    {
        client_.reset();
        frame_.reset();
    }
    HWND Frame() const { return frame_.get(); }
    HWND Child(DWORD style)
    {
        MDICREATESTRUCTA create{};
        create.szClass = "ZelMdiChild";
        create.szTitle = "Child";
        create.hOwner = GetModuleHandleA(nullptr);
        create.x = 10;
        create.y = 10;
        create.cx = 200;
        create.cy = 150;
        create.style = style;
        return reinterpret_cast<HWND>(
            SendMessageA(client_.get(), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
    }

private:
    ui::UniqueWindow frame_;
    ui::UniqueWindow client_;
};

TEST_F(FormEdgeTest, AnMdiChildHasTheSkinsFrameUntilItIsMaximisedThenTheSystemsOwn)
{
    TSkinManage& manager = Manager();
    // The system's frame of a maximised child, measured without skinning.
    manager.SetEnabled(false);
    POINT systemOffset{};
    {
        MdiFrame plain;
        const HWND child = plain.Child(WS_MAXIMIZE);
        ASSERT_TRUE(child);
        ASSERT_TRUE(IsZoomed(child));
        systemOffset = ClientOffset(child);
    }
    manager.SetEnabled(true);

    MdiFrame mdi;
    const HWND normal = mdi.Child(0);
    ASSERT_TRUE(normal);
    ASSERT_TRUE(PumpUntil([&] {
        const TWinSkinForm* skinner = manager.FindFormSkinner(normal);
        return skinner != nullptr && skinner->State() == TFormSkinState::Ready;
    }));
    EXPECT_EQ(manager.FindFormSkinner(normal)->FormKind(), TFormKind::MdiChild);
    EXPECT_EQ(ClientOffset(normal).x, PaintedMetrics.borderLeft);
    EXPECT_EQ(ClientOffset(normal).y, PaintedMetrics.titleHeight);
    const ui::UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    EXPECT_NE(GetWindowRgn(normal, region.get()), ERROR);

    const HWND maximised = mdi.Child(WS_MAXIMIZE);
    ASSERT_TRUE(maximised);
    ASSERT_TRUE(PumpUntil([&] {
        const TWinSkinForm* skinner = manager.FindFormSkinner(maximised);
        return skinner != nullptr && skinner->State() == TFormSkinState::Ready;
    }));
    ASSERT_TRUE(IsZoomed(maximised));
    EXPECT_TRUE(IsSkinned(maximised));
    EXPECT_EQ(ClientOffset(maximised).x, systemOffset.x) << "the system's frame";
    EXPECT_EQ(ClientOffset(maximised).y, systemOffset.y);
    EXPECT_EQ(GetWindowRgn(maximised, region.get()), ERROR) << "and no region";
}

// ---------------------------------------------------------------- the system menu

struct OpenMenuLook {
    bool shown = false;
    bool skinned = false;
    TMenuKind kind = TMenuKind::Popup;
};

// Opens the window's skinned system menu, looks at it, and closes it.
OpenMenuLook OpenSystemMenu(TSkinManage& manager, HWND window)
{
    OpenMenuLook look;
    TWinSkinForm* skinner = manager.FindFormSkinner(window);
    if (skinner == nullptr) {
        ADD_FAILURE() << "the window is not skinned";
        return look;
    }
    uitest::CallAfter(30, [&] {
        PumpUntil([] { return uitest::FindThreadMenu() != nullptr; }, 1000);
        const HWND menu = uitest::FindThreadMenu();
        look.shown = menu != nullptr;
        look.skinned = menu != nullptr && IsSkinned(menu);
        look.kind = manager.MenuKind();
        EndMenu();
    });
    RECT bounds{};
    GetWindowRect(window, &bounds);
    skinner->OpenSysMenu({bounds.left + 20, bounds.top + 20});
    // A second opening within the double-click time would mean something else.
    Pump(static_cast<int>(GetDoubleClickTime()) + 50);
    return look;
}

TEST_F(FormEdgeTest, TheSystemMenuIsSkinnedOnlyWithSystemMenuSkinningAndTheKindResetsWhenItCloses)
{
    TSkinManage& manager = Manager();
    skin->SkinControls.Include(xcSystemMenu);
    const HWND window = ShowForm().Handle();
    const OpenMenuLook skinned = OpenSystemMenu(manager, window);
    EXPECT_TRUE(skinned.shown);
    EXPECT_TRUE(skinned.skinned);
    EXPECT_EQ(skinned.kind, TMenuKind::SystemMenu);
    EXPECT_EQ(manager.MenuKind(), TMenuKind::Popup) << "the last menu window went";
    EXPECT_EQ(manager.MenuSkinnerCount(), 0u);

    skin->SkinControls.Exclude(xcSystemMenu);
    ASSERT_TRUE(skin->SkinControls.Contains(xcPopupMenu));
    const OpenMenuLook plain = OpenSystemMenu(manager, window);
    EXPECT_TRUE(plain.shown);
    EXPECT_FALSE(plain.skinned) << "popup-menu skinning does not reach the system menu";
    EXPECT_EQ(manager.MenuKind(), TMenuKind::Popup);
}

// ---------------------------------------------------------------- title-bar buttons under the mouse

// Two buttons of the nc test strips (cells of nctest::CellColour, a
// magenta first column) on the title bar, with actions that only post.
constexpr int kFirstX = 30;
constexpr int kSecondX = 50;
constexpr int kButtonY = 3;

class TitleButtonMouseTest : public FormEdgeTest {
protected:
    void SetUp() override
    {
        FormEdgeTest::SetUp();
        skin->CaptionButtons.push_back(nctest::MakeButton({.action = 42, .x = kFirstX, .y = kButtonY}));
        skin->CaptionButtons.push_back(nctest::MakeButton({.action = 43, .x = kSecondX, .y = kButtonY}));
        TForm& form = ShowForm();
        window = form.Handle();
        layer = form.AddWindowProc([this](TMessage& message, const TWndNext& next) {
            if (message.Msg == SKM_CUSTOMBUTTON)
                clicks.push_back(static_cast<int>(message.WParam));
            next(message);
        });
        ASSERT_EQ(GetActiveWindow(), window);
    }

    // A screen point inside the button that starts at x (past its magenta column).
    LPARAM OnButton(int x) const
    {
        RECT bounds{};
        GetWindowRect(window, &bounds);
        return MAKELPARAM(bounds.left + x + 5, bounds.top + kButtonY + 4);
    }
    LPARAM OnTitleElsewhere() const
    {
        RECT bounds{};
        GetWindowRect(window, &bounds);
        return MAKELPARAM(bounds.left + 200, bounds.top + 7);
    }
    TColor ShownAt(int x) const
    {
        const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(window);
        return GetPixel(dc.get(), x + 5, kButtonY + 4);
    }
    void Send(UINT message, LPARAM point) const { SendMessageA(window, message, HTCAPTION, point); }

    HWND window = nullptr;
    ui::HookToken layer;
    std::vector<int> clicks;
};

TEST_F(TitleButtonMouseTest, HoverPressAndMovingStraightOntoTheNextButton)
{
    ASSERT_EQ(ShownAt(kFirstX), nctest::CellColour(1));
    Send(WM_NCMOUSEMOVE, OnButton(kFirstX));
    EXPECT_EQ(ShownAt(kFirstX), nctest::CellColour(3));
    Send(WM_NCMOUSEMOVE, OnButton(kSecondX));
    EXPECT_EQ(ShownAt(kFirstX), nctest::CellColour(1)) << "left before the next turns hover";
    EXPECT_EQ(ShownAt(kSecondX), nctest::CellColour(3));
    Send(WM_NCLBUTTONDOWN, OnButton(kSecondX));
    EXPECT_EQ(ShownAt(kSecondX), nctest::CellColour(2));
    Send(WM_NCLBUTTONUP, OnButton(kSecondX));
    Pump(20);
    EXPECT_EQ(clicks, std::vector<int>{43});
    EXPECT_EQ(ShownAt(kSecondX), nctest::CellColour(3));
}

TEST_F(TitleButtonMouseTest, PressedThenReleasedElsewhereDoesNothingAndTheHoverTimerPutsItBack)
{
    Send(WM_NCMOUSEMOVE, OnButton(kFirstX));
    Send(WM_NCLBUTTONDOWN, OnButton(kFirstX));
    ASSERT_EQ(ShownAt(kFirstX), nctest::CellColour(2));
    // The mouse went off the window and was released there.
    SetCursorPos(1250, 1000);
    Send(WM_NCLBUTTONUP, OnTitleElsewhere());
    Pump(20);
    EXPECT_TRUE(clicks.empty());

    const ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(PumpUntil([&] { return ShownAt(kFirstX) == nctest::CellColour(1); }, 2000));
    // One tick of the 250 ms timer, and some slack for a loaded machine.
    EXPECT_LT(GetTickCount64() - start, 600u);
    Pump(300);
    EXPECT_TRUE(clicks.empty());
}

TEST_F(TitleButtonMouseTest, TenThousandHoversLeaveNoHandleBehind)
{
    // Warm up: whatever the first paint makes once.
    Send(WM_NCMOUSEMOVE, OnButton(kFirstX));
    Send(WM_NCMOUSEMOVE, OnTitleElsewhere());
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    const ui::HandleSnapshot before = ui::HandleSnapshot::Take();
    const long thunks = ui::LiveThunkCount();
    for (int i = 0; i < 10000; ++i) {
        Send(WM_NCMOUSEMOVE, OnButton(kFirstX));
        Send(WM_NCMOUSEMOVE, OnTitleElsewhere());
    }
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), user);
    EXPECT_EQ(ui::HandleSnapshot::Take(), before);
    EXPECT_EQ(ui::LiveThunkCount(), thunks);
    EXPECT_EQ(ShownAt(kFirstX), nctest::CellColour(1));
    Send(WM_NCMOUSEMOVE, OnButton(kFirstX));
    EXPECT_EQ(ShownAt(kFirstX), nctest::CellColour(3)) << "the button still reacts";
}

} // namespace
