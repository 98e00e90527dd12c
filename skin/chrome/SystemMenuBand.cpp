#include "skin/chrome/SystemMenuBand.h"

#include "skin/chrome/BorderPainter.h"
#include "skin/model/WinSkinData.h"
#include "ui/DcGuards.h"
#include "ui/Forms.h"
#include "ui/Graphics.h"

#include <array>
#include <cstring>

namespace {

// Room left and right of a caption, as the system's menu bar leaves it.
int ItemPadding() { return GetSystemMetrics(SM_CXMENUCHECK) / 2 + 1; }

// The colour a solid brush paints.
COLORREF BrushColour(HBRUSH brush)
{
    LOGBRUSH look{};
    GetObjectA(brush, sizeof look, &look);
    return look.lbColor;
}

} // namespace

int TSystemMenuBand::Height() { return GetSystemMetrics(SM_CYMENU); }

bool TSystemMenuBand::TLook::operator==(const TLook& other) const
{
    // Only the face name's bytes up to its end count: the rest may be anything.
    constexpr std::size_t fontHeader = offsetof(LOGFONTA, lfFaceName);
    return size.cx == other.size.cx && size.cy == other.size.cy && face == other.face && text == other.text &&
           grayText == other.grayText && std::memcmp(&font, &other.font, fontHeader) == 0 &&
           std::strncmp(font.lfFaceName, other.font.lfFaceName, LF_FACESIZE) == 0 && items == other.items;
}

TSystemMenuBand::TLook TSystemMenuBand::Look(const RECT& band, const TSkinData& skin) const
{
    TLook look;
    look.size = {band.right - band.left, band.bottom - band.top};
    look.face = BrushColour(skin.FaceBrush() ? skin.FaceBrush() : GetSysColorBrush(COLOR_BTNFACE));
    look.text = ui::ColorToRGB(skin.MenuBarTextColour);
    look.grayText = GetSysColor(COLOR_GRAYTEXT);
    GetObjectA(Screen->MenuFont().Handle(), sizeof look.font, &look.font);
    const int count = GetMenuItemCount(menu_);
    for (int i = 0; i < count; ++i) {
        std::array<char, 256> caption{};
        GetMenuStringA(menu_, static_cast<UINT>(i), caption.data(), static_cast<int>(caption.size()), MF_BYPOSITION);
        const bool enabled = (GetMenuState(menu_, static_cast<UINT>(i), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) == 0;
        look.items.push_back({caption.data(), enabled});
    }
    return look;
}

void TSystemMenuBand::Draw(const TLook& look, const TSkinData& skin)
{
    picture_.SetSize(look.size.cx, look.size.cy);
    const HDC dc = picture_.Canvas().Handle();
    FillWithFace(dc, {0, 0, look.size.cx, look.size.cy}, skin);
    layout_.clear();
    const ui::ScopedSelect font(dc, Screen->MenuFont().Handle());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    LONG x = 0;
    for (const TLook::TItem& entry : look.items) {
        const char* caption = entry.caption.c_str();
        RECT measure{0, 0, 0, 0};
        DrawTextA(dc, caption, -1, &measure, DT_SINGLELINE | DT_CALCRECT);
        RECT item{x, 0, x + measure.right + 2 * ItemPadding(), look.size.cy};
        if (item.left >= look.size.cx)
            break;
        SetTextColor(dc, entry.enabled ? look.text : look.grayText);
        RECT text = item;
        DrawTextA(dc, caption, -1, &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        layout_.push_back(item);
        x = item.right;
    }
    SetBkMode(dc, oldMode);
}

void TSystemMenuBand::Paint(HDC dc, const RECT& band, const TSkinData& skin)
{
    items_.clear();
    if (band.right <= band.left || band.bottom <= band.top)
        return;
    TLook look = Look(band, skin);
    if (picture_.Empty() || !(look == drawn_)) {
        Draw(look, skin);
        drawn_ = std::move(look);
    }
    BitBlt(dc, band.left, band.top, drawn_.size.cx, drawn_.size.cy, picture_.Canvas().Handle(), 0, 0, SRCCOPY);
    for (RECT item : layout_) {
        OffsetRect(&item, band.left, band.top);
        items_.push_back(item);
    }
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
