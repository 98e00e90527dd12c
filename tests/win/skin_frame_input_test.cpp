// What the user does to a skinned frame: the menu bar by mouse and keyboard,
// the title-bar buttons, double and right clicks in the title, the skinned
// system menu and the commands that come out of it.
#include "tests/win/nc_owner_support.h"
#include "tests/win/skin_form_support.h"

#include "skin/chrome/WinSkinForm.h"
#include "skin/model/SkinMessages.h"
#include "ui/Menus.h"
#include "ui/Messages.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

using namespace frametest;

// Title-bar buttons of 10 x 8 cells, placed from the left of the title.
constexpr int kCloseX = 100;
constexpr int kMaximizeX = 120;
constexpr int kIconX = 140;
constexpr int kButtonY = 3;

POINT WindowToScreen(HWND window, POINT p)
{
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left + p.x, r.top + p.y};
}

LPARAM ScreenLParam(POINT p) { return MAKELPARAM(p.x, p.y); }

class FrameInputTest : public SkinnedFormTest {
protected:
    void SetUp() override
    {
        SkinnedFormTest::SetUp();
        skin->MenuBar.reset();
        for (const nctest::ButtonKeys& keys : {nctest::ButtonKeys{.action = 0, .x = kCloseX, .y = kButtonY},
                                               nctest::ButtonKeys{.action = 1, .x = kMaximizeX, .y = kButtonY},
                                               nctest::ButtonKeys{.action = 3, .x = kIconX, .y = kButtonY}})
            skin->CaptionButtons.push_back(nctest::MakeButton(keys));
    }

    TWinSkinForm& SkinnerOf(TForm& form) { return *Manager().FindFormSkinner(form.Handle()); }

    // A form whose menu bar holds the given captions, each counting its clicks.
    TForm& ShowFormWithMenu(const std::vector<std::string>& captions, std::vector<int>& clicks)
    {
        clicks.assign(captions.size(), 0);
        return ShowForm([&](TForm& f) {
            auto* menu = new TMainMenu(&f);
            for (std::size_t i = 0; i < captions.size(); ++i) {
                auto* item = new TMenuItem(&f);
                item->SetCaption(captions[i]);
                item->OnClick = TNotifyEvent([&clicks, i](TObject*) { ++clicks[i]; });
                menu->Items()->Add(item);
            }
            f.SetMenu(menu);
        });
    }

    static POINT ButtonCentre(HWND window, int x) { return WindowToScreen(window, {x + 5, kButtonY + 4}); }
    // A point of the title band that no button covers.
    static POINT FreeTitlePoint(HWND window) { return WindowToScreen(window, {40, 7}); }
};

// Records the system commands that reach the form's own code.
struct SysCommandLog {
    explicit SysCommandLog(TForm& form)
    {
        hook = form.AddWindowProc([this](TMessage& message, const TWndNext& next) {
            if (message.Msg == WM_SYSCOMMAND)
                commands.push_back(message.WParam & 0xFFF0);
            if (message.Msg == WM_COMMAND)
                plain.push_back(LOWORD(message.WParam));
            next(message);
        });
    }
    bool Saw(WPARAM command) const { return std::find(commands.begin(), commands.end(), command) != commands.end(); }
    std::vector<WPARAM> commands;
    std::vector<WORD> plain;
    ui::HookToken hook;
};

TEST_F(FrameInputTest, AltOrF10SelectsTheFirstItemThatEnterRunsAndEscapeLeaves)
{
    std::vector<int> clicks;
    TForm& form = ShowFormWithMenu({"&Open", "&Help"}, clicks);
    const HWND window = form.Handle();
    TWinSkinMenu* bar = SkinnerOf(form).MenuBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->Items().size(), 2u);

    // While selecting, the first item looks hot; Right moves on, wrapping round to the first.
    TNCDrawState during = dsNormal;
    TNCDrawState secondDuring = dsNormal;
    uitest::CallAfter(100, [&] {
        during = bar->Items()[0]->State();
        PostMessageA(window, WM_KEYDOWN, VK_RIGHT, 0);
        uitest::CallAfter(50, [&] {
            secondDuring = bar->Items()[1]->State();
            PostMessageA(window, WM_KEYDOWN, VK_RIGHT, 0);
            PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
        });
    });
    EXPECT_EQ(SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, 0), 1);
    EXPECT_EQ(during, dsHover);
    EXPECT_EQ(secondDuring, dsHover);
    ASSERT_TRUE(PumpUntil([&] { return clicks[0] == 1; }));
    EXPECT_EQ(clicks[1], 0);
    EXPECT_EQ(bar->Items()[0]->State(), dsNormal) << "the item rests again";

    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, 0);
    Pump(100);
    EXPECT_EQ(clicks[0], 1) << "Escape runs nothing";
    EXPECT_EQ(bar->Items()[0]->State(), dsNormal);
}

TEST_F(FrameInputTest, AnAcceleratorOpensItsItemWithAltAloneAndGoesOnOtherwise)
{
    std::vector<int> clicks;
    TForm& form = ShowFormWithMenu({"&Open", "&Help"}, clicks);
    const HWND window = form.Handle();

    // SC_KEYMENU with a letter: the item with that accelerator.
    EXPECT_EQ(SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, 'h'), 1);
    ASSERT_TRUE(PumpUntil([&] { return clicks[1] == 1; }));

    // Alt and a letter reaching the form.
    uitest::SetKeyDown(VK_MENU, true);
    EXPECT_EQ(form.Perform(CM_DIALOGCHAR, 'o', 0), 1);
    uitest::SetKeyDown(VK_MENU, false);
    ASSERT_TRUE(PumpUntil([&] { return clicks[0] == 1; }));

    // Without Alt, or with Ctrl as well, the character is not the menu's.
    EXPECT_EQ(form.Perform(CM_DIALOGCHAR, 'o', 0), 0);
    uitest::SetKeyDown(VK_MENU, true);
    uitest::SetKeyDown(VK_CONTROL, true);
    EXPECT_EQ(form.Perform(CM_DIALOGCHAR, 'o', 0), 0);
    uitest::SetKeyDown(VK_CONTROL, false);
    EXPECT_EQ(form.Perform(CM_DIALOGCHAR, 'x', 0), 0) << "no item has it";
    uitest::SetKeyDown(VK_MENU, false);
    Pump(100);
    EXPECT_EQ(clicks[0], 1);
}

TEST_F(FrameInputTest, TheSystemMenuIsSkinnedAndItsCommandsArriveAsSystemCommands)
{
    TForm& form = ShowForm();
    const HWND window = form.Handle();
    TWinSkinForm& skinner = SkinnerOf(form);
    SysCommandLog log(form);

    // Alt+Space: the skinned system menu at the client area's origin.
    HWND menuWindow = nullptr;
    bool skinned = false;
    RECT menuRect{};
    uitest::CallAfter(150, [&] {
        menuWindow = uitest::FindThreadMenu();
        if (menuWindow != nullptr) {
            skinned = Manager().IsMenuWindowSkinned(menuWindow);
            GetWindowRect(menuWindow, &menuRect);
        }
        EndMenu();
    });
    SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    ASSERT_NE(menuWindow, nullptr);
    EXPECT_TRUE(skinned);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    EXPECT_EQ(menuRect.left, origin.x);
    EXPECT_EQ(menuRect.top, origin.y);

    TPopupMenu* menu = skinner.SysMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->Tag(), 33333);
    EXPECT_TRUE(menu->OwnerDraw());
    EXPECT_EQ(menu->Images(), &skin->MenuGlyphs());
    std::vector<WPARAM> ids;
    for (int i = 0; i < menu->Items()->Count(); ++i) {
        const TMenuItem& item = *menu->Items()->Items(i);
        ids.push_back(static_cast<WPARAM>(item.Tag()));
        switch (item.Tag()) {
        case SC_RESTORE:
            EXPECT_FALSE(item.Enabled()) << "a normal window has nothing to restore";
            EXPECT_EQ(item.ImageIndex(), 0);
            break;
        case SC_MAXIMIZE:
            EXPECT_TRUE(item.Enabled());
            EXPECT_EQ(item.ImageIndex(), 1);
            break;
        case SC_MINIMIZE: EXPECT_EQ(item.ImageIndex(), 2); break;
        case SC_CLOSE:
            EXPECT_EQ(item.ImageIndex(), 3);
            EXPECT_EQ(item.Caption().find('\t'), std::string::npos) << "the shortcut is not part of the caption";
            break;
        default: EXPECT_EQ(item.ImageIndex(), -1); break;
        }
    }
    EXPECT_NE(std::find(ids.begin(), ids.end(), SC_CLOSE), ids.end());
    EXPECT_NE(std::find(ids.begin(), ids.end(), SC_MAXIMIZE), ids.end());

    // Choosing an entry posts its system command; a right click on the title opens the menu too.
    Sleep(GetDoubleClickTime() + 50);
    bool opened = false;
    uitest::CallAfter(150, [&] {
        opened = uitest::FindThreadMenu() != nullptr;
        EndMenu();
        TPopupMenu* reopened = skinner.SysMenu();
        for (int i = 0; reopened != nullptr && i < reopened->Items()->Count(); ++i) {
            if (reopened->Items()->Items(i)->Tag() == SC_CLOSE)
                reopened->Items()->Items(i)->Click();
        }
    });
    const POINT title = FreeTitlePoint(window);
    EXPECT_EQ(SendMessageA(window, WM_NCHITTEST, 0, ScreenLParam(title)), HTCAPTION);
    SendMessageA(window, WM_NCRBUTTONDOWN, HTCAPTION, ScreenLParam(title));
    EXPECT_TRUE(opened);
    ASSERT_TRUE(PumpUntil([&] { return log.Saw(SC_CLOSE); }));
    EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(FrameInputTest, FrameCommandsOfWmCommandBecomeSystemCommandsAndOthersStayCommands)
{
    TForm& form = ShowForm();
    const HWND window = form.Handle();
    SysCommandLog log(form);
    SendMessageA(window, WM_COMMAND, SC_MAXIMIZE, 0);
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(window) != FALSE; }));
    EXPECT_TRUE(log.Saw(SC_MAXIMIZE));
    EXPECT_TRUE(log.plain.empty());

    SendMessageA(window, WM_COMMAND, 0xFF10, 0);
    Pump(50);
    EXPECT_EQ(log.plain, std::vector<WORD>{0xFF10});
    EXPECT_FALSE(log.Saw(0xFF10));
}

TEST_F(FrameInputTest, DoubleClicksInTheTitleMaximiseRestoreOrCloseByTheWindowIcon)
{
    TForm& form = ShowForm();
    const HWND window = form.Handle();
    const POINT title = FreeTitlePoint(window);
    SendMessageA(window, WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenLParam(title));
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(window) != FALSE; }));
    EXPECT_TRUE(SkinnerOf(form).IsMaximized());

    // A maximised window is not dragged by its title: the press becomes a menu press.
    SysCommandLog log(form);
    SendMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, ScreenLParam(FreeTitlePoint(window)));
    Pump(50);
    EXPECT_FALSE(log.Saw(SC_MOVE));

    SendMessageA(window, WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenLParam(FreeTitlePoint(window)));
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(window) == FALSE; }));

    SendMessageA(window, WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenLParam(ButtonCentre(window, kIconX)));
    ASSERT_TRUE(PumpUntil([&] { return log.Saw(SC_CLOSE); }));
    EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(FrameInputTest, WithoutAMaximiseBoxADoubleClickGoesToTheWindowsOwnHandling)
{
    TForm& form = ShowForm([](TForm& f) { f.SetBorderIcons({biSystemMenu, biMinimize}); });
    const HWND window = form.Handle();
    SendMessageA(window, WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenLParam(FreeTitlePoint(window)));
    Pump(100);
    EXPECT_FALSE(IsZoomed(window));
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(FrameInputTest, APressedButtonLeftBeforeTheReleaseActsNotAndReturnsToNormal)
{
    TForm& form = ShowForm();
    const HWND window = form.Handle();
    TWinSkinForm& skinner = SkinnerOf(form);
    const POINT close = ButtonCentre(window, kCloseX);
    SetCursorPos(close.x, close.y);
    SendMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, ScreenLParam(close));
    TNCObject* pressed = skinner.HotObject();
    ASSERT_NE(pressed, nullptr);
    EXPECT_EQ(pressed->State(), dsPressed);

    const POINT away = FreeTitlePoint(window);
    SetCursorPos(away.x, away.y);
    SendMessageA(window, WM_NCLBUTTONUP, HTCAPTION, ScreenLParam(away));
    ASSERT_TRUE(PumpUntil([&] { return pressed->State() == dsNormal; }, 600)) << "within the hover timer's period";
    EXPECT_EQ(skinner.HotObject(), nullptr);
    Pump(50);
    EXPECT_TRUE(IsWindowVisible(window)) << "the close button did not act";

    // Pressed and released on it, it acts.
    SetCursorPos(close.x, close.y);
    SendMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, ScreenLParam(close));
    SendMessageA(window, WM_NCLBUTTONUP, HTCAPTION, ScreenLParam(close));
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(window); }));
}

TEST_F(FrameInputTest, ASecondQuickRightClickClosesOnlyWhileATitleObjectIsHot)
{
    TForm& form = ShowForm();
    const HWND window = form.Handle();
    TWinSkinForm& skinner = SkinnerOf(form);
    const auto rightClick = [&](POINT at) {
        uitest::CallAfter(20, [] { EndMenu(); });
        SendMessageA(window, WM_NCRBUTTONDOWN, HTCAPTION, ScreenLParam(at));
    };
    const POINT title = FreeTitlePoint(window);
    SetCursorPos(title.x, title.y);
    Pump(50);
    rightClick(title);
    rightClick(title);
    Pump(50);
    EXPECT_TRUE(IsWindowVisible(window)) << "nothing was hot";

    Sleep(GetDoubleClickTime() + 50);
    const POINT maximize = ButtonCentre(window, kMaximizeX);
    SetCursorPos(maximize.x, maximize.y);
    rightClick(maximize);
    SendMessageA(window, WM_NCMOUSEMOVE, HTCAPTION, ScreenLParam(maximize));
    ASSERT_NE(skinner.HotObject(), nullptr);
    SendMessageA(window, WM_NCRBUTTONDOWN, HTCAPTION, ScreenLParam(maximize));
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(window); }));
}

// Real mouse input from another thread while this one runs the system's
// move and size loops.
void DragWithTheMouse(POINT from, POINT to)
{
    const auto input = [](DWORD flags) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = flags;
        SendInput(1, &in, sizeof in);
    };
    SetCursorPos(from.x, from.y);
    Sleep(50);
    input(MOUSEEVENTF_LEFTDOWN);
    Sleep(100);
    for (int step = 1; step <= 10; ++step) {
        SetCursorPos(from.x + (to.x - from.x) * step / 10, from.y + (to.y - from.y) * step / 10);
        input(MOUSEEVENTF_MOVE);
        Sleep(20);
    }
    input(MOUSEEVENTF_LEFTUP);
}

TEST_F(FrameInputTest, DraggingTheTitleMovesTheWindowAndDraggingABorderSizesIt)
{
    TForm& form = ShowForm();
    const HWND window = form.Handle();
    RECT before{};
    GetWindowRect(window, &before);
    std::thread move([&] { DragWithTheMouse(FreeTitlePoint(window), {FreeTitlePoint(window).x + 40, FreeTitlePoint(window).y + 30}); });
    Pump(800);
    move.join();
    Pump(100);
    RECT after{};
    GetWindowRect(window, &after);
    EXPECT_EQ(after.left - before.left, 40);
    EXPECT_EQ(after.top - before.top, 30);
    EXPECT_EQ(after.right - after.left, before.right - before.left) << "moving keeps the size";

    const POINT rightBorder{after.right - 2, (after.top + after.bottom) / 2};
    EXPECT_EQ(SendMessageA(window, WM_NCHITTEST, 0, ScreenLParam(rightBorder)), HTRIGHT);
    std::thread size([&] { DragWithTheMouse(rightBorder, {rightBorder.x + 25, rightBorder.y}); });
    Pump(800);
    size.join();
    Pump(100);
    RECT sized{};
    GetWindowRect(window, &sized);
    EXPECT_EQ(sized.left, after.left);
    EXPECT_EQ(sized.right - after.right, 25);
}

} // namespace
