#include "skin/controls/SkinBox.h"

#include "skin/model/WinSkinData.h"
#include "ui/Graphics.h"

#include <utility>

constinit const TClassInfo TSkinBox::ClassInfo = ui::ClassOf<TSkinBox>("TSkinBox", TSkinControl::ClassInfo);
constinit const TClassInfo TSkinBoxH::ClassInfo = ui::ClassOf<TSkinBoxH>("TSkinBoxH", TSkinControl::ClassInfo);

// ============================================================ TSkinBox

void TSkinBox::InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas)
{
    TControl* const control = BindOwner(form, skinData, useSkinColor, canvas);
    if (!control)
        return;
    if (FStatus == TSkinStatus::Attached) {
        if (FForm)
            FForm->RegisterControl(*this);
        return;
    }
    ListAndColour(*control);
    if (const TColor caption = CaptionTextColor(); FUseSkinColor && caption != control->Font().Color()) {
        savedFontColor_ = control->Font().Color();
        savedParentFont_ = control->ParentFont();
        control->Font().SetColor(caption);
        fontRecoloured_ = true;
    }
    FStatus = TSkinStatus::Attached;
}

void TSkinBox::Unskin()
{
    if (FStatus == TSkinStatus::Attached && FControl && std::exchange(fontRecoloured_, false)) {
        FControl->Font().SetColor(savedFontColor_);
        if (savedParentFont_)
            FControl->SetParentFont(true);
    }
    if (FStatus == TSkinStatus::Attached)
        TSkinControl::Unskin();
    FStatus = TSkinStatus::Unskinned;
}

// ============================================================ TSkinBoxH

bool TSkinBoxH::BeforeProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_ERASEBKGND: {
        RECT rect{};
        GetWindowRect(FHandle, &rect);
        OffsetRect(&rect, -rect.left, -rect.top);
        FillSkinColor(reinterpret_cast<HDC>(message.WParam), rect);
        message.Result = 0;
        return false;
    }
    case WM_CTLCOLORSTATIC:
        CallDefault(message);
        if (FSkinData && FSkinData->FaceBrush()) {
            // Static text on the face colour, not on the system's.
            SetBkColor(reinterpret_cast<HDC>(message.WParam), ui::ColorToRGB(FSkinData->ButtonFaceColour));
            message.Result = reinterpret_cast<LRESULT>(FSkinData->FaceBrush());
        }
        return false;
    default:
        return TSkinControl::BeforeProc(message);
    }
}
