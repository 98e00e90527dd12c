// TMdiClientHook: what an MDI frame's skinner puts in front of the procedure
// of the frame's "MDIClient" child. The client is where MDI children are
// made, arranged, maximised and destroyed, and where the frame's menu is
// replaced, so it is where the skinned frame learns of all that: the client
// loses its scroll bars (the skin has none for it), the manager's
// maximised-child mode follows the children, and the frame's skinned menu
// bar is read again when the frame's menu changes or the last child goes.
#pragma once

#include "ui/WndProcThunk.h"

#include <windows.h>

class TSkinData;
struct TMessage;

// What the hook asks of the skinner of the frame it serves.
class TMdiClientOwner {
public:
    // The skinner draws the frame (the skin's SkinControls hold xcMainMenu).
    virtual bool SkinsFrame() const = 0;
    // The frame has a skinned menu bar.
    virtual bool HasMenuBar() const = 0;
    // The frame's menu was replaced (WM_MDISETMENU): the bar reads the
    // frame's menu (GetMenu) anew, the maximised child's entries among it.
    virtual void RereadMenuBarForMdi() = 0;
    // The last child went: the bar reads its menu again.
    virtual void RereadMenuBar() = 0;

protected:
    ~TMdiClientOwner() = default;
};

class TMdiClientHook {
public:
    explicit TMdiClientHook(TMdiClientOwner& owner) : owner_(owner) {}
    TMdiClientHook(const TMdiClientHook&) = delete;
    TMdiClientHook& operator=(const TMdiClientHook&) = delete;

    // Puts the hook in front of the client's procedure and keeps the skin's
    // MenuUpdate, which child creation switches off until the last child
    // goes. False when the window is not there or the hook is installed.
    bool Install(HWND client, TSkinData& skinData);
    // Gives the client its procedure back; the client's destruction does it too.
    void Remove() noexcept { subclass_.Remove(); }
    bool Installed() const noexcept { return subclass_.Installed(); }
    HWND Client() const noexcept { return subclass_.Window(); }

private:
    void Dispatch(TMessage& message);
    void OnNcCalcSize(TMessage& message);
    void OnMdiCreate(TMessage& message);
    void OnMdiDestroy(TMessage& message);
    void OnMdiMaximize(TMessage& message);
    void OnMdiRestore(TMessage& message);
    void OnMdiArrange(TMessage& message);
    void OnMdiSetMenu(TMessage& message);
    void RedrawFrame() const;
    // The active child and whether it is maximised; null when there is none.
    HWND ActiveChild(bool& maximised) const;
    // The manager's maximised-child mode becomes the active child's state;
    // the active child, null when there is none.
    HWND FollowActiveChild() const;
    HWND Frame() const { return GetParent(Client()); }

    TMdiClientOwner& owner_;
    TSkinData* skinData_ = nullptr;
    bool savedMenuUpdate_ = true;
    ui::WindowSubclass subclass_;
};
