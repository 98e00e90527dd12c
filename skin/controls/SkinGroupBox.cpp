#include "skin/controls/SkinGroupBox.h"

#include "skin/chrome/WindowCaption.h"
#include "skin/model/ImgUtil.h"
#include "skin/model/WinSkinData.h"
#include "ui/DcGuards.h"
#include "ui/Graphics.h"
#include "ui/Handles.h"
#include "ui/Properties.h"

#include <string>

constinit const TClassInfo TSkinGroupBox::ClassInfo =
    ui::ClassOf<TSkinGroupBox>("TSkinGroupBox", TSkinControl::ClassInfo);

namespace {
constexpr int kCaptionIndent = 8;
constexpr int kCornerSize = 5;
} // namespace

namespace groupface {

int FrameTop(int textHeight) { return textHeight / 2 - 1; }

void PaintGroup(HDC dc, const RECT& rect, const TGroupLook& look)
{
    const ui::ScopedSaveDC saved(dc);
    if (look.Font)
        SelectObject(dc, look.Font);
    SIZE zero{};
    GetTextExtentPoint32A(dc, "0", 1, &zero);
    const int top = FrameTop(zero.cy);

    if (look.EraseSystemFrame) {
        const ui::UniqueBrush face(CreateSolidBrush(ui::ColorToRGB(look.Face)));
        RECT edge{0, top, rect.right, rect.bottom};
        FrameRect(dc, &edge, face.get());
        InflateRect(&edge, -1, -1);
        FrameRect(dc, &edge, face.get());
    }

    const ui::UniquePen pen(CreatePen(PS_SOLID, 1, ui::ColorToRGB(look.Frame)));
    SelectObject(dc, pen.get());
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, 1, top, rect.right - 1, rect.bottom - 1, kCornerSize, kCornerSize);

    if (look.Caption.empty())
        return;
    // The caption's opaque background cuts its band out of the frame's top edge.
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ui::ColorToRGB(look.Face));
    if (look.TextColour != clNone)
        SetTextColor(dc, ui::ColorToRGB(look.TextColour));
    RECT text{rect.left + kCaptionIndent, rect.top, rect.right, rect.bottom};
    DrawTextWide(dc, look.Caption, text, DT_EXPANDTABS);
}

} // namespace groupface

void TSkinGroupBox::InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas)
{
    if (Initialized())
        return;
    TSkinControl::InitControl(form, skinData, useSkinColor, canvas);
    if (FControl)
        FPaintMode = 1;
}

bool TSkinGroupBox::BeforeProc(TMessage& message)
{
    if (message.Msg == WM_PAINT && FPaintMode != 0) {
        PaintWindow(message);
        return false;
    }
    return TSkinControl::BeforeProc(message);
}

void TSkinGroupBox::PaintControl(HDC dc, const RECT& rect)
{
    FCaption = FHandle ? WideWindowText(FHandle) : std::wstring();
    if (FCaption.empty() && FControl)
        FCaption = ui::GetWideTextProp(FControl, "Caption");
    groupface::TGroupLook look;
    look.Caption = FCaption;
    if (FHandle)
        look.Font = reinterpret_cast<HFONT>(SendMessageA(FHandle, WM_GETFONT, 0, 0));
    if (FControl) {
        look.Font = FControl->Font().Handle();
        look.TextColour = CaptionTextColor();
    }
    look.Face = SkinFaceColor();
    look.Frame = FSkinData ? FSkinData->ButtonShadowColour : (clSystemColor | COLOR_BTNSHADOW);
    look.EraseSystemFrame = FPaintMode == 0;
    groupface::PaintGroup(dc, rect, look);
    if (auto* const container = ui::As<TWinControl>(FControl); container && FPaintMode == 1)
        container->PaintControls(dc, nullptr);
}
