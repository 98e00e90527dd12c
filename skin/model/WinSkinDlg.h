// TSkinManage: the one skin manager of the process. A thread-local WH_CBT
// hook shows it every window that is activated, and skin data components
// drive it: they register, install the hook and switch skinning on and off.
// Switching and re-applying a changed skin are deferred by 250 ms through a
// timer, so that they run outside the message that asked for them.
//
// Every window it skins gets a form skinner (TWinSkinForm), every popup-menu
// window a menu skinner; the manager keeps both lists.
#pragma once

#include "ui/Handles.h"
#include "ui/Object.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class TControl;
class TCustomForm;
class TBitmap;
class TSkinData;
class TTimer;
class TWinSkinForm;
class TWinSkinPopMenu;

// Actions the timer runs.
enum TSkinAction : std::int32_t {
    saNone = 0,
    saActivate = 1,
    saDeactivate = 2,
    saReapply = 3,
    saPurge = 6,
};

// Whether skinning has ever been switched on (first activation of a window,
// a component switched on at run time, or a component that is not the main
// one), and the manager's end.
enum class TActivationState : std::int32_t {
    Never = 0,
    Activated = 1,
    Destroying = 4,
};

// The kind of menu about to open, which decides whether its window is skinned.
enum class TMenuKind : std::int32_t {
    Popup = 0,          // a context menu (xcPopupMenu)
    MenuBarDropDown = 1, // a drop-down of a menu bar (xcMainMenu or xcMenuItem)
    SystemMenu = 2,     // a window's system menu (xcSystemMenu)
};

// Interval of deferred actions, in milliseconds.
inline constexpr unsigned kSkinActionDelay = 250;

class TSkinManage : public TObject {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    // A secondary manager serves another module of the process; this program makes none.
    enum class TKind { Process, Secondary };
    explicit TSkinManage(TKind kind = TKind::Process);
    ~TSkinManage() override;
    TSkinManage(const TSkinManage&) = delete;
    TSkinManage& operator=(const TSkinManage&) = delete;

    // Hooks window creation and activation on this thread.
    void InstallHook();
    void AddSkinData(TSkinData* skinData);
    void RemoveSkinData(TSkinData* skinData);
    // Runs action for skinData after interval ms; before the first
    // activation it takes effect at once (activate and deactivate only switch
    // skinning on and off) and nothing is left pending.
    void Schedule(TSkinAction action, TSkinData* skinData, unsigned interval = kSkinActionDelay);
    TSkinAction PendingAction() const { return pendingAction_; }
    // Runs the pending action now rather than when the timer fires, for
    // callers that drive many switches in a row and cannot wait for each.
    void RunPendingAction() { OnTimerAction(nullptr); }
    TSkinData* PendingSkinData() const { return pendingSkinData_; }
    // Attaches a form skinner to the window when it is one the manager skins
    // and has none yet; true when it attached one.
    bool SkinWindow(HWND window);
    bool SkinForm(TCustomForm* form);
    // Skinned forms of skinData drop their title-bar buttons.
    void ReskinForms(TSkinData* skinData);

    // ---- form skinners (the manager frees them; a form that owns its
    // skinner may free it first, and the skinner then leaves the list)
    TWinSkinForm* FindFormSkinner(HWND window) const;
    // Takes the window's skinner off the list without freeing it.
    void ForgetFormSkinner(HWND window);
    // Frees this manager's skinners whose window is gone.
    void PurgeFormSkinners();
    // Frees every skinner whose window is gone, whichever manager made it.
    void PurgeAllDestroyed();
    // Switches skinning off and frees every skinner of this manager, giving
    // each window its own procedure back.
    void DetachAll();
    const std::vector<TWinSkinForm*>& FormSkinners() const { return formSkinners_; }

    // ---- popup-menu windows (class "#32768")
    // Attaches a menu skinner when skinning is on and MenuKind's kind of menu is skinned.
    void SkinMenuWindow(HWND window);
    // The window is going: its menu skinner gives it back and is freed.
    bool DropMenuWindow(HWND window);
    bool IsMenuWindowSkinned(HWND window) const;
    // Binds a menu to the newest menu window that has none yet; a menu
    // already bound stays where it is.
    void BindMenuHandle(HMENU menu);
    // The rendered background of the menu window bound to menu (null when
    // none), with where that window's client area starts in it.
    struct TMenuBackground {
        TBitmap* Bitmap = nullptr;
        POINT ClientOffset{0, 0};
    };
    TMenuBackground BackgroundFor(HMENU menu) const;
    std::size_t MenuSkinnerCount() const { return menuSkinners_.size(); }

    // The component that serves a window: its own form's, a dialog's, the main one, or the first.
    TSkinData* ChooseSkinData(HWND window) const;
    // Preview windows (without xoPreview) and the main component's OnFormSkin say no.
    bool ShouldSkin(HWND window, std::string_view className) const;
    // The application form whose window this is, or the framework control behind it.
    TControl* FindFormControl(HWND window) const;
    // A child window that is not an MDI child.
    static bool IsPlainChildWindow(HWND window);

    HHOOK HookHandle() const { return hook_.get(); }
    TTimer& Timer() { return *timer_; }
    const std::vector<TSkinData*>& SkinDatas() const { return skinDatas_; }

    // ---- state
    // Skinning is on: windows that appear now may be skinned.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { enabled_ = value; }
    // An activation pass is running (plain child windows are not refused then).
    bool Activating() const { return activating_; }
    TActivationState ActivationState() const { return activationState_; }
    // The first activation; nothing once the manager is going.
    void MarkActivated();
    TMenuKind MenuKind() const { return menuKind_; }
    // Said by whoever opens a menu, before its window is made.
    void SetMenuKind(TMenuKind kind) { menuKind_ = kind; }
    bool MdiChildMaximized() const { return mdiChildMaximized_; }
    // Maximised MDI children show the system's caption; the others the skinned frame.
    void SetMdiChildMaximized(bool value);
    // Set and cleared by the form skinner around attaching.
    bool FreezePainting() const { return freezePainting_; }
    void SetFreezePainting(bool value) { freezePainting_ = value; }
    // The first component added whose SkinFormtype is sfMainform.
    TSkinData* MainSkinData() const { return mainSkinData_; }
    // 0 for the process's manager; the module of a secondary one.
    std::uintptr_t OwnerKey() const { return ownerKey_; }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
    void OnTimerAction(TObject* sender);

    std::unique_ptr<TTimer> timer_;
    ui::UniqueHook hook_;
    void FreeFormSkinner(TWinSkinForm* skinner);
    void DetachAndFree(TWinSkinForm* skinner);

    std::vector<std::unique_ptr<TWinSkinPopMenu>> menuSkinners_;
    std::vector<TWinSkinForm*> formSkinners_;
    std::vector<TSkinData*> skinDatas_;
    bool enabled_ = false;
    bool activating_ = false;
    TActivationState activationState_ = TActivationState::Never;
    TMenuKind menuKind_ = TMenuKind::Popup;
    bool mdiChildMaximized_ = false;
    bool freezePainting_ = false;
    TSkinAction pendingAction_ = saNone;
    TSkinData* pendingSkinData_ = nullptr;
    TSkinData* mainSkinData_ = nullptr;
    std::uintptr_t ownerKey_ = 0;
};

// The process's manager, or null before the first skin data component has loaded.
TSkinManage* SkinManager();
// The manager, made when there is none.
TSkinManage& EnsureSkinManager();
// Frees the manager (detaching everything it skinned); done at program end.
void FreeSkinManager();
