// Helpers for the window tests: run the message loop for a while, act later
// from inside a modal loop (a menu, a message box, a modal form), find the
// thread's dialog boxes.
#pragma once

#include "ui/ExceptionBoundary.h"
#include "ui/Forms.h"

#include <windows.h>

#include <functional>
#include <map>
#include <string>

namespace uitest {

// Handles messages until done() holds or the time runs out; true when done.
inline bool PumpUntil(const std::function<bool()>& done, int milliseconds = 2000)
{
    // <chrono> cannot be compiled for the GBK execution character set.
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    while (!done()) {
        if (GetTickCount64() > end)
            return false;
        Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

inline void Pump(int milliseconds = 50)
{
    PumpUntil([] { return false; }, milliseconds);
}

inline std::map<UINT_PTR, std::function<void()>>& PendingCalls()
{
    static std::map<UINT_PTR, std::function<void()>> pending;
    return pending;
}

inline void CALLBACK RunPendingCall(HWND, UINT, UINT_PTR timer, DWORD) noexcept
{
    KillTimer(nullptr, timer);
    ui::RunGuarded(nullptr, [timer] {
        const auto it = PendingCalls().find(timer);
        if (it == PendingCalls().end())
            return;
        const std::function<void()> run = std::move(it->second);
        PendingCalls().erase(it);
        run();
    });
}

// Runs action once, after milliseconds, from whatever message loop is running then.
inline void CallAfter(unsigned milliseconds, std::function<void()> action)
{
    const UINT_PTR id = SetTimer(nullptr, 0, milliseconds, &RunPendingCall);
    PendingCalls()[id] = std::move(action);
}

// Runs action once ready() holds, looking every 20 ms from whatever message
// loop runs then, or after `tries` looks in any case. Unlike pumping inside
// one call, it never holds up a loop that is still making its window.
inline void CallWhen(std::function<bool()> ready, std::function<void()> action, int tries = 250)
{
    CallAfter(20, [ready = std::move(ready), action = std::move(action), tries]() mutable {
        if (tries <= 0 || ready()) {
            action();
            return;
        }
        CallWhen(std::move(ready), std::move(action), tries - 1);
    });
}

// What EnumThreadWindows looks for: a visible window of one class.
struct WindowSearch {
    const char* className;
    HWND found = nullptr;
};

inline BOOL CALLBACK MatchVisibleClass(HWND window, LPARAM data) noexcept
{
    auto& search = *reinterpret_cast<WindowSearch*>(data);
    char name[32]{};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == search.className && IsWindowVisible(window)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

// The first visible top-level window of this thread of the class, or null.
inline HWND FindThreadWindow(const char* className)
{
    WindowSearch search{className};
    EnumThreadWindows(GetCurrentThreadId(), &MatchVisibleClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The first visible dialog box (class "#32770") of this thread, or null.
inline HWND FindThreadDialog() { return FindThreadWindow("#32770"); }

inline BOOL CALLBACK CancelIfDialog(HWND window, LPARAM) noexcept
{
    char name[32]{};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770")
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

// Cancels every dialog box of this thread, shown or not yet: what a test
// does when the one it waited for did not turn up as expected.
inline void CancelThreadDialogs() { EnumThreadWindows(GetCurrentThreadId(), &CancelIfDialog, 0); }

// The open popup-menu window (class "#32768") of this thread, or null.
inline HWND FindThreadMenu() { return FindThreadWindow("#32768"); }

inline std::string WindowText(HWND window)
{
    char text[512]{};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

inline BOOL CALLBACK AppendChildText(HWND window, LPARAM data) noexcept
{
    return ui::RunGuarded(nullptr, FALSE, [&]() -> BOOL {
        *reinterpret_cast<std::string*>(data) += WindowText(window) + "\n";
        return TRUE;
    });
}

// The texts of all child windows, one per line (a message box's message is among them).
inline std::string ChildTexts(HWND window)
{
    std::string texts;
    EnumChildWindows(window, &AppendChildText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

// Presses (or releases) a key in the thread's keyboard state, as GetKeyState sees it.
inline void SetKeyDown(int key, bool down)
{
    BYTE state[256]{};
    GetKeyboardState(state);
    state[key] = down ? 0x80 : 0;
    SetKeyboardState(state);
}

// Posts a key press to the focused window and handles it.
inline void PressKey(WORD key)
{
    HWND target = GetFocus();
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
    Application->ProcessMessages();
}

} // namespace uitest
