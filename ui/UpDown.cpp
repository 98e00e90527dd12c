#include "ui/UpDown.h"

#include "ui/Properties.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

constinit const TClassInfo TUpDown::ClassInfo = ui::ClassOf<TUpDown>("TUpDown", TWinControl::ClassInfo);

namespace ui {
namespace {
constexpr std::string_view kOrientationNames[] = {"udVertical", "udHorizontal"};
constexpr std::string_view kAlignButtonNames[] = {"udLeft", "udRight"};
} // namespace
constinit const TEnumInfo UDOrientationInfo{"TUDOrientation", kOrientationNames};
constinit const TEnumInfo UDAlignButtonInfo{"TUDAlignButton", kAlignButtonNames};
} // namespace ui

void TUpDown::Publish(ui::TPublisher<TUpDown>& p)
{
    p.Integer("Min", &TUpDown::Min, &TUpDown::SetMin).Default(0);
    p.Integer("Max", &TUpDown::Max, &TUpDown::SetMax).Default(100);
    p.Integer("Position", &TUpDown::Position, &TUpDown::SetPosition).Default(0);
    p.Integer("Increment", &TUpDown::Increment, &TUpDown::SetIncrement).Default(1);
    p.Enum("Orientation", ui::UDOrientationInfo, &TUpDown::Orientation, &TUpDown::SetOrientation).Default(udVertical);
    p.Object("Associate", &TUpDown::Associate, &TUpDown::SetAssociate);
    p.Enum("AlignButton", ui::UDAlignButtonInfo, &TUpDown::AlignButton, &TUpDown::SetAlignButton).Default(udRight);
    p.Boolean("Wrap", &TUpDown::Wrap, &TUpDown::SetWrap).Default(0);
    p.Boolean("ArrowKeys", &TUpDown::ArrowKeys, &TUpDown::SetArrowKeys).Default(1);
    p.Boolean("Thousands", &TUpDown::Thousands, &TUpDown::SetThousands).Default(1);
    p.Boolean("TabStop", &TUpDown::TabStop, &TUpDown::SetTabStop).Default(0);
    p.Event("OnClick", &TUpDown::OnClick);
    p.Event("OnChanging", &TUpDown::OnChanging);
}

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner)
{
    ui::LoadCommonControls(ICC_UPDOWN_CLASS);
    UpdateStoredBounds(0, 0, 17, 25);
}

TUpDown::~TUpDown()
{
    Destroying();
    associateWatch_.Reset();
    if (associate_)
        associate_->RemoveFreeNotification(this);
}

void TUpDown::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.WinClassName = UPDOWN_CLASSA;
    params.OwnClass = false;
    params.Style |= UDS_SETBUDDYINT;
    if (associate_)
        params.Style |= alignButton_ == udLeft ? UDS_ALIGNLEFT : UDS_ALIGNRIGHT;
    if (orientation_ == udHorizontal)
        params.Style |= UDS_HORZ;
    if (wrap_)
        params.Style |= UDS_WRAP;
    if (arrowKeys_)
        params.Style |= UDS_ARROWKEYS;
    if (!thousands_)
        params.Style |= UDS_NOTHOUSANDS;
}

void TUpDown::CreateWnd()
{
    TWinControl::CreateWnd();
    PushRange();
    Dock();
}

void TUpDown::DestroyWnd()
{
    position_ = Position();
    TWinControl::DestroyWnd();
}

void TUpDown::PushRange()
{
    if (!HandleAllocated())
        return;
    UDACCEL accel{0, static_cast<UINT>(std::max(increment_, 1))};
    SendMessageA(WindowHandle(), UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    SendMessageA(WindowHandle(), UDM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
    SendMessageA(WindowHandle(), UDM_SETPOS32, 0, position_);
}

void TUpDown::Dock()
{
    if (!HandleAllocated() || !associate_)
        return;
    // Docking takes the up-down's width from the associate each time.
    if (associateWidth_ < 0)
        associateWidth_ = associate_->Width();
    else
        associate_->SetWidth(associateWidth_);
    SendMessageA(WindowHandle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(associate_->Handle()), 0);
    SendMessageA(WindowHandle(), UDM_SETPOS32, 0, position_);
}

void TUpDown::SetMin(int value)
{
    position_ = Position();
    min_ = value;
    PushRange();
}

void TUpDown::SetMax(int value)
{
    position_ = Position();
    max_ = value;
    PushRange();
}

int TUpDown::Position() const
{
    if (HandleAllocated())
        return static_cast<int>(SendMessageA(WindowHandle(), UDM_GETPOS32, 0, 0));
    return position_;
}

void TUpDown::SetPosition(int value)
{
    position_ = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
    if (HandleAllocated())
        SendMessageA(WindowHandle(), UDM_SETPOS32, 0, position_);
}

void TUpDown::SetIncrement(int value)
{
    increment_ = value;
    PushRange();
}

void TUpDown::SetOrientation(TUDOrientation value)
{
    if (value == orientation_)
        return;
    orientation_ = value;
    RecreateWnd();
}

void TUpDown::SetAssociate(TWinControl* value)
{
    if (value == associate_)
        return;
    associateWatch_.Reset();
    if (associate_) {
        associate_->RemoveFreeNotification(this);
        if (associateWidth_ >= 0)
            associate_->SetWidth(associateWidth_);
    }
    associate_ = value;
    associateWidth_ = -1;
    if (associate_) {
        associate_->FreeNotification(this);
        // A new window of the associate is no longer the up-down's buddy.
        associateWatch_ = associate_->WatchWindow([this](TWinControl&, ui::WindowChange change) {
            if (change == ui::WindowChange::Created && HandleAllocated())
                Dock();
        });
    }
    RecreateWnd();
}

void TUpDown::SetAlignButton(TUDAlignButton value)
{
    if (value == alignButton_)
        return;
    alignButton_ = value;
    RecreateWnd();
}

void TUpDown::SetWrap(bool value)
{
    if (value == wrap_)
        return;
    wrap_ = value;
    RecreateWnd();
}

void TUpDown::SetArrowKeys(bool value)
{
    if (value == arrowKeys_)
        return;
    arrowKeys_ = value;
    RecreateWnd();
}

void TUpDown::SetThousands(bool value)
{
    if (value == thousands_)
        return;
    thousands_ = value;
    RecreateWnd();
}

void TUpDown::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == associate_) {
        associateWatch_.Reset();
        associate_ = nullptr;
        associateWidth_ = -1;
    }
}

void TUpDown::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_NOTIFY:
        // Long parameters below 64 KiB are never pointers.
        if (static_cast<ULONG_PTR>(message.LParam) >= 0x10000 &&
            reinterpret_cast<const NMHDR*>(message.LParam)->code == static_cast<UINT>(UDN_DELTAPOS)) {
            bool allow = true;
            OnChanging(this, allow);
            lastDelta_ = reinterpret_cast<const NMUPDOWN*>(message.LParam)->iDelta;
            refused_ = !allow;
            message.Result = allow ? 0 : 1;
            return;
        }
        break;
    case CN_HSCROLL:
    case CN_VSCROLL:
        // The system reports a refused step too.
        if (LOWORD(message.WParam) == SB_THUMBPOSITION && !std::exchange(refused_, false)) {
            position_ = Position();
            OnClick(this, lastDelta_ >= 0 ? ubNext : ubPrev);
        }
        message.Result = 0;
        return;
    default:
        break;
    }
    TWinControl::WndProc(message);
}
