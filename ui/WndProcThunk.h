// Putting an object in front of a window's procedure.
//
// Several parties subclass the same window one on top of the other: the
// framework control that created it, then a skinner for the control, then
// perhaps a second skinner. A single static window procedure cannot tell
// those layers apart when one of them calls its predecessor, so every layer
// gets its own code address: a tiny executable stub (thunk) that hands the
// call to the layer's record. WindowSubclass is the one mechanism the
// framework and the skinning engine use to do this.
#pragma once

#include "ui/Messages.h"

#include <windows.h>

#include <functional>

namespace ui {

namespace detail {
struct SubclassRecord;
}

class WindowSubclass {
public:
    using Handler = std::function<void(TMessage&)>;

    WindowSubclass() = default;
    WindowSubclass(const WindowSubclass&) = delete;
    WindowSubclass& operator=(const WindowSubclass&) = delete;
    ~WindowSubclass();

    // Makes handler the window's procedure; the previous one stays reachable
    // through CallPrevious. The W or A form of the window-long calls is chosen
    // by IsWindowUnicode, so a Unicode window stays Unicode. Fails (false) for
    // an invalid window or when already installed. An exception that leaves
    // the handler goes to the exception boundary (ui/ExceptionBoundary.h) and
    // the message answers 0.
    bool Install(HWND window, Handler handler);

    // Gives the window its previous procedure back. When somebody subclassed
    // the window after us, unhooking would cut them off; the thunk then stays
    // in the chain as a pure pass-through until the window is destroyed. The
    // handler is never called again either way. Safe from inside the handler.
    void Remove() noexcept;

    bool Installed() const noexcept { return record_ != nullptr; }
    HWND Window() const noexcept;
    WNDPROC Previous() const noexcept;
    // The thunk's address: the value GetWindowLongPtr(GWLP_WNDPROC) shows while we are on top.
    WNDPROC Proc() const noexcept;
    bool Unicode() const noexcept;

    // Runs the previous procedure and stores its answer in message.Result.
    void CallPrevious(TMessage& message) const;
    LRESULT CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam) const;

private:
    detail::SubclassRecord* record_ = nullptr;
};

// Number of thunks alive (installed subclasses plus orphaned pass-throughs):
// tests use it to prove that freed controls leave nothing behind.
long LiveThunkCount() noexcept;

// Calls a window procedure the way its kind expects (CallWindowProcW for
// Unicode windows, CallWindowProcA otherwise).
LRESULT CallProc(WNDPROC proc, bool unicode, HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace ui
