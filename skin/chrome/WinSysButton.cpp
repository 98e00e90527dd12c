#include "skin/chrome/WinSysButton.h"

#include "skin/chrome/NCOwner.h"
#include "skin/chrome/TitleButtonRules.h"
#include "skin/model/ImgUtil.h"
#include "skin/model/SkinElements.h"
#include "skin/model/WinSkinData.h"
#include "ui/Bitmap.h"
#include "ui/DoubleBuffer.h"
#include "ui/Graphics.h"
#include "ui/Handles.h"

constinit const TClassInfo TWinSysButton::ClassInfo =
    ui::ClassOf<TWinSysButton>("TWinSysButton", TNCObject::ClassInfo);

TWinSysButton::TWinSysButton(TNCOwner& form, TDataSkinSysButton& element)
    : TNCObject(form), form_(form), element_(element)
{
}

void TWinSysButton::Paint()
{
    // Without a window, GetWindowDC would hand out the screen.
    const HWND window = form_.Handle();
    if (window == nullptr)
        return;
    const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(window);
    if (!dc)
        return;
    const int cell = StateCell(State(), element_.Visibility);
    if (element_.Visibility != MdiButtonVisibility) {
        Draw(dc.get(), cell);
        return;
    }
    // An MDI child button lies on the menu bar. Its cells are see-through in
    // places: each one goes over the bar afresh, or the previous state would
    // show through the new one.
    const RECT rect = ToRECT(Rect);
    const ui::DoubleBuffer buffer(dc.get(), rect);
    DrawMenuBarUnder(buffer.get());
    Draw(buffer.get(), cell);
    buffer.Present();
}

void TWinSysButton::DrawMenuBarUnder(HDC dc) const
{
    const RECT rect = ToRECT(Rect);
    const TMenuBarBackdrop backdrop = form_.MenuBarBackdrop();
    if (backdrop.picture != nullptr && !backdrop.picture->Empty()) {
        BitBlt(dc, rect.left, rect.top, Rect.Width(), Rect.Height(), backdrop.picture->Canvas().Handle(),
               rect.left - backdrop.band.left, rect.top - backdrop.band.top, SRCCOPY);
        return;
    }
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Brush().SetColor(form_.SkinData().MenubarColour);
    canvas.FillRect(rect);
    canvas.SetHandle(nullptr);
}

void TWinSysButton::Draw(HDC dc, int cell) const
{
    const RECT rect = ToRECT(Rect);
    if (DrawsWindowIcon(element_.Action))
        form_.DrawWindowIcon(dc, rect);
    else
        DrawFrameStretched(dc, rect, element_.Bitmap, true, element_.FrameCount, cell);
}
