#include "gallery/GalleryShoot.h"

#include "gallery/GalleryForm.h"
#include "ui/Bitmap.h"
#include "ui/Buttons.h"
#include "ui/ExceptionBoundary.h"
#include "ui/ExtCtrls.h"
#include "ui/Handles.h"
#include "ui/PageControl.h"
#include "ui/PngWriter.h"

#include <windows.h>

#include <functional>
#include <vector>

namespace gallery {
namespace {

// Lets the window paint; the display server draws after the program does.
void Settle(int milliseconds)
{
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    do {
        Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount64() < end);
}

BOOL CALLBACK AddMenuWindow(HWND window, LPARAM data) noexcept
{
    return ui::RunGuarded(nullptr, TRUE, [&]() -> BOOL {
        char name[16]{};
        GetClassNameA(window, name, sizeof name);
        if (IsWindowVisible(window) && std::string_view(name) == "#32768") {
            RECT& area = *reinterpret_cast<RECT*>(data);
            RECT menu{};
            GetWindowRect(window, &menu);
            UnionRect(&area, &area, &menu);
        }
        return TRUE;
    });
}

// The window as it is on the screen, with whatever menus of the program are open over it.
void Shoot(HWND window, const std::string& file)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    EnumThreadWindows(GetCurrentThreadId(), AddMenuWindow, reinterpret_cast<LPARAM>(&rect));
    TBitmap picture(rect.right - rect.left, rect.bottom - rect.top);
    const ui::UniqueWindowDC screen = ui::UniqueWindowDC::Whole(nullptr);
    BitBlt(picture.Canvas().Handle(), 0, 0, picture.Width(), picture.Height(), screen.get(), rect.left, rect.top,
           SRCCOPY);
    ui::SavePng(picture, file);
}

// The first enabled button of the page, for the hot, pressed and focused states.
TButton* FirstButton(TWinControl& page)
{
    for (int i = 0; i < page.ControlCount(); ++i) {
        auto* button = ui::As<TButton>(page.Controls(i));
        if (button != nullptr && button->Enabled())
            return button;
    }
    return nullptr;
}

// Runs steps one after another, every interval ms, from a timer, so that
// they also run inside the modal loop of an open menu; the last ends it.
void RunWhileMenuOpen(const std::vector<std::function<void()>>& steps, const std::function<void()>& open)
{
    std::size_t next = 0;
    TTimer timer(nullptr);
    timer.SetInterval(400);
    timer.OnTimer = TNotifyEvent([&](TObject*) {
        if (next < steps.size())
            steps[next++]();
        if (next == steps.size()) {
            timer.SetEnabled(false);
            EndMenu();
        }
    });
    timer.SetEnabled(true);
    open();
    // A menu that did not open leaves the steps to the message loop.
    while (next < steps.size())
        Settle(50);
    timer.SetEnabled(false);
}

void PressKey(HWND window, WPARAM key)
{
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
}

} // namespace

std::vector<std::string> ShootGallery(TGalleryForm& form, const std::string& directory)
{
    std::vector<std::string> files;
    const auto shootWindow = [&](HWND window, const std::string& name) {
        const std::string file = directory + "\\" + name + ".png";
        Shoot(window, file);
        files.push_back(file);
    };
    const auto shoot = [&](const std::string& name) { shootWindow(form.Handle(), name); };
    const HWND window = form.Handle();
    SetForegroundWindow(window);
    TPageControl& pages = form.Pages();
    for (int i = 0; i < pages.PageCount(); ++i) {
        form.ShowPage(i);
        Settle(400);
        shoot("page" + std::to_string(i + 1));
    }
    form.ShowPage(0);
    Settle(300);
    TWinControl& firstPage = *pages.Pages(0);
    if (TButton* button = FirstButton(firstPage)) {
        const RECT bounds = button->BoundsRect();
        POINT centre{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
        ClientToScreen(firstPage.Handle(), &centre);
        SetCursorPos(centre.x, centre.y);
        Settle(400);
        shoot("hot");
        const LPARAM at = MAKELPARAM((bounds.right - bounds.left) / 2, (bounds.bottom - bounds.top) / 2);
        SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        Settle(300);
        shoot("pressed");
        // Released off the button: nothing is clicked.
        SendMessageA(button->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-50, -50));
        SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(-50, -50));
        SetCursorPos(0, 0);
        Settle(300);
        button->SetFocus();
        Settle(300);
        shoot("focused");
    }
    // Every control of the first page disabled at once.
    std::vector<TControl*> disabled;
    for (int i = 0; i < firstPage.ControlCount(); ++i) {
        if (TControl* control = firstPage.Controls(i); control->Enabled()) {
            control->SetEnabled(false);
            disabled.push_back(control);
        }
    }
    Settle(400);
    shoot("disabled");
    for (TControl* control : disabled)
        control->SetEnabled(true);
    Settle(200);

    // The File drop-down (images, a shortcut, a disabled item, a line), then
    // the View drop-down with its checked items and the pages submenu open.
    RunWhileMenuOpen({[&] { shoot("menu-file"); }, [&] { PressKey(window, VK_RIGHT); },
                      [&] { PostMessageA(window, WM_CHAR, 'p', 1); }, [&] { shoot("menu-view"); }},
                     [&] { SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, 'f'); });
    Settle(300);

    form.MdiItemClick(nullptr);
    if (const HWND frame = form.MdiFrame()) {
        SetForegroundWindow(frame);
        Settle(600);
        shootWindow(frame, "mdi");
        const HWND client = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
        const auto child = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
        SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
        Settle(600);
        shootWindow(frame, "mdi-maximised");
        form.CloseMdiFrame();
        SetForegroundWindow(window);
        Settle(300);
    }

    form.SetSkinning(false);
    Settle(800);
    shoot("unskinned");
    form.SetSkinning(true);
    Settle(800);
    return files;
}

} // namespace gallery
