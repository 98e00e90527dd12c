// Switching a window's drawing off for a scope (WM_SETREDRAW FALSE, then TRUE).
//
// WM_SETREDRAW is not counted by the system: the first TRUE switches drawing
// back on however many FALSEs came before, and on a hidden window TRUE sets
// WS_VISIBLE without showing it. So the locks of one thread keep a count per
// window; only the outermost one sends the messages, and only when the window
// was drawing (visible) when it began. A redraw asked for by any of them
// happens when the outermost ends.
#pragma once

#include <windows.h>

class TWinControl;

namespace ui {

class RedrawLock {
public:
    // redrawFlags: RedrawWindow flags (RDW_INVALIDATE | RDW_ERASE ...) to
    // repaint what changed meanwhile once drawing is on again; 0 for none.
    explicit RedrawLock(HWND window, UINT redrawFlags = 0);
    RedrawLock(const RedrawLock&) = delete;
    RedrawLock& operator=(const RedrawLock&) = delete;
    ~RedrawLock();

private:
    HWND window_;
};

// BeginUpdate and EndUpdate of a control's item list: drawing is off from the
// outermost Begin to its End, and the control is repainted then.
class UpdateNesting {
public:
    void Begin(TWinControl& control);
    void End(TWinControl& control);

private:
    int count_ = 0;
};

} // namespace ui
