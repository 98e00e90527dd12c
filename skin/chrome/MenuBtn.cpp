#include "skin/chrome/MenuBtn.h"

#include "skin/chrome/NCOwner.h"
#include "skin/model/WinSkinData.h"
#include "ui/Bitmap.h"
#include "ui/Forms.h"
#include "ui/Handles.h"

constinit const TClassInfo TMenuBtn::ClassInfo = ui::ClassOf<TMenuBtn>("TMenuBtn", TNCObject::ClassInfo);

TMenuBtn::TMenuBtn(TNCOwner& form, TSkinData& skinData, int index)
    : TNCObject(form), Index(index), form_(form), skinData_(skinData)
{
}

void TMenuBtn::Paint()
{
    // Without a window, GetWindowDC would hand out the screen.
    const HWND window = form_.Handle();
    if (window == nullptr)
        return;
    const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(window);
    if (dc)
        Draw(dc.get());
}

void TMenuBtn::Draw(HDC dc) const
{
    TCanvas canvas;
    canvas.SetHandle(dc);
    RECT rect = ToRECT(Rect);

    // The bar's picture is of its band only: the item's columns of it go back
    // where the band lies on the window.
    const TMenuBarBackdrop backdrop = form_.MenuBarBackdrop();
    if (backdrop.picture != nullptr && !backdrop.picture->Empty()) {
        BitBlt(dc, rect.left, backdrop.band.top, Rect.Width(), backdrop.band.Height(),
               backdrop.picture->Canvas().Handle(), rect.left - backdrop.band.left, 0, SRCCOPY);
    } else {
        canvas.Brush().SetColor(skinData_.MenubarColour);
        canvas.FillRect(rect);
    }

    if (State() == dsPressed || State() == dsHover) {
        canvas.Brush().SetColor(skinData_.ButtonHilightColour);
        canvas.FrameRect(rect);
    }

    canvas.SetFont(Screen->MenuFont());
    canvas.Font().SetStyle({});
    canvas.Font().SetColor(Enabled ? skinData_.MenuBarTextColour : clSystemColor | COLOR_BTNSHADOW);
    canvas.Brush().SetStyle(bsClear);
    canvas.DrawText(Caption, rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    canvas.SetHandle(nullptr);
}
