#include "skin/controls/SkinScControl.h"

#include "ui/Messages.h"

constinit const TClassInfo TSkinScControl::ClassInfo =
    ui::ClassOf<TSkinScControl>("TSkinScControl", TSkinControl::ClassInfo);

TSkinScControl::TSkinScControl(TComponent* owner) : TSkinControl(owner) {}

TSkinScControl::~TSkinScControl() { *FAlive = false; }

void TSkinScControl::AttachBar(TControl& control, TSkinData* skinData, TSkinControlHost* form, TCanvas* canvas)
{
    if (Initialized())
        return;
    TSkinControl::InitControl(form, skinData, false, canvas);
    FBar = std::make_unique<TWScrollbar>(*this);
    FBar->Attach(control, TScrollKind::Control);
    if (!control.Visible())
        FBar->HideBar();
}

void TSkinScControl::AfterProc(TMessage& message)
{
    if (!FBar) {
        TSkinControl::AfterProc(message);
        return;
    }
    switch (message.Msg) {
    case WM_WINDOWPOSCHANGED:
        FBar->Reposition(FHandle);
        return;
    case WM_NCPAINT:
        if (auto* const windowed = ui::As<TWinControl>(FControl))
            FHandle = windowed->WindowHandle();
        FBar->Reposition(FHandle);
        return;
    case SBM_SETSCROLLINFO:
    case SBM_SETPOS:
    case SBM_SETRANGE:
    case CN_BASE + WM_HSCROLL:
    case CN_BASE + WM_VSCROLL:
        // The control's own tracking loop moves the thumb without our paint.
        FBar->Refresh();
        return;
    case CM_VISIBLECHANGED:
        if (message.WParam != 0)
            FBar->Reposition(FHandle);
        else
            FBar->HideBar();
        return;
    default:
        TSkinControl::AfterProc(message);
        return;
    }
}

void TSkinScControl::PaintFrame(HDC)
{
    if (FHandle)
        GetWindowRect(FHandle, &FWindowRect);
    PaintControl(nullptr, RECT{});
}

void TSkinScControl::PaintControl(HDC, const RECT&)
{
    if (FBar && FBar->Shown())
        InvalidateRect(FBar->Handle(), nullptr, FALSE);
}

void TSkinScControl::Unskin()
{
    TSkinControl::Unskin();
    if (FStatus != TSkinStatus::WindowDestroyed)
        FBar.reset();
    else if (FBar)
        FBar->HideBar();
}
