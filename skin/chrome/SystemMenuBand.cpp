#include "skin/chrome/SystemMenuBand.h"

#include "skin/model/WinSkinData.h"
#include "ui/DcGuards.h"
#include "ui/Forms.h"
#include "ui/Graphics.h"

#include <array>

namespace {

// Room left and right of a caption, as the system's menu bar leaves it.
int ItemPadding() { return GetSystemMetrics(SM_CXMENUCHECK) / 2 + 1; }

} // namespace

int TSystemMenuBand::Height() { return GetSystemMetrics(SM_CYMENU); }

void TSystemMenuBand::Paint(HDC dc, const RECT& band, const TSkinData& skin)
{
    items_.clear();
    const int count = GetMenuItemCount(menu_);
    const ui::ScopedSelect font(dc, Screen->MenuFont().Handle());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    LONG x = band.left;
    for (int i = 0; i < count; ++i) {
        std::array<char, 256> caption{};
        GetMenuStringA(menu_, static_cast<UINT>(i), caption.data(), static_cast<int>(caption.size()), MF_BYPOSITION);
        RECT measure{0, 0, 0, 0};
        DrawTextA(dc, caption.data(), -1, &measure, DT_SINGLELINE | DT_CALCRECT);
        RECT item{x, band.top, x + measure.right + 2 * ItemPadding(), band.bottom};
        if (item.left >= band.right)
            break;
        const bool enabled = (GetMenuState(menu_, static_cast<UINT>(i), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) == 0;
        SetTextColor(dc, enabled ? ui::ColorToRGB(skin.MenuBarTextColour) : GetSysColor(COLOR_GRAYTEXT));
        RECT text = item;
        DrawTextA(dc, caption.data(), -1, &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        items_.push_back(item);
        x = item.right;
    }
    SetBkMode(dc, oldMode);
}

int TSystemMenuBand::ItemAt(POINT windowPoint) const
{
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (PtInRect(&items_[i], windowPoint))
            return static_cast<int>(i);
    }
    return -1;
}

void TSystemMenuBand::Open(HWND window, int item) const
{
    if (item < 0 || static_cast<std::size_t>(item) >= items_.size())
        return;
    const auto position = static_cast<UINT>(item);
    UINT command = 0;
    if (HMENU dropDown = GetSubMenu(menu_, item)) {
        RECT windowRect{};
        GetWindowRect(window, &windowRect);
        const RECT& r = items_[static_cast<std::size_t>(item)];
        command = static_cast<UINT>(TrackPopupMenu(dropDown, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_LEFTBUTTON,
                                                   windowRect.left + r.left, windowRect.top + r.bottom, 0, window,
                                                   nullptr));
    } else if ((GetMenuState(menu_, position, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) == 0) {
        command = GetMenuItemID(menu_, item);
    }
    if (command != 0 && command != static_cast<UINT>(-1))
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}
