#include "skin/chrome/MdiClientHook.h"

#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinData.h"
#include "skin/model/WinSkinDlg.h"
#include "ui/Messages.h"

bool TMdiClientHook::Install(HWND client, TSkinData& skinData)
{
    if (subclass_.Installed() || !IsWindow(client))
        return false;
    skinData_ = &skinData;
    savedMenuUpdate_ = skinData.MenuUpdate;
    return subclass_.Install(client, [this](TMessage& message) { Dispatch(message); });
}

void TMdiClientHook::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case WM_NCDESTROY:
        subclass_.CallPrevious(message);
        Remove();
        break;
    case WM_NCCALCSIZE:
        OnNcCalcSize(message);
        break;
    case WM_MDICREATE:
        OnMdiCreate(message);
        break;
    case WM_MDIDESTROY:
        OnMdiDestroy(message);
        break;
    case WM_MDIMAXIMIZE:
        OnMdiMaximize(message);
        break;
    case WM_MDIRESTORE:
        OnMdiRestore(message);
        break;
    case WM_MDITILE:
    case WM_MDICASCADE:
        OnMdiArrange(message);
        break;
    case WM_MDISETMENU:
        OnMdiSetMenu(message);
        break;
    case SKM_MDIMAXCHILD:
        RedrawFrame();
        message.Result = 0;
        break;
    default:
        subclass_.CallPrevious(message);
        break;
    }
}

void TMdiClientHook::OnNcCalcSize(TMessage& message)
{
    // The skin draws no scroll bars for the client: children beyond its edges
    // are reached through the window list instead.
    if (owner_.SkinsFrame() && !skinData_->Options.Contains(xoMDIScrollbar)) {
        const LONG_PTR style = GetWindowLongPtrA(Client(), GWL_STYLE);
        const LONG_PTR bars = WS_HSCROLL | WS_VSCROLL;
        if ((style & bars) != 0)
            SetWindowLongPtrA(Client(), GWL_STYLE, style & ~bars);
    }
    subclass_.CallPrevious(message);
}

HWND TMdiClientHook::ActiveChild(bool& maximised) const
{
    BOOL zoomed = FALSE;
    const auto active =
        reinterpret_cast<HWND>(SendMessageA(Client(), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&zoomed)));
    maximised = active != nullptr && zoomed != FALSE;
    return active;
}

HWND TMdiClientHook::FollowActiveChild() const
{
    bool maximised = false;
    const HWND active = ActiveChild(maximised);
    if (TSkinManage* manager = SkinManager())
        manager->SetMdiChildMaximized(maximised);
    return active;
}

void TMdiClientHook::OnMdiCreate(TMessage& message)
{
    // Children being made must not read the frame's menu bar again and again.
    skinData_->MenuUpdate = false;
    subclass_.CallPrevious(message);
    // A child made maximised puts the others under the system's caption too.
    if (owner_.SkinsFrame())
        FollowActiveChild();
}

void TMdiClientHook::OnMdiDestroy(TMessage& message)
{
    subclass_.CallPrevious(message);
    if (!owner_.SkinsFrame())
        return;
    // The child that becomes active inherits the maximised state, if any.
    const HWND active = FollowActiveChild();
    if (active == nullptr && owner_.HasMenuBar()) {
        skinData_->MenuUpdate = savedMenuUpdate_;
        owner_.RereadMenuBar();
    }
}

void TMdiClientHook::OnMdiMaximize(TMessage& message)
{
    TSkinManage* manager = owner_.SkinsFrame() ? SkinManager() : nullptr;
    // The children change to the system's caption before the maximised one is
    // laid out, as they do when the child's own maximise button is pressed.
    if (manager != nullptr)
        manager->SetMdiChildMaximized(true);
    subclass_.CallPrevious(message);
    if (manager == nullptr)
        return;
    const HWND active = FollowActiveChild();
    // The frame shows the maximised child's buttons: it is redrawn once the system is done.
    if (manager->MdiChildMaximized())
        PostMessageA(Client(), SKM_MDIMAXCHILD, reinterpret_cast<WPARAM>(active), 0);
}

void TMdiClientHook::OnMdiRestore(TMessage& message)
{
    subclass_.CallPrevious(message);
    TSkinManage* manager = owner_.SkinsFrame() ? SkinManager() : nullptr;
    if (manager == nullptr || !manager->MdiChildMaximized())
        return;
    FollowActiveChild();
    // The frame's bar loses the restored child's buttons.
    if (!manager->MdiChildMaximized())
        RedrawFrame();
}

void TMdiClientHook::OnMdiArrange(TMessage& message)
{
    // Arranging restores a maximised child: the others get their skinned frames first.
    if (owner_.SkinsFrame()) {
        TSkinManage* manager = SkinManager();
        if (manager != nullptr && manager->MdiChildMaximized())
            manager->SetMdiChildMaximized(false);
    }
    subclass_.CallPrevious(message);
}

void TMdiClientHook::OnMdiSetMenu(TMessage& message)
{
    subclass_.CallPrevious(message);
    // The skinned bar stands in for the system's, which the frame must not show.
    if (owner_.SkinsFrame() && message.WParam != 0 && owner_.HasMenuBar()) {
        owner_.RereadMenuBarForMdi();
        SetMenu(Frame(), nullptr);
    }
}

void TMdiClientHook::RedrawFrame() const
{
    RedrawWindow(Frame(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}
