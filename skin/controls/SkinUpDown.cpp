#include "skin/controls/SkinUpDown.h"

#include "skin/model/ImgUtil.h"
#include "skin/model/WinSkinData.h"
#include "ui/DcGuards.h"
#include "ui/Handles.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <memory>

constinit const TClassInfo TSkinUpDown::ClassInfo = ui::ClassOf<TSkinUpDown>("TSkinUpDown", TSkinControl::ClassInfo);

namespace spinface {

THalfState HalfState(std::uint8_t state, bool enabled, bool pointerOver) noexcept
{
    if (!enabled)
        return THalfState::Disabled;
    if (!pointerOver)
        return THalfState::Normal;
    if (state & ssDown)
        return THalfState::Pressed;
    if (state & ssHot)
        return THalfState::Hot;
    return THalfState::Normal;
}

int HalfFrame(THalfState state, bool first) noexcept { return static_cast<int>(state) + (first ? 0 : 4); }

void SplitHalves(const RECT& rect, bool horizontal, RECT& first, RECT& second) noexcept
{
    first = second = rect;
    if (horizontal) {
        first.right = second.left = rect.left + (rect.right - rect.left) / 2;
    } else {
        first.bottom = second.top = rect.top + (rect.bottom - rect.top) / 2;
    }
}

RECT KeepClearOfEdit(const RECT& rect, POINT offset, SIZE editSize) noexcept
{
    constexpr int kClear = 3;
    RECT result = rect;
    result.top = std::max<LONG>(result.top, kClear - offset.y);
    result.bottom = std::min<LONG>(result.bottom, editSize.cy - kClear - offset.y);
    result.right = std::min<LONG>(result.right, editSize.cx - kClear - offset.x);
    return result;
}

namespace {

// A small filled triangle pointing away from the half's partner.
void Arrow(HDC dc, const RECT& half, bool first, bool horizontal, COLORREF colour)
{
    const int cx = (half.left + half.right) / 2;
    const int cy = (half.top + half.bottom) / 2;
    const ui::UniquePen pen(CreatePen(PS_SOLID, 1, colour));
    const ui::ScopedSelect selected(dc, pen.get());
    for (int i = 0; i < 3; ++i) {
        if (horizontal) {
            const int x = first ? cx - 1 + i : cx + 1 - i;
            MoveToEx(dc, x, cy - i, nullptr);
            LineTo(dc, x, cy + i + 1);
        } else {
            const int y = first ? cy - 1 + i : cy + 1 - i;
            MoveToEx(dc, cx - i, y, nullptr);
            LineTo(dc, cx + i + 1, y);
        }
    }
}

} // namespace

void PaintHalf(HDC dc, const RECT& half, TDataSkinBorder* element, THalfState state, bool first, bool horizontal,
               TColor face, TColor shadow, TColor darkShadow)
{
    if (IsRectEmpty(&half))
        return;
    const int frame = HalfFrame(state, first);
    if (element && element->HasBitmap()) {
        DrawFrameStretched(dc, half, element->Bitmap, true, 8, frame);
        if (!element->Bitmap2.Empty())
            DrawFrameCentered(dc, half, element->Bitmap2, true, 8, frame);
        return;
    }
    const bool sunken = state == THalfState::Pressed || state == THalfState::Hot;
    const ui::UniqueBrush fill(CreateSolidBrush(ui::ColorToRGB(sunken ? shadow : face)));
    FillRect(dc, &half, fill.get());
    const ui::UniqueBrush edge(CreateSolidBrush(ui::ColorToRGB(darkShadow)));
    FrameRect(dc, &half, edge.get());
    Arrow(dc, half, first, horizontal,
          state == THalfState::Disabled ? GetSysColor(COLOR_GRAYTEXT) : ui::ColorToRGB(darkShadow));
}

} // namespace spinface

void TSkinUpDown::InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas)
{
    if (Initialized())
        return;
    TSkinControl::InitControl(form, skinData, useSkinColor, canvas);
    SampleParent();
}

void TSkinUpDown::InitHandle(HWND handle, TSkinData* skinData, TSkinControlHost* form, TCanvas* canvas)
{
    if (Initialized())
        return;
    TSkinControl::InitHandle(handle, skinData, form, canvas);
    SampleParent();
}

void TSkinUpDown::SampleParent()
{
    const HWND parent = FHandle ? GetParent(FHandle) : nullptr;
    wchar_t name[16] = {};
    FInEdit = parent && GetClassNameW(parent, name, 16) > 0 && _wcsicmp(name, L"Edit") == 0;
}

int TSkinUpDown::HalfUnderPointer(const RECT& rect) const
{
    POINT point{};
    if (!FHandle || !GetCursorPos(&point) || WindowFromPoint(point) != FHandle)
        return -1;
    RECT window{};
    GetWindowRect(FHandle, &window);
    point.x -= window.left;
    point.y -= window.top;
    if (!PtInRect(&rect, point))
        return -1;
    const bool horizontal = FHorizontal == 1 || (GetLong(FHandle, GWL_STYLE) & UDS_HORZ) != 0;
    RECT first{}, second{};
    spinface::SplitHalves(rect, horizontal, first, second);
    return PtInRect(&first, point) ? 0 : 1;
}

bool TSkinUpDown::BeforeProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        PaintWindow(message);
        return false;
    case WM_ERASEBKGND:
        if (!FControl) {
            RECT client{};
            GetClientRect(FHandle, &client);
            FillRect(reinterpret_cast<HDC>(message.WParam), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        }
        message.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const std::shared_ptr<bool> alive = FAlive;
        CallDefault(message);
        if (*alive) {
            FState |= ssDown;
            PaintFrame(nullptr);
        }
        return false;
    }
    case WM_LBUTTONUP: {
        const std::shared_ptr<bool> alive = FAlive;
        FState &= static_cast<std::uint8_t>(~ssDown);
        CallDefault(message);
        if (*alive)
            PaintFrame(nullptr);
        return false;
    }
    default:
        return TSkinControl::BeforeProc(message);
    }
}

void TSkinUpDown::AfterProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_MOUSEMOVE: {
        TrackHover(message);
        RECT window{};
        if (FHandle && GetWindowRect(FHandle, &window)) {
            OffsetRect(&window, -window.left, -window.top);
            // Moving from one half to the other changes which one is lit.
            const int half = HalfUnderPointer(window);
            if (half != FPointerHalf)
                PaintFrame(nullptr);
        }
        break;
    }
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE:
        TrackHover(message, ssHot | ssDown);
        break;
    case WM_CAPTURECHANGED:
        if (FState & ssDown) {
            FState &= static_cast<std::uint8_t>(~ssDown);
            Repaint();
        }
        break;
    default:
        TSkinControl::AfterProc(message);
        break;
    }
}

void TSkinUpDown::PaintControl(HDC dc, const RECT& rect)
{
    if (!FHandle)
        return;
    RECT area = rect;
    if (FInEdit) {
        RECT client{};
        GetClientRect(FHandle, &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        RECT own{}, edit{};
        GetWindowRect(FHandle, &own);
        GetWindowRect(GetParent(FHandle), &edit);
        area = spinface::KeepClearOfEdit(rect, POINT{own.left - edit.left, own.top - edit.top},
                                         SIZE{edit.right - edit.left, edit.bottom - edit.top});
    }
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return;
    const bool horizontal = FHorizontal == 1 || (GetLong(FHandle, GWL_STYLE) & UDS_HORZ) != 0;
    const bool enabled = IsWindowEnabled(FHandle) != FALSE;
    FPointerHalf = HalfUnderPointer(area);
    TBitmap picture(width, height);
    const HDC work = picture.Canvas().Handle();
    const RECT whole{0, 0, width, height};
    const TColor face = SkinFaceColor();
    {
        const ui::UniqueBrush fill(CreateSolidBrush(ui::ColorToRGB(face)));
        FillRect(work, &whole, fill.get());
    }
    TDataSkinBorder* element = nullptr;
    TColor shadow = clSystemColor | COLOR_BTNSHADOW;
    TColor darkShadow = clSystemColor | COLOR_3DDKSHADOW;
    if (FSkinData) {
        element = horizontal ? FSkinData->UpDownHorz.get() : FSkinData->UpDownVert.get();
        shadow = FSkinData->ButtonShadowColour;
        darkShadow = FSkinData->ButtonDkShadowColour;
    }
    RECT first{}, second{};
    spinface::SplitHalves(whole, horizontal, first, second);
    spinface::PaintHalf(work, first, element, spinface::HalfState(FState, enabled, FPointerHalf == 0), true,
                        horizontal, face, shadow, darkShadow);
    spinface::PaintHalf(work, second, element, spinface::HalfState(FState, enabled, FPointerHalf == 1), false,
                        horizontal, face, shadow, darkShadow);
    BitBlt(dc, area.left, area.top, width, height, work, 0, 0, SRCCOPY);
}
