#include "ui/RedrawLock.h"

#include "ui/Control.h"

#include <algorithm>
#include <vector>

namespace ui {
namespace {

struct HeldWindow {
    HWND window;
    int depth;
    UINT redrawFlags;
    bool switchedOff;  // the outermost lock sent WM_SETREDRAW FALSE
};

std::vector<HeldWindow>& HeldWindows()
{
    thread_local std::vector<HeldWindow> held;
    return held;
}

auto Find(HWND window)
{
    auto& held = HeldWindows();
    return std::find_if(held.begin(), held.end(), [window](const HeldWindow& h) { return h.window == window; });
}

} // namespace

RedrawLock::RedrawLock(HWND window, UINT redrawFlags) : window_(window)
{
    if (const auto it = Find(window); it != HeldWindows().end()) {
        ++it->depth;
        it->redrawFlags |= redrawFlags;
        return;
    }
    const bool drawing = IsWindow(window) && (GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) != 0;
    HeldWindows().push_back({window, 1, redrawFlags, drawing});
    if (drawing)
        SendMessageA(window, WM_SETREDRAW, FALSE, 0);
}

RedrawLock::~RedrawLock()
{
    const auto it = Find(window_);
    if (it == HeldWindows().end() || --it->depth > 0)
        return;
    const HeldWindow done = *it;
    HeldWindows().erase(it);
    if (!IsWindow(done.window))
        return;
    if (done.switchedOff)
        SendMessageA(done.window, WM_SETREDRAW, TRUE, 0);
    if (done.redrawFlags != 0)
        RedrawWindow(done.window, nullptr, nullptr, done.redrawFlags);
}

void UpdateNesting::Begin(TWinControl& control)
{
    if (count_++ == 0 && control.HandleAllocated())
        SendMessageA(control.WindowHandle(), WM_SETREDRAW, FALSE, 0);
}

void UpdateNesting::End(TWinControl& control)
{
    if (count_ == 0 || --count_ > 0)
        return;
    if (control.HandleAllocated()) {
        SendMessageA(control.WindowHandle(), WM_SETREDRAW, TRUE, 0);
        control.Invalidate();
    }
}

} // namespace ui
