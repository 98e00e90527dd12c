// Controls: TControl (anything on a form), TWinControl (a control with its own
// window, made on demand) and TGraphicControl (painted by its parent).
//
// Every message a control handles goes through WindowProc: the chain of
// layers that others (the skinning engine) put in front of the control, each
// passing what it does not want inward, and last WndProc, the framework's own
// handling, which ends in DefaultHandler (for a windowed control: the window
// procedure the control's window had before the framework subclassed it).
// Perform calls WindowProc directly, without the message queue and without
// the window procedure.
#pragma once

#include "ui/Component.h"
#include "ui/Properties.h"
#include "ui/Events.h"
#include "ui/Graphics.h"
#include "ui/Handles.h"
#include "ui/HookToken.h"
#include "ui/Messages.h"
#include "ui/Sets.h"
#include "ui/WndChain.h"
#include "ui/WndProcThunk.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TWinControl;
class TCustomForm;
class TPopupMenu;

namespace ui {
template <class T>
class TPublisher;
namespace detail {
struct WindowWatchers;
}
} // namespace ui

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateItem : unsigned { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// Form borders; edits and list boxes use the first two members.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;

using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int, int>;
using TKeyEvent = TEvent<TObject*, WORD&, TShiftState>;
using TKeyPressEvent = TEvent<TObject*, char&>;

namespace ui {
extern const TEnumInfo AlignmentInfo;
extern const TEnumInfo BorderStyleInfo;   // bsNone, bsSingle
// Shift state from the word parameter of a mouse message (MK_ flags) or from the keyboard.
TShiftState MouseShiftState(WPARAM keys);
TShiftState KeyboardShiftState();
} // namespace ui

class TControl : public TComponent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TControl>& p);

    explicit TControl(TComponent* owner);
    ~TControl() override;

    // ---- parent
    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

    // ---- bounds, in the parent's client coordinates (a form: the screen's)
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
    void SetBoundsRect(const RECT& r) { SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top); }
    virtual RECT ClientRect() const;
    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientWidth(int value) { SetClientSize(value, ClientHeight()); }
    void SetClientHeight(int value) { SetClientSize(ClientWidth(), value); }
    virtual void SetClientSize(int width, int height);
    // Screen position of the client area's top-left corner.
    virtual POINT ClientOrigin() const;
    POINT ClientToScreen(POINT p) const;
    POINT ScreenToClient(POINT p) const;

    // ---- state and look
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible and inside visible parents all the way up.
    virtual bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool value);
    std::string Caption() const { return GetText(); }
    void SetCaption(std::string_view value) { SetText(value); }
    virtual std::string GetText() const;
    virtual void SetText(std::string_view value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TFont& Font() const { return *font_; }
    TFont* FontObject() const { return font_.get(); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);
    // The mouse is over the control (between CM_MOUSEENTER and CM_MOUSELEAVE).
    bool MouseInClient() const { return mouseInClient_; }

    // ---- painting
    virtual void Invalidate();
    virtual void Update();
    void Repaint();
    void Refresh() { Repaint(); }

    // ---- messages
    LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);
    // Hands message to the outermost layer (WndProc when there is none).
    void WindowProc(TMessage& message)
    {
        if (layers_)
            layers_->Dispatch(*this, message);
        else
            WndProc(message);
    }
    // Puts layer in front of the control's handling, outside the layers there
    // are; resetting the token takes it off again.
    ui::HookToken AddWindowProc(TWndLayer layer);
    // The framework's own handling, inside every layer.
    virtual void WndProc(TMessage& message);
    // What happens to a message nobody handled.
    virtual void DefaultHandler(TMessage& message);

    virtual void Click();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

protected:
    // Mouse clicks on the control itself become Click (labels, images,
    // panels, forms); native controls report clicks by notification instead.
    bool clickEvents_ = false;
    // The control paints its whole rectangle (no need to erase behind it).
    bool opaque_ = false;

    virtual void VisibleChanging() {}
    virtual void BoundsChanged() {}
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void TextChanged();
    virtual void EnabledChanged();
    virtual void VisibleChanged();
    virtual void ParentFontChanged();
    virtual void ParentColorChanged();
    virtual void DoContextPopup(TMessage& message);
    void Notification(TComponent* component, TOperation operation) override;

    // Forms start hidden without announcing it.
    void SetVisibleFlag(bool value) { visible_ = value; }
    // Stores new bounds without moving a window (the window moved itself).
    void UpdateStoredBounds(int left, int top, int width, int height);
    const std::string& StoredText() const { return text_; }
    void StoreText(std::string_view text) { text_ = std::string(text); }

private:
    friend class TWinControl;

    void MouseButton(TMessage& message, TMouseButton button, bool down);

    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    bool parentColor_ = true;
    bool parentFont_ = true;
    bool mouseInClient_ = false;
    bool clicked_ = false;
    bool applyingParentFont_ = false;
    TColor color_ = clBtnFace;
    std::string text_;
    std::unique_ptr<TFont> font_;
    TPopupMenu* popupMenu_ = nullptr;
    // Made with the first layer; the layers' tokens refer to it weakly.
    std::shared_ptr<ui::WndChain> layers_;
};

// What CreateWnd passes to CreateWindowEx, prepared by CreateParams.
struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    HMENU Menu = nullptr;
    // The window class. A system class (BUTTON, EDIT, SysListView32 ...) is
    // used as it is; with OwnClass the framework registers it once, with the
    // class style and background below.
    std::string WinClassName;
    bool OwnClass = false;
    UINT ClassStyle = CS_DBLCLKS;
    HBRUSH ClassBackground = nullptr;
};

namespace ui {
enum class WindowChange { Created, Destroying };
} // namespace ui

using TWindowWatcher = std::function<void(TWinControl& control, ui::WindowChange change)>;

class TWinControl : public TControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TWinControl>& p);

    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // The window, created (with the parents' windows) when first asked for.
    HWND Handle();
    // The window if it exists; never creates one.
    HWND WindowHandle() const { return handle_.get(); }
    bool HandleAllocated() const { return static_cast<bool>(handle_); }
    void HandleNeeded() { Handle(); }
    // The class name of the window (or of the window CreateWnd would make).
    std::string WindowClassName() const;
    // Destroys the window and makes it again, keeping text, state and children.
    void RecreateWnd();
    // Tells watcher when the control's window has been made (bound to the
    // control, subclassed, its state and its children's windows in place) and
    // when it is about to be destroyed while still whole: by RecreateWnd, by
    // freeing the control or taking it off its parent, or with its parent's
    // window. Every Created is followed by one Destroying; a watcher added
    // while the window exists hears only what comes after. Something that
    // subclasses the window detaches on Destroying and attaches again on
    // Created. An exception from a watcher goes to the application's handler.
    ui::HookToken WatchWindow(TWindowWatcher watcher);

    // ---- children
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(static_cast<std::size_t>(index)); }
    std::span<TControl* const> ControlList() const { return controls_; }
    bool ContainsControl(const TControl* control) const;
    // The visible child under a point of the client area (graphic children
    // first, as they are drawn over their parent); null when none.
    TControl* ControlAtPos(POINT p, bool allowDisabled, bool windowedToo = false) const;
    // Sends message to each child until one answers it (Result != 0).
    void Broadcast(TMessage& message);
    // Paints the visible graphic children into dc (the client area's DC),
    // starting with first when given.
    void PaintControls(HDC dc, TControl* first);
    void GetChildren(const std::function<void(TComponent&)>& proc, const TComponent& root) const override;

    // ---- focus and tab order
    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);
    // Windowed descendants in tab order, depth first (a container's children follow it).
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();
    // The next (or previous) control after current that may take the focus.
    TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop, bool checkParent) const;
    void SelectNext(TWinControl* current, bool forward, bool checkTabStop);

    TBrush& Brush() { return brush_; }

    void SetBounds(int left, int top, int width, int height) override;
    RECT ClientRect() const override;
    void SetClientSize(int width, int height) override;
    POINT ClientOrigin() const override;
    bool Showing() const override;
    void Invalidate() override;
    void Update() override;
    std::string GetText() const override;
    void SetText(std::string_view value) override;
    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void Loaded() override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;

protected:
    virtual void CreateParams(TCreateParams& params);
    // Makes the window (CreateWindowEx) and subclasses it; overrides call the
    // base first, then put their state into the new window.
    virtual void CreateWnd();
    // Overrides save what the window holds, then call the base.
    virtual void DestroyWnd();
    void CreateHandle();
    void DestroyHandle();
    // Paints the window's own content into dc: the default lets the window
    // procedure do it; framework-drawn controls override.
    virtual void PaintWindow(HDC dc);
    // Whether the framework draws the control itself (no window procedure that paints).
    virtual bool SelfPainted() const { return false; }
    virtual void DoEnter();
    virtual void DoExit();
    void ColorChanged() override;
    void FontChanged() override;
    void EnabledChanged() override;
    void VisibleChanged() override;
    // The window of the parent this control's window goes into.
    virtual HWND ParentWindowHandle();

private:
    friend class TControl;
    friend class TCustomForm;

    void MainWndProc(TMessage& message);
    void Bind(HWND window);
    void WindowDestroyed();
    void AnnounceWindow(ui::WindowChange change);
    void InsertChild(TControl& control);
    void RemoveChild(TControl& control);
    bool ReflectNotification(TMessage& message);
    bool RouteMouseToGraphic(TMessage& message);
    void HandleKeyDown(TMessage& message);
    void PaintHandler(TMessage& message);
    bool HasVisibleGraphicChildren() const;
    void ApplyWindowBounds();
    void SyncBoundsFromWindow();
    void TrackMouseLeave();
    static LRESULT CALLBACK InitialWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

    ui::UniqueWindow handle_;
    ui::WindowSubclass subclass_;
    std::shared_ptr<ui::detail::WindowWatchers> watchers_;
    // Watchers were told Created about the present window and not yet Destroying.
    bool windowAnnounced_ = false;
    bool destroyingWindow_ = false;
    bool trackingLeave_ = false;
    bool tabStop_ = false;
    int requestedTabOrder_ = -1;
    TControl* captureControl_ = nullptr;
    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
    TBrush brush_;
};

class TGraphicControl : public TControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;

    // Bound to the parent's DC, shifted to the control, while Paint runs.
    TCanvas& Canvas() { return *canvas_; }
    void WndProc(TMessage& message) override;

protected:
    virtual void Paint() {}

private:
    std::unique_ptr<TCanvas> canvas_;
};

namespace ui {
// The framework control whose window is window; null for foreign windows.
TWinControl* FindControl(HWND window);
// Registers the common-control window classes a control is made of
// (ICC_* flags), once per process for each class.
void LoadCommonControls(DWORD classes);
// The form a control sits on (the control itself for a form); null when none.
TCustomForm* GetParentForm(const TControl* control);
// The control the mouse is over, as the last CM_MOUSEENTER announced.
TControl* MouseControl();
// "&File" -> true for 'f' / 'F': the character after a single "&".
bool IsAccel(char character, std::string_view caption);
// The caption without "&" markers ("&&" stays one "&").
std::string StripHotkey(std::string_view caption);
} // namespace ui
