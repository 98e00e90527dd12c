#include "skin/controls/SkinButton.h"

#include "skin/model/ImgUtil.h"
#include "skin/model/WinSkinData.h"
#include "ui/DcGuards.h"
#include "ui/Graphics.h"
#include "ui/Handles.h"
#include "ui/Properties.h"
#include "ui/StdCtrls.h"

#include <algorithm>
#include <array>

constinit const TClassInfo TSkinButton::ClassInfo = ui::ClassOf<TSkinButton>("TSkinButton", TSkinControl::ClassInfo);
constinit const TClassInfo TSkinMenuButton::ClassInfo =
    ui::ClassOf<TSkinMenuButton>("TSkinMenuButton", TSkinButton::ClassInfo);

namespace {
constexpr std::intptr_t kTransparentTag = 5555;
constexpr int kArrowZone = 17;
} // namespace

namespace buttonface {

bool CanPaint(const TDataSkinObject* element, int frameCount)
{
    return element && element->HasBitmap() && frameCount > 0 && element->Bitmap.Width() / frameCount >= 1;
}

std::wstring SplitCaption(std::wstring_view caption)
{
    std::wstring text(caption);
    if (const auto at = text.find(L"||"); at != std::wstring::npos)
        text.replace(at, 2, L"\r\n");
    return text;
}

TColor CaptionColour(const TDataSkinButton& element, int frame, bool enabled, TColor base)
{
    if (!enabled)
        return clSystemColor | COLOR_BTNSHADOW;
    if (frame == 1 && element.HasNormalColour2)
        return element.NormalColour2;
    if (frame == 4 && element.HasMouseOverColour2)
        return element.MouseOverColour2;
    if (frame == 2 && element.HasPressedColour2)
        return element.PressedColour2;
    return base;
}

void DrawFace(HDC dc, const RECT& rect, TDataSkinButton& element, int frame)
{
    DrawSkinElement(dc, rect, element.Bitmap, false, element.Tile == 1, element.Trans == 1, kButtonFrames, frame,
                    element.Margins());
}

void DrawCaption(HDC dc, const RECT& rect, std::wstring_view caption, UINT format, bool focusRect)
{
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    RECT text = rect;
    InflateRect(&text, -2, -2);
    DrawTextWide(dc, caption, text, format | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK);
    OffsetRect(&text, -text.left, -text.top);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (format == DT_CENTER) {
        OffsetRect(&text, rect.left + (width - text.right) / 2, rect.top + (height - text.bottom) / 2);
    } else {
        OffsetRect(&text, 0, rect.top + (height - text.bottom) / 2);
        text.left = rect.left;
        text.right = rect.right;
    }
    DrawTextWide(dc, caption, text, format | DT_EXPANDTABS | DT_WORDBREAK);
    SetBkMode(dc, oldMode);
    if (focusRect) {
        InflateRect(&text, 2, 2);
        DrawFocusRect(dc, &text);
    }
}

bool PaintPushButton(HDC dc, const RECT& rect, TDataSkinButton* element, const TPushButtonLook& look,
                     TBitmap& scratch)
{
    if (!CanPaint(element, kButtonFrames))
        return false;
    const RECT local{0, 0, rect.right - rect.left, rect.bottom - rect.top};
    scratch.SetSize(local.right, local.bottom);
    const HDC canvas = scratch.Canvas().Handle();
    DrawFace(canvas, local, *element, look.Frame);
    const ui::ScopedSaveDC saved(canvas);
    if (look.Font)
        SelectObject(canvas, look.Font);
    SetTextColor(canvas, ui::ColorToRGB(look.TextColour));
    DrawCaption(canvas, local, SplitCaption(look.Caption), DT_CENTER, look.FocusRect);
    BitBlt(dc, rect.left, rect.top, local.right, local.bottom, canvas, 0, 0, SRCCOPY);
    return true;
}

} // namespace buttonface

// ============================================================ TSkinButton

TSkinButton::TSkinButton(TComponent* owner) : TSkinControl(owner) {}

TSkinButton::~TSkinButton() { *FAlive = false; }

void TSkinButton::DecideTransparency()
{
    FTransparent = (FControl && FControl->Tag() == kTransparentTag) ||
                   (FSkinData && FSkinData->Options.Contains(xoTransparent));
}

void TSkinButton::InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas)
{
    if (Initialized())
        return;
    TSkinControl::InitControl(form, skinData, useSkinColor, canvas);
    DecideTransparency();
}

void TSkinButton::InitHandle(HWND handle, TSkinData* skinData, TSkinControlHost* form, TCanvas* canvas)
{
    if (Initialized())
        return;
    TSkinControl::InitHandle(handle, skinData, form, canvas);
    DecideTransparency();
}

bool TSkinButton::SkinPaints() const
{
    return FSkinData && FHandle && buttonface::CanPaint(FSkinData->ButtonsElement.get(), buttonface::kButtonFrames);
}

bool TSkinButton::CallWithoutRedraw(TMessage& message)
{
    const std::shared_ptr<bool> alive = FAlive;
    const HWND window = FHandle;
    SendMessageA(window, WM_SETREDRAW, FALSE, 0);
    CallDefault(message);
    if (!*alive)
        return false;
    if (IsWindow(window))
        SendMessageA(window, WM_SETREDRAW, TRUE, 0);
    return true;
}

bool TSkinButton::BeforeProc(TMessage& message)
{
    if (!SkinPaints())
        return TSkinControl::BeforeProc(message);
    switch (message.Msg) {
    case WM_PAINT:
        PaintWindow(message);
        return false;
    case WM_ERASEBKGND:
        message.Result = 1;
        return false;
    case CN_DRAWITEM:
        // An owner-drawn button is drawn from the skin instead.
        PaintFrame(reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam)->hDC);
        message.Result = TRUE;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (GetFocus() != FHandle)
            SetFocus(FHandle);
        FState |= ssDown;
        if (CallWithoutRedraw(message))
            PaintFrame(nullptr);
        return false;
    case WM_LBUTTONUP:
        if (!(FState & ssDown))
            return true;
        FState &= static_cast<std::uint8_t>(~ssDown);
        if (CallWithoutRedraw(message) && IsWindowVisible(FHandle))
            Repaint();
        return false;
    default:
        return TSkinControl::BeforeProc(message);
    }
}

void TSkinButton::AfterProc(TMessage& message)
{
    if (!SkinPaints()) {
        TSkinControl::AfterProc(message);
        return;
    }
    switch (message.Msg) {
    case WM_SETTEXT:
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case WM_UPDATEUISTATE:
        // The native button draws these changes straight away.
        PaintFrame(nullptr);
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (message.WParam == VK_SPACE) {
            if (message.Msg == WM_KEYDOWN)
                FState |= ssDown;
            else
                FState &= static_cast<std::uint8_t>(~ssDown);
            Repaint();
        }
        break;
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE:
        TrackHover(message, ssHot | ssDown);
        break;
    case WM_CAPTURECHANGED:
    case CM_DIALOGKEY:
    case CM_FOCUSCHANGED:
        Repaint();
        break;
    default:
        TSkinControl::AfterProc(message);
        break;
    }
}

void TSkinButton::SampleButton()
{
    SampleWindow();
    const auto style = static_cast<DWORD>(GetLong(FHandle, GWL_STYLE));
    FEnabled = (style & WS_DISABLED) == 0;
    FFocused = GetFocus() == FHandle;
    // A framework button knows whether Enter is its own; a bare one says so by its style.
    if (const auto* button = ui::As<TButton>(FControl))
        FDefault = button->Active();
    else
        FDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    if (FControl)
        FCaption = ui::GetWideTextProp(FControl, "Caption");
}

int TSkinButton::ChooseFrame() const
{
    return static_cast<int>(SelectButtonFrame(FState, FEnabled, FFocused || FDefault));
}

HDC TSkinButton::PrepareScratch(const RECT& rect)
{
    const RECT local{0, 0, rect.right - rect.left, rect.bottom - rect.top};
    FBitmap.SetSize(local.right, local.bottom);
    const HDC canvas = FBitmap.Canvas().Handle();
    if (FTransparent && FControl)
        PaintParentBackground(*FControl, canvas);
    else
        FillSkinColor(canvas, local);
    return canvas;
}

HFONT TSkinButton::CaptionFont() const
{
    if (FControl)
        return FControl->Font().Handle();
    return reinterpret_cast<HFONT>(SendMessageA(FHandle, WM_GETFONT, 0, 0));
}

TColor TSkinButton::CaptionBaseColour() const
{
    return CaptionTextColor();
}

bool TSkinButton::FocusRectWanted() const
{
    return FFocused && !(FSkinData && FSkinData->Options.Contains(xoNoFocusRect));
}

void TSkinButton::PaintControl(HDC dc, const RECT& rect)
{
    if (!SkinPaints())
        return;
    SampleButton();
    TDataSkinButton& element = *FSkinData->ButtonsElement;
    buttonface::TPushButtonLook look;
    look.Frame = ChooseFrame();
    look.Caption = FCaption;
    look.Font = CaptionFont();
    look.TextColour = buttonface::CaptionColour(element, look.Frame, FEnabled, CaptionBaseColour());
    look.FocusRect = FocusRectWanted();
    PrepareScratch(rect);
    buttonface::PaintPushButton(dc, rect, &element, look, FBitmap);
}

// ============================================================ TSkinMenuButton

int TSkinMenuButton::ChooseFrame() const
{
    if (!FEnabled)
        return static_cast<int>(TButtonFrame::Disabled);
    if (FState & ssDown)
        return static_cast<int>(TButtonFrame::Down);
    if (FFocused || (FState & ssHot))
        return static_cast<int>(TButtonFrame::Hot);
    return static_cast<int>(TButtonFrame::Normal);
}

void TSkinMenuButton::PaintControl(HDC dc, const RECT& rect)
{
    if (!SkinPaints())
        return;
    SampleButton();
    TDataSkinButton& element = *FSkinData->ButtonsElement;
    const int frame = ChooseFrame();
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const HDC canvas = PrepareScratch(rect);
    buttonface::DrawFace(canvas, RECT{0, 0, width, height}, element, frame);

    const TColor arrowColour = FEnabled ? (clSystemColor | COLOR_WINDOWTEXT) : (clSystemColor | COLOR_BTNSHADOW);
    const ui::UniqueBrush brush(CreateSolidBrush(ui::ColorToRGB(arrowColour)));
    const ui::UniquePen pen(CreatePen(PS_SOLID, 1, ui::ColorToRGB(arrowColour)));
    const ui::ScopedSaveDC saved(canvas);
    if (const HFONT font = CaptionFont())
        SelectObject(canvas, font);
    const std::wstring caption = buttonface::SplitCaption(FCaption);
    RECT box{2, 2, width - kArrowZone - 2, height - 2};
    if (!caption.empty())
        DrawTextWide(canvas, caption, box, DT_CALCRECT | DT_WORDBREAK);
    const int textWidth = caption.empty() ? 0 : box.right - box.left;
    const int textHeight = caption.empty() ? 0 : box.bottom - box.top;
    const int x = (width - kArrowZone - textWidth) / 2 + 2;
    const int y = (height - textHeight + 1) / 2;

    SelectObject(canvas, brush.get());
    SelectObject(canvas, pen.get());
    const std::array<POINT, 3> arrow{POINT{width - 12, height / 2 + 2}, POINT{width - 15, height / 2 - 1},
                                     POINT{width - 9, height / 2 - 1}};
    Polygon(canvas, arrow.data(), static_cast<int>(arrow.size()));

    SetTextColor(canvas, ui::ColorToRGB(buttonface::CaptionColour(element, frame, FEnabled, CaptionBaseColour())));
    SetBkMode(canvas, TRANSPARENT);
    RECT text{x, y, x + textWidth, y + textHeight};
    DrawTextWide(canvas, caption, text, DT_WORDBREAK);
    if (FocusRectWanted() && textWidth > 0) {
        InflateRect(&text, 2, 2);
        DrawFocusRect(canvas, &text);
    }
    BitBlt(dc, rect.left, rect.top, width, height, canvas, 0, 0, SRCCOPY);
}
