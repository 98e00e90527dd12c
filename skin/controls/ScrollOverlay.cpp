#include "skin/controls/ScrollOverlay.h"

#include "skin/controls/SkinControl.h"
#include "skin/model/ImgUtil.h"
#include "skin/model/User32Entries.h"
#include "skin/model/WinSkinData.h"
#include "ui/AnsiText.h"
#include "ui/DcGuards.h"
#include "ui/Exceptions.h"
#include "ui/Graphics.h"
#include "ui/Properties.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kScrollbarFrames = 23;
constexpr int kTrackFrames = 4;
constexpr int kDefaultThumbFrames = 3;

bool SameGeometry(const scrollface::TBarGeometry& a, const scrollface::TBarGeometry& b)
{
    return EqualRect(&a.Bar, &b.Bar) && a.ThumbStart == b.ThumbStart && a.ThumbEnd == b.ThumbEnd &&
           a.State == b.State;
}

ATOM OverlayClass()
{
    static const ATOM atom = [] {
        WNDCLASSA wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.lpszClassName = "TWScrollbar";
        return RegisterClassA(&wc);
    }();
    return atom;
}

} // namespace

namespace scrollface {

void ComputeThumb(int length, int arrow, int minimum, int maximum, int page, int position, int& start, int& end)
{
    const int range = maximum - minimum;
    int thumb = arrow;
    if (page != 0) {
        thumb = MulDiv(length - 2 * arrow, page - 1, range);
        start = position == minimum ? arrow : MulDiv(length - 2 * arrow, position - minimum, range) + arrow;
    } else {
        start = position == minimum ? arrow : MulDiv(length - 3 * arrow, position - minimum, range) + arrow;
    }
    end = start + thumb;
}

int HitTest(int along, int arrow, int thumbStart, int thumbEnd, int length)
{
    if (along < arrow)
        return spFirstArrow;
    if (along < thumbStart)
        return spPageBefore;
    if (along < thumbEnd)
        return spThumb;
    if (along < length - arrow)
        return spPageAfter;
    return spSecondArrow;
}

bool PaintBar(HDC dc, TSkinModel& skin, const TBarLook& look, TBitmap& scratch)
{
    TDataSkinObject* const bar = skin.Scrollbar.get();
    if (!bar || !bar->HasBitmap() || look.Width <= 0 || look.Height <= 0)
        return false;
    const int arrow = look.Arrow;
    const int length = look.Vertical ? look.Height : look.Width;
    int thickness = bar->Bitmap.Height();
    if (std::abs(thickness - arrow) > 2)
        thickness = arrow;
    RECT r{0, 0, look.Width, look.Height};
    if (look.Stretch)
        (look.Vertical ? r.right : r.bottom) = thickness;
    scratch.SetSize(r.right, r.bottom);
    const HDC canvas = scratch.Canvas().Handle();
    SetStretchBltMode(canvas, COLORONCOLOR);
    {
        const ui::UniqueBrush face(CreateSolidBrush(ui::ColorToRGB(skin.ButtonFaceColour)));
        FillRect(canvas, &r, face.get());
    }
    if (!look.Stretch)
        (look.Vertical ? r.right : r.bottom) = thickness;

    const auto along = [&](int from, int to) {
        return look.Vertical ? RECT{0, from, r.right, to} : RECT{from, 0, to, r.bottom};
    };
    if (TDataSkinObject* const track = (look.Vertical ? skin.VertScroll : skin.HorzScroll).get();
        track && track->HasBitmap() && length > 2 * arrow)
        DrawSkinElement(canvas, along(arrow, length - arrow), track->Bitmap, false, track->Tile == 1,
                        track->Trans == 1, kTrackFrames, look.Enabled ? 1 : 3, track->Margins());

    const int button = 2 * arrow > length ? length / 2 : arrow;
    const auto arrowFrame = [&](int base, int part) {
        if (look.HotPart != part)
            return base;
        return base + (look.Pressed ? 1 : 3);
    };
    DrawFrameStretched(canvas, along(0, button), bar->Bitmap, true, kScrollbarFrames,
                       arrowFrame(look.Vertical ? 9 : 1, spFirstArrow));
    DrawFrameStretched(canvas, along(length - button, length), bar->Bitmap, true, kScrollbarFrames,
                       arrowFrame(look.Vertical ? 13 : 5, spSecondArrow));

    if (look.Enabled && look.ThumbStart < length && look.ThumbEnd < length && look.ThumbEnd > look.ThumbStart) {
        const bool hot = look.HotPart == spThumb;
        if (TDataSkinObject* const thumb = (look.Vertical ? skin.VertScrollThumb : skin.HorzScrollThumb).get();
            thumb && thumb->HasBitmap()) {
            const int frames = thumb->FrameCount > 0 ? thumb->FrameCount : kDefaultThumbFrames;
            DrawSkinElement(canvas, along(look.ThumbStart, look.ThumbEnd), thumb->Bitmap, false, false,
                            thumb->Trans == 1, frames, hot ? (look.Pressed ? 2 : 3) : 1, thumb->Margins());
        }
        const int grip = bar->Bitmap.Height();
        const int thumbLength = look.ThumbEnd - look.ThumbStart;
        const int gripStart = look.ThumbStart + (thumbLength - grip) / 2;
        if (grip < thumbLength + 2 && gripStart >= 0 && gripStart + grip <= length) {
            const int frame = (look.Vertical ? 20 : 17) + (hot ? (look.Pressed ? 1 : 2) : 0);
            DrawFrameStretched(canvas, along(gripStart, gripStart + grip), bar->Bitmap, true, kScrollbarFrames,
                               frame);
        }
    }

    if (look.Stretch) {
        const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 0, 0, look.DestWidth, look.DestHeight, canvas, 0, 0, scratch.Width(), scratch.Height(),
                   SRCCOPY);
        SetStretchBltMode(dc, oldMode);
    } else {
        BitBlt(dc, 0, 0, look.Width, look.Height, canvas, 0, 0, SRCCOPY);
    }
    return true;
}

} // namespace scrollface

// ============================================================ TWScrollbar

TWScrollbar::TWScrollbar(TSkinControl& owner) : FOwner(owner), FArrowSize(GetSystemMetrics(SM_CXHSCROLL)) {}

TWScrollbar::~TWScrollbar()
{
    *FAlive = false;
    FSubclass.Remove();
}

void TWScrollbar::Attach(TControl& control, TScrollKind kind)
{
    FTargetControl = &control;
    FKind = kind;
    FVertical = kind != TScrollKind::Horizontal;
    if (kind == TScrollKind::Control)
        FVertical = !ui::SameText(ui::GetEnumPropText(&control, "Kind"), "sbHorizontal");
    auto* const windowed = ui::As<TWinControl>(&control);
    if (!windowed)
        return;
    CreateOverlay(windowed->Handle());
    Reposition(FTarget);
}

void TWScrollbar::AttachHandle(HWND target, TScrollKind kind)
{
    FKind = kind;
    FVertical = kind != TScrollKind::Horizontal;
    CreateOverlay(target);
    Reposition(FTarget);
}

void TWScrollbar::CreateOverlay(HWND target)
{
    FTarget = target;
    // A top-level target (a combo box's drop-down list, a child of the
    // desktop on some systems) is covered by a pop-up it owns, which stays
    // above it; a child window by a sibling in its parent.
    FPopup = (GetWindowLongPtrA(target, GWL_STYLE) & WS_CHILD) == 0 || GetParent(target) == GetDesktopWindow();
    const DWORD exStyle = FPopup ? WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE : WS_EX_TOOLWINDOW;
    FWindow.reset(CreateWindowExA(exStyle, MAKEINTATOM(OverlayClass()), "",
                                  (FPopup ? WS_POPUP : WS_CHILD) | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                                  FPopup ? target : GetParent(target), nullptr, GetModuleHandleA(nullptr), nullptr));
    if (!FWindow)
        throw Exception("Cannot create a scroll-bar overlay");
    FSubclass.Install(FWindow.get(), [this](TMessage& message) { HandleMessage(message); });
}

bool TWScrollbar::Geometry(scrollface::TBarGeometry& geometry) const
{
    if (!FTarget)
        return false;
    if (FKind != TScrollKind::Control) {
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        if (!CallGetScrollBarInfo(FTarget, FVertical ? OBJID_VSCROLL : OBJID_HSCROLL, info))
            return false;
        geometry.Bar = info.rcScrollBar;
        geometry.ThumbStart = info.xyThumbTop;
        geometry.ThumbEnd = info.xyThumbBottom;
        // Some systems mark a disabled bar only on its two arrows.
        geometry.State = info.rgstate[0] | (info.rgstate[1] & info.rgstate[5] & STATE_SYSTEM_UNAVAILABLE);
        return true;
    }
    RECT bounds{};
    if (!GetWindowRect(FTarget, &bounds))
        return false;
    MapWindowPoints(nullptr, GetParent(FTarget), reinterpret_cast<POINT*>(&bounds), 2);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    if (!GetScrollInfo(FTarget, SB_CTL, &si))
        return false;
    const int length = FVertical ? bounds.bottom - bounds.top : bounds.right - bounds.left;
    geometry.Bar = bounds;
    scrollface::ComputeThumb(length, FArrowSize, si.nMin, si.nMax, static_cast<int>(si.nPage), si.nPos,
                             geometry.ThumbStart, geometry.ThumbEnd);
    geometry.State = 0;
    return true;
}

void TWScrollbar::Reposition(HWND target)
{
    FTarget = target;
    scrollface::TBarGeometry geometry;
    FShown = Geometry(geometry);
    if (!FShown || !FWindow)
        return;
    if (!(GetWindowLongPtrA(FTarget, GWL_STYLE) & WS_VISIBLE) || geometry.Invisible()) {
        HideBar();
        return;
    }
    RECT bar = geometry.Bar;
    const int width = bar.right - bar.left;
    const int height = bar.bottom - bar.top;
    FLength = FVertical ? height : width;
    FBarOrigin = POINT{bar.left, bar.top};
    POINT position{bar.left, bar.top};
    if (FKind != TScrollKind::Control) {
        FBarRect = bar;
        MapWindowPoints(nullptr, FTarget, reinterpret_cast<POINT*>(&FBarRect), 2);
        if (!FPopup)
            MapWindowPoints(nullptr, GetParent(FWindow.get()), &position, 1);
    } else {
        FBarRect = RECT{0, 0, width, height};
    }
    FShown = true;
    HWND above = GetWindow(FTarget, GW_HWNDPREV);
    if (FPopup)
        above = (GetWindowLongPtrA(FTarget, GWL_EXSTYLE) & WS_EX_TOPMOST) ? HWND_TOPMOST : HWND_TOP;
    SetWindowPos(FWindow.get(), above, position.x, position.y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    FPainted = scrollface::TBarGeometry{};
    InvalidateRect(FWindow.get(), nullptr, FALSE);
}

void TWScrollbar::HideBar()
{
    FShown = false;
    if (FWindow && IsWindowVisible(FWindow.get()))
        ShowWindow(FWindow.get(), SW_HIDE);
}

void TWScrollbar::Follow()
{
    if (!FWindow || !FTarget)
        return;
    scrollface::TBarGeometry geometry;
    if (!Geometry(geometry))
        return;
    const bool wanted = (GetWindowLongPtrA(FTarget, GWL_STYLE) & WS_VISIBLE) && !geometry.Invisible();
    if (wanted != FShown) {
        Reposition(FTarget);
        return;
    }
    if (!FShown)
        return;
    RECT shown{};
    GetWindowRect(FWindow.get(), &shown);
    if (FKind == TScrollKind::Control)
        MapWindowPoints(nullptr, GetParent(FWindow.get()), reinterpret_cast<POINT*>(&shown), 2);
    if (!EqualRect(&shown, &geometry.Bar))
        Reposition(FTarget);
    else if (!SameGeometry(geometry, FPainted))
        InvalidateRect(FWindow.get(), nullptr, FALSE);
}

void TWScrollbar::Refresh()
{
    if (FWindow && FShown)
        RedrawWindow(FWindow.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void TWScrollbar::SetHotPart(int part)
{
    FHotPart = part == spFirstArrow || part == spSecondArrow || part == spPageBefore || part == spPageAfter ||
                       part == spThumb
                   ? part
                   : spNone;
    Refresh();
}

int TWScrollbar::HitTest(POINT point) const
{
    return scrollface::HitTest(FVertical ? point.y : point.x, FArrowSize, FThumbStart, FThumbEnd, FLength);
}

void TWScrollbar::HandleMessage(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT: {
        const ui::PaintDC dc(FWindow.get());
        Paint(dc.get());
        message.Result = 0;
        return;
    }
    case WM_ERASEBKGND:
        message.Result = 1;
        return;
    case WM_MOUSEMOVE: {
        const int part = HitTest(POINT{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)});
        if (part != FHotPart) {
            FHotPart = part;
            InvalidateRect(FWindow.get(), nullptr, FALSE);
        }
        TrackMouseLeave(FWindow.get());
        message.Result = 0;
        return;
    }
    case WM_MOUSELEAVE:
        if (!FPressed) {
            FHotPart = spNone;
            InvalidateRect(FWindow.get(), nullptr, FALSE);
        }
        message.Result = 0;
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        Press(message);
        return;
    case WM_LBUTTONUP:
        Release(message);
        return;
    case WM_MOUSEACTIVATE:
        message.Result = MA_NOACTIVATE;
        return;
    default:
        FSubclass.CallPrevious(message);
        return;
    }
}

void TWScrollbar::Press(TMessage& message)
{
    GetCursorPos(&FPressCursor);
    scrollface::TBarGeometry geometry;
    if (Geometry(geometry))
        FPressThumbStart = geometry.ThumbStart;
    const POINT client{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    POINT point = client;
    if (FKind != TScrollKind::Control) {
        FBarOrigin = POINT{geometry.Bar.left, geometry.Bar.top};
        point.x += FBarOrigin.x;
        point.y += FBarOrigin.y;
    }
    FPressed = true;
    FHotPart = HitTest(client);
    InvalidateRect(FWindow.get(), nullptr, FALSE);
    ReleaseCapture();
    const HWND target = FTarget;
    const std::shared_ptr<bool> alive = FAlive;
    // Returns only when the system's tracking of the press has ended.
    if (FKind == TScrollKind::Control)
        SendMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    else
        SendMessageA(target, WM_NCLBUTTONDOWN, FVertical ? HTVSCROLL : HTHSCROLL, MAKELPARAM(point.x, point.y));
    message.Result = 0;
    if (!*alive)
        return;
    FPressed = false;
    ReleaseCapture();
    if (FWindow)
        InvalidateRect(FWindow.get(), nullptr, FALSE);
}

void TWScrollbar::Release(TMessage& message)
{
    POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    if (FKind != TScrollKind::Control) {
        point.x += FBarOrigin.x;
        point.y += FBarOrigin.y;
    }
    FPressed = false;
    ReleaseCapture();
    if (FKind == TScrollKind::Control) {
        PostMessageA(FTarget, WM_LBUTTONUP, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        InvalidateRect(FWindow.get(), nullptr, FALSE);
    } else {
        PostMessageA(FTarget, WM_NCLBUTTONUP, FVertical ? HTVSCROLL : HTHSCROLL, MAKELPARAM(point.x, point.y));
    }
    message.Result = 0;
}

void TWScrollbar::DragThumb(int thumbLength)
{
    POINT cursor{};
    GetCursorPos(&cursor);
    int start = FPressThumbStart + (FVertical ? cursor.y - FPressCursor.y : cursor.x - FPressCursor.x);
    start = std::max(start, FArrowSize);
    start = std::min(start, FLength - FArrowSize - thumbLength);
    FThumbEnd += start - FThumbStart;
    FThumbStart = start;
}

void TWScrollbar::Paint(HDC dc)
{
    TSkinData* const skin = FOwner.SkinData();
    scrollface::TBarGeometry geometry;
    if (!skin || !skin->Scrollbar || !skin->Scrollbar->HasBitmap() || !Geometry(geometry) || geometry.Invisible())
        return;
    RECT client{};
    GetClientRect(FWindow.get(), &client);
    const int width = geometry.Bar.right - geometry.Bar.left;
    const int height = geometry.Bar.bottom - geometry.Bar.top;
    if (width < 0 || height < 0 || height > client.bottom || width > client.right)
        return;
    FLength = FVertical ? height : width;
    if (FPressed && FHotPart == spThumb && FKind != TScrollKind::Control) {
        DragThumb(geometry.ThumbEnd - geometry.ThumbStart);
    } else {
        FThumbStart = geometry.ThumbStart;
        FThumbEnd = geometry.ThumbEnd;
    }
    scrollface::TBarLook look;
    look.Vertical = FVertical;
    look.Width = width;
    look.Height = height;
    look.Arrow = FArrowSize;
    look.ThumbStart = FThumbStart;
    look.ThumbEnd = FThumbEnd;
    look.Enabled = geometry.Enabled();
    look.HotPart = FHotPart;
    look.Pressed = FPressed;
    look.Stretch = FKind == TScrollKind::Control;
    look.DestWidth = client.right;
    look.DestHeight = client.bottom;
    scrollface::PaintBar(dc, *skin, look, FScratch);
    FPainted = geometry;
}
