#include "skin/chrome/WinSysButton.h"

#include "skin/chrome/NCOwner.h"
#include "skin/chrome/TitleButtonRules.h"
#include "skin/model/ImgUtil.h"
#include "skin/model/SkinElements.h"
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
    if (dc)
        Draw(dc.get(), StateCell(State(), element_.Visibility));
}

void TWinSysButton::Draw(HDC dc, int cell) const
{
    const RECT rect = ToRECT(Rect);
    if (DrawsWindowIcon(element_.Action))
        form_.DrawWindowIcon(dc, rect);
    else
        DrawFrameStretched(dc, rect, element_.Bitmap, true, element_.FrameCount, cell);
}
