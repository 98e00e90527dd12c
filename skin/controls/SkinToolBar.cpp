#include "skin/controls/SkinToolBar.h"

#include "skin/model/ImgUtil.h"
#include "skin/model/SkinElements.h"
#include "skin/model/WinSkinData.h"
#include "ui/DcGuards.h"
#include "ui/Graphics.h"
#include "ui/ImageList.h"
#include "ui/Properties.h"

#include <algorithm>

constinit const TClassInfo TSkinToolBar::ClassInfo = ui::ClassOf<TSkinToolBar>("TSkinToolBar", TSkinBox::ClassInfo);

namespace {
constexpr int kToolBarFrames = 5;
// The width the system gives the arrow part of a drop-down button.
constexpr int kDropArrowWidth = 13;
} // namespace

namespace toolbarpaint {

int ButtonFrame(TCustomDrawState state, bool enabled) noexcept
{
    if (!enabled)
        return state.Contains(cdsChecked) ? 3 : 0;
    if (state.Contains(cdsSelected))
        return 2;
    if (state.Contains(cdsChecked))
        return state.Contains(cdsHot) ? 2 : 5;
    if (state.Contains(cdsHot))
        return 4;
    return 0;
}

void PaintBackground(HDC dc, const RECT& rect, TDataSkinObject* gradient, TColor face)
{
    if (gradient != nullptr && gradient->HasBitmap()) {
        DrawFrameStretched(dc, rect, gradient->Bitmap, false, std::max(gradient->FrameCount, 1), 1);
        return;
    }
    const ui::UniqueBrush brush(CreateSolidBrush(ui::ColorToRGB(face)));
    FillRect(dc, &rect, brush.get());
}

void PaintButtonFace(HDC dc, const RECT& rect, TDataSkinObject* element, int frame, TColor face, TColor shadow)
{
    if (frame <= 0)
        return;
    if (element != nullptr && element->HasBitmap()) {
        DrawSkinElement(dc, rect, element->Bitmap, false, element->Tile == 1, element->Trans == 1, kToolBarFrames,
                        frame, element->Margins());
        return;
    }
    if (frame == 2 || frame == 5) {
        const ui::UniqueBrush fill(CreateSolidBrush(ui::ColorToRGB(MixColor(face, clWhite, 50))));
        FillRect(dc, &rect, fill.get());
    }
    const ui::UniqueBrush edge(CreateSolidBrush(ui::ColorToRGB(shadow)));
    FrameRect(dc, &rect, edge.get());
}

} // namespace toolbarpaint

void TSkinToolBar::InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas)
{
    auto* const bar = ui::As<TToolBar>(Owner());
    if (bar != nullptr && bar_ == nullptr) {
        bar_ = bar;
        wasFlat_ = bar->Flat();
        // Through the published property, as any tool bar class would take it.
        ui::SetPropText(bar, "Flat", "True");
        if (!bar->OnCustomDraw)
            bar->OnCustomDraw = TTBCustomDrawEvent(this, &TSkinToolBar::DrawBar);
        if (!bar->OnCustomDrawButton)
            bar->OnCustomDrawButton = TTBCustomDrawBtnEvent(this, &TSkinToolBar::DrawButton);
    }
    TSkinBox::InitControl(form, skinData, useSkinColor, canvas);
    if (bar_ != nullptr)
        bar_->Invalidate();
}

void TSkinToolBar::RemoveHandlers()
{
    if (bar_ == nullptr)
        return;
    if (bar_->OnCustomDraw.Data() == this)
        bar_->OnCustomDraw = {};
    if (bar_->OnCustomDrawButton.Data() == this)
        bar_->OnCustomDrawButton = {};
    if (!wasFlat_)
        bar_->SetFlat(false);
    bar_->Invalidate();
    bar_ = nullptr;
}

void TSkinToolBar::Unskin()
{
    RemoveHandlers();
    TSkinBox::Unskin();
}

void TSkinToolBar::SkinChanged()
{
    TSkinBox::SkinChanged();
    if (bar_ != nullptr)
        bar_->Invalidate();
}

void TSkinToolBar::DrawBar(TToolBar*, const RECT& rect, bool&)
{
    if (FSkinData == nullptr || bar_ == nullptr)
        return;
    TCanvas& canvas = bar_->Canvas();
    TDataSkinObject* gradient = FSkinData->Options.Contains(xoToolbarBK) ? FSkinData->Toolbar.get() : nullptr;
    toolbarpaint::PaintBackground(canvas.Handle(), rect, gradient, FSkinData->ButtonFaceColour);
}

void TSkinToolBar::DrawButton(TToolBar*, TToolButton* button, TCustomDrawState state, bool& defaultDraw)
{
    if (FSkinData == nullptr || bar_ == nullptr || button == nullptr)
        return;
    if (button->Style() == tbsSeparator || button->Style() == tbsDivider)
        return;
    const HDC dc = bar_->Canvas().Handle();
    RECT rect = button->BoundsRect();
    const bool enabled = button->Enabled() && !state.Contains(cdsDisabled);
    toolbarpaint::PaintButtonFace(dc, rect, FSkinData->ToolBars.get(),
                                  toolbarpaint::ButtonFrame(state, enabled), FSkinData->ButtonFaceColour,
                                  FSkinData->ButtonShadowColour);
    const bool pressed = state.Contains(cdsSelected);
    RECT content = rect;
    if (button->Style() == tbsDropDown) {
        content.right -= kDropArrowWidth;
        const int cx = content.right + kDropArrowWidth / 2 + (pressed ? 1 : 0);
        const int cy = (rect.top + rect.bottom) / 2 + (pressed ? 1 : 0);
        const ui::UniquePen pen(CreatePen(PS_SOLID, 1, ui::ColorToRGB(enabled ? FSkinData->ButtonTextColour
                                                                             : FSkinData->ButtonShadowColour)));
        const ui::ScopedSelect selected(dc, pen.get());
        for (int row = 0; row < 3; ++row) {
            MoveToEx(dc, cx - 2 + row, cy - 1 + row, nullptr);
            LineTo(dc, cx + 3 - row, cy - 1 + row);
        }
    }
    if (pressed)
        OffsetRect(&content, 1, 1);
    TImageList* images = bar_->Images();
    int textTop = content.top;
    if (images != nullptr && button->ImageIndex() >= 0 && button->ImageIndex() < images->Count()) {
        const int x = (content.left + content.right - images->Width()) / 2;
        const int y = bar_->ShowCaptions() ? content.top + 3 : (content.top + content.bottom - images->Height()) / 2;
        images->Draw(bar_->Canvas(), x, y, button->ImageIndex(), enabled);
        textTop = y + images->Height();
    }
    if (bar_->ShowCaptions() && !button->Caption().empty()) {
        RECT text{content.left, textTop, content.right, content.bottom};
        // The bar's own font is selected only for the system's drawing, after this event.
        auto font = reinterpret_cast<HGDIOBJ>(SendMessageA(bar_->Handle(), WM_GETFONT, 0, 0));
        const ui::ScopedSelect selectedFont(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
        const int oldMode = SetBkMode(dc, TRANSPARENT);
        const COLORREF oldColour = SetTextColor(
            dc, ui::ColorToRGB(enabled ? FSkinData->ButtonTextColour : FSkinData->ButtonShadowColour));
        DrawTextA(dc, button->Caption().c_str(), static_cast<int>(button->Caption().size()), &text,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SetTextColor(dc, oldColour);
        SetBkMode(dc, oldMode);
    }
    defaultDraw = false;
}
