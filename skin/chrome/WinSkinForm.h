// TWinSkinForm: the skinner of one top-level window. It stands in front of
// the window's procedure and owns the non-client area from then on: it tells
// the system how large the skin's frame is, hit-tests it, paints the borders,
// the title bar with its buttons and caption, gives the window a region where
// the borders are see-through, and hands everything back on detach.
//
// The skin manager makes one per window it skins: for a form of the
// framework (AttachForm, the form owns the skinner) or for a foreign window
// such as a message box (AttachWindow).
#pragma once

#include "skin/chrome/FrameMetrics.h"
#include "skin/chrome/FramePainter.h"
#include "skin/chrome/FrameRegion.h"
#include "skin/chrome/MdiClientHook.h"
#include "skin/chrome/MenuBarOwner.h"
#include "skin/chrome/ScratchBitmap.h"
#include "skin/chrome/TitleButtons.h"
#include "skin/chrome/WinSkinMenuBar.h"
#include "skin/chrome/WindowIcon.h"
#include "skin/controls/ControlList.h"
#include "skin/controls/SkinControlHost.h"
#include "ui/Color.h"
#include "ui/Component.h"
#include "ui/HookToken.h"
#include "ui/WndProcThunk.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

class TCanvas;
class TMenuItemPainter;
class TControlAssignment;
class TPopupMenu;
class TSkinData;
class TTimer;
class TWinControl;
struct TMessage;
class TWndNext;

// Where a skinner is in its life.
enum class TFormSkinState : int {
    Attached = 0,   // waiting for SKM_INITSKIN
    Ready = 1,
    Reskinning = 3,
    Destroying = 4, // WM_NCDESTROY is running
    Resizing = 5,   // the first resize to the skin's frame
    Destroyed = 6,  // the window is gone; the manager frees the skinner
};

// The kinds of window the skinner tells apart.
enum class TFormKind : int {
    Normal = 0,
    MdiFrame = 1,
    MdiChild = 2,
};

enum class TShowState : int {
    Normal = 0,
    Maximized = 1,
    Minimized = 2,
};

class TWinSkinForm : public TComponent,
                     public TMenuBarOwner,
                     public TMdiClientOwner,
                     public TSkinControlHost {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    // owner: the framework form whose window is skinned, or none for a foreign window.
    explicit TWinSkinForm(TComponent* owner);
    ~TWinSkinForm() override;
    TWinSkinForm(const TWinSkinForm&) = delete;
    TWinSkinForm& operator=(const TWinSkinForm&) = delete;

    // Set by the manager right after construction, before attaching.
    void SetHandle(HWND window) { handle_ = window; }
    void SetOwnerKey(std::uintptr_t key) { ownerKey_ = key; }
    std::uintptr_t OwnerKey() const { return ownerKey_; }

    // Puts the skinner in front of a framework form's window and its message handling.
    void AttachForm(TSkinData& skinData, TWinControl& form);
    // Puts the skinner in front of a window without framework object.
    void AttachWindow(TSkinData& skinData);
    // The skin goes: the window gets its own frame, size, region, styles and colour back.
    void Detach();
    // The window is going (or skinning is switched off wholesale): only the procedures go back.
    void DetachLight();
    // Applies the (changed) skin again: metrics, buttons, size and region.
    void Reskin();
    // Re-reads the frame metrics from the skin and rebuilds the title buttons.
    void RebuildMetrics();
    // Drops the title buttons (the skin's elements they draw are about to change).
    void FreeSysButtons();

    // Sets or clears WS_CAPTION when this window toggles it.
    void SetCaptionBits(bool on);
    void UpdateRegion(bool force = false);
    void DropRegion();
    // Makes the system ask for the frame again (SWP_FRAMECHANGED).
    void FrameChanged();
    static void RepaintWindow(HWND window);
    // Paints the whole frame into dc, or into the window DC when dc is null.
    void PaintFrame(HDC dc = nullptr);

    TFormSkinState State() const { return state_; }
    TSkinData* SkinDataOf() const { return skinData_; }
    TWinControl* Form() const { return form_; }
    TFormKind FormKind() const { return formKind_; }
    TShowState ShowState() const { return showState_; }
    void SetShowState(TShowState state) { showState_ = state; }
    TBorderKind FrameKind() const { return kind_; }
    const TFrameMetrics& Metrics() const { return metrics_; }
    bool SkinsFrame() const override { return skinFrame_; }
    bool OwnsRegion() const { return regionApplied_; }
    const TTitleButtons& TitleButtons() const { return buttons_; }
    // The skinned menu bar; none for a window without menu or frame skinning.
    TWinSkinMenu* MenuBar() const { return menuBar_.get(); }
    // An MDI frame's hook on its client window (installed only for an MDI frame).
    TMdiClientHook& ClientHook() { return clientHook_; }
    // The skinned system menu as last opened; none before.
    TPopupMenu* SysMenu() const { return sysMenu_.get(); }

    // ---- TNCOwner
    TNCObject* HotObject() const override { return hot_; }
    void SetHotObject(TNCObject* object) override { hot_ = object; }
    HWND Handle() const override { return handle_; }
    TSkinData& SkinData() const override { return *skinData_; }
    int WindowWidth() const override { return width_; }
    int BorderLeft() const override { return metrics_.borderLeft; }
    int BorderRight() const override { return metrics_.borderRight; }
    int TitleHeight() const override { return metrics_.titleHeight; }
    int MenuBarHeight() const override { return menuHeight_; }
    TNCRect CaptionRect() const override;
    bool IsRightToLeft() const override { return rightToLeft_; }
    bool IsMaximized() const override { return showState_ == TShowState::Maximized; }
    bool IsActive() const override { return active_; }
    bool HasMaximizeBox() const override { return (borderIcons_ & kMaximizeBox) != 0; }
    bool HasMinimizeBox() const override { return (borderIcons_ & kMinimizeBox) != 0; }
    bool HasSystemMenu() const override { return (borderIcons_ & kSystemMenu) != 0; }
    TNCBorderKind BorderKind() const override { return static_cast<TNCBorderKind>(kind_); }
    bool IsDialogClass() const override { return isDialog_; }
    bool ShowsMdiChildButtons() const override;
    void DrawWindowIcon(HDC dc, const RECT& rect) override;
    TMenuBarBackdrop MenuBarBackdrop() const override;
    HMENU SystemMenu() const override { return sysMenuHandle_; }
    HWND MdiClient() const override { return mdiClient_; }
    void StopHoverTimer() override;
    void ToggleMaximize() override;
    void ToggleMinimize() override;
    void OpenSysMenu(POINT screenPoint) override;
    void Restore();

    // ---- TMdiClientOwner
    bool HasMenuBar() const override { return menuBar_ != nullptr; }
    void RereadMenuBarForMdi() override;
    void RereadMenuBar() override;

    // ---- TSkinControlHost: the skinners of the window's controls
    bool RegisterControl(TSkinControl& skinner) override { return controls_.RegisterControl(skinner); }
    void UnregisterControl(TSkinControl& skinner) noexcept override { controls_.UnregisterControl(skinner); }
    bool IsControlSkinned(HWND window) const override { return TSkinControlList::IsControlSkinned(window); }
    TCanvas& ControlCanvas() override { return *controlCanvas_; }
    TSkinData& SkinData() override { return *skinData_; }
    void WatchHover(TSkinControl& skinner) override;
    const TSkinControlList& ControlSkinners() const { return controls_; }
    // A window made after the skinner initialised (a size grip) gets its skinner.
    void SkinChildWindow(HWND window);

    // ---- TMenuBarOwner
    bool IsFrameworkForm() const override { return form_ != nullptr; }
    TMainMenu* FrameworkMenu() const override;
    void PaintMdiChildButtons(HDC dc, TNCPoint origin) override;

private:
    // Bits of borderIcons_.
    static constexpr unsigned kMaximizeBox = 1;
    static constexpr unsigned kMinimizeBox = 2;
    static constexpr unsigned kSystemMenu = 8;
    static constexpr unsigned kTogglesCaption = 16;

    void AttachCommon(TSkinData& skinData);
    void Dispatch(TMessage& message);
    bool HandleAlways(TMessage& message);
    bool HandleTopLevel(TMessage& message);
    void HandleFramed(TMessage& message);
    void FormLayer(TMessage& message, const TWndNext& next);
    void CallOld(TMessage& message) const;

    void Initialise();
    // Every child control gets its skinner: by components and tab order, or by window class.
    void AssignControls();
    // The assignment of this form's controls, with the form as host and skinner.
    TControlAssignment Assignment();
    void ResizeToFrame(bool firstTime);
    void OnNcDestroy(TMessage& message);
    void OnNcCalcSize(TMessage& message);
    void OnNcHitTest(TMessage& message);
    void OnNcPaint(TMessage& message);
    void OnNcActivate(TMessage& message);
    void OnSize(TMessage& message);
    void OnGetMinMaxInfo(TMessage& message);
    void OnSetText(TMessage& message);
    void OnEraseBackground(TMessage& message);
    void OnControlColour(TMessage& message);
    void OnInitMenuPopup(TMessage& message);
    void OnMenuItem(TMessage& message);
    void OnMenuChanged(TMessage& message);

    // ---- frame input (FrameInput.cpp)
    void OnNcMouseMove(TMessage& message);
    void OnNcButtonDown(TMessage& message);
    void OnNcButtonUp(TMessage& message);
    void OnNcDoubleClick(TMessage& message);
    void OnNcRightButtonDown(TMessage& message);
    void OnCommand(TMessage& message);
    void OnSysCommand(TMessage& message);
    bool OnKeyMenu(TMessage& message);
    void OnDialogChar(TMessage& message, const TWndNext& next);
    void OnFormSetText(TMessage& message, const TWndNext& next);
    void OnHoverTimer(TObject* sender);
    void BuildSysMenu();
    void SysMenuClick(TObject* sender);
    // Keeps a bar item without drop-down selected from the keyboard until
    // Enter runs it or another key, a click or losing activation leaves.
    void SelectFromKeyboard(TMenuBtn& item);
    // Presses a bar item and tracks its drop-down until it closes.
    void OpenBarItem(TMenuBtn& item);
    void RestBarItem();
    TNCObject* ObjectUnder(POINT screenPoint) const;

    void ReadShowState();
    void RemoveSystemMenuBit();
    void GiveSystemMenuBitBack();
    void RenderIcon();
    TFrameState FrameState() const;
    bool IsMdiChild() const { return formKind_ == TFormKind::MdiChild; }
    bool Framed() const { return kind_ != TBorderKind::None; }
    LONG_PTR ReadWindowLong(int index) const;
    void StoreWindowLong(int index, LONG_PTR value) const;

    HWND handle_ = nullptr;
    TWinControl* form_ = nullptr;
    TSkinData* skinData_ = nullptr;
    std::uintptr_t ownerKey_ = 0;
    TFormSkinState state_ = TFormSkinState::Attached;
    bool skinFrame_ = false;
    TFormKind formKind_ = TFormKind::Normal;
    TBorderKind kind_ = TBorderKind::Sizeable;
    unsigned borderIcons_ = 0;
    TShowState showState_ = TShowState::Normal;
    bool active_ = true;
    bool rightToLeft_ = false;
    bool isChild_ = false;
    bool isDialog_ = false;
    // Initialised by a paint that came before SKM_INITSKIN; the posted one is then spent.
    bool initialisedEarly_ = false;
    bool unicode_ = false;
    DWORD style_ = 0; // the style last read or written
    std::string className_;
    HWND ownerWnd_ = nullptr;
    TFrameMetrics metrics_;
    int menuHeight_ = 0; // the menu bar's height; 0 for a window without menu
    int menuLoss_ = 0;   // what the system's menu bar took of the client area's height
    int clientBeforeMenu_ = 0;
    SIZE ncExtra_{};
    RECT clientRect_{};
    RECT windowRect_{};
    int width_ = 0; // at the last frame paint
    HMENU menuHandle_ = nullptr;
    HMENU sysMenuHandle_ = nullptr;
    HWND mdiClient_ = nullptr;
    TColor savedColor_ = 0;
    bool colourSaved_ = false;
    bool popupMenusSkinned_ = false;

    TScratchBitmapUse scratch_;
    // Lent to the control skinners, which set its DC while they draw.
    std::unique_ptr<TCanvas> controlCanvas_;
    TSkinControlList controls_;
    TFramePainter painter_;
    TFrameRegion region_;
    bool regionApplied_ = false;
    TTitleButtons buttons_{*this};
    std::unique_ptr<TWinSkinMenu> menuBar_;
    // An MDI frame's hook on its client window; goes before the menu bar.
    TMdiClientHook clientHook_{*this};
    std::unique_ptr<TPopupMenu> sysMenu_;
    UINT doubleClickTime_ = 0;
    DWORD lastSysMenuTick_ = 0;
    bool sysMenuOpenedOnce_ = false;
    bool selectingFromKeyboard_ = false;
    // Cleared when the skinner goes, for loops that dispatch messages meanwhile.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    TWindowIcon icon_;
    TNCObject* hot_ = nullptr;
    std::unique_ptr<TTimer> timer_;
    std::unique_ptr<TMenuItemPainter> menuPainter_;
    ui::WindowSubclass subclass_;
    ui::HookToken formLayer_;
};
