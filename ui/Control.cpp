#include "ui/Control.h"

#include "ui/DcGuards.h"
#include "ui/ExceptionBoundary.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/Properties.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <optional>
#include <set>
#include <unordered_map>

constinit const TClassInfo TControl::ClassInfo = ui::ClassOf<TControl>("TControl", TComponent::ClassInfo);
constinit const TClassInfo TWinControl::ClassInfo = ui::ClassOf<TWinControl>("TWinControl", TControl::ClassInfo);
constinit const TClassInfo TGraphicControl::ClassInfo =
    ui::ClassOf<TGraphicControl>("TGraphicControl", TControl::ClassInfo);

namespace ui {

namespace {
constexpr std::string_view kAlignmentNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};
constexpr std::string_view kBorderStyleNames[] = {"bsNone", "bsSingle"};
} // namespace

constinit const TEnumInfo AlignmentInfo{"TAlignment", kAlignmentNames};
constinit const TEnumInfo BorderStyleInfo{"TBorderStyle", kBorderStyleNames};

TShiftState MouseShiftState(WPARAM keys)
{
    TShiftState state;
    if (keys & MK_SHIFT)
        state.Include(ssShift);
    if (keys & MK_CONTROL)
        state.Include(ssCtrl);
    if (keys & MK_LBUTTON)
        state.Include(ssLeft);
    if (keys & MK_RBUTTON)
        state.Include(ssRight);
    if (keys & MK_MBUTTON)
        state.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0)
        state.Include(ssAlt);
    return state;
}

TShiftState KeyboardShiftState()
{
    TShiftState state;
    if (GetKeyState(VK_SHIFT) < 0)
        state.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0)
        state.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0)
        state.Include(ssAlt);
    return state;
}

namespace {

// Window -> control. Never destroyed: windows may outlive static destruction.
std::unordered_map<HWND, TWinControl*>& ControlMap()
{
    static auto* const map = new std::unordered_map<HWND, TWinControl*>;
    return *map;
}

// The control whose own-class window CreateWindowEx is making right now; its
// first message binds it.
TWinControl* g_creating = nullptr;
TControl* g_mouseControl = nullptr;

void SetMouseControl(TControl* control)
{
    if (control == g_mouseControl)
        return;
    TControl* old = g_mouseControl;
    g_mouseControl = control;
    if (old)
        old->Perform(CM_MOUSELEAVE, 0, 0);
    if (control)
        control->Perform(CM_MOUSEENTER, 0, 0);
}

// Index of the hotkey character in caption, or npos. "&&" is a literal "&";
// double-byte characters are skipped whole.
std::size_t HotkeyIndex(std::string_view caption)
{
    for (std::size_t i = 0; i < caption.size(); ++i) {
        const auto c = static_cast<unsigned char>(caption[i]);
        if (c >= 0x81 && c <= 0xFE) {
            ++i;
        } else if (c == '&' && i + 1 < caption.size()) {
            if (caption[i + 1] != '&')
                return i + 1;
            ++i;
        }
    }
    return std::string_view::npos;
}

} // namespace

void LoadCommonControls(DWORD classes)
{
    static DWORD loaded = 0;
    if ((loaded & classes) == classes)
        return;
    INITCOMMONCONTROLSEX init{sizeof init, classes};
    if (InitCommonControlsEx(&init) != FALSE)
        loaded |= classes;
}

TWinControl* FindControl(HWND window)
{
    if (!window)
        return nullptr;
    const auto it = ControlMap().find(window);
    return it == ControlMap().end() ? nullptr : it->second;
}

TCustomForm* GetParentForm(const TControl* control)
{
    if (!control)
        return nullptr;
    while (control->Parent())
        control = control->Parent();
    return ui::As<TCustomForm>(const_cast<TControl*>(control));
}

TControl* MouseControl() { return g_mouseControl; }

bool IsAccel(char character, std::string_view caption)
{
    const std::size_t i = HotkeyIndex(caption);
    if (i == std::string_view::npos)
        return false;
    const auto hot = static_cast<unsigned char>(caption[i]);
    if (hot >= 0x80)
        return false;
    return AsciiLower(static_cast<char>(hot)) == AsciiLower(character);
}

std::string StripHotkey(std::string_view caption)
{
    std::string result;
    result.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        const auto c = static_cast<unsigned char>(caption[i]);
        if (c >= 0x81 && c <= 0xFE && i + 1 < caption.size()) {
            result += caption[i];
            result += caption[++i];
        } else if (c == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&')
                result += caption[++i];
        } else {
            result += caption[i];
        }
    }
    return result;
}

} // namespace ui

// ============================================================ TControl

void TControl::Publish(ui::TPublisher<TControl>& p)
{
    p.Integer("Left", &TControl::Left, &TControl::SetLeft);
    p.Integer("Top", &TControl::Top, &TControl::SetTop);
    p.Integer("Width", &TControl::Width, &TControl::SetWidth);
    p.Integer("Height", &TControl::Height, &TControl::SetHeight);
    p.Boolean("Visible", &TControl::Visible, &TControl::SetVisible).Default(1);
    p.Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(1);
    p.Colour("Color", &TControl::Color, &TControl::SetColor).Stored([](const TControl& c) { return !c.ParentColor(); });
    p.Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(1);
    p.Object("Font", &TControl::FontObject).Stored([](const TControl& c) { return !c.ParentFont(); });
    p.Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(1);
    p.Object("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
    p.Event("OnClick", &TControl::OnClick);
    p.Event("OnDblClick", &TControl::OnDblClick);
    p.Event("OnMouseEnter", &TControl::OnMouseEnter);
    p.Event("OnMouseLeave", &TControl::OnMouseLeave);
    p.Event("OnMouseDown", &TControl::OnMouseDown);
    p.Event("OnMouseUp", &TControl::OnMouseUp);
    p.Event("OnMouseMove", &TControl::OnMouseMove);
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>())
{
    font_->OnChange = TNotifyEvent([this](TObject*) {
        if (!applyingParentFont_)
            parentFont_ = false;
        Perform(CM_FONTCHANGED, 0, 0);
    });
}

TControl::~TControl()
{
    // Owned components (a skinner) go while the control is still whole.
    Destroying();
    DestroyComponents();
    if (ui::g_mouseControl == this)
        ui::g_mouseControl = nullptr;
    if (popupMenu_)
        popupMenu_->RemoveFreeNotification(this);
    SetParent(nullptr);
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetParentComponent(TComponent* parent)
{
    if (auto* control = ui::As<TWinControl>(parent))
        SetParent(control);
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == parent_)
        return;
    for (const TControl* p = parent; p; p = p->parent_) {
        if (p == this)
            throw Exception("A control cannot have itself or its own child as parent");
    }
    if (parent_)
        parent_->RemoveChild(*this);
    if (parent)
        parent->InsertChild(*this);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    Invalidate();
    left_ = left;
    top_ = top;
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    Invalidate();
    BoundsChanged();
}

void TControl::UpdateStoredBounds(int left, int top, int width, int height)
{
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    BoundsChanged();
}

RECT TControl::ClientRect() const { return RECT{0, 0, width_, height_}; }

int TControl::ClientWidth() const
{
    const RECT r = ClientRect();
    return r.right - r.left;
}

int TControl::ClientHeight() const
{
    const RECT r = ClientRect();
    return r.bottom - r.top;
}

void TControl::SetClientSize(int width, int height) { SetBounds(left_, top_, width, height); }

POINT TControl::ClientOrigin() const
{
    if (!parent_)
        return POINT{left_, top_};
    POINT p = parent_->ClientOrigin();
    p.x += left_;
    p.y += top_;
    return p;
}

POINT TControl::ClientToScreen(POINT p) const
{
    const POINT origin = ClientOrigin();
    return POINT{p.x + origin.x, p.y + origin.y};
}

POINT TControl::ScreenToClient(POINT p) const
{
    const POINT origin = ClientOrigin();
    return POINT{p.x - origin.x, p.y - origin.y};
}

void TControl::SetVisible(bool value)
{
    if (value == visible_)
        return;
    VisibleChanging();
    visible_ = value;
    Perform(CM_VISIBLECHANGED, value ? 1 : 0, 0);
}

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetEnabled(bool value)
{
    if (value == enabled_)
        return;
    enabled_ = value;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

std::string TControl::GetText() const { return text_; }

void TControl::SetText(std::string_view value)
{
    if (value == text_)
        return;
    text_ = std::string(value);
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetColor(TColor value)
{
    parentColor_ = false;
    if (value == color_)
        return;
    color_ = value;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool value)
{
    if (value == parentColor_)
        return;
    parentColor_ = value;
    if (value)
        Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::SetParentFont(bool value)
{
    if (value == parentFont_)
        return;
    parentFont_ = value;
    if (value)
        Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TPopupMenu* menu)
{
    if (!ReplaceReference(popupMenu_, menu))
        return;
}

void TControl::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == popupMenu_)
        popupMenu_ = nullptr;
}

void TControl::Invalidate()
{
    if (!parent_ || !parent_->HandleAllocated() || width_ <= 0 || height_ <= 0)
        return;
    const RECT r = BoundsRect();
    InvalidateRect(parent_->WindowHandle(), &r, opaque_ ? FALSE : TRUE);
}

void TControl::Update()
{
    if (parent_)
        parent_->Update();
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage message{msg, wParam, lParam, 0};
    WindowProc(message);
    return message.Result;
}

ui::HookToken TControl::AddWindowProc(TWndLayer layer)
{
    if (!layers_)
        layers_ = std::make_shared<ui::WndChain>();
    return layers_->Add(std::move(layer));
}

void TControl::Click() { OnClick(this); }

void TControl::MouseButton(TMessage& message, TMouseButton button, bool down)
{
    const int x = GET_X_LPARAM(message.LParam);
    const int y = GET_Y_LPARAM(message.LParam);
    const TShiftState shift = ui::MouseShiftState(message.WParam);
    if (down) {
        if (button == mbLeft && clickEvents_)
            clicked_ = true;
        OnMouseDown(this, button, shift, x, y);
        return;
    }
    if (button == mbLeft && clicked_) {
        clicked_ = false;
        const RECT client = ClientRect();
        if (PtInRect(&client, POINT{x, y}))
            Click();
    }
    OnMouseUp(this, button, shift, x, y);
}

void TControl::DoContextPopup(TMessage& message)
{
    if (!popupMenu_ || !popupMenu_->AutoPopup())
        return;
    POINT at{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    if (static_cast<DWORD>(message.LParam) == 0xFFFFFFFF) {
        // From the keyboard: open at the control rather than at the mouse.
        at = ClientToScreen(POINT{0, 0});
    }
    popupMenu_->SetPopupComponent(this);
    popupMenu_->Popup(at.x, at.y);
    message.Result = 1;
}

void TControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
        MouseButton(message, mbLeft, true);
        break;
    case WM_LBUTTONDBLCLK:
        MouseButton(message, mbLeft, true);
        if (clickEvents_)
            OnDblClick(this);
        break;
    case WM_LBUTTONUP:
        MouseButton(message, mbLeft, false);
        break;
    case WM_RBUTTONDOWN:
        MouseButton(message, mbRight, true);
        break;
    case WM_RBUTTONUP:
        MouseButton(message, mbRight, false);
        break;
    case WM_MBUTTONDOWN:
        MouseButton(message, mbMiddle, true);
        break;
    case WM_MBUTTONUP:
        MouseButton(message, mbMiddle, false);
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(this, ui::MouseShiftState(message.WParam), GET_X_LPARAM(message.LParam),
                    GET_Y_LPARAM(message.LParam));
        break;
    case WM_CONTEXTMENU:
        // Answered here, by the control the menu belongs to: the copy that
        // the system passes up to the parent may name the parent instead.
        DoContextPopup(message);
        if (message.Result != 0)
            return;
        break;
    case CM_MOUSEENTER:
        mouseInClient_ = true;
        OnMouseEnter(this);
        return;
    case CM_MOUSELEAVE:
        mouseInClient_ = false;
        if (ui::g_mouseControl == this)
            ui::g_mouseControl = nullptr;
        OnMouseLeave(this);
        return;
    case CM_VISIBLECHANGED:
        VisibleChanged();
        return;
    case CM_ENABLEDCHANGED:
        EnabledChanged();
        return;
    case CM_COLORCHANGED:
        ColorChanged();
        return;
    case CM_FONTCHANGED:
        FontChanged();
        return;
    case CM_TEXTCHANGED:
        TextChanged();
        return;
    case CM_PARENTFONTCHANGED:
        ParentFontChanged();
        return;
    case CM_PARENTCOLORCHANGED:
        ParentColorChanged();
        return;
    default:
        break;
    }
    DefaultHandler(message);
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::FontChanged() { Invalidate(); }

void TControl::ColorChanged() { Invalidate(); }

void TControl::TextChanged() { Invalidate(); }

void TControl::EnabledChanged() { Invalidate(); }

void TControl::VisibleChanged()
{
    if (parent_ && parent_->HandleAllocated() && width_ > 0 && height_ > 0) {
        const RECT r = BoundsRect();
        InvalidateRect(parent_->WindowHandle(), &r, TRUE);
    }
}

void TControl::ParentFontChanged()
{
    if (!parentFont_ || !parent_)
        return;
    applyingParentFont_ = true;
    try {
        font_->Assign(parent_->Font());
    } catch (...) {
        applyingParentFont_ = false;
        throw;
    }
    applyingParentFont_ = false;
}

void TControl::ParentColorChanged()
{
    if (!parentColor_ || !parent_ || color_ == parent_->Color())
        return;
    color_ = parent_->Color();
    Perform(CM_COLORCHANGED, 0, 0);
}

// ============================================================ TWinControl

namespace ui::detail {

// Shared by a windowed control (its only owner) and its watchers' tokens.
struct WindowWatchers : std::enable_shared_from_this<WindowWatchers> {
    struct Entry {
        TWindowWatcher watcher;
        bool detached = false;
    };
    std::vector<std::shared_ptr<Entry>> entries;

    HookToken Add(TWindowWatcher watcher)
    {
        auto entry = std::make_shared<Entry>();
        entry->watcher = std::move(watcher);
        entries.push_back(entry);
        return HookToken(weak_from_this(), entry.get(), &WindowWatchers::Detach);
    }

    static void Detach(void* list, const void* item) noexcept
    {
        auto& self = *static_cast<WindowWatchers*>(list);
        const auto it = std::find_if(self.entries.begin(), self.entries.end(),
                                     [item](const std::shared_ptr<Entry>& e) { return e.get() == item; });
        if (it == self.entries.end())
            return;
        // Still alive while it is being told; never told again.
        (*it)->detached = true;
        self.entries.erase(it);
    }
};

} // namespace ui::detail

void TWinControl::Publish(ui::TPublisher<TWinControl>& p)
{
    p.Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder);
    p.Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop);
    p.Event("OnEnter", &TWinControl::OnEnter);
    p.Event("OnExit", &TWinControl::OnExit);
    p.Event("OnKeyDown", &TWinControl::OnKeyDown);
    p.Event("OnKeyPress", &TWinControl::OnKeyPress);
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner)
{
    brush_.SetColor(Color());
}

TWinControl::~TWinControl()
{
    // Owned components first: a skinner takes its layers off while the
    // control is whole, and never sees its window die.
    Destroying();
    DestroyComponents();
    DestroyHandle();
    // Child controls go with their parent, wherever they are owned.
    while (!controls_.empty()) {
        TControl* child = controls_.back();
        RemoveChild(*child);
        delete child;
    }
    // Leave the parent while this is still a windowed control: the parent
    // keeps windowed children in its tab order too.
    SetParent(nullptr);
}

HWND TWinControl::Handle()
{
    if (!handle_) {
        if (TWinControl* parent = Parent())
            parent->HandleNeeded();
        if (!handle_)
            CreateHandle();
    }
    return handle_.get();
}

std::string TWinControl::WindowClassName() const
{
    if (handle_) {
        char name[256]{};
        GetClassNameA(handle_.get(), name, sizeof name);
        return name;
    }
    TCreateParams params;
    const_cast<TWinControl*>(this)->CreateParams(params);
    return params.WinClassName;
}

void TWinControl::CreateParams(TCreateParams& params)
{
    params.Caption = StoredText();
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (Visible())
        params.Style |= WS_VISIBLE;
    if (!Enabled())
        params.Style |= WS_DISABLED;
    if (tabStop_)
        params.Style |= WS_TABSTOP;
    params.X = Left();
    params.Y = Top();
    params.Width = Width();
    params.Height = Height();
    params.WndParent = ParentWindowHandle();
    params.WinClassName = std::string(ClassName());
    params.OwnClass = true;
}

HWND TWinControl::ParentWindowHandle() { return Parent() ? Parent()->Handle() : nullptr; }

LRESULT CALLBACK TWinControl::InitialWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    // Only a window that nobody subclassed yet is the one being created.
    if (ui::g_creating && GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&InitialWndProc)) {
        TWinControl* control = std::exchange(ui::g_creating, nullptr);
        // Should binding fail (memory), the failure is reported and the window
        // is left to the default procedure.
        return ui::RunGuarded(control, LRESULT{0}, [&] {
            control->Bind(window);
            return CallWindowProcA(control->subclass_.Proc(), window, msg, wParam, lParam);
        });
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

void TWinControl::Bind(HWND window)
{
    handle_ = ui::UniqueWindow(window);
    ui::ControlMap()[window] = this;
    subclass_.Install(window, [this](TMessage& m) { MainWndProc(m); });
}

void TWinControl::CreateWnd()
{
    TCreateParams params;
    CreateParams(params);
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    if (params.OwnClass) {
        static std::set<std::string> registered;
        if (!registered.contains(params.WinClassName)) {
            WNDCLASSA wc{};
            wc.style = params.ClassStyle;
            wc.lpfnWndProc = &InitialWndProc;
            wc.hInstance = instance;
            wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
            // The program's icon, when it has one under the customary name; shared, never freed.
            wc.hIcon = LoadIconA(instance, "MAINICON");
            wc.hbrBackground = params.ClassBackground;
            wc.lpszClassName = params.WinClassName.c_str();
            if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
                throw Exception("Cannot register the window class " + params.WinClassName);
            registered.insert(params.WinClassName);
        }
        ui::g_creating = this;
    }
    const HWND window =
        CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style, params.X,
                        params.Y, params.Width, params.Height, params.WndParent, params.Menu, instance, nullptr);
    ui::g_creating = nullptr;
    if (!window)
        throw Exception("Error creating window of class " + params.WinClassName);
    if (!handle_)
        Bind(window);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
}

void TWinControl::DestroyWnd()
{
    StoreText(GetText());
    destroyingWindow_ = true;
    handle_.reset();
    destroyingWindow_ = false;
}

void TWinControl::CreateHandle()
{
    if (handle_)
        return;
    CreateWnd();
    for (TControl* child : controls_) {
        if (auto* windowed = ui::As<TWinControl>(child))
            windowed->CreateHandle();
    }
    AnnounceWindow(ui::WindowChange::Created);
}

void TWinControl::DestroyHandle()
{
    if (!handle_)
        return;
    AnnounceWindow(ui::WindowChange::Destroying);
    for (TControl* child : controls_) {
        if (auto* windowed = ui::As<TWinControl>(child))
            windowed->DestroyHandle();
    }
    DestroyWnd();
}

void TWinControl::RecreateWnd()
{
    if (handle_)
        Perform(CM_RECREATEWND, 0, 0);
}

ui::HookToken TWinControl::WatchWindow(TWindowWatcher watcher)
{
    if (!watchers_)
        watchers_ = std::make_shared<ui::detail::WindowWatchers>();
    return watchers_->Add(std::move(watcher));
}

void TWinControl::AnnounceWindow(ui::WindowChange change)
{
    const bool created = change == ui::WindowChange::Created;
    if (windowAnnounced_ == created)
        return;
    windowAnnounced_ = created;
    if (!watchers_)
        return;
    // A copy: watchers may come and go while they are told.
    const auto watchers = watchers_->entries;
    for (const auto& entry : watchers) {
        if (entry->detached)
            continue;
        try {
            entry->watcher(*this, change);
        } catch (...) {
            Application->HandleException(this);
        }
    }
}

void TWinControl::WindowDestroyed()
{
    const HWND window = handle_.get();
    subclass_.Remove();
    ui::ControlMap().erase(window);
    if (!destroyingWindow_)
        handle_.release();
    trackingLeave_ = false;
    captureControl_ = nullptr;
}

void TWinControl::MainWndProc(TMessage& message)
{
    // A form freeing itself: done here, outside every handler in the chain,
    // because those belong to the form (its skinner among them) and die with it.
    if (message.Msg == CM_RELEASE) {
        if (auto* form = ui::As<TCustomForm>(this)) {
            delete form;
            return;
        }
    }
    // A window destroyed from outside (DestroyWindow, or with its parent's):
    // the watchers hear of it while it is still whole.
    if (message.Msg == WM_DESTROY)
        AnnounceWindow(ui::WindowChange::Destroying);
    try {
        WindowProc(message);
    } catch (...) {
        ui::ReportToBoundary(this);
    }
    if (message.Msg == WM_NCDESTROY)
        WindowDestroyed();
}

void TWinControl::InsertChild(TControl& control)
{
    control.parent_ = this;
    controls_.push_back(&control);
    auto* windowed = ui::As<TWinControl>(&control);
    if (windowed) {
        tabList_.push_back(windowed);
        if (windowed->requestedTabOrder_ >= 0 && !ComponentState().Contains(csLoading))
            windowed->SetTabOrder(windowed->requestedTabOrder_);
    }
    control.Perform(CM_PARENTFONTCHANGED, 0, 0);
    control.Perform(CM_PARENTCOLORCHANGED, 0, 0);
    if (windowed) {
        if (windowed->HandleAllocated()) {
            if (HandleAllocated())
                ::SetParent(windowed->WindowHandle(), handle_.get());
            else
                windowed->DestroyHandle();
        } else if (HandleAllocated() && !ComponentState().Contains(csDestroying)) {
            windowed->CreateHandle();
        }
    } else {
        control.Invalidate();
    }
}

void TWinControl::RemoveChild(TControl& control)
{
    control.Invalidate();
    if (auto* form = ui::GetParentForm(this))
        form->ControlRemoving(control);
    if (ui::g_mouseControl == &control)
        ui::g_mouseControl = nullptr;
    if (captureControl_ == &control) {
        captureControl_ = nullptr;
        ReleaseCapture();
    }
    std::erase(controls_, &control);
    if (auto* windowed = ui::As<TWinControl>(&control)) {
        std::erase(tabList_, windowed);
        windowed->DestroyHandle();
    }
    control.parent_ = nullptr;
}

bool TWinControl::ContainsControl(const TControl* control) const
{
    for (; control; control = control->Parent()) {
        if (control == this)
            return true;
    }
    return false;
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled, bool windowedToo) const
{
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* child = *it;
        if (!windowedToo && ui::As<TWinControl>(child))
            continue;
        if (!child->Visible() || (!child->Enabled() && !allowDisabled))
            continue;
        const RECT r = child->BoundsRect();
        if (PtInRect(&r, p))
            return child;
    }
    return nullptr;
}

void TWinControl::Broadcast(TMessage& message)
{
    // A copy: a handler may add or remove children.
    const std::vector<TControl*> children = controls_;
    for (TControl* child : children) {
        child->WindowProc(message);
        if (message.Result != 0)
            return;
    }
}

void TWinControl::PaintControls(HDC dc, TControl* first)
{
    bool started = first == nullptr;
    RECT clip{};
    GetClipBox(dc, &clip);
    for (TControl* child : controls_) {
        if (!started) {
            if (child != first)
                continue;
            started = true;
        }
        if (ui::As<TWinControl>(child) || !child->Visible())
            continue;
        const RECT bounds = child->BoundsRect();
        RECT visible{};
        if (!IntersectRect(&visible, &bounds, &clip))
            continue;
        const ui::ScopedSaveDC saved(dc);
        POINT origin{};
        GetViewportOrgEx(dc, &origin);
        SetViewportOrgEx(dc, origin.x + bounds.left, origin.y + bounds.top, nullptr);
        IntersectClipRect(dc, 0, 0, child->Width(), child->Height());
        child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
}

void TWinControl::GetChildren(const std::function<void(TComponent&)>& proc, const TComponent& root) const
{
    for (TControl* child : controls_) {
        if (child->Owner() == &root)
            proc(*child);
    }
    if (this == &root)
        TComponent::GetChildren(proc, root);
}

int TWinControl::TabOrder() const
{
    if (!Parent())
        return requestedTabOrder_;
    const auto& list = Parent()->tabList_;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value)
{
    requestedTabOrder_ = value;
    if (!Parent() || value < 0)
        return;
    auto& list = Parent()->tabList_;
    std::erase(list, this);
    const auto position = std::min<std::size_t>(static_cast<std::size_t>(value), list.size());
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(position), this);
}

void TWinControl::SetTabStop(bool value)
{
    tabStop_ = value;
    if (handle_) {
        const LONG_PTR style = GetWindowLongPtrA(handle_.get(), GWL_STYLE);
        SetWindowLongPtrA(handle_.get(), GWL_STYLE, value ? (style | WS_TABSTOP) : (style & ~LONG_PTR{WS_TABSTOP}));
    }
}

void TWinControl::Loaded()
{
    TControl::Loaded();
    // Children read in any order take the tab positions their form file gave them.
    std::vector<TWinControl*> ordered;
    for (TWinControl* child : tabList_) {
        if (child->requestedTabOrder_ >= 0)
            ordered.push_back(child);
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const TWinControl* a, const TWinControl* b) { return a->requestedTabOrder_ < b->requestedTabOrder_; });
    for (TWinControl* child : ordered)
        child->SetTabOrder(child->requestedTabOrder_);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const
{
    for (TWinControl* child : tabList_) {
        list.push_back(child);
        child->GetTabOrderList(list);
    }
}

bool TWinControl::CanFocus() const
{
    const TCustomForm* form = ui::GetParentForm(this);
    if (!form)
        return false;
    for (const TControl* c = this; c && c != form; c = c->Parent()) {
        if (!c->Visible() || !c->Enabled())
            return false;
    }
    return form->Enabled();
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_.get(); }

void TWinControl::SetFocus()
{
    TCustomForm* form = ui::GetParentForm(this);
    if (form && form != this)
        form->FocusControl(this);
    else
        ::SetFocus(Handle());
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop,
                                          bool checkParent) const
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    const int count = static_cast<int>(list.size());
    if (count == 0)
        return nullptr;
    const auto found = std::find(list.begin(), list.end(), current);
    int index = found == list.end() ? (forward ? -1 : count) : static_cast<int>(found - list.begin());
    for (int step = 0; step < count; ++step) {
        index = forward ? (index + 1) % count : (index - 1 + count) % count;
        TWinControl* candidate = list[static_cast<std::size_t>(index)];
        if ((!checkTabStop || candidate->TabStop()) && (!checkParent || candidate->Parent() == this) &&
            candidate->CanFocus())
            return candidate;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop)
{
    if (TWinControl* next = FindNextControl(current, forward, checkTabStop, !checkTabStop))
        next->SetFocus();
}

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    if (left == Left() && top == Top() && width == Width() && height == Height())
        return;
    UpdateStoredBounds(left, top, std::max(width, 0), std::max(height, 0));
    ApplyWindowBounds();
}

void TWinControl::ApplyWindowBounds()
{
    if (handle_)
        SetWindowPos(handle_.get(), nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::SyncBoundsFromWindow()
{
    if (!handle_ || IsIconic(handle_.get()))
        return;
    RECT r{};
    GetWindowRect(handle_.get(), &r);
    if (GetWindowLongPtrA(handle_.get(), GWL_STYLE) & WS_CHILD) {
        if (const HWND parent = GetParent(handle_.get()))
            MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    }
    UpdateStoredBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

RECT TWinControl::ClientRect() const
{
    if (handle_) {
        RECT r{};
        GetClientRect(handle_.get(), &r);
        return r;
    }
    return TControl::ClientRect();
}

void TWinControl::SetClientSize(int width, int height)
{
    if (!handle_) {
        TControl::SetClientSize(width, height);
        return;
    }
    const RECT client = ClientRect();
    SetBounds(Left(), Top(), Width() + width - (client.right - client.left),
              Height() + height - (client.bottom - client.top));
}

POINT TWinControl::ClientOrigin() const
{
    if (handle_) {
        POINT p{0, 0};
        ::ClientToScreen(handle_.get(), &p);
        return p;
    }
    return TControl::ClientOrigin();
}

bool TWinControl::Showing() const
{
    if (handle_)
        return IsWindowVisible(handle_.get()) != FALSE;
    return TControl::Showing();
}

void TWinControl::Invalidate()
{
    if (handle_)
        InvalidateRect(handle_.get(), nullptr, opaque_ ? FALSE : TRUE);
}

void TWinControl::Update()
{
    if (handle_)
        UpdateWindow(handle_.get());
}

std::string TWinControl::GetText() const
{
    if (!handle_)
        return StoredText();
    const int length = GetWindowTextLengthA(handle_.get());
    std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
    const int copied = GetWindowTextA(handle_.get(), text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

void TWinControl::SetText(std::string_view value)
{
    if (value == GetText())
        return;
    StoreText(value);
    if (handle_)
        SetWindowTextA(handle_.get(), StoredText().c_str());
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TWinControl::ColorChanged()
{
    brush_.SetColor(Color());
    Invalidate();
    TMessage message{CM_PARENTCOLORCHANGED, 0, 0, 0};
    for (TControl* child : std::vector<TControl*>(controls_))
        child->Perform(message.Msg, 0, 0);
}

void TWinControl::FontChanged()
{
    if (handle_)
        SendMessageA(handle_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
    for (TControl* child : std::vector<TControl*>(controls_))
        child->Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TWinControl::EnabledChanged()
{
    if (handle_)
        EnableWindow(handle_.get(), Enabled());
}

void TWinControl::VisibleChanged()
{
    if (handle_)
        ShowWindow(handle_.get(), Visible() ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TWinControl::DoEnter() { OnEnter(this); }

void TWinControl::DoExit() { OnExit(this); }

void TWinControl::PaintWindow(HDC dc)
{
    TMessage message{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(message);
}

bool TWinControl::HasVisibleGraphicChildren() const
{
    return std::any_of(controls_.begin(), controls_.end(),
                       [](const TControl* c) { return c->Visible() && !ui::As<TWinControl>(c); });
}

void TWinControl::PaintHandler(TMessage& message)
{
    auto dc = reinterpret_cast<HDC>(message.WParam);
    std::optional<ui::PaintDC> paint;
    if (!dc) {
        paint.emplace(handle_.get());
        dc = paint->get();
    }
    PaintWindow(dc);
    PaintControls(dc, nullptr);
    message.Result = 0;
}

void TWinControl::TrackMouseLeave()
{
    if (trackingLeave_ || !handle_)
        return;
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle_.get(), 0};
    trackingLeave_ = TrackMouseEvent(&track) != FALSE;
}

bool TWinControl::RouteMouseToGraphic(TMessage& message)
{
    const POINT p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    TControl* target = captureControl_;
    if (!target)
        target = ControlAtPos(p, false);
    if (!target)
        return false;
    if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK) {
        captureControl_ = target;
        SetCapture(handle_.get());
    }
    const LPARAM shifted = MAKELPARAM(p.x - target->Left(), p.y - target->Top());
    message.Result = target->Perform(message.Msg, message.WParam, shifted);
    if (message.Msg == WM_LBUTTONUP && captureControl_) {
        captureControl_ = nullptr;
        ReleaseCapture();
    }
    return true;
}

bool TWinControl::ReflectNotification(TMessage& message)
{
    HWND child = nullptr;
    switch (message.Msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        child = reinterpret_cast<HWND>(message.LParam);
        break;
    case WM_NOTIFY:
        if (message.LParam)
            child = reinterpret_cast<const NMHDR*>(message.LParam)->hwndFrom;
        break;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
        if (item && item->CtlType != ODT_MENU)
            child = item->hwndItem;
        break;
    }
    case WM_MEASUREITEM: {
        const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(message.LParam);
        if (item && item->CtlType != ODT_MENU && handle_)
            child = GetDlgItem(handle_.get(), static_cast<int>(item->CtlID));
        break;
    }
    default:
        break;
    }
    TWinControl* control = ui::FindControl(child);
    if (!control || control == this)
        return false;
    message.Result = control->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
    return true;
}

void TWinControl::HandleKeyDown(TMessage& message)
{
    message.Result = 1;
    auto key = static_cast<WORD>(message.WParam);
    if (OnKeyDown) {
        OnKeyDown(this, key, ui::KeyboardShiftState());
        if (key == 0)
            return;
    }
    TCustomForm* form = ui::GetParentForm(this);
    if (form && form->IsShortCut(key, ui::KeyboardShiftState()))
        return;
    if (message.Msg == CN_KEYDOWN && form) {
        DWORD mask = 0;
        switch (key) {
        case VK_TAB:
            mask = DLGC_WANTTAB;
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            mask = DLGC_WANTARROWS;
            break;
        case VK_RETURN:
        case VK_EXECUTE:
        case VK_ESCAPE:
        case VK_CANCEL:
            mask = DLGC_WANTALLKEYS;
            break;
        default:
            break;
        }
        if (mask != 0 && Perform(CM_WANTDIALOGKEY, key, message.LParam) == 0 &&
            (static_cast<DWORD>(Perform(WM_GETDLGCODE, 0, 0)) & mask) == 0 &&
            form->Perform(CM_DIALOGKEY, key, message.LParam) != 0)
            return;
    }
    message.Result = 0;
}

void TWinControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_SETFOCUS:
        if (TCustomForm* form = ui::GetParentForm(this); form && form != this) {
            if (!form->SetFocusedControl(this))
                return;
        }
        break;
    case WM_MOUSEMOVE: {
        const POINT p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
        TControl* over = captureControl_ ? captureControl_ : ControlAtPos(p, false);
        ui::SetMouseControl(over ? over : this);
        TrackMouseLeave();
        if (RouteMouseToGraphic(message))
            return;
        break;
    }
    case WM_MOUSELEAVE:
        trackingLeave_ = false;
        if (ui::g_mouseControl &&
            (ui::g_mouseControl == this ||
             (ui::g_mouseControl->Parent() == this && !ui::As<TWinControl>(ui::g_mouseControl))))
            ui::SetMouseControl(nullptr);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        if (RouteMouseToGraphic(message))
            return;
        break;
    case WM_CONTEXTMENU:
        if (static_cast<DWORD>(message.LParam) != 0xFFFFFFFF) {
            const POINT client = ScreenToClient(POINT{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)});
            if (TControl* child = ControlAtPos(client, false); child && child->PopupMenu()) {
                child->DoContextPopup(message);
                if (message.Result != 0)
                    return;
            }
        }
        break;
    case WM_PAINT:
        if (SelfPainted() || HasVisibleGraphicChildren()) {
            PaintHandler(message);
            return;
        }
        break;
    case WM_ERASEBKGND:
        if (SelfPainted()) {
            RECT r{};
            GetClientRect(handle_.get(), &r);
            FillRect(reinterpret_cast<HDC>(message.WParam), &r, brush_.Handle());
            message.Result = 1;
            return;
        }
        break;
    case WM_NOTIFYFORMAT:
        // Native children ask how to phrase their notifications: the framework reads ANSI.
        if (message.LParam == NF_QUERY) {
            message.Result = NFR_ANSI;
            return;
        }
        break;
    case WM_WINDOWPOSCHANGED:
        TControl::WndProc(message);
        SyncBoundsFromWindow();
        return;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
        HandleKeyDown(message);
        return;
    case CN_CHAR:
        if (OnKeyPress) {
            auto ch = static_cast<char>(message.WParam);
            OnKeyPress(this, ch);
            message.Result = ch == 0 ? 1 : 0;
        }
        return;
    case CN_SYSCHAR:
        if (TCustomForm* form = ui::GetParentForm(this))
            message.Result = form->Perform(CM_DIALOGCHAR, message.WParam, message.LParam) != 0 ? 1 : 0;
        return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
    case CM_FOCUSCHANGED:
        Broadcast(message);
        return;
    case CM_ENTER:
        DoEnter();
        return;
    case CM_EXIT:
        DoExit();
        return;
    case CM_RECREATEWND: {
        const bool wasFocused = Focused();
        DestroyHandle();
        if (Parent() ? Parent()->HandleAllocated() : Visible()) {
            CreateHandle();
            if (!Parent() && Visible())
                ShowWindow(handle_.get(), SW_SHOW);
            if (wasFocused)
                ::SetFocus(handle_.get());
        }
        return;
    }
    default:
        if (ui::IsReflectedNotification(message.Msg) && ReflectNotification(message))
            return;
        break;
    }
    TControl::WndProc(message);
}

void TWinControl::DefaultHandler(TMessage& message)
{
    if (message.Msg >= CN_CTLCOLORMSGBOX && message.Msg <= CN_CTLCOLORSTATIC) {
        const auto dc = reinterpret_cast<HDC>(message.WParam);
        SetTextColor(dc, ui::ColorToRGB(Font().Color()));
        SetBkColor(dc, ui::ColorToRGB(Color()));
        message.Result = reinterpret_cast<LRESULT>(brush_.Handle());
        return;
    }
    // The framework's own notifications mean nothing to a window procedure.
    if (message.Msg >= CM_BASE && message.Msg <= 0xBFFF)
        return;
    if (subclass_.Installed())
        subclass_.CallPrevious(message);
}

// ============================================================ TGraphicControl

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), canvas_(std::make_unique<TCanvas>())
{
    clickEvents_ = true;
}

TGraphicControl::~TGraphicControl()
{
    Destroying();
    DestroyComponents();
}

void TGraphicControl::WndProc(TMessage& message)
{
    if (message.Msg == WM_PAINT && message.WParam != 0) {
        const ui::ScopedCanvasBinding binding(*canvas_, reinterpret_cast<HDC>(message.WParam));
        Paint();
        return;
    }
    TControl::WndProc(message);
}
