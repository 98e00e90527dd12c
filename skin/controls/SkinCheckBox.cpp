#include "skin/controls/SkinCheckBox.h"

#include "skin/chrome/WindowCaption.h"
#include "skin/model/ImgUtil.h"
#include "skin/model/WinSkinData.h"
#include "ui/DcGuards.h"
#include "ui/Handles.h"
#include "ui/Properties.h"

#include <string>

constinit const TClassInfo TSkinCheckBox::ClassInfo =
    ui::ClassOf<TSkinCheckBox>("TSkinCheckBox", TSkinControl::ClassInfo);
constinit const TClassInfo TSkinRadioButton::ClassInfo =
    ui::ClassOf<TSkinRadioButton>("TSkinRadioButton", TSkinCheckBox::ClassInfo);

namespace {

constexpr std::intptr_t kTransparentTag = 5555;
// A data-aware check box tells its parent that its field changed.
constexpr UINT CM_DATACHANGED = 0xB0D0;
constexpr UINT kCaptionFormat = DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK;

std::string Lowered(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

} // namespace

namespace checkface {

RECT BoxRect(const RECT& rect, int cellWidth, int cellHeight, bool textOnLeft, int rightInset)
{
    const int top = rect.top + (rect.bottom - rect.top - cellHeight) / 2;
    if (textOnLeft)
        return RECT{rect.right - cellWidth - rightInset, top, rect.right - rightInset, top + cellHeight};
    return RECT{rect.left, top, rect.left + cellWidth, top + cellHeight};
}

int CheckCell(int state, bool enabled, bool indeterminate, int frameCount)
{
    int cell = state;
    if (!enabled)
        cell += 2;
    if (indeterminate)
        cell = 4;
    if (frameCount == 12) {
        if (indeterminate)
            return enabled ? 9 : 12;
        switch (cell) {
        case 2:
            return 5;
        case 3:
            return 4;
        case 4:
            return 8;
        default:
            break;
        }
    }
    return cell;
}

int RadioCell(bool checked, bool enabled, int frameCount)
{
    int cell = checked ? 2 : 1;
    if (!enabled)
        cell += 2;
    if (frameCount == 8) {
        switch (cell) {
        case 2:
            return 5;
        case 3:
            return 4;
        case 4:
            return 8;
        default:
            break;
        }
    }
    return cell;
}

bool CanPaint(const TBitmap& picture, int frameCount)
{
    return !picture.Empty() && frameCount > 0 && picture.Width() / frameCount >= 1;
}

RECT PaintCheck(HDC dc, const RECT& rect, TBitmap& picture, int frameCount, const TCheckLook& look)
{
    if (!CanPaint(picture, frameCount))
        return RECT{};
    const int cellWidth = picture.Width() / frameCount;
    const RECT box = BoxRect(rect, cellWidth, picture.Height(), look.TextOnLeft, look.RightInset);
    if (look.FillBackground) {
        const ui::UniqueBrush brush(CreateSolidBrush(ui::ColorToRGB(look.Background)));
        FillRect(dc, &rect, brush.get());
    }
    DrawFrameStretched(dc, box, picture, true, frameCount, look.Cell);
    if (!look.DrawText || look.Caption.empty())
        return RECT{};
    RECT area = rect;
    if (look.TextOnLeft)
        area.right = box.left - 2;
    else
        area.left = box.right + 2;
    RECT text = area;
    DrawTextWide(dc, look.Caption, text, kCaptionFormat | DT_CALCRECT | DT_NOCLIP);
    const int height = text.bottom - text.top;
    text.top = area.top + (area.bottom - area.top - height) / 2;
    text.bottom = text.top + height;
    const ui::ScopedSaveDC saved(dc);
    SetTextColor(dc, ui::ColorToRGB(look.TextColour));
    SetBkColor(dc, ui::ColorToRGB(look.Background));
    SetBkMode(dc, TRANSPARENT);
    RECT drawn = text;
    DrawTextWide(dc, look.Caption, drawn, kCaptionFormat);
    return text;
}

} // namespace checkface

// ============================================================ TSkinCheckBox

void TSkinCheckBox::InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas)
{
    if (Initialized())
        return;
    TSkinControl::InitControl(form, skinData, useSkinColor, canvas);
    FCheckState = 0;
    FPaintMode = FControl ? 1 : 0;
    FTransparent = FControl && (FControl->Tag() == kTransparentTag ||
                                (FSkinData && FSkinData->Options.Contains(xoTransparent)));
}

TBitmap* TSkinCheckBox::Picture(int& frameCount) const
{
    if (!FSkinData || !FSkinData->ButtonsElement)
        return nullptr;
    frameCount = FSkinData->ButtonsElement->CheckFrameCount;
    return &FSkinData->ButtonsElement->CheckBitmap;
}

bool TSkinCheckBox::SkinPaints() const
{
    int frameCount = 0;
    const TBitmap* picture = Picture(frameCount);
    return FHandle && picture && checkface::CanPaint(*picture, frameCount);
}

int TSkinCheckBox::ChooseCell(int frameCount) const
{
    const auto pressed = static_cast<UINT>(SendMessageA(FHandle, BM_GETSTATE, 0, 0));
    int state = (pressed & BST_CHECKED) ? 2 : 1;
    if (FControl) {
        if (ui::FindPropInfo(FControl, "State")) {
            const std::string text = Lowered(ui::GetEnumPropText(FControl, "State"));
            if (text.find("uncheck") != std::string::npos)
                state = 1;
            else if (text.find("check") != std::string::npos)
                state = 2;
            else if (text.find("gray") != std::string::npos)
                state = 4;
        } else if (ui::FindPropInfo(FControl, "Checked")) {
            state = Lowered(ui::GetEnumPropText(FControl, "Checked")) == "true" ? 2 : 1;
        }
        if (ui::FindPropInfo(FControl, "DataField") && FCheckState != 0)
            state = FCheckState == 3 ? 4 : FCheckState;
        if (ui::FindPropInfo(FControl, "DataBinding"))
            state = 1;
    }
    const bool enabled = (GetLong(FHandle, GWL_STYLE) & WS_DISABLED) == 0;
    return checkface::CheckCell(state, enabled, (pressed & BST_INDETERMINATE) != 0, frameCount);
}

bool TSkinCheckBox::BeforeProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        if (FPaintMode == 1 && SkinPaints()) {
            PaintWindow(message);
            return false;
        }
        break;
    case WM_ERASEBKGND:
        if (FTransparent && FPaintMode == 1 && SkinPaints()) {
            EraseToParent(message);
            return false;
        }
        break;
    default:
        break;
    }
    return TSkinControl::BeforeProc(message);
}

void TSkinCheckBox::AfterProc(TMessage& message)
{
    switch (message.Msg) {
    case BM_SETCHECK:
        FCheckState = static_cast<int>(message.WParam) + 1;
        Repaint();
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case CM_EXIT:
    case CM_DATACHANGED:
    // The native control draws its pressed box and focus straight away.
    case BM_SETSTATE:
    case WM_UPDATEUISTATE:
        Repaint();
        break;
    default:
        TSkinControl::AfterProc(message);
        break;
    }
}

void TSkinCheckBox::PaintControl(HDC dc, const RECT& rect)
{
    int frameCount = 0;
    TBitmap* picture = Picture(frameCount);
    if (!FHandle || !picture || !checkface::CanPaint(*picture, frameCount)) {
        FPaintMode = 0;
        return;
    }
    checkface::TCheckLook look;
    look.Cell = ChooseCell(frameCount);
    look.TextOnLeft = (GetLong(FHandle, GWL_STYLE) & BS_LEFTTEXT) != 0;
    look.RightInset = RightInset();
    look.DrawText = FPaintMode != 0;
    look.FillBackground = FPaintMode == 1 && !FTransparent;
    look.Background = SkinFaceColor();
    const ui::ScopedSaveDC saved(dc);
    if (look.DrawText) {
        look.Caption = FControl ? ui::GetWideTextProp(FControl, "Caption") : WideWindowText(FHandle);
        HFONT font = FControl ? FControl->Font().Handle()
                              : reinterpret_cast<HFONT>(SendMessageA(FHandle, WM_GETFONT, 0, 0));
        if (font)
            SelectObject(dc, font);
        const bool enabled = FControl ? FControl->Enabled() : IsWindowEnabled(FHandle) != FALSE;
        look.TextColour = enabled && FControl ? CaptionTextColor() : (clSystemColor | COLOR_BTNSHADOW);
    }
    const RECT text = checkface::PaintCheck(dc, rect, *picture, frameCount, look);
    if (look.DrawText && !look.Caption.empty() && GetFocus() == FHandle) {
        FCaption = look.Caption;
        DrawFocusAroundText(dc, kCaptionFormat, text);
    }
}

void TSkinCheckBox::SkinChanged()
{
    FPaintMode = FControl && SkinPaints() ? 1 : 0;
    TSkinControl::SkinChanged();
}

// ============================================================ TSkinRadioButton

TBitmap* TSkinRadioButton::Picture(int& frameCount) const
{
    if (!FSkinData || !FSkinData->ButtonsElement)
        return nullptr;
    frameCount = FSkinData->ButtonsElement->RadioFrameCount;
    return &FSkinData->ButtonsElement->RadioBitmap;
}

int TSkinRadioButton::ChooseCell(int frameCount) const
{
    bool checked = SendMessageA(FHandle, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (FControl && ui::FindPropInfo(FControl, "Checked"))
        checked = Lowered(ui::GetEnumPropText(FControl, "Checked")) == "true";
    const bool enabled = (GetLong(FHandle, GWL_STYLE) & WS_DISABLED) == 0;
    return checkface::RadioCell(checked, enabled, frameCount);
}

void TSkinRadioButton::AfterProc(TMessage& message)
{
    if (message.Msg == BM_SETCHECK) {
        Repaint();
        return;
    }
    TSkinCheckBox::AfterProc(message);
}
