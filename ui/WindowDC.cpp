#include "ui/WindowDC.h"

namespace ui {

UniqueWindowDC OpenWindowDC(HWND window, DWORD extraFlags) noexcept
{
    return UniqueWindowDC(window, GetDCEx(window, nullptr, DCX_WINDOW | extraFlags));
}

UniqueWindowDC OpenWindowDC(HWND window, UniqueRegion clip, DWORD extraFlags) noexcept
{
    if (!clip)
        return OpenWindowDC(window, extraFlags);
    const HDC dc = GetDCEx(window, clip.get(), DCX_WINDOW | DCX_INTERSECTRGN | extraFlags);
    if (dc)
        clip.release();
    return UniqueWindowDC(window, dc);
}

} // namespace ui
