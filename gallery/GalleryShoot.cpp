#include "gallery/GalleryShoot.h"

#include "gallery/GalleryForm.h"
#include "ui/Bitmap.h"
#include "ui/Buttons.h"
#include "ui/Handles.h"
#include "ui/PageControl.h"
#include "ui/PngWriter.h"

#include <windows.h>

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

// The window as it is on the screen.
void Shoot(HWND window, const std::string& file)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    TBitmap picture(rect.right - rect.left, rect.bottom - rect.top);
    const ui::UniqueWindowDC screen = ui::UniqueWindowDC::Whole(nullptr);
    BitBlt(picture.Canvas().Handle(), 0, 0, picture.Width(), picture.Height(), screen.get(), rect.left, rect.top,
           SRCCOPY);
    ui::SavePng(picture, file);
}

// The first enabled button of the page, for the hot and pressed states.
TButton* FirstButton(TWinControl& page)
{
    for (int i = 0; i < page.ControlCount(); ++i) {
        auto* button = ui::As<TButton>(page.Controls(i));
        if (button != nullptr && button->Enabled())
            return button;
    }
    return nullptr;
}

} // namespace

std::vector<std::string> ShootGallery(TGalleryForm& form, const std::string& directory)
{
    std::vector<std::string> files;
    const auto shoot = [&](const std::string& name) {
        const std::string file = directory + "\\" + name + ".png";
        Shoot(form.Handle(), file);
        files.push_back(file);
    };
    SetForegroundWindow(form.Handle());
    TPageControl& pages = form.Pages();
    for (int i = 0; i < pages.PageCount(); ++i) {
        form.ShowPage(i);
        Settle(400);
        shoot("page" + std::to_string(i + 1));
    }
    form.ShowPage(0);
    Settle(300);
    if (TButton* button = FirstButton(*pages.Pages(0))) {
        const RECT bounds = button->BoundsRect();
        POINT centre{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
        ClientToScreen(pages.Pages(0)->Handle(), &centre);
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
    }
    form.SetSkinning(false);
    Settle(800);
    shoot("unskinned");
    form.SetSkinning(true);
    Settle(800);
    return files;
}

} // namespace gallery
