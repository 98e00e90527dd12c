// Typed views of the non-client messages.
//
// Each view reads one message's parameters the way the system packs them, so
// that a frame painter never decodes a word or long parameter by hand. Points
// are screen coordinates and keep their sign: a monitor left of or above the
// primary one has negative coordinates, which LOWORD and HIWORD would turn
// into numbers near 65535.
#pragma once

#include "ui/Handles.h"
#include "ui/Messages.h"

namespace ui {

// The screen point packed into the long parameter of a mouse or hit-test message.
constexpr POINT UnpackPoint(LPARAM lParam) noexcept
{
    const auto bits = static_cast<DWORD_PTR>(lParam);
    return {static_cast<short>(bits & 0xFFFF), static_cast<short>((bits >> 16) & 0xFFFF)};
}

// The same packing in the other direction (as MAKELPARAM does it), for
// messages the program sends itself.
constexpr LPARAM PackPoint(POINT point) noexcept
{
    const auto x = static_cast<DWORD>(static_cast<WORD>(point.x));
    const auto y = static_cast<DWORD>(static_cast<WORD>(point.y));
    return static_cast<LPARAM>(x | (y << 16));
}

// A screen point relative to the top-left corner of the window's rectangle,
// the origin of a window DC.
POINT ScreenToWindowPoint(HWND window, POINT screen) noexcept;

// WM_NCCALCSIZE. In its short form (word parameter FALSE) the long parameter
// is one RECT; in its long form (TRUE) it is NCCALCSIZE_PARAMS and the answer
// may be WVR_ flags. Both start with the same rectangle: the proposed window
// rectangle on entry, the client rectangle on return.
class NcCalcSize {
public:
    explicit NcCalcSize(const TMessage& message) noexcept : NcCalcSize(message.WParam, message.LParam) {}
    NcCalcSize(WPARAM wParam, LPARAM lParam) noexcept;

    // The first rectangle of either form: overwrite it with the client rectangle.
    RECT& Rect() const noexcept { return *rect_; }
    // The long form's block: rgrc[1] and rgrc[2] hold the window and client
    // rectangles before the change (on return, with WVR_VALIDRECTS, the valid
    // destination and source), lppos the new position. Null in the short form,
    // which has none of these.
    NCCALCSIZE_PARAMS* Params() const noexcept { return params_; }

private:
    RECT* rect_;
    NCCALCSIZE_PARAMS* params_;
};

// WM_NCHITTEST: the answer is the HT code of the part under the point.
class NcHitTest {
public:
    explicit NcHitTest(const TMessage& message) noexcept : point_(UnpackPoint(message.LParam)) {}

    POINT ScreenPoint() const noexcept { return point_; }

private:
    POINT point_;
};

// WM_NCPAINT. The word parameter is the frame's update region in screen
// coordinates, or 1 when the whole window is to be painted. The region is the
// system's: it frees it after the message, so it is never freed or handed on
// here (GetDCEx would take it); take a copy for that.
class NcPaint {
public:
    explicit NcPaint(const TMessage& message) noexcept : NcPaint(message.WParam) {}
    explicit NcPaint(WPARAM wParam) noexcept : wParam_(wParam) {}

    // 1 means the whole window; 0 is not sent, but it cannot name a region either.
    bool WholeWindow() const noexcept { return wParam_ <= 1; }
    // The update region; empty when the whole window is to be painted.
    Borrowed<HRGN> Region() const noexcept;
    // A copy of the update region that belongs to the caller; empty when the
    // whole window is to be painted or the system has no region left to give.
    UniqueRegion CopyRegion() const noexcept;

private:
    WPARAM wParam_;
};

// WM_NCACTIVATE. The answer TRUE lets the change happen; FALSE on
// deactivation keeps the frame drawn as active.
class NcActivate {
public:
    explicit NcActivate(const TMessage& message) noexcept : wParam_(message.WParam), lParam_(message.LParam) {}

    // The frame is to show the active state.
    bool Active() const noexcept { return wParam_ != 0; }
    // Long parameter -1: the frame is not to be repainted for this change
    // (systems with visual styles ask this when they repaint it themselves).
    bool RepaintSuppressed() const noexcept { return lParam_ == -1; }
    // Otherwise an optional update region for the frame, owned by the system.
    Borrowed<HRGN> Region() const noexcept;

private:
    WPARAM wParam_;
    LPARAM lParam_;
};

// WM_NCMOUSEMOVE, WM_NC?BUTTON* and WM_NCMOUSEHOVER.
class NcMouse {
public:
    explicit NcMouse(const TMessage& message) noexcept
        : hitCode_(static_cast<short>(message.WParam & 0xFFFF)), point_(UnpackPoint(message.LParam))
    {
    }

    // Where the mouse is (HTCAPTION, HTCLOSE ...), as the last WM_NCHITTEST
    // answered. The X buttons keep the button in the word's high half.
    int HitCode() const noexcept { return hitCode_; }
    POINT ScreenPoint() const noexcept { return point_; }

private:
    int hitCode_;
    POINT point_;
};

// True for the messages NcMouse reads. The undocumented caption repaints
// follow right after the X button messages, so a range test up to 0xAF
// would take them for mouse input.
constexpr bool IsNcMouseMessage(UINT msg) noexcept
{
    return (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK) ||
           (msg >= WM_NCXBUTTONDOWN && msg <= WM_NCXBUTTONDBLCLK) || msg == WM_NCMOUSEHOVER;
}

} // namespace ui
