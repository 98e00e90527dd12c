// TWinSkinForm: what the user does to the skinned frame. Mouse moves and
// clicks on the title-bar buttons and the menu bar's items, double clicks
// and right clicks in the title, the skinned system menu, keyboard access to
// the menu bar, and maximising, minimising and restoring.
#include "skin/chrome/WinSkinForm.h"

#include "skin/chrome/MenuItemPainter.h"
#include "skin/chrome/TitleButtonRules.h"
#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinData.h"
#include "skin/model/WinSkinDlg.h"
#include "ui/Control.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/Messages.h"
#include "ui/NonClient.h"

#include <string>

namespace {

// The skinned system menu is told apart from the application's popup menus by this tag.
constexpr std::intptr_t kSysMenuTag = 33333;

// Indexes into the skin's menu glyphs.
constexpr int kGlyphRestore = 0;
constexpr int kGlyphMaximize = 1;
constexpr int kGlyphMinimize = 2;
constexpr int kGlyphClose = 3;

constexpr UINT kSysMenuTextBuffer = 256;

// The system commands a WM_COMMAND of the skinned system menu may carry.
bool IsFrameCommand(WORD id)
{
    switch (id) {
    case SC_SIZE:
    case SC_MOVE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_NEXTWINDOW:
    case SC_PREVWINDOW:
    case SC_CLOSE:
    case SC_RESTORE:
        return true;
    default:
        return false;
    }
}

bool IsButtonDown(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

// Only Alt is held: no other modifier, no mouse button.
bool OnlyAltDown()
{
    const TShiftState shift = ui::KeyboardShiftState();
    return shift == TShiftState{ssAlt};
}

bool ActiveMdiChildMaximized(HWND client)
{
    BOOL maximized = FALSE;
    const auto active =
        reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
    return active != nullptr && maximized != FALSE;
}

} // namespace

// ---- objects under the mouse

TNCObject* TWinSkinForm::ObjectUnder(POINT screenPoint) const
{
    const TNCPoint point = ToNCPoint(ui::ScreenToWindowPoint(handle_, screenPoint));
    if (menuBar_)
        return NCObjectAt(point, buttons_, menuBar_->Items());
    return NCObjectAt(point, buttons_, {});
}

void TWinSkinForm::OnNcMouseMove(TMessage& message)
{
    if (!active_) {
        CallOld(message);
        return;
    }
    if (TNCObject* object = ObjectUnder(ui::NcMouse(message).ScreenPoint())) {
        object->MouseMove();
        message.Result = 0;
        return;
    }
    if (hot_ != nullptr)
        hot_->MouseLeave();
    CallOld(message);
}

void TWinSkinForm::OnNcButtonDown(TMessage& message)
{
    const ui::NcMouse mouse(message);
    if (TNCObject* object = ObjectUnder(mouse.ScreenPoint())) {
        if (!active_)
            SetForegroundWindow(handle_);
        if (auto* item = ui::As<TMenuBtn>(object); item != nullptr && menuBar_)
            OpenBarItem(*item);
        else
            object->MouseDown();
        message.Result = 0;
        return;
    }
    // A maximised window cannot be dragged by its title.
    if (IsMaximized() && active_ && mouse.HitCode() == HTCAPTION)
        message.WParam = HTMENU;
    CallOld(message);
}

void TWinSkinForm::OnNcButtonUp(TMessage& message)
{
    const POINT screen = ui::NcMouse(message).ScreenPoint();
    if (TNCObject* object = ObjectUnder(screen)) {
        if (auto* button = ui::As<TWinSysButton>(object))
            buttons_.ReleaseOver(*button, screen);
        message.Result = 0;
        return;
    }
    CallOld(message);
}

void TWinSkinForm::OnNcDoubleClick(TMessage& message)
{
    const ui::NcMouse mouse(message);
    TNCObject* const object = ObjectUnder(mouse.ScreenPoint());
    if (auto* button = ui::As<TWinSysButton>(object)) {
        if (DrawsWindowIcon(button->Element().Action)) {
            StopHoverTimer();
            PostMessageA(handle_, WM_SYSCOMMAND, SC_CLOSE, 0);
            message.Result = 0;
            return;
        }
    }
    if (object != nullptr) {
        // The second click of a double click on a button or a bar item is a press like the first.
        OnNcButtonDown(message);
        return;
    }
    if (mouse.HitCode() == HTCAPTION) {
        if (showState_ != TShowState::Normal) {
            Restore();
            message.Result = 0;
            return;
        }
        if (HasMaximizeBox()) {
            ToggleMaximize();
            message.Result = 0;
            return;
        }
    }
    CallOld(message);
}

void TWinSkinForm::OnNcRightButtonDown(TMessage& message)
{
    const ui::NcMouse mouse(message);
    if (mouse.HitCode() == HTCAPTION && !IsMdiChild()) {
        OpenSysMenu(mouse.ScreenPoint());
        message.Result = 0;
        return;
    }
    CallOld(message);
}

void TWinSkinForm::OnHoverTimer(TObject*)
{
    if (controls_.HoverPending())
        controls_.CheckHover();
    // A bar item opened or selected from the keyboard is hot wherever the mouse is.
    if ((menuBar_ && menuBar_->MenuTracking()) || selectingFromKeyboard_)
        return;
    if (hot_ == nullptr)
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    if (!hot_->Rect.Contains(ToNCPoint(ui::ScreenToWindowPoint(handle_, cursor))))
        hot_->MouseLeave();
}

void TWinSkinForm::StopHoverTimer()
{
    if (timer_)
        timer_->SetEnabled(false);
}

// ---- commands

void TWinSkinForm::OnCommand(TMessage& message)
{
    const WORD id = LOWORD(message.WParam);
    if (IsFrameCommand(id)) {
        PostMessageA(handle_, WM_SYSCOMMAND, id, 0);
        message.Result = 0;
        return;
    }
    CallOld(message);
}

void TWinSkinForm::OnSysCommand(TMessage& message)
{
    const WPARAM command = message.WParam & 0xFFF0;
    if (command == SC_KEYMENU && !(menuBar_ && menuBar_->MenuTracking()) && OnKeyMenu(message))
        return;
    TSkinManage* const manager = SkinManager();
    switch (command) {
    case SC_MINIMIZE:
        showState_ = TShowState::Minimized;
        if (IsMdiChild())
            SetCaptionBits(true);
        break;
    case SC_MAXIMIZE:
        showState_ = TShowState::Maximized;
        break;
    case SC_RESTORE:
        showState_ = TShowState::Normal;
        if (IsMdiChild()) {
            SetCaptionBits(false);
            if (manager != nullptr && manager->MdiChildMaximized())
                manager->SetMdiChildMaximized(false);
        }
        break;
    default:
        break;
    }
    CallOld(message);
    // A maximised child that was minimised leaves the others as they are
    // now, maximised or not.
    if (command == SC_MINIMIZE && IsMdiChild() && manager != nullptr && manager->MdiChildMaximized())
        manager->SetMdiChildMaximized(ActiveMdiChildMaximized(GetParent(handle_)));
}

bool TWinSkinForm::OnKeyMenu(TMessage& message)
{
    const auto key = static_cast<char>(message.LParam & 0xFF);
    if (key == ' ') {
        POINT origin{0, 0};
        ClientToScreen(handle_, &origin);
        OpenSysMenu(origin);
        message.Result = 0;
        return true;
    }
    if (key == '-' || GetCapture() != nullptr)
        return false;
    TMenuBtn* item = nullptr;
    if (menuBar_) {
        if (key == 0) {
            for (const auto& candidate : menuBar_->Items()) {
                if (candidate->Visible && !candidate->Caption.empty()) {
                    item = candidate.get();
                    break;
                }
            }
        } else {
            item = menuBar_->MenuButtonAtKey(key);
        }
    }
    if (key != 0 && item == nullptr)
        return false;
    message.Result = 1;
    if (item == nullptr)
        return true;
    // Alt or F10 alone selects the first item as the system's bar does; an
    // accelerator opens its item at once.
    if (key == 0 && item->SubMenu == nullptr) {
        SelectFromKeyboard(*item);
        return true;
    }
    OpenBarItem(*item);
    return true;
}

void TWinSkinForm::SelectFromKeyboard(TMenuBtn& first)
{
    const std::shared_ptr<bool> alive = alive_;
    int index = first.Index;
    const auto itemAt = [this](int position) -> TMenuBtn* {
        if (!menuBar_)
            return nullptr;
        for (const auto& item : menuBar_->Items()) {
            if (item->Index == position)
                return item.get();
        }
        return nullptr;
    };
    // The next visible item with a caption in a direction, wrapping round.
    const auto step = [this](int from, int direction) {
        const auto items = menuBar_->Items();
        const int count = static_cast<int>(items.size());
        for (int n = 1; n <= count; ++n) {
            const int at = ((from + direction * n) % count + count) % count;
            if (items[static_cast<std::size_t>(at)]->Visible && !items[static_cast<std::size_t>(at)]->Caption.empty())
                return items[static_cast<std::size_t>(at)]->Index;
        }
        return from;
    };
    first.MouseMove();
    selectingFromKeyboard_ = true;
    TMenuBtn* open = nullptr;
    MSG msg{};
    bool selecting = true;
    while (selecting && *alive && menuBar_ && GetActiveWindow() == handle_) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0)
            break;
        if (IsButtonDown(msg.message)) {
            selecting = false;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            break;
        }
        switch (msg.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            switch (msg.wParam) {
            case VK_LEFT:
            case VK_RIGHT: {
                const bool forward = (msg.wParam == VK_RIGHT) != rightToLeft_;
                index = step(index, forward ? 1 : -1);
                if (TMenuBtn* item = itemAt(index))
                    item->MouseMove();
                break;
            }
            case VK_RETURN:
            case VK_DOWN:
            case VK_UP:
                open = itemAt(index);
                selecting = false;
                break;
            default: {
                const auto character = static_cast<char>(MapVirtualKeyA(static_cast<UINT>(msg.wParam), MAPVK_VK_TO_CHAR));
                open = character != 0 ? menuBar_->MenuButtonAtKey(character) : nullptr;
                selecting = false;
                break;
            }
            }
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
        case WM_CHAR:
        case WM_SYSCHAR:
            // The keys of the selection are the selection's.
            break;
        default:
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            break;
        }
    }
    if (!*alive)
        return;
    selectingFromKeyboard_ = false;
    if (!menuBar_)
        return;
    if (open != nullptr)
        OpenBarItem(*open);
    else
        RestBarItem();
}

void TWinSkinForm::OpenBarItem(TMenuBtn& item)
{
    item.MouseDown();
    menuBar_->OpenMenuButton(&item);
    RestBarItem();
}

void TWinSkinForm::RestBarItem()
{
    // The drop-down has closed: the item (or the one read in its place)
    // rests until the mouse comes back.
    if (hot_ != nullptr && ui::As<TMenuBtn>(hot_) != nullptr)
        hot_->MouseLeave();
}

void TWinSkinForm::OnDialogChar(TMessage& message, const TWndNext& next)
{
    next(message);
    if (message.Result != 0)
        return;
    const auto character = static_cast<char>(message.WParam);
    if (menuBar_ && OnlyAltDown()) {
        if (TMenuBtn* item = menuBar_->MenuButtonAtKey(character)) {
            menuBar_->PostMenuClick(*item);
            message.Result = 1;
            return;
        }
    }
    // A form without the accelerator lets the main form's menu bar have it,
    // unless the main form takes no input now (a modal form is up).
    TCustomForm* const mainForm = Application->MainForm();
    if (mainForm != nullptr && mainForm != form_ && mainForm->HandleAllocated() &&
        IsWindowEnabled(mainForm->WindowHandle()))
        mainForm->Perform(CM_DIALOGCHAR, message.WParam, message.LParam);
    message.Result = 0;
}

// ---- maximise, minimise, restore

void TWinSkinForm::ToggleMaximize()
{
    if (IsMaximized()) {
        Restore();
        return;
    }
    if (IsMdiChild()) {
        if (TSkinManage* manager = SkinManager())
            manager->SetMdiChildMaximized(true);
    }
    showState_ = TShowState::Maximized;
    PostMessageA(handle_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    hot_ = nullptr;
}

void TWinSkinForm::ToggleMinimize()
{
    if (showState_ == TShowState::Minimized) {
        Restore();
        return;
    }
    showState_ = TShowState::Minimized;
    GiveSystemMenuBitBack();
    PostMessageA(handle_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TWinSkinForm::Restore()
{
    showState_ = TShowState::Normal;
    PostMessageA(handle_, WM_SYSCOMMAND, SC_RESTORE, 0);
}

// ---- the skinned system menu

void TWinSkinForm::OpenSysMenu(POINT screenPoint)
{
    const DWORD now = GetTickCount();
    if (sysMenuOpenedOnce_ && now - lastSysMenuTick_ <= doubleClickTime_) {
        // The second of two quick openings on a title object closes the window.
        if (hot_ != nullptr) {
            StopHoverTimer();
            PostMessageA(handle_, WM_CLOSE, 0, 0);
        }
        return;
    }
    if (TSkinManage* manager = SkinManager())
        manager->SetMenuKind(TMenuKind::SystemMenu);
    lastSysMenuTick_ = now;
    sysMenuOpenedOnce_ = true;
    BuildSysMenu();
    if (sysMenu_)
        sysMenu_->Popup(screenPoint.x, screenPoint.y);
}

void TWinSkinForm::BuildSysMenu()
{
    sysMenu_.reset();
    if (sysMenuHandle_ == nullptr || skinData_ == nullptr)
        return;
    sysMenu_ = std::make_unique<TPopupMenu>(nullptr);
    sysMenu_->SetTag(kSysMenuTag);
    sysMenu_->SetImages(&skinData_->MenuGlyphs());
    sysMenu_->SetBiDiMode(rightToLeft_ ? bdRightToLeft : bdLeftToRight);
    const int count = GetMenuItemCount(sysMenuHandle_);
    for (int i = 0; i < count; ++i) {
        const std::optional<ui::TMenuEntryInfo> entry = ui::ReadMenuEntry(sysMenuHandle_, i, kSysMenuTextBuffer - 1);
        if (!entry)
            continue;
        const MENUITEMINFOA& info = entry->info;
        auto* item = new TMenuItem(sysMenu_.get());
        std::string_view caption(entry->text);
        // "&Close\tAlt+F4": the part after the tab is the item's shortcut.
        if (const auto tab = caption.find('\t'); tab != std::string_view::npos) {
            item->SetShortCut(ui::TextToShortCut(caption.substr(tab + 1)));
            caption = caption.substr(0, tab);
        }
        const bool line = caption.empty() || (info.fType & MFT_SEPARATOR) != 0;
        item->SetCaption(line ? std::string_view("-") : caption);
        item->SetTag(static_cast<std::intptr_t>(info.wID));
        item->SetEnabled((info.fState & MFS_GRAYED) == 0);
        item->SetChecked((info.fState & MFS_CHECKED) != 0);
        switch (info.wID) {
        case SC_SIZE:
        case SC_MOVE:
            item->SetEnabled(!IsMaximized());
            break;
        case SC_MINIMIZE:
            item->SetImageIndex(kGlyphMinimize);
            item->SetEnabled(showState_ != TShowState::Minimized && HasMinimizeBox());
            break;
        case SC_MAXIMIZE:
            item->SetImageIndex(kGlyphMaximize);
            item->SetEnabled(!IsMaximized() && HasMaximizeBox());
            break;
        case SC_CLOSE:
            item->SetImageIndex(kGlyphClose);
            break;
        case SC_RESTORE:
            item->SetImageIndex(kGlyphRestore);
            item->SetEnabled(showState_ != TShowState::Normal);
            break;
        default:
            break;
        }
        item->OnClick = TNotifyEvent(this, &TWinSkinForm::SysMenuClick);
        sysMenu_->Items()->Add(item);
    }
    menuPainter_->SkinPopupMenu(*sysMenu_, true);
}

void TWinSkinForm::SysMenuClick(TObject* sender)
{
    if (auto* item = ui::As<TMenuItem>(sender))
        PostMessageA(handle_, WM_SYSCOMMAND, static_cast<WPARAM>(item->Tag()), 0);
}
