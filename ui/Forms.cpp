#include "ui/Forms.h"

#include "ui/AnsiText.h"
#include "ui/ComboBox.h"
#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/DateTimePicker.h"
#include "ui/DcGuards.h"
#include "ui/ExceptionBoundary.h"
#include "ui/ExtCtrls.h"
#include "ui/FormTextReader.h"
#include "ui/HeaderControl.h"
#include "ui/MediaPlayer.h"
#include "ui/Memo.h"
#include "ui/Menus.h"
#include "ui/PageControl.h"
#include "ui/ProgressBar.h"
#include "ui/Properties.h"
#include "ui/RadioGroup.h"
#include "ui/Resources.h"
#include "ui/ScrollBar.h"
#include "ui/ScrollBox.h"
#include "ui/CoolBar.h"
#include "ui/Frames.h"
#include "ui/StatusBar.h"
#include "ui/StdCtrls.h"
#include "ui/TabSet.h"
#include "ui/ToolBar.h"
#include "ui/TrackBar.h"
#include "ui/TreeView.h"
#include "ui/UpDown.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>

constinit const TClassInfo TCustomForm::ClassInfo = ui::ClassOf<TCustomForm>("TCustomForm", TWinControl::ClassInfo);
constinit const TClassInfo TForm::ClassInfo = ui::ClassOf<TForm>("TForm", TCustomForm::ClassInfo);
constinit const TClassInfo TApplication::ClassInfo = ui::ClassOf<TApplication>("TApplication", TComponent::ClassInfo);
constinit const TClassInfo TScreen::ClassInfo = ui::ClassOf<TScreen>("TScreen", TComponent::ClassInfo);

namespace ui {

namespace {
constexpr std::string_view kFormBorderStyleNames[] = {"bsNone",   "bsSingle",     "bsSizeable",
                                                      "bsDialog", "bsToolWindow", "bsSizeToolWin"};
constexpr std::string_view kBorderIconNames[] = {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"};
constexpr std::string_view kPositionNames[] = {"poDesigned",        "poDefault",      "poDefaultPosOnly",
                                               "poDefaultSizeOnly", "poScreenCenter", "poDesktopCenter",
                                               "poMainFormCenter",  "poOwnerFormCenter"};

struct DisableContext {
    HWND except;
    std::vector<HWND>* disabled;
};

BOOL CALLBACK DisableWindow(HWND window, LPARAM data) noexcept
{
    auto* context = reinterpret_cast<DisableContext*>(data);
    // Out of memory, the enumeration stops: a window that could not be
    // remembered is not disabled either.
    return RunGuarded(nullptr, FALSE, [&]() -> BOOL {
        if (window != context->except && IsWindowVisible(window) && IsWindowEnabled(window)) {
            context->disabled->push_back(window);
            EnableWindow(window, FALSE);
        }
        return TRUE;
    });
}

// Windows the modal form disabled, enabled again when it ends.
std::vector<HWND> DisableOtherWindows(HWND except)
{
    std::vector<HWND> disabled;
    DisableContext context{except, &disabled};
    EnumThreadWindows(GetCurrentThreadId(), &DisableWindow, reinterpret_cast<LPARAM>(&context));
    return disabled;
}

} // namespace

constinit const TEnumInfo FormBorderStyleInfo{"TFormBorderStyle", kFormBorderStyleNames};
constinit const TEnumInfo BorderIconInfo{"TBorderIcon", kBorderIconNames};
constinit const TEnumInfo PositionInfo{"TPosition", kPositionNames};

void RegisterFrameworkClasses()
{
    static const bool done = [] {
        RegisterClasses({&TForm::ClassInfo, &TButton::ClassInfo, &TEdit::ClassInfo, &TListBox::ClassInfo,
                         &TGroupBox::ClassInfo, &TLabel::ClassInfo, &TListView::ClassInfo, &TListColumn::ClassInfo,
                         &TPanel::ClassInfo, &TImage::ClassInfo, &TTimer::ClassInfo, &TMainMenu::ClassInfo,
                         &TPopupMenu::ClassInfo, &TMenuItem::ClassInfo, &TComboBox::ClassInfo, &TMemo::ClassInfo,
                         &TRichEdit::ClassInfo, &TScrollBar::ClassInfo, &TScrollBox::ClassInfo,
                         &TTreeView::ClassInfo, &THeaderControl::ClassInfo, &THeaderSection::ClassInfo,
                         &TCheckBox::ClassInfo, &TRadioButton::ClassInfo, &TRadioGroup::ClassInfo,
                         &TBitBtn::ClassInfo, &TSpeedButton::ClassInfo, &TProgressBar::ClassInfo,
                         &TTrackBar::ClassInfo, &TUpDown::ClassInfo, &TStatusBar::ClassInfo, &TStatusPanel::ClassInfo,
                         &TPageControl::ClassInfo, &TTabSheet::ClassInfo, &TTabControl::ClassInfo,
                         &TTabSet::ClassInfo, &TDateTimePicker::ClassInfo, &TToolBar::ClassInfo,
                         &TToolButton::ClassInfo, &TMediaPlayer::ClassInfo, &TCoolBar::ClassInfo,
                         &TCoolBand::ClassInfo, &TFrame::ClassInfo});
        return true;
    }();
    (void)done;
}

// Never destroyed: forms may still be alive during static destruction.
TApplication& TheApplication()
{
    static auto* const application = new TApplication(nullptr);
    return *application;
}

TScreen& TheScreen()
{
    static auto* const screen = new TScreen(nullptr);
    return *screen;
}

} // namespace ui

// ============================================================ TCustomForm

void TCustomForm::Publish(ui::TPublisher<TCustomForm>& p)
{
    p.Text("Caption", &TCustomForm::Caption, &TCustomForm::SetCaption);
    // A form has no place in a tab order.
    p.Integer("TabOrder", &TCustomForm::TabOrder, &TCustomForm::SetTabOrder).Stored(false);
    p.Boolean("TabStop", &TCustomForm::TabStop, &TCustomForm::SetTabStop).Stored(false);
    p.Integer("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth);
    p.Integer("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight);
    p.Enum("BorderStyle", ui::FormBorderStyleInfo, &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle)
        .Default(bsSizeable);
    p.Set("BorderIcons", ui::BorderIconInfo, &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
        .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize}.Bits());
    p.Enum("Position", ui::PositionInfo, &TCustomForm::Position, &TCustomForm::SetPosition).Default(poDesigned);
    p.Object("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu);
    p.Object("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl);
    p.Boolean("AutoScroll", &TCustomForm::AutoScroll, &TCustomForm::SetAutoScroll).Default(0);
    p.Boolean("Visible", &TCustomForm::Visible, &TCustomForm::SetVisible).Default(0);
    p.Event("OnCreate", &TCustomForm::OnCreate);
    p.Event("OnDestroy", &TCustomForm::OnDestroy);
    p.Event("OnShow", &TCustomForm::OnShow);
    p.Event("OnHide", &TCustomForm::OnHide);
    p.Event("OnActivate", &TCustomForm::OnActivate);
    p.Event("OnDeactivate", &TCustomForm::OnDeactivate);
    p.Event("OnPaint", &TCustomForm::OnPaint);
    p.Event("OnClose", &TCustomForm::OnClose);
    p.Event("OnCloseQuery", &TCustomForm::OnCloseQuery);
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner), canvas_(std::make_unique<TCanvas>())
{
    SetVisibleFlag(false);
    clickEvents_ = true;
    SetColor(clBtnFace);
    SetParentFont(false);
    UpdateStoredBounds(0, 0, 320, 240);
    Screen->AddForm(this);
}

TCustomForm::~TCustomForm()
{
    Destroying();
    ui::RunGuarded(this, [this] { OnDestroy(this); });
    // Controls and components go while the form is whole: removing a control
    // tells the form to forget it as the focused one.
    DestroyComponents();
    DestroyHandle();
    Screen->RemoveForm(this);
    Application->FormDestroyed(this);
}

void TCustomForm::LoadForm()
{
    ui::RegisterFrameworkClasses();
    TResourceStream stream(nullptr, ClassName());
    ui::TFormReadOptions options;
    options.ResolveFile = ui::ResourceFileResolver();
    ui::ReadForm(*this, stream, options);
    DoCreate();
}

void TCustomForm::LoadFormText(std::string_view text)
{
    ui::RegisterFrameworkClasses();
    ui::TFormReadOptions options;
    options.ResolveFile = ui::ResourceFileResolver();
    ui::ReadFormText(*this, text, options);
    DoCreate();
}

void TCustomForm::DoCreate() { OnCreate(this); }

void TCustomForm::Loaded()
{
    TWinControl::Loaded();
    // Visible = True in the description shows the form once it is complete.
    if (Visible())
        VisibleChanged();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value)
{
    if (value == borderStyle_)
        return;
    borderStyle_ = value;
    SizeFromClientSize();
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons value)
{
    if (value == borderIcons_)
        return;
    borderIcons_ = value;
    SizeFromClientSize();
    RecreateWnd();
}

void TCustomForm::SetMenu(TMainMenu* menu)
{
    if (menu == menu_)
        return;
    if (menu_) {
        menu_->RemoveFreeNotification(this);
        menu_->SetWindowHandle(nullptr);
    }
    menu_ = menu;
    if (menu_)
        menu_->FreeNotification(this);
    SizeFromClientSize();
    if (HandleAllocated()) {
        ::SetMenu(WindowHandle(), menu_ ? menu_->Handle() : nullptr);
        if (menu_)
            menu_->SetWindowHandle(WindowHandle());
    }
}

void TCustomForm::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == menu_) {
        if (HandleAllocated())
            ::SetMenu(WindowHandle(), nullptr);
        menu_ = nullptr;
    }
}

void TCustomForm::SetActiveControl(TWinControl* control)
{
    if (control && ui::GetParentForm(control) != this)
        return;
    activeControl_ = control;
    if (control && HandleAllocated() && Active() && control->CanFocus())
        ::SetFocus(control->Handle());
}

void TCustomForm::FocusControl(TWinControl* control) { SetActiveControl(control); }

bool TCustomForm::SetFocusedControl(TWinControl* control)
{
    activeControl_ = control;
    if (control == focusedControl_)
        return true;
    TWinControl* old = focusedControl_;
    focusedControl_ = control;
    for (TWinControl* c = old; c && c != this && !c->ContainsControl(control); c = c->Parent())
        c->Perform(CM_EXIT, 0, 0);
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
    std::vector<TWinControl*> entered;
    for (TWinControl* c = control; c && c != this; c = c->Parent()) {
        if (old && c->ContainsControl(old))
            break;
        entered.push_back(c);
    }
    for (auto it = entered.rbegin(); it != entered.rend(); ++it)
        (*it)->Perform(CM_ENTER, 0, 0);
    return focusedControl_ == control;
}

void TCustomForm::ControlRemoving(TControl& control)
{
    auto* windowed = ui::As<TWinControl>(&control);
    if (!windowed)
        return;
    if (activeControl_ && windowed->ContainsControl(activeControl_))
        activeControl_ = nullptr;
    if (focusedControl_ && windowed->ContainsControl(focusedControl_))
        focusedControl_ = nullptr;
}

bool TCustomForm::IsShortCut(WORD key, TShiftState shift) { return menu_ && menu_->IsShortCut(key, shift); }

bool TCustomForm::Active() const { return HandleAllocated() && GetActiveWindow() == WindowHandle(); }

void TCustomForm::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    params.ExStyle = 0;
    params.WndParent = nullptr;
    TCustomForm* main = Application->MainForm();
    if (main && main != this && main->HandleAllocated())
        params.WndParent = main->WindowHandle();
    bool boxes = true;
    switch (borderStyle_) {
    case bsNone:
        params.Style |= WS_POPUP;
        boxes = false;
        break;
    case bsSingle:
        params.Style |= WS_CAPTION | WS_BORDER;
        break;
    case bsSizeable:
        params.Style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case bsDialog:
        params.Style |= WS_POPUP | WS_CAPTION;
        params.ExStyle |= WS_EX_DLGMODALFRAME;
        boxes = false;
        break;
    case bsToolWindow:
        params.Style |= WS_CAPTION;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        boxes = false;
        break;
    case bsSizeToolWin:
        params.Style |= WS_CAPTION | WS_THICKFRAME;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        boxes = false;
        break;
    }
    if (borderStyle_ != bsNone && borderIcons_.Contains(biSystemMenu)) {
        params.Style |= WS_SYSMENU;
        if (boxes && borderIcons_.Contains(biMinimize))
            params.Style |= WS_MINIMIZEBOX;
        if (boxes && borderIcons_.Contains(biMaximize))
            params.Style |= WS_MAXIMIZEBOX;
    }
    if (!Enabled())
        params.Style |= WS_DISABLED;
    params.Menu = menu_ ? menu_->Handle() : nullptr;
    if (clientWidth_ >= 0 && clientHeight_ >= 0) {
        RECT r{0, 0, clientWidth_, clientHeight_};
        AdjustWindowRectEx(&r, params.Style, params.Menu != nullptr, params.ExStyle);
        params.Width = r.right - r.left;
        params.Height = r.bottom - r.top;
    }
}

void TCustomForm::CreateWnd()
{
    TWinControl::CreateWnd();
    if (menu_)
        menu_->SetWindowHandle(WindowHandle());
    ApplyClientSize();
}

void TCustomForm::ApplyClientSize()
{
    if (!HandleAllocated() || clientWidth_ < 0 || clientHeight_ < 0)
        return;
    // The menu bar may wrap, and frames differ between systems: measure.
    RECT client{};
    GetClientRect(WindowHandle(), &client);
    const int dw = clientWidth_ - (client.right - client.left);
    const int dh = clientHeight_ - (client.bottom - client.top);
    if (dw != 0 || dh != 0)
        SetBounds(Left(), Top(), Width() + dw, Height() + dh);
}

void TCustomForm::DestroyWnd()
{
    // The window would destroy its menu with it; the menu object owns that handle.
    if (HandleAllocated() && GetMenu(WindowHandle()))
        ::SetMenu(WindowHandle(), nullptr);
    if (menu_)
        menu_->SetWindowHandle(nullptr);
    if (HandleAllocated()) {
        const RECT client = ClientRect();
        clientWidth_ = client.right - client.left;
        clientHeight_ = client.bottom - client.top;
    }
    TWinControl::DestroyWnd();
}

RECT TCustomForm::ClientRect() const
{
    if (!HandleAllocated() && clientWidth_ >= 0 && clientHeight_ >= 0)
        return RECT{0, 0, clientWidth_, clientHeight_};
    return TWinControl::ClientRect();
}

void TCustomForm::SetClientSize(int width, int height)
{
    clientWidth_ = width;
    clientHeight_ = height;
    if (!HandleAllocated()) {
        SizeFromClientSize();
        return;
    }
    ApplyClientSize();
    if (IsWindowVisible(WindowHandle())) {
        clientWidth_ = -1;
        clientHeight_ = -1;
    }
}

void TCustomForm::SizeFromClientSize()
{
    // Before the window exists the frame is worked out from the styles; the
    // client size wins over Width and Height whatever order they were set in.
    if (HandleAllocated() || clientWidth_ < 0 || clientHeight_ < 0)
        return;
    TCreateParams params;
    CreateParams(params);
    UpdateStoredBounds(Left(), Top(), params.Width, params.Height);
}

void TCustomForm::ApplyPosition()
{
    int x = Left();
    int y = Top();
    switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
        x = (Screen->Width() - Width()) / 2;
        y = (Screen->Height() - Height()) / 2;
        break;
    case poMainFormCenter:
    case poOwnerFormCenter:
        if (TCustomForm* main = Application->MainForm(); main && main != this) {
            x = main->Left() + (main->Width() - Width()) / 2;
            y = main->Top() + (main->Height() - Height()) / 2;
        }
        break;
    default:
        return;
    }
    SetBounds(x, y, Width(), Height());
}

void TCustomForm::VisibleChanged()
{
    if (ComponentState().Contains(csLoading))
        return;
    if (Visible()) {
        OnShow(this);
        const HWND window = Handle();
        ApplyPosition();
        if (!activeControl_)
            activeControl_ = FindNextControl(nullptr, true, true, false);
        ShowWindow(window, SW_SHOWNORMAL);
        // The menu bar takes its height only once the window shows; the
        // described client size holds until then and is settled now.
        ApplyClientSize();
        clientWidth_ = -1;
        clientHeight_ = -1;
        SetForegroundWindow(window);
        if (activeControl_ && Active() && activeControl_->CanFocus())
            ::SetFocus(activeControl_->Handle());
    } else {
        if (HandleAllocated())
            ShowWindow(WindowHandle(), SW_HIDE);
        OnHide(this);
    }
}

void TCustomForm::PaintWindow(HDC dc)
{
    if (!OnPaint)
        return;
    const ui::ScopedCanvasBinding binding(*canvas_, dc);
    OnPaint(this);
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) { OnClose(this, action); }

void TCustomForm::Close()
{
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone)
        return;
    if (Application->MainForm() == this)
        Application->Terminate();
    else if (action == caHide)
        Hide();
    else if (action == caMinimize)
        ShowWindow(Handle(), SW_MINIMIZE);
    else
        Release();
}

void TCustomForm::Release()
{
    if (HandleAllocated())
        PostMessageA(WindowHandle(), CM_RELEASE, 0, 0);
}

void TCustomForm::CloseModal()
{
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone)
        modalResult_ = mrNone;
}

int TCustomForm::ShowModal()
{
    if (Visible() || !Enabled() || modal_)
        throw Exception("Cannot make a visible window modal");
    if (GetCapture())
        ReleaseCapture();
    const HWND activeBefore = GetActiveWindow();
    modal_ = true;
    modalResult_ = mrNone;
    const std::vector<HWND> disabled = ui::DisableOtherWindows(Handle());
    const auto finish = [&] {
        for (const HWND window : disabled) {
            if (IsWindow(window))
                EnableWindow(window, TRUE);
        }
        modal_ = false;
        Hide();
        if (activeBefore && IsWindow(activeBefore))
            SetActiveWindow(activeBefore);
    };
    try {
        Show();
        while (modalResult_ == mrNone) {
            Application->HandleMessage();
            if (Application->Terminated())
                modalResult_ = mrCancel;
            else if (modalResult_ != mrNone)
                CloseModal();
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return modalResult_;
}

void TCustomForm::GetChildren(const std::function<void(TComponent&)>& proc, const TComponent& root) const
{
    TWinControl::GetChildren(proc, root);
}

void TCustomForm::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_CLOSE:
        Close();
        return;
    case WM_SETFOCUS:
        if (activeControl_ && activeControl_ != this && activeControl_->CanFocus()) {
            ::SetFocus(activeControl_->Handle());
            return;
        }
        break;
    case WM_ACTIVATE:
        TWinControl::WndProc(message);
        if (LOWORD(message.WParam) != WA_INACTIVE)
            OnActivate(this);
        else
            OnDeactivate(this);
        return;
    case WM_COMMAND:
        if (message.LParam == 0 && HIWORD(message.WParam) <= 1 && menu_ && menu_->DispatchCommand(LOWORD(message.WParam)))
            return;
        break;
    case WM_INITMENUPOPUP:
        if (menu_)
            menu_->DispatchPopup(reinterpret_cast<HMENU>(message.WParam));
        break;
    case WM_MEASUREITEM:
        if (auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
            item && item->CtlType == ODT_MENU && menu_ && menu_->MeasureItem(*item)) {
            message.Result = 1;
            return;
        }
        break;
    case WM_DRAWITEM:
        if (auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
            item && item->CtlType == ODT_MENU && menu_ && menu_->DrawItem(*item)) {
            message.Result = 1;
            return;
        }
        break;
    case CM_MENUCHANGED:
        if (HandleAllocated() && menu_) {
            ::SetMenu(WindowHandle(), menu_->Handle());
            DrawMenuBar(WindowHandle());
        }
        return;
    case CM_DIALOGKEY:
        if (GetKeyState(VK_MENU) >= 0) {
            const auto key = static_cast<WORD>(message.WParam);
            if (key == VK_TAB) {
                if (GetKeyState(VK_CONTROL) >= 0) {
                    SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
                    message.Result = 1;
                    return;
                }
            } else if ((key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) && activeControl_ &&
                       activeControl_->Parent()) {
                activeControl_->Parent()->SelectNext(activeControl_, key == VK_RIGHT || key == VK_DOWN, false);
                message.Result = 1;
                return;
            }
        }
        break;
    default:
        break;
    }
    TWinControl::WndProc(message);
}

// ============================================================ TApplication

TApplication::TApplication(TComponent* owner) : TComponent(owner)
{
    char path[MAX_PATH]{};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string_view name(path);
    if (const auto slash = name.find_last_of("\\/"); slash != std::string_view::npos)
        name.remove_prefix(slash + 1);
    if (const auto dot = name.rfind('.'); dot != std::string_view::npos)
        name = name.substr(0, dot);
    title_ = std::string(name);
}

TApplication::~TApplication() = default;

namespace {

// Text between the framework and its windows goes through the system's own
// code page tables (the portable fallback knows only ASCII).
void UseSystemCodePage()
{
    ui::SetAnsiCodec({
        [](std::string_view text) {
            std::wstring wide;
            if (text.empty())
                return wide;
            const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
            wide.resize(static_cast<std::size_t>(length));
            MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
            return wide;
        },
        [](std::wstring_view text) {
            std::string ansi;
            if (text.empty())
                return ansi;
            const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                                   nullptr, nullptr);
            ansi.resize(static_cast<std::size_t>(length));
            WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), length, nullptr,
                                nullptr);
            return ansi;
        },
    });
}

} // namespace

void TApplication::Initialize()
{
    UseSystemCodePage();
    ui::RegisterFrameworkClasses();
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&init);
}

void TApplication::Run()
{
    if (mainForm_)
        mainForm_->Show();
    while (!terminated_)
        ui::RunGuarded(this, [this] { HandleMessage(); });
}

void TApplication::Terminate() { PostQuitMessage(0); }

bool TApplication::IsKeyMessage(const MSG& message)
{
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST)
        return false;
    HWND window = GetCapture();
    if (!window)
        window = message.hwnd;
    // An inner window of a control (the edit of a combo box) counts as the control.
    TWinControl* control = nullptr;
    for (HWND w = window; w && !control; w = GetAncestor(w, GA_PARENT)) {
        control = ui::FindControl(w);
        if (!(GetWindowLongPtrA(w, GWL_STYLE) & WS_CHILD))
            break;
    }
    return control && control->Perform(CN_BASE + message.message, message.wParam, message.lParam) != 0;
}

bool TApplication::ProcessMessage(MSG& message)
{
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (message.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    if (!IsKeyMessage(message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

void TApplication::ProcessMessages()
{
    MSG message{};
    while (ProcessMessage(message)) {
    }
}

void TApplication::HandleMessage()
{
    MSG message{};
    if (!ProcessMessage(message))
        WaitMessage();
}

void TApplication::HandleException(TObject* sender)
{
    const std::exception_ptr current = std::current_exception();
    if (!current)
        return;
    try {
        std::rethrow_exception(current);
    } catch (const std::exception& error) {
        if (OnException)
            OnException(sender, error);
        else
            ShowException(error);
    } catch (...) {
        const Exception error("Unknown exception");
        if (OnException)
            OnException(sender, error);
        else
            ShowException(error);
    }
}

void TApplication::ShowException(const std::exception& error) { MessageBox(error.what(), title_, MB_OK | MB_ICONSTOP); }

int TApplication::MessageBox(std::string_view text, std::string_view caption, UINT flags)
{
    HWND owner = GetActiveWindow();
    if (!owner && mainForm_ && mainForm_->HandleAllocated())
        owner = mainForm_->WindowHandle();
    return ::MessageBoxA(owner, std::string(text).c_str(), std::string(caption).c_str(), flags);
}

void TApplication::FormDestroyed(TCustomForm* form)
{
    if (mainForm_ == form)
        mainForm_ = nullptr;
}

// ============================================================ TScreen

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}

TScreen::~TScreen() = default;

void TScreen::AddForm(TCustomForm* form) { forms_.push_back(form); }

void TScreen::RemoveForm(TCustomForm* form) { std::erase(forms_, form); }

TCustomForm* TScreen::ActiveForm() const
{
    const HWND active = GetActiveWindow();
    for (TCustomForm* form : forms_) {
        if (form->HandleAllocated() && form->WindowHandle() == active)
            return form;
    }
    return nullptr;
}

TWinControl* TScreen::ActiveControl() const
{
    TCustomForm* form = ActiveForm();
    return form ? form->ActiveControl() : nullptr;
}

TFont& TScreen::MenuFont()
{
    if (!menuFont_) {
        menuFont_ = std::make_unique<TFont>();
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
            menuFont_->SetHandle(ui::UniqueFont(CreateFontIndirectA(&metrics.lfMenuFont)));
    }
    return *menuFont_;
}

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }

int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }
