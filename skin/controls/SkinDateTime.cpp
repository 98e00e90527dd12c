#include "skin/controls/SkinDateTime.h"

#include "skin/model/ImgUtil.h"
#include "skin/model/WinSkinData.h"
#include "ui/Handles.h"

#include <windowsx.h>

#include <algorithm>

constinit const TClassInfo TArrowButton::ClassInfo = ui::ClassOf<TArrowButton>("TArrowButton", TWinControl::ClassInfo);
constinit const TClassInfo TSkinDateTime::ClassInfo =
    ui::ClassOf<TSkinDateTime>("TSkinDateTime", TSkinControl::ClassInfo);

namespace datetimeface {

RECT ArrowRect(int pickerWidth, int arrowSize, bool onLeft) noexcept
{
    const int left = onLeft ? 2 : pickerWidth - arrowSize - 4;
    return RECT{left, 0, left + arrowSize, arrowSize + 1};
}

void PaintBorder(HDC dc, const RECT& rect, TColor shadow)
{
    const ui::UniqueBrush outer(CreateSolidBrush(ui::ColorToRGB(shadow)));
    FrameRect(dc, &rect, outer.get());
    RECT inner = rect;
    InflateRect(&inner, -1, -1);
    FrameRect(dc, &inner, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void PaintArrow(HDC dc, const RECT& rect, TDataSkinObject* arrow, int cell, TColor face)
{
    if (IsRectEmpty(&rect))
        return;
    if (!arrow || !arrow->HasBitmap() || arrow->FrameCount <= 0 || arrow->Bitmap.Width() < arrow->FrameCount) {
        RECT button = rect;
        DrawFrameControl(dc, &button, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (cell == kHotCell ? DFCS_HOT : 0));
        return;
    }
    {
        const ui::UniqueBrush fill(CreateSolidBrush(ui::ColorToRGB(face)));
        FillRect(dc, &rect, fill.get());
    }
    DrawFrameStretched(dc, rect, arrow->Bitmap, false, arrow->FrameCount, std::min(cell, arrow->FrameCount));
}

} // namespace datetimeface

TArrowButton::TArrowButton(TComponent* owner) : TWinControl(owner) { SetTabStop(false); }

void TArrowButton::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.Style &= ~static_cast<DWORD>(WS_TABSTOP);
}

bool TArrowButton::PickerEnabled() const
{
    const TWinControl* picker = Parent();
    return picker && picker->Enabled() && Enabled();
}

void TArrowButton::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CM_MOUSEENTER:
        if (PickerEnabled() && !FHot) {
            FHot = true;
            Invalidate();
        }
        break;
    case CM_MOUSELEAVE:
        if (FHot) {
            FHot = false;
            Invalidate();
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
        if (TWinControl* picker = Parent()) {
            // The same point in the picker's client area, where its own button
            // is, and queued as the mouse's messages are. A second click is a
            // double click only for a picker whose class asks for them.
            UINT msg = message.Msg;
            if (msg == WM_LBUTTONDBLCLK && (GetClassLongPtrA(picker->Handle(), GCL_STYLE) & CS_DBLCLKS) == 0)
                msg = WM_LBUTTONDOWN;
            const LPARAM moved = MAKELPARAM(GET_X_LPARAM(message.LParam) + Left(), GET_Y_LPARAM(message.LParam) + Top());
            PostMessageA(picker->Handle(), msg, message.WParam, moved);
            Invalidate();
            message.Result = 0;
            return;
        }
        break;
    default:
        break;
    }
    TWinControl::WndProc(message);
}

void TArrowButton::PaintWindow(HDC dc)
{
    RECT client{};
    GetClientRect(WindowHandle(), &client);
    TDataSkinObject* arrow = FSkinData ? FSkinData->ComboxArrow.get() : nullptr;
    const TColor face = FSkinData ? FSkinData->ButtonFaceColour : (clSystemColor | COLOR_BTNFACE);
    datetimeface::PaintArrow(dc, client, arrow, FHot ? datetimeface::kHotCell : datetimeface::kNormalCell, face);
}

TSkinDateTime::~TSkinDateTime()
{
    delete FArrow;
    FArrow = nullptr;
    if (FAddedClipChildren && FHandle && IsWindow(FHandle))
        SetWindowLongPtrA(FHandle, GWL_STYLE, GetWindowLongPtrA(FHandle, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_CLIPCHILDREN));
}

void TSkinDateTime::InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas)
{
    if (Initialized())
        return;
    TSkinControl::InitControl(form, skinData, useSkinColor, canvas);
    auto* picker = ui::As<TWinControl>(FControl);
    if (!picker || !FHandle)
        return;
    const LONG_PTR style = GetLong(FHandle, GWL_STYLE);
    if ((style & WS_CLIPCHILDREN) == 0) {
        SetWindowLongPtrA(FHandle, GWL_STYLE, style | WS_CLIPCHILDREN);
        FAddedClipChildren = true;
    }
    FArrow = new TArrowButton(this);
    FArrow->SetSkinData(skinData);
    if (skinData)
        FArrow->SetTag(skinData->DisableTag);
    PlaceArrow();
    FArrow->SetParent(picker);
    FArrow->Handle();
}

void TSkinDateTime::PlaceArrow()
{
    if (!FArrow || !FControl || !FHandle)
        return;
    const int size = GetSystemMetrics(SM_CXHSCROLL);
    const bool onLeft = (GetLong(FHandle, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    const RECT place = datetimeface::ArrowRect(FControl->Width(), size, onLeft);
    FArrow->SetBounds(place.left, place.top, place.right - place.left, place.bottom - place.top);
}

void TSkinDateTime::AfterProc(TMessage& message)
{
    if (message.Msg == WM_SIZE)
        PlaceArrow();
    TSkinControl::AfterProc(message);
}

void TSkinDateTime::PaintControl(HDC dc, const RECT& rect)
{
    if (!FHandle)
        return;
    RECT client{};
    GetClientRect(FHandle, &client);
    if (client.right == rect.right - rect.left && client.bottom == rect.bottom - rect.top)
        return;
    const TColor shadow = FSkinData ? FSkinData->ButtonShadowColour : (clSystemColor | COLOR_BTNSHADOW);
    datetimeface::PaintBorder(dc, rect, shadow);
}
