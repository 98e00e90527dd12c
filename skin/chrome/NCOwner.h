// TNCOwner: what the title-bar buttons and menu-bar items ask of the window
// that holds them. The form skinner implements it; the objects never see
// more of it than this.
#pragma once

#include "skin/chrome/NCObject.h"

#include <windows.h>

#include <cstdint>

class TBitmap;
class TSkinData;

// The kinds of frame a window has.
enum TNCBorderKind : int {
    bkSizeable = 0,
    bkSingle = 1,
    bkNone = 2,
    bkDialog = 3,
};

// The menu bar as painted before its item captions were drawn: a picture of
// the band, and where the band lies in window coordinates.
struct TMenuBarBackdrop {
    TBitmap* picture = nullptr; // none before the bar's first paint
    TNCRect band{};
};

class TNCOwner : public TNCHotTracker {
public:
    virtual HWND Handle() const = 0;
    virtual TSkinData& SkinData() const = 0;

    // ---- the frame, for the layout
    // The window's width at the last frame paint.
    virtual int WindowWidth() const = 0;
    virtual int BorderLeft() const = 0;
    virtual int BorderRight() const = 0;
    virtual int TitleHeight() const = 0;
    // 0 without a skinned menu bar.
    virtual int MenuBarHeight() const = 0;
    // The caption text's box at the last title paint; empty at (0, 0) before the first.
    virtual TNCRect CaptionRect() const = 0;
    virtual bool IsRightToLeft() const = 0;

    // ---- the window's state, for the visibility rules
    virtual bool IsMaximized() const = 0;
    virtual bool IsActive() const = 0;
    virtual bool HasMaximizeBox() const = 0;
    virtual bool HasMinimizeBox() const = 0;
    virtual bool HasSystemMenu() const = 0;
    virtual TNCBorderKind BorderKind() const = 0;
    // "#32770" or "TMessageForm".
    virtual bool IsDialogClass() const = 0;
    // An MDI frame with a skinned menu bar whose active child is maximised.
    virtual bool ShowsMdiChildButtons() const = 0;

    // ---- painting
    // Draws the window's small icon into rect of dc (the window-icon buttons).
    virtual void DrawWindowIcon(HDC dc, const RECT& rect) = 0;
    // The menu bar's cached background.
    virtual TMenuBarBackdrop MenuBarBackdrop() const = 0;

    // ---- what the buttons do
    // The window's system menu, whose close item lets the close button act; none without one.
    virtual HMENU SystemMenu() const = 0;
    // The MDI client window of an MDI frame; none for any other window.
    virtual HWND MdiClient() const = 0;
    virtual void StopHoverTimer() = 0;
    virtual void ToggleMaximize() = 0;
    virtual void ToggleMinimize() = 0;
    // Opens the skinned system menu at a screen point.
    virtual void OpenSysMenu(POINT screenPoint) = 0;

protected:
    ~TNCOwner() = default;
};

inline RECT ToRECT(const TNCRect& r) { return {r.left, r.top, r.right, r.bottom}; }
inline TNCPoint ToNCPoint(POINT p) { return {static_cast<std::int32_t>(p.x), static_cast<std::int32_t>(p.y)}; }
