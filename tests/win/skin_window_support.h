// Shared by the tests of skinned windows on the screen: sizes of a window,
// what the screen shows of it, the manager switched on as the program has
// it, and top-level windows of a class of their own that record what they
// are sent.
#pragma once

#include "tests/win/skin_data_support.h"
#include "tests/win/ui_window_support.h"

#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinDlg.h"
#include "skin/model/WinSkinData.h"
#include "ui/Bitmap.h"
#include "ui/Handles.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace skinwin {

inline SIZE WindowSize(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

inline SIZE ClientSize(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

// Where the client area starts inside the window.
inline POINT ClientOffset(HWND window)
{
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    RECT bounds{};
    GetWindowRect(window, &bounds);
    return {origin.x - bounds.left, origin.y - bounds.top};
}

// What the screen shows of the window's rectangle. Wine draws to the X
// server asynchronously, so the drawing is given time to arrive first.
inline std::unique_ptr<TBitmap> ScreenOf(HWND window)
{
    uitest::Pump(100);
    RECT r{};
    GetWindowRect(window, &r);
    auto picture = std::make_unique<TBitmap>(r.right - r.left, r.bottom - r.top);
    HDC screen = GetDC(nullptr);
    BitBlt(picture->Canvas().Handle(), 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return picture;
}

inline bool Contains(const TBitmap& picture, const RECT& area, TColor colour)
{
    for (LONG y = area.top; y < area.bottom; ++y)
        for (LONG x = area.left; x < area.right; ++x)
            if (skintest::PixelOf(picture, x, y) == colour)
                return true;
    return false;
}

// The manager as the program has it once its skin is loaded: hooked, serving
// skin, switched on.
inline TSkinManage& SwitchedOnManager(TSkinData& skin)
{
    TSkinManage& manager = EnsureSkinManager();
    if (manager.HookHandle() == nullptr) {
        manager.AddSkinData(&skin);
        manager.InstallHook();
        skin.SetActive(true);
        manager.SetEnabled(true);
    }
    return manager;
}

inline bool IsSkinned(HWND window) { return SendMessageA(window, SKM_ISSKINNED, 0, 0) == 1; }

// What a recording window was sent.
struct Sent {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT windowPosFlags = 0; // of WM_WINDOWPOSCHANGING
};

inline LRESULT CALLBACK RecordingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    if (auto* log = reinterpret_cast<std::vector<Sent>*>(GetWindowLongPtrA(window, GWLP_USERDATA))) {
        Sent sent{message, wParam, lParam};
        if (message == WM_WINDOWPOSCHANGING)
            sent.windowPosFlags = reinterpret_cast<const WINDOWPOS*>(lParam)->flags;
        ui::RunGuarded(nullptr, [&] { log->push_back(sent); });
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A top-level window of a class of its own, registered for `module`, that
// keeps a log of what it is sent.
class RecordingWindow {
public:
    RecordingWindow(const char* className, HINSTANCE module, DWORD style, RECT bounds)
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &RecordingWindowProc;
        wc.hInstance = module;
        wc.lpszClassName = className;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        RegisterClassA(&wc);
        window_.reset(CreateWindowExA(0, className, "Recording", style, bounds.left, bounds.top,
                                      bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr, nullptr,
                                      module, &log));
    }
    HWND get() const { return window_.get(); }
    int Count(UINT message) const
    {
        int count = 0;
        for (const Sent& sent : log)
            count += sent.message == message ? 1 : 0;
        return count;
    }

    std::vector<Sent> log;

private:
    ui::UniqueWindow window_;
};

// Makes the window the active one, by way of another window when it is active already.
inline void ActivateAgain(HWND window)
{
    // Of another module and without caption: never skinned itself.
    const ui::UniqueWindow other(CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 900, 700, 40, 40, nullptr,
                                                 nullptr, GetModuleHandleA("user32.dll"), nullptr));
    SetActiveWindow(other.get());
    uitest::Pump(30);
    SetActiveWindow(window);
    uitest::Pump(100);
}

} // namespace skinwin
