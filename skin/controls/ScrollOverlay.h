// TWScrollbar: a window of our own lying over one native scroll bar (a
// window's horizontal or vertical bar, or a whole scroll-bar control). It
// draws the bar from the skin and hands every press back to the real window,
// so the system still does the scrolling, repeating and thumb tracking.
// The painter in `scrollface` draws one bar state into any DC.
#pragma once

#include "ui/Bitmap.h"
#include "ui/Handles.h"
#include "ui/WndProcThunk.h"

#include <windows.h>

#include <memory>

class TControl;
class TSkinControl;
class TSkinModel;

// The part codes are the system's scroll codes, so that a scroll
// notification names the part it comes from.
enum TScrollPart : int {
    spNone = -1,
    spFirstArrow = SB_LINEUP,
    spSecondArrow = SB_LINEDOWN,
    spPageBefore = SB_PAGEUP,
    spPageAfter = SB_PAGEDOWN,
    spThumb = SB_THUMBTRACK,
};

enum class TScrollKind : int { Horizontal = 0, Vertical = 1, Control = 2 };

namespace scrollface {

// Where a bar is: its rectangle (screen coordinates for a window's bars,
// parent client coordinates for a control), the thumb along the axis from
// the bar's start, and the system's state bits.
struct TBarGeometry {
    RECT Bar{};
    int ThumbStart = 0;
    int ThumbEnd = 0;
    DWORD State = 0;
    bool Invisible() const noexcept { return (State & STATE_SYSTEM_INVISIBLE) != 0; }
    bool Enabled() const noexcept { return (State & STATE_SYSTEM_UNAVAILABLE) == 0; }
};

// The thumb of a scroll-bar control from its range, page and position, the
// way the overlay lays it out (no minimum thumb length).
void ComputeThumb(int length, int arrow, int minimum, int maximum, int page, int position, int& start, int& end);

// The part under a point `along` pixels from the bar's start.
int HitTest(int along, int arrow, int thumbStart, int thumbEnd, int length);

// What one paint of a bar shows.
struct TBarLook {
    bool Vertical = true;
    int Width = 0;  // the bar's size
    int Height = 0;
    int Arrow = 0;  // length of each arrow button
    int ThumbStart = 0;
    int ThumbEnd = 0;
    bool Enabled = true;
    int HotPart = spNone;
    bool Pressed = false;
    // A scroll-bar control: drawn at the skin's thickness and stretched over
    // destWidth x destHeight; a window's bar is copied one to one.
    bool Stretch = false;
    int DestWidth = 0;
    int DestHeight = 0;
};

// The bar into dc at (0, 0), composed in scratch and copied once. False,
// nothing drawn, when the skin has no Scrollbar picture or the size is unusable.
bool PaintBar(HDC dc, TSkinModel& skin, const TBarLook& look, TBitmap& scratch);

} // namespace scrollface

class TWScrollbar {
public:
    // The overlay of kind over the bar of the skinner's window.
    explicit TWScrollbar(TSkinControl& owner);
    ~TWScrollbar();
    TWScrollbar(const TWScrollbar&) = delete;
    TWScrollbar& operator=(const TWScrollbar&) = delete;

    // Over a framework control's bar; a scroll-bar control's direction is
    // read from its "Kind" property.
    void Attach(TControl& control, TScrollKind kind);
    // Over a bare window's bar.
    void AttachHandle(HWND target, TScrollKind kind);

    // Follows the bar: shown and moved over it, or hidden when it is not visible.
    void Reposition(HWND target);
    void HideBar();
    // Shows the present thumb: repositions when the bar moved, repaints when
    // the thumb or state changed. Cheap when nothing changed.
    void Follow();
    // Repainted before returning (the system's own tracking loops paint the
    // bar without a WM_PAINT of ours).
    void Refresh();
    void SetHotPart(int part);

    // The part under a point of the overlay's client area.
    int HitTest(POINT point) const;
    bool Geometry(scrollface::TBarGeometry& geometry) const;

    HWND Handle() const noexcept { return FWindow.get(); }
    HWND Target() const noexcept { return FTarget; }
    TScrollKind Kind() const noexcept { return FKind; }
    bool Vertical() const noexcept { return FVertical; }
    bool Shown() const noexcept { return FShown; }
    bool Pressed() const noexcept { return FPressed; }
    int HotPart() const noexcept { return FHotPart; }
    int ArrowSize() const noexcept { return FArrowSize; }
    int ThumbStart() const noexcept { return FThumbStart; }
    int ThumbEnd() const noexcept { return FThumbEnd; }
    // The bar in the target's client coordinates.
    const RECT& BarRect() const noexcept { return FBarRect; }

private:
    void CreateOverlay(HWND target);
    void HandleMessage(TMessage& message);
    void Paint(HDC dc);
    void Press(TMessage& message);
    void Release(TMessage& message);
    void DragThumb(int thumbLength);

    TSkinControl& FOwner;
    TControl* FTargetControl = nullptr;
    HWND FTarget = nullptr;
    TScrollKind FKind = TScrollKind::Vertical;
    bool FVertical = true;
    int FLength = 0;
    int FArrowSize = 0;
    int FThumbStart = 0;
    int FThumbEnd = 0;
    int FHotPart = spNone;
    bool FPressed = false;
    POINT FPressCursor{};
    int FPressThumbStart = 0;
    POINT FBarOrigin{};
    RECT FBarRect{};
    bool FShown = false;
    bool FPopup = false;
    // What the last paint showed, so Follow repaints only on a change.
    scrollface::TBarGeometry FPainted;
    TBitmap FScratch;
    ui::UniqueWindow FWindow;
    ui::WindowSubclass FSubclass;
    // False once freed: a press returns from the system's loop only after
    // whatever that loop did, which may have freed the overlay.
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
