// TSkinManage: the one skin manager of the process. A thread-local WH_CBT
// hook shows it every window that is activated, and skin data components
// drive it: they register, install the hook and switch skinning on and off.
// Switching and re-applying a changed skin are deferred by 250 ms through a
// timer, so that they run outside the message that asked for them.
//
// Attaching form and menu skinners to windows comes with the form chrome;
// until then the manager decides which windows would be skinned and tracks
// the state that decides it, but attaches nothing.
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
class TSkinData;
class TTimer;

// Actions the timer runs.
enum TSkinAction : std::int32_t {
    saNone = 0,
    saActivate = 1,
    saDeactivate = 2,
    saReapply = 3,
    saPurge = 6,
};

// ActivationState while the manager is being destroyed.
inline constexpr std::int32_t kManagerDestroying = 4;
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
    // Runs action after interval ms; before the first activation it takes
    // effect at once (activate and deactivate only switch Enabled).
    void Schedule(TSkinAction action, unsigned interval);
    // Whether the window is one the manager skins.
    bool SkinWindow(HWND window);
    bool SkinForm(TCustomForm* form);
    // Skinned forms of the pending component drop their title-bar buttons.
    void ReskinForms();

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

    bool Enabled = false;
    bool Activating = false;
    std::int32_t ActivationState = 0; // 0 never activated, 1 activated, 4 being destroyed
    std::int32_t MenuKind = 0;        // 0 popup, 1 menu-bar drop-down, 2 system menu
    bool MdiChildMaximized = false;
    bool FreezePainting = false;
    TSkinAction PendingAction = saNone;
    TSkinData* PendingSkinData = nullptr;
    TSkinData* MainSkinData = nullptr;
    std::uintptr_t OwnerKey = 0;

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
    void OnTimerAction(TObject* sender);

    std::unique_ptr<TTimer> timer_;
    ui::UniqueHook hook_;
    std::vector<TSkinData*> skinDatas_;
};

// The process's manager, or null before the first skin data component has loaded.
TSkinManage* SkinManager();
// The manager, made when there is none.
TSkinManage& EnsureSkinManager();
// Frees the manager (detaching everything it skinned); done at program end.
void FreeSkinManager();
