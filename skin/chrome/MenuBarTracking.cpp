#include "skin/chrome/MenuBarTracking.h"

#include "skin/chrome/WinSkinMenuBar.h"
#include "ui/ExceptionBoundary.h"
#include "ui/Menus.h"

#include <utility>

namespace {

// The next (step 1) or previous (step -1) visible item from `from`, wrapping round.
int NeighbourOf(const TWinSkinMenu& bar, int from, int step)
{
    const auto items = bar.Items();
    const int count = static_cast<int>(items.size());
    for (int n = 1; n <= count; ++n) {
        const int index = ((from + step * n) % count + count) % count;
        if (items[static_cast<std::size_t>(index)]->Visible && !items[static_cast<std::size_t>(index)]->Caption.empty())
            return index;
    }
    return -1;
}

bool IsRightToLeftItem(const TMenuItem* item)
{
    const TMenu* const menu = item != nullptr ? item->GetParentMenu() : nullptr;
    return menu != nullptr && menu->IsRightToLeft();
}

// No item selected yet, an entry of the bar's drop-down itself, or the entry
// whose children are that drop-down.
bool IsInDropDown(TMenuItem* item, HMENU dropDown)
{
    if (item == nullptr)
        return true;
    TMenuItem* const parent = item->Parent();
    return (parent != nullptr && parent->HandleAllocated() && parent->Handle() == dropDown)
           || (item->HandleAllocated() && item->Handle() == dropDown);
}

} // namespace

TMenuBarTracking& TMenuBarTracking::Instance()
{
    static TMenuBarTracking tracking;
    return tracking;
}

void TMenuBarTracking::Install()
{
    autoSelected = false;
    moved = false;
    GetCursorPos(&lastMouse);
    if (!hook_)
        hook_.reset(SetWindowsHookExA(WH_MSGFILTER, &TMenuBarTracking::HookProc, nullptr, GetCurrentThreadId()));
}

void TMenuBarTracking::Remove()
{
    hook_.reset();
    bar = nullptr;
    currentItem = nullptr;
    current = -1;
    autoSelected = false;
}

LRESULT CALLBACK TMenuBarTracking::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    auto* const message = reinterpret_cast<MSG*>(lParam);
    if (code < 0 || message == nullptr)
        return CallNextHookEx(nullptr, code, wParam, lParam);
    return ui::RunGuarded(nullptr, LRESULT{0}, [&] { return Instance().Filter(code, wParam, *message); });
}

LRESULT TMenuBarTracking::Filter(int code, WPARAM wParam, MSG& message)
{
    if (message.message == WM_KEYDOWN && IsRightToLeftItem(currentItem)) {
        if (message.wParam == VK_LEFT)
            message.wParam = VK_RIGHT;
        else if (message.wParam == VK_RIGHT)
            message.wParam = VK_LEFT;
    }
    const LRESULT next = CallNextHookEx(nullptr, code, wParam, reinterpret_cast<LPARAM>(&message));
    if (next != 0 || code != MSGF_MENU || bar == nullptr)
        return next;

    if (!autoSelected) {
        // Opened from the bar, the drop-down starts with its first entry selected.
        autoSelected = true;
        PostMessageA(message.hwnd, WM_KEYDOWN, VK_DOWN, 0);
    }
    const int target = TargetOf(message);
    if (target >= 0 && target != current) {
        moved = true;
        bar->PostMenuClick(*bar->Items()[static_cast<std::size_t>(target)]);
        itemChanged = true;
    }
    return next;
}

void TMenuBarTracking::Select(WPARAM wParam, LPARAM lParam)
{
    if (bar == nullptr)
        return;
    const auto menu = reinterpret_cast<HMENU>(lParam);
    const UINT flags = HIWORD(wParam);
    if (flags == 0xFFFF && menu == nullptr) {
        // The drop-down closes; unless a move is on its way, so does the tracking.
        if (!moved)
            bar->menuTracking_ = false;
        return;
    }
    moved = false;
    const UINT position = LOWORD(wParam);
    TMenuItem* found = nullptr;
    if (const TMainMenu* const framework = bar->FrameworkMenu()) {
        if ((flags & MF_POPUP) != 0)
            found = framework->FindItem(reinterpret_cast<UINT_PTR>(GetSubMenu(menu, static_cast<int>(position))),
                                        fkHandle);
        else
            found = framework->FindItem(position, fkCommand);
    }
    currentItem = found;
}

int TMenuBarTracking::TargetOf(const MSG& message)
{
    switch (message.message) {
    case WM_KEYDOWN:
        switch (message.wParam) {
        case VK_RETURN:
        case VK_ESCAPE:
            moved = false;
            return -1;
        case VK_LEFT:
            // Inside a nested drop-down the system closes one level instead.
            if (IsInDropDown(currentItem, bar->TrackedSubMenu()))
                return NeighbourOf(*bar, current, -1);
            return -1;
        case VK_RIGHT:
            // An entry with children opens them.
            if (currentItem != nullptr && currentItem->Count() > 0)
                return -1;
            return NeighbourOf(*bar, current, 1);
        default:
            return -1;
        }
    case WM_SYSKEYDOWN:
        if (message.wParam == VK_MENU)
            bar->menuTracking_ = false;
        return -1;
    case WM_MENUSELECT:
        Select(message.wParam, message.lParam);
        return -1;
    case WM_MOUSEMOVE: {
        const POINT point = message.pt;
        if (point.x == lastMouse.x && point.y == lastMouse.y)
            return -1;
        lastMouse = point;
        const TMenuBtn* const item = bar->ItemAt(bar->MapScreenPoint(point));
        return item != nullptr ? item->Index : -1;
    }
    default:
        return -1;
    }
}
