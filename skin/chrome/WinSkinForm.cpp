#include "skin/chrome/WinSkinForm.h"

#include "skin/chrome/BorderPainter.h"
#include "skin/chrome/FrameGeometry.h"
#include "skin/chrome/MenuItemPainter.h"
#include "skin/chrome/WindowCaption.h"
#include "skin/model/ControlAssignment.h"
#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinData.h"
#include "skin/model/WinSkinDlg.h"
#include "ui/Control.h"
#include "ui/ExceptionBoundary.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Graphics.h"
#include "ui/Messages.h"
#include "ui/NonClient.h"
#include "ui/RedrawLock.h"
#include "ui/UndocumentedMessages.h"

#include <algorithm>
#include <array>
#include <utility>

constinit const TClassInfo TWinSkinForm::ClassInfo = ui::ClassOf<TWinSkinForm>("TWinSkinForm", TComponent::ClassInfo);

namespace {

std::string ClassNameOf(HWND window)
{
    std::array<char, 256> name{};
    const int length = GetClassNameA(window, name.data(), static_cast<int>(name.size()));
    return std::string(name.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

SIZE SizeOf(const RECT& r) { return {r.right - r.left, r.bottom - r.top}; }

HWND ChildOfClass(HWND parent, std::string_view className)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassNameOf(child) == className)
            return child;
    }
    return nullptr;
}

// Windows that toggle WS_CAPTION themselves rather than losing WS_SYSMENU at
// every frame paint: those the taskbar shows on systems of version x.0 from 5 on.
bool TogglesCaptionBits(DWORD exStyle, HWND owner, bool mdiChild)
{
    const DWORD version = GetVersion();
    const DWORD major = LOBYTE(LOWORD(version));
    const DWORD minor = HIBYTE(LOWORD(version));
    const bool nt = (version & 0x80000000U) == 0;
    if (major <= 4 || minor != 0)
        return false;
    return ((exStyle & WS_EX_APPWINDOW) != 0 && nt) || (owner == nullptr && !mdiChild);
}

} // namespace

TWinSkinForm::TWinSkinForm(TComponent* owner)
    : TComponent(owner), controlCanvas_(std::make_unique<TCanvas>()), doubleClickTime_(GetDoubleClickTime())
{
}

TWinSkinForm::~TWinSkinForm()
{
    *alive_ = false;
    DetachLight();
    buttons_.Clear();
    if (TSkinManage* manager = SkinManager())
        manager->ForgetFormSkinner(handle_);
}

LONG_PTR TWinSkinForm::ReadWindowLong(int index) const
{
    return unicode_ ? GetWindowLongPtrW(handle_, index) : GetWindowLongPtrA(handle_, index);
}

void TWinSkinForm::StoreWindowLong(int index, LONG_PTR value) const
{
    if (unicode_)
        SetWindowLongPtrW(handle_, index, value);
    else
        SetWindowLongPtrA(handle_, index, value);
}

// ---- attaching

void TWinSkinForm::AttachForm(TSkinData& skinData, TWinControl& form)
{
    form_ = &form;
    AttachCommon(skinData);
    if (!subclass_.Installed())
        return;
    if (skinFrame_)
        formLayer_ = form.AddWindowProc([this](TMessage& message, const TWndNext& next) { FormLayer(message, next); });
    savedColor_ = form.Color();
    colourSaved_ = true;
    form.SetColor(skinData.ButtonFaceColour);
    if (skinData.SkinControls.Contains(xcPopupMenu)) {
        menuPainter_->SkinPopupMenus(form, true);
        popupMenusSkinned_ = true;
    }
}

void TWinSkinForm::AttachWindow(TSkinData& skinData) { AttachCommon(skinData); }

void TWinSkinForm::AttachCommon(TSkinData& skinData)
{
    if (subclass_.Installed() || handle_ == nullptr)
        return;
    TSkinManage* manager = SkinManager();
    if (manager != nullptr)
        manager->MarkActivated();
    skinData_ = &skinData;
    menuPainter_ = std::make_unique<TMenuItemPainter>(&skinData);
    timer_ = std::make_unique<TTimer>(nullptr);
    timer_->SetEnabled(false);
    timer_->SetInterval(kSkinActionDelay);
    timer_->OnTimer = TNotifyEvent(this, &TWinSkinForm::OnHoverTimer);

    skinFrame_ = skinData.SkinControls.Contains(xcMainMenu);
    unicode_ = IsWindowUnicode(handle_) != FALSE;
    style_ = static_cast<DWORD>(ReadWindowLong(GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(ReadWindowLong(GWL_EXSTYLE));
    rightToLeft_ = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
    isChild_ = (style_ & WS_CHILD) != 0;
    className_ = ClassNameOf(handle_);
    ownerWnd_ = GetWindow(handle_, GW_OWNER);

    borderIcons_ = 0;
    if ((style_ & WS_SYSMENU) != 0)
        borderIcons_ |= kSystemMenu;
    if ((style_ & WS_MINIMIZEBOX) != 0)
        borderIcons_ |= kMinimizeBox;
    if ((style_ & WS_MAXIMIZEBOX) != 0)
        borderIcons_ |= kMaximizeBox;
    ReadShowState();

    if (HWND client = ChildOfClass(handle_, "MDIClient")) {
        formKind_ = TFormKind::MdiFrame;
        mdiClient_ = client;
    } else if ((exStyle & WS_EX_MDICHILD) != 0) {
        formKind_ = TFormKind::MdiChild;
        if (skinData.Options.Contains(xoMDIChildBorder))
            skinFrame_ = false;
    }
    kind_ = BorderKindOf(style_, exStyle, className_);
    isDialog_ = IsDialogClassName(className_);
    if (TogglesCaptionBits(exStyle, ownerWnd_, IsMdiChild()))
        borderIcons_ |= kTogglesCaption;

    if (manager != nullptr && manager->FreezePainting() && !isChild_ && skinFrame_ && Framed())
        SendMessageA(handle_, WM_SETREDRAW, FALSE, 0);

    if (!subclass_.Install(handle_, [this](TMessage& message) { Dispatch(message); }))
        return;
    if (formKind_ == TFormKind::MdiFrame)
        clientHook_.Install(mdiClient_, skinData);

    if (!skinFrame_) {
        state_ = TFormSkinState::Ready;
        return;
    }
    // The skinned menu bar takes the window's menu off it, and the client
    // area grows by what the system's bar took (unless the window keeps its
    // client size itself): the first resize gives back what it grew.
    menuHandle_ = GetMenu(handle_);
    if (menuHandle_ != nullptr && !IsMdiChild() && !isChild_ && Framed()) {
        RECT before{};
        GetClientRect(handle_, &before);
        menuBar_ = std::make_unique<TWinSkinMenu>(*this);
        menuHeight_ = TWinSkinMenu::DefaultHeight();
        {
            // Taking the menu off redraws the whole frame, for nothing: the
            // window is painted again once it has its skinned frame.
            const ui::RedrawLock lock(handle_);
            menuBar_->ReadItems();
        }
        RECT after{};
        GetClientRect(handle_, &after);
        clientBeforeMenu_ = SizeOf(before).cy;
        menuLoss_ = std::max(0L, SizeOf(after).cy - SizeOf(before).cy);
    }
    const bool keepCaption = (IsMdiChild() && manager != nullptr && manager->MdiChildMaximized()) ||
                             showState_ == TShowState::Minimized;
    if (!keepCaption)
        SetCaptionBits(false);
    RebuildMetrics();
}

void TWinSkinForm::ReadShowState()
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(handle_, &placement))
        return;
    switch (placement.showCmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        showState_ = TShowState::Minimized;
        break;
    case SW_SHOWMAXIMIZED:
        showState_ = TShowState::Maximized;
        break;
    default:
        showState_ = TShowState::Normal;
        break;
    }
}

void TWinSkinForm::RebuildMetrics()
{
    if (skinData_ == nullptr || skinData_->SkinNotLoaded())
        return;
    metrics_ = SkinFrameMetrics(*skinData_, kind_);
    if (!Framed())
        menuHeight_ = 0;
    RenderIcon();
    buttons_.Rebuild(skinData_->CaptionButtons);
}

void TWinSkinForm::FreeSysButtons()
{
    hot_ = nullptr;
    buttons_.Clear();
}

void TWinSkinForm::RenderIcon()
{
    icon_.Render(handle_);
    // The window-icon buttons of a skin without a picture of their own show the window's icon.
    constexpr int kWindowIconAction = 3;
    constexpr int kWindowIconMenuAction = 11;
    for (const auto& element : skinData_->CaptionButtons) {
        if ((element->Action == kWindowIconAction || element->Action == kWindowIconMenuAction) &&
            !element->HasBitmap()) {
            element->Bitmap.Assign(icon_.Picture());
            element->FrameCount = 1;
        }
    }
    if (skinData_->AppIconBitmap.Empty())
        skinData_->AppIconBitmap.Assign(icon_.Picture());
}

void TWinSkinForm::DrawWindowIcon(HDC dc, const RECT& rect) { icon_.Draw(dc, rect); }

// ---- style juggling

void TWinSkinForm::SetCaptionBits(bool on)
{
    if ((borderIcons_ & kTogglesCaption) == 0)
        return;
    const auto style = static_cast<DWORD>(ReadWindowLong(GWL_STYLE));
    style_ = on ? (style | WS_CAPTION) : (style & ~static_cast<DWORD>(WS_CAPTION));
    if (style_ != style)
        StoreWindowLong(GWL_STYLE, static_cast<LONG_PTR>(style_));
}

void TWinSkinForm::RemoveSystemMenuBit()
{
    if ((borderIcons_ & kTogglesCaption) != 0)
        return;
    const auto style = static_cast<DWORD>(ReadWindowLong(GWL_STYLE));
    if ((style & WS_SYSMENU) != 0) {
        style_ = style & ~static_cast<DWORD>(WS_SYSMENU);
        StoreWindowLong(GWL_STYLE, static_cast<LONG_PTR>(style_));
    }
}

void TWinSkinForm::GiveSystemMenuBitBack()
{
    if ((borderIcons_ & kSystemMenu) == 0)
        return;
    const auto style = static_cast<DWORD>(ReadWindowLong(GWL_STYLE));
    if ((style & WS_SYSMENU) == 0) {
        style_ = style | WS_SYSMENU;
        StoreWindowLong(GWL_STYLE, static_cast<LONG_PTR>(style_));
    }
}

// ---- region and size

void TWinSkinForm::UpdateRegion(bool force)
{
    if (state_ == TFormSkinState::Destroyed || !skinFrame_ || skinData_ == nullptr)
        return;
    if (IsMdiChild() && showState_ != TShowState::Normal)
        return;
    RECT bounds{};
    GetWindowRect(handle_, &bounds);
    const SIZE size = SizeOf(bounds);
    if (size.cx <= 0 || size.cy <= 0)
        return;
    const bool rebuild = force || IsMdiChild() || state_ == TFormSkinState::Reskinning;
    if (!region_.Update(*skinData_, size, metrics_, kind_, rebuild) && regionApplied_)
        return;
    regionApplied_ = region_.ApplyTo(handle_, true);
}

void TWinSkinForm::DropRegion()
{
    if (!regionApplied_)
        return;
    region_.DropFrom(handle_, IsMdiChild());
    regionApplied_ = false;
}

void TWinSkinForm::FrameChanged()
{
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void TWinSkinForm::RepaintWindow(HWND window)
{
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}

void TWinSkinForm::ResizeToFrame(bool firstTime)
{
    if (showState_ == TShowState::Maximized) {
        FrameChanged();
        return;
    }
    SIZE client = SizeOf(clientRect_);
    if (firstTime && form_ != nullptr) {
        // The window's menu stays attached, so its client area never held the bar.
        client = {form_->ClientWidth(), form_->ClientHeight()};
    } else if (isDialog_ || !firstTime) {
        GetClientRect(handle_, &clientRect_);
        client = SizeOf(clientRect_);
    }
    if (firstTime && menuBar_)
        client.cy -= std::clamp(static_cast<int>(client.cy) - clientBeforeMenu_, 0, menuLoss_);
    SIZE size = SkinnedWindowSize(client, metrics_, menuHeight_);
    if (firstTime && isDialog_ && skinData_->TitleElement) {
        const TCaptionWidening widening =
            WidenForCaption(size.cx, CaptionWidth(skinData_->CaptionFont(), WideWindowText(handle_)),
                            *skinData_->TitleElement);
        if (widening.childShift > 0) {
            for (HWND child = GetWindow(handle_, GW_CHILD); child != nullptr;
                 child = GetWindow(child, GW_HWNDNEXT)) {
                RECT r{};
                GetWindowRect(child, &r);
                MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&r), 2);
                SetWindowPos(child, nullptr, r.left + widening.childShift, r.top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOSENDCHANGING | SWP_NOOWNERZORDER |
                                 SWP_NOACTIVATE);
            }
        }
        size.cx = widening.width;
    }
    UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED;
    if (!firstTime)
        flags |= SWP_NOACTIVATE;
    SetWindowPos(handle_, nullptr, 0, 0, size.cx, size.cy, flags);
}

// ---- initialisation

void TWinSkinForm::Initialise()
{
    sysMenuHandle_ = GetSystemMenu(handle_, FALSE);
    if (sysMenuHandle_ != nullptr)
        borderIcons_ |= kSystemMenu;
    RenderIcon();
    RECT window{};
    GetWindowRect(handle_, &window);
    GetClientRect(handle_, &clientRect_);
    ncExtra_ = {SizeOf(window).cx - SizeOf(clientRect_).cx, SizeOf(window).cy - SizeOf(clientRect_).cy};

    TSkinManage* manager = SkinManager();
    if (manager != nullptr && manager->FreezePainting()) {
        manager->SetFreezePainting(false);
        if (!isChild_ && skinFrame_) {
            SendMessageA(handle_, WM_SETREDRAW, TRUE, 0);
            if (IsWindowVisible(handle_))
                RedrawWindow(handle_, nullptr, nullptr, RDW_ERASE | RDW_INTERNALPAINT | RDW_INVALIDATE);
        }
    }

    AssignControls();

    if (state_ == TFormSkinState::Attached && skinFrame_) {
        if (IsMdiChild()) {
            if (showState_ == TShowState::Maximized) {
                PostMessageA(GetParent(handle_), SKM_MDIMAXCHILD, reinterpret_cast<WPARAM>(handle_), 0);
            } else if (showState_ == TShowState::Normal) {
                state_ = TFormSkinState::Resizing;
                ResizeToFrame(true);
                UpdateRegion();
            } else {
                SetCaptionBits(true);
            }
        } else if (!isChild_ && Framed() && showState_ != TShowState::Minimized) {
            state_ = TFormSkinState::Resizing;
            // Growing the window, reshaping it and painting are one redraw
            // instead of one for each step.
            const ui::RedrawLock lock(handle_, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            ResizeToFrame(true);
            if (showState_ == TShowState::Normal)
                UpdateRegion();
            else
                FrameChanged();
        }
    }
    SendMessageA(handle_, SKM_SKINAPPLIED, 0, SkinExtKey);
    state_ = TFormSkinState::Ready;
    // The frame changed while it could not be painted yet.
    if (skinFrame_ && Framed() && IsWindowVisible(handle_))
        RedrawWindow(handle_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    if (timer_)
        timer_->SetEnabled(true);
}

void TWinSkinForm::Reskin()
{
    if (skinData_ == nullptr)
        return;
    // Recolouring, re-skinning the controls, reshaping and the layout nudge
    // below are one redraw of the window instead of one for each step.
    const ui::RedrawLock lock(handle_, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    if (auto* form = ui::As<TCustomForm>(form_)) {
        form->SetColor(skinData_->ButtonFaceColour);
        for (TComponent* owned : form->ComponentList()) {
            if (auto* ownedForm = ui::As<TCustomForm>(owned))
                ownedForm->SetColor(skinData_->ButtonFaceColour);
        }
    }
    controls_.SkinChanged();
    state_ = TFormSkinState::Reskinning;
    if (skinFrame_ && form_ != nullptr) {
        if (popupMenusSkinned_)
            menuPainter_->SkinPopupMenus(*form_, true);
        if (Framed() && !isChild_)
            ResizeToFrame(false);
        UpdateRegion(true);
        // Nudges the form's layout so its controls follow the new client area.
        form_->SetHeight(form_->Height() + 1);
        form_->SetHeight(form_->Height() - 1);
    } else if (skinFrame_) {
        if (Framed() && !isChild_)
            ResizeToFrame(false);
        UpdateRegion(true);
    }
    SendMessageA(handle_, SKM_SKINAPPLIED, 0, SkinExtKey);
    state_ = TFormSkinState::Ready;
}

TControlAssignment TWinSkinForm::Assignment()
{
    return TControlAssignment({*this, controls_, *skinData_, *controlCanvas_, *this, menuPainter_.get(), skinFrame_});
}

void TWinSkinForm::AssignControls()
{
    if (skinData_ == nullptr)
        return;
    TControlAssignment assignment = Assignment();
    if (form_ != nullptr)
        assignment.AssignSkinners(*form_);
    else
        assignment.SkinChildHandles(handle_);
}

void TWinSkinForm::SkinChildWindow(HWND window)
{
    if (skinData_ == nullptr || state_ == TFormSkinState::Destroyed)
        return;
    Assignment()
        .SkinHandle(window);
}

void TWinSkinForm::WatchHover(TSkinControl& skinner)
{
    controls_.WatchHover(skinner);
    if (timer_ && controls_.HoverPending())
        timer_->SetEnabled(true);
}

// ---- detaching

void TWinSkinForm::DetachLight()
{
    if (timer_)
        timer_->SetEnabled(false);
    controls_.UnskinAll();
    hot_ = nullptr;
    sysMenu_.reset();
    formLayer_.Reset();
    subclass_.Remove();
    clientHook_.Remove();
    // A going window keeps a framework menu off it, or the system would
    // destroy the menu its TMainMenu still owns; a foreign window's menu goes
    // back and with the window.
    if (menuBar_ && state_ == TFormSkinState::Destroying && form_ != nullptr)
        menuBar_->LetGoOfMenu();
    menuBar_.reset();
}

void TWinSkinForm::Detach()
{
    if (timer_)
        timer_->SetEnabled(false);
    if (!subclass_.Installed())
        return;
    controls_.UnskinAll();
    hot_ = nullptr;
    sysMenu_.reset();
    formLayer_.Reset();
    subclass_.Remove();
    clientHook_.Remove();
    if (form_ != nullptr) {
        if (popupMenusSkinned_)
            menuPainter_->SkinPopupMenus(*form_, false);
        popupMenusSkinned_ = false;
        if (colourSaved_)
            form_->SetColor(savedColor_);
    }
    if (!skinFrame_) {
        for (HWND child = GetWindow(handle_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
            RepaintWindow(child);
        return;
    }
    GiveSystemMenuBitBack();
    SetCaptionBits(true);
    menuBar_.reset();
    menuHeight_ = 0;
    if (IsMdiChild() || !isChild_) {
        RECT bounds{};
        GetWindowRect(handle_, &bounds);
        if (IsMdiChild())
            MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT*>(&bounds), 2);
        const SIZE size = UnskinnedWindowSize(SizeOf(bounds), ncExtra_, metrics_);
        SetWindowPos(handle_, nullptr, bounds.left, bounds.top, size.cx, size.cy,
                     SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    region_.DropFrom(handle_, true);
    regionApplied_ = false;
    // The skinned frame answered activation itself, so the system's own
    // frame may still remember an older state: it is told the present one.
    if (!isChild_)
        SendMessageA(handle_, WM_NCACTIVATE, GetActiveWindow() == handle_ ? TRUE : FALSE, 0);
}

// ---- the window procedure

void TWinSkinForm::CallOld(TMessage& message) const { subclass_.CallPrevious(message); }

void TWinSkinForm::FormLayer(TMessage& message, const TWndNext& next)
{
    switch (message.Msg) {
    case SKM_RESKIN:
        Reskin();
        return;
    case CM_DIALOGCHAR:
        OnDialogChar(message, next);
        return;
    default:
        next(message);
    }
}

void TWinSkinForm::Dispatch(TMessage& message)
{
    if (HandleAlways(message))
        return;
    if (!skinFrame_) {
        CallOld(message);
        return;
    }
    if (HandleTopLevel(message))
        return;
    HandleFramed(message);
}

// Messages every skinned window answers, whether its frame is skinned or not.
bool TWinSkinForm::HandleAlways(TMessage& message)
{
    switch (message.Msg) {
    case WM_NCPAINT:
        if (state_ != TFormSkinState::Attached)
            return false;
        message.Result = 0;
        return true;
    case WM_ERASEBKGND:
        OnEraseBackground(message);
        return true;
    case WM_NCDESTROY:
        OnNcDestroy(message);
        return true;
    case ui::WM_SYSPAINTCAPTION:
        message.Result = 0;
        return true;
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(message);
        return true;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        OnControlColour(message);
        return true;
    case WM_PAINT:
        // Asked to paint before the posted initialisation arrived (shown and
        // updated at once): the window takes its frame first, so that it is
        // painted once, skinned, instead of once plain and again skinned.
        if (state_ == TFormSkinState::Attached && !initialisedEarly_) {
            initialisedEarly_ = true;
            Initialise();
        }
        return false;
    case SKM_INITSKIN:
        if (!std::exchange(initialisedEarly_, false))
            Initialise();
        message.Result = 0;
        return true;
    case SKM_REBUILDSCROLL:
        if (skinData_ != nullptr)
            Assignment()
                .RebuildScrollSkinner(reinterpret_cast<HWND>(message.WParam));
        message.Result = 0;
        return true;
    case SKM_ISSKINNED:
        message.Result = 1;
        return true;
    case WM_NCACTIVATE:
        if (state_ != TFormSkinState::Attached || IsMdiChild())
            return false;
        message.Result = 0;
        return true;
    default:
        return false;
    }
}

// Messages of a window with a skinned frame, unless it is a plain child.
bool TWinSkinForm::HandleTopLevel(TMessage& message)
{
    if ((style_ & WS_CHILD) != 0 && !IsMdiChild()) {
        CallOld(message);
        return true;
    }
    switch (message.Msg) {
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(message);
        return true;
    case WM_SIZE:
        OnSize(message);
        return true;
    case WM_WINDOWPOSCHANGED:
        ReadShowState();
        CallOld(message);
        return true;
    case WM_COMMAND:
        OnCommand(message);
        return true;
    case WM_SYSCOMMAND:
        OnSysCommand(message);
        return true;
    case SKM_MENUCLICK:
        message.Result = menuBar_ && menuBar_->MenuClick(ui::UnpackPoint(message.LParam)) ? 1 : 0;
        return true;
    case CM_MENUCHANGED:
        OnMenuChanged(message);
        return true;
    case WM_MENUSELECT:
        if (menuBar_)
            menuBar_->MenuSelected(message.WParam, message.LParam);
        CallOld(message);
        return true;
    case WM_SETTEXT:
        OnSetText(message);
        return true;
    case WM_ACTIVATE:
        active_ = LOWORD(message.WParam) != WA_INACTIVE;
        return false;
    case WM_NCACTIVATE:
        active_ = message.WParam != 0;
        return false;
    default:
        return false;
    }
}

void TWinSkinForm::HandleFramed(TMessage& message)
{
    const bool initialised = state_ != TFormSkinState::Attached;
    if ((IsMdiChild() && showState_ == TShowState::Maximized) || !initialised) {
        CallOld(message);
        return;
    }
    switch (message.Msg) {
    case WM_NCACTIVATE:
        OnNcActivate(message);
        break;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        OnMenuItem(message);
        break;
    case WM_NCCALCSIZE:
        OnNcCalcSize(message);
        break;
    case WM_NCHITTEST:
        OnNcHitTest(message);
        break;
    case WM_NCPAINT:
        OnNcPaint(message);
        break;
    case WM_NCMOUSEMOVE:
        OnNcMouseMove(message);
        break;
    case WM_NCLBUTTONDOWN:
        OnNcButtonDown(message);
        break;
    case WM_NCLBUTTONDBLCLK:
        OnNcDoubleClick(message);
        break;
    case WM_NCLBUTTONUP:
        OnNcButtonUp(message);
        break;
    case WM_NCRBUTTONDOWN:
        OnNcRightButtonDown(message);
        break;
    case SKM_PAINTFRAME:
        PaintFrame();
        message.Result = 0;
        break;
    case SKM_EXTPAINT:
        if (message.LParam == SkinExtKey) {
            PaintFrame(reinterpret_cast<HDC>(message.WParam));
            message.Result = SkinExtKey;
        } else {
            CallOld(message);
        }
        break;
    case SKM_EXTQUERY:
        message.Result = message.LParam == SkinExtKey ? SkinExtKey : 1;
        break;
    default:
        CallOld(message);
        break;
    }
}

void TWinSkinForm::OnNcDestroy(TMessage& message)
{
    state_ = TFormSkinState::Destroying;
    const WNDPROC previous = subclass_.Previous();
    const bool unicode = subclass_.Unicode();
    DetachLight();
    message.Result = ui::CallProc(previous, unicode, handle_, message.Msg, message.WParam, message.LParam);
    state_ = TFormSkinState::Destroyed;
}

void TWinSkinForm::OnNcCalcSize(TMessage& message)
{
    CallOld(message);
    if (message.WParam == 0) {
        message.Result = 0;
        return;
    }
    const ui::NcCalcSize calc(message);
    NCCALCSIZE_PARAMS* params = calc.Params();
    if ((IsMdiChild() && showState_ != TShowState::Normal) || !Framed()) {
        params->rgrc[1] = params->rgrc[0];
    } else {
        const RECT client = ClientRectFromWindowPos(*params->lppos, metrics_, menuHeight_);
        params->rgrc[0] = client;
        params->rgrc[1] = client;
    }
    message.Result = WVR_VALIDRECTS;
}

void TWinSkinForm::OnNcHitTest(TMessage& message)
{
    CallOld(message);
    const POINT point = ui::ScreenToWindowPoint(handle_, ui::NcHitTest(message).ScreenPoint());
    message.Result = FrameHitTest(message.Result, point, metrics_.titleHeight, menuHeight_);
}

void TWinSkinForm::OnNcPaint(TMessage& message)
{
    RemoveSystemMenuBit();
    if (!skinData_->FramePaintingEnabled()) {
        message.Result = 0;
        return;
    }
    if ((IsMdiChild() && showState_ == TShowState::Maximized) || !Framed()) {
        CallOld(message);
        return;
    }
    PaintFrame();
    message.Result = 0;
}

void TWinSkinForm::OnNcActivate(TMessage& message)
{
    if (timer_)
        timer_->SetEnabled(active_);
    if (formKind_ == TFormKind::MdiFrame && mdiClient_ != nullptr)
        SendMessageA(mdiClient_, WM_NCACTIVATE, message.WParam, message.LParam);
    else if (IsMdiChild())
        CallOld(message);
    if (!(IsMdiChild() && showState_ == TShowState::Maximized))
        PaintFrame();
    message.Result = 1;
}

void TWinSkinForm::OnSize(TMessage& message)
{
    CallOld(message);
    switch (message.WParam) {
    case SIZE_RESTORED:
        showState_ = TShowState::Normal;
        break;
    case SIZE_MINIMIZED:
        showState_ = TShowState::Minimized;
        break;
    case SIZE_MAXIMIZED:
        showState_ = TShowState::Maximized;
        break;
    default:
        break;
    }
    if (showState_ == TShowState::Minimized)
        return;
    const TSkinManage* manager = SkinManager();
    if (IsMdiChild() && ((manager != nullptr && manager->MdiChildMaximized()) || showState_ != TShowState::Normal))
        return;
    if (state_ == TFormSkinState::Ready || state_ == TFormSkinState::Reskinning)
        UpdateRegion();
}

void TWinSkinForm::OnGetMinMaxInfo(TMessage& message)
{
    CallOld(message);
    ReadShowState();
    if (showState_ == TShowState::Minimized)
        SetCaptionBits(true);
    else if (!IsMdiChild() || showState_ == TShowState::Normal)
        SetCaptionBits(false);
    else
        SetCaptionBits(true);
}

void TWinSkinForm::OnSetText(TMessage& message)
{
    // The system draws its own caption while it sets the text; with drawing
    // suspended around it only the skinned title shows, with the new text.
    {
        const ui::RedrawLock lock(handle_);
        CallOld(message);
    }
    // A maximised MDI child's text is in the frame's title: the client has the frame redrawn.
    if (IsMdiChild() && showState_ == TShowState::Maximized)
        PostMessageA(GetParent(handle_), SKM_MDIMAXCHILD, reinterpret_cast<WPARAM>(handle_), 0);
    if (state_ == TFormSkinState::Ready)
        PaintFrame();
}

void TWinSkinForm::OnEraseBackground(TMessage& message)
{
    CallOld(message);
    if (form_ != nullptr || skinData_ == nullptr || skinData_->FaceBrush() == nullptr)
        return;
    RECT client{};
    GetClientRect(handle_, &client);
    FillRect(reinterpret_cast<HDC>(message.WParam), &client, skinData_->FaceBrush());
    message.Result = 1;
}

void TWinSkinForm::OnControlColour(TMessage& message)
{
    CallOld(message);
    if (form_ != nullptr || skinData_ == nullptr || skinData_->FaceBrush() == nullptr)
        return;
    SetBkMode(reinterpret_cast<HDC>(message.WParam), TRANSPARENT);
    if (message.Msg == WM_CTLCOLORSTATIC)
        message.Result = reinterpret_cast<LRESULT>(skinData_->FaceBrush());
}

void TWinSkinForm::OnInitMenuPopup(TMessage& message)
{
    if (TSkinManage* manager = SkinManager()) {
        const auto menu = reinterpret_cast<HMENU>(message.WParam);
        manager->SetMenuKind(menu != nullptr && menu == sysMenuHandle_ ? TMenuKind::SystemMenu
                                                                       : TMenuKind::MenuBarDropDown);
    }
    GetWindowRect(handle_, &windowRect_);
    CallOld(message);
}

void TWinSkinForm::OnMenuItem(TMessage& message)
{
    TMenuWindowInfo window;
    window.Window = handle_;
    window.FrameworkForm = form_ != nullptr;
    window.HadMenu = menuHandle_ != nullptr;
    window.TrackedSubMenu = menuBar_ ? menuBar_->TrackedSubMenu() : nullptr;
    if (auto* form = ui::As<TCustomForm>(form_))
        window.MenuBar = form->Menu();
    bool handled = false;
    if (message.Msg == WM_MEASUREITEM) {
        auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
        handled = measure.CtlType == ODT_MENU && menuPainter_->HandleMeasureItem(window, measure);
    } else {
        const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
        handled = draw.CtlType == ODT_MENU && menuPainter_->HandleDrawItem(window, draw);
    }
    if (handled)
        message.Result = TRUE;
    else
        CallOld(message);
}

// ---- painting

TNCRect TWinSkinForm::CaptionRect() const
{
    const RECT& r = painter_.CaptionRect();
    return {static_cast<std::int32_t>(r.left), static_cast<std::int32_t>(r.top), static_cast<std::int32_t>(r.right),
            static_cast<std::int32_t>(r.bottom)};
}

TFrameState TWinSkinForm::FrameState() const
{
    TFrameState state;
    state.metrics = metrics_;
    state.menuHeight = menuHeight_;
    state.kind = kind_;
    state.active = active_;
    state.minimised = showState_ == TShowState::Minimized;
    state.rightToLeft = rightToLeft_;
    return state;
}

void TWinSkinForm::PaintFrame(HDC dc)
{
    if (TScratchBitmapUse::Current() == nullptr || skinData_ == nullptr || !Framed() ||
        (state_ != TFormSkinState::Ready && state_ != TFormSkinState::Reskinning) ||
        (IsMdiChild() && showState_ == TShowState::Maximized))
        return;
    painter_.Hooks.paintTitleButtons = [this](HDC titleBuffer) {
        buttons_.Arrange();
        buttons_.PaintAll(titleBuffer);
    };
    painter_.Hooks.paintMenuBar = {};
    if (menuBar_)
        painter_.Hooks.paintMenuBar = [this](HDC dc, const RECT& band) { menuBar_->PaintBar(dc, band); };
    // The buttons are placed by the window's width, which must be today's.
    RECT bounds{};
    GetWindowRect(handle_, &bounds);
    width_ = SizeOf(bounds).cx;
    const std::string formText = form_ != nullptr ? form_->GetText() : std::string();
    const std::wstring caption = CaptionTextOf(handle_, className_, formText);
    windowRect_ = painter_.PaintWindow(handle_, dc, *skinData_, FrameState(), caption);
    // The bar item whose drop-down is open, or that the keyboard selected,
    // stays as it is. Any other hot object rests: bar items are painted in
    // their state, and one left hot would stay lit once the mouse moved on.
    if ((menuBar_ && menuBar_->MenuTracking()) || selectingFromKeyboard_)
        return;
    if (hot_ != nullptr)
        hot_->MouseLeave();
    hot_ = nullptr;
}

// ---- the menu bar

void TWinSkinForm::OnMenuChanged(TMessage& message)
{
    // The framework puts its menu back on the window; the skinned bar takes
    // it off again without the system's bar ever being drawn in between.
    if (skinData_ != nullptr)
        skinData_->SetFramePaintingEnabled(false);
    CallOld(message);
    if (skinData_ != nullptr)
        skinData_->SetFramePaintingEnabled(true);
    if (menuBar_ && skinData_ != nullptr && skinData_->MenuUpdate && HasSystemMenu())
        menuBar_->MenuChanged();
    if (GetMenu(handle_) != nullptr && menuBar_)
        SetMenu(handle_, nullptr);
    if (state_ == TFormSkinState::Ready)
        PaintFrame();
}

TMainMenu* TWinSkinForm::FrameworkMenu() const
{
    auto* form = ui::As<TCustomForm>(form_);
    return form != nullptr ? form->Menu() : nullptr;
}

TMenuBarBackdrop TWinSkinForm::MenuBarBackdrop() const
{
    return menuBar_ ? menuBar_->Backdrop() : TMenuBarBackdrop{};
}

bool TWinSkinForm::ShowsMdiChildButtons() const
{
    if (formKind_ != TFormKind::MdiFrame || mdiClient_ == nullptr || !menuBar_)
        return false;
    BOOL maximised = FALSE;
    const auto active = reinterpret_cast<HWND>(
        SendMessageA(mdiClient_, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised)));
    return active != nullptr && maximised != FALSE;
}

void TWinSkinForm::PaintMdiChildButtons(HDC dc, TNCPoint origin) { buttons_.PaintMdiButtons(dc, origin); }

void TWinSkinForm::RereadMenuBarForMdi()
{
    if (menuBar_)
        menuBar_->RereadItemsForMDI();
    if (state_ == TFormSkinState::Ready)
        PaintFrame();
}

void TWinSkinForm::RereadMenuBar()
{
    if (menuBar_)
        menuBar_->ReadItems();
    if (state_ == TFormSkinState::Ready)
        PaintFrame();
}
