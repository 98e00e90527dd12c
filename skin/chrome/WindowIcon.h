// A window's small icon as the window-icon title button shows it.
#pragma once

#include "ui/Bitmap.h"
#include "ui/Handles.h"

#include <windows.h>

class TWindowIcon {
public:
    // Takes the window's small icon, else its big one, scaled to the small
    // icon size, and draws it over magenta into Picture(). A window without
    // an icon leaves a picture of magenta only.
    void Render(HWND window);

    bool HasIcon() const noexcept { return static_cast<bool>(icon_); }
    // Small-icon sized; magenta where the icon has nothing.
    TBitmap& Picture() noexcept { return picture_; }

    // The icon at rect's top-left at the small icon size; without an icon,
    // the picture with magenta left out.
    void Draw(HDC dc, const RECT& rect);

private:
    ui::UniqueIcon icon_;
    TBitmap picture_;
};
