#include "ui/ToolBar.h"

#include "ui/DcGuards.h"
#include "ui/ImageList.h"
#include "ui/Menus.h"
#include "ui/Properties.h"

#include <commctrl.h>

#include <algorithm>

constinit const TClassInfo TToolButton::ClassInfo = ui::ClassOf<TToolButton>("TToolButton", TComponent::ClassInfo);
constinit const TClassInfo TToolBar::ClassInfo = ui::ClassOf<TToolBar>("TToolBar", TWinControl::ClassInfo);

namespace ui {
namespace {
constexpr std::string_view kButtonStyleNames[] = {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator",
                                                  "tbsDivider"};
constexpr UINT kItemStates = 0x1FF;
} // namespace
constinit const TEnumInfo ToolButtonStyleInfo{"TToolButtonStyle", kButtonStyleNames};
} // namespace ui

// ============================================================ TToolButton

void TToolButton::Publish(ui::TPublisher<TToolButton>& p)
{
    p.Text("Caption", &TToolButton::Caption, &TToolButton::SetCaption);
    p.Integer("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex).Default(-1);
    p.Enum("Style", ui::ToolButtonStyleInfo, &TToolButton::Style, &TToolButton::SetStyle).Default(tbsButton);
    p.Boolean("Down", &TToolButton::Down, &TToolButton::SetDown).Default(0);
    p.Boolean("Enabled", &TToolButton::Enabled, &TToolButton::SetEnabled).Default(1);
    p.Object("MenuItem", &TToolButton::MenuItem, &TToolButton::SetMenuItem);
    p.Object("DropdownMenu", &TToolButton::DropdownMenu, &TToolButton::SetDropdownMenu);
    p.Event("OnClick", &TToolButton::OnClick);
}

TToolButton::TToolButton(TComponent* owner) : TComponent(owner) {}

TToolButton::~TToolButton()
{
    Destroying();
    SetToolBar(nullptr);
    SetMenuItem(nullptr);
    SetDropdownMenu(nullptr);
}

void TToolButton::SetToolBar(TToolBar* value)
{
    if (value == toolBar_)
        return;
    if (toolBar_)
        toolBar_->RemoveButton(*this);
    toolBar_ = nullptr;
    if (value)
        value->InsertButton(*this);
}

int TToolButton::Index() const
{
    if (!toolBar_)
        return -1;
    const auto& list = toolBar_->buttons_;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TToolButton::GetParentComponent() const { return toolBar_; }

void TToolButton::SetParentComponent(TComponent* parent) { SetToolBar(ui::As<TToolBar>(parent)); }

void TToolButton::SetCaption(std::string_view value)
{
    caption_ = std::string(value);
    if (toolBar_)
        toolBar_->UpdateButton(*this);
}

void TToolButton::SetImageIndex(int value)
{
    imageIndex_ = value;
    if (toolBar_)
        toolBar_->UpdateButton(*this);
}

void TToolButton::SetStyle(TToolButtonStyle value)
{
    style_ = value;
    if (toolBar_)
        toolBar_->UpdateButton(*this);
}

bool TToolButton::Down() const
{
    if (toolBar_ && toolBar_->HandleAllocated())
        return SendMessageA(toolBar_->WindowHandle(), TB_ISBUTTONCHECKED, static_cast<WPARAM>(command_), 0) != 0;
    return down_;
}

void TToolButton::SetDown(bool value)
{
    down_ = value;
    if (toolBar_ && toolBar_->HandleAllocated())
        SendMessageA(toolBar_->WindowHandle(), TB_CHECKBUTTON, static_cast<WPARAM>(command_), MAKELPARAM(value, 0));
}

void TToolButton::SetEnabled(bool value)
{
    enabled_ = value;
    if (toolBar_ && toolBar_->HandleAllocated())
        SendMessageA(toolBar_->WindowHandle(), TB_ENABLEBUTTON, static_cast<WPARAM>(command_), MAKELPARAM(value, 0));
}

void TToolButton::SetMenuItem(TMenuItem* value)
{
    if (!ReplaceReference(menuItem_, value))
        return;
}

void TToolButton::SetDropdownMenu(TPopupMenu* value)
{
    if (!ReplaceReference(dropdownMenu_, value))
        return;
}

void TToolButton::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == menuItem_)
        menuItem_ = nullptr;
    if (component == dropdownMenu_)
        dropdownMenu_ = nullptr;
}

RECT TToolButton::BoundsRect() const
{
    RECT r{};
    if (toolBar_ && toolBar_->HandleAllocated())
        SendMessageA(toolBar_->WindowHandle(), TB_GETRECT, static_cast<WPARAM>(command_), reinterpret_cast<LPARAM>(&r));
    return r;
}

void TToolButton::Click()
{
    if (OnClick)
        OnClick(this);
    else if (menuItem_)
        menuItem_->Click();
}

// ============================================================ TToolBar

void TToolBar::Publish(ui::TPublisher<TToolBar>& p)
{
    p.Boolean("Flat", &TToolBar::Flat, &TToolBar::SetFlat).Default(0);
    p.Boolean("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions).Default(0);
    p.Object("Images", &TToolBar::Images, &TToolBar::SetImages);
    p.Integer("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth).Default(23);
    p.Integer("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight).Default(22);
    p.Enum("Align", ui::AlignInfo, &TToolBar::Align, &TToolBar::SetAlign).Default(alTop);
    p.Boolean("TabStop", &TToolBar::TabStop, &TToolBar::SetTabStop).Default(0);
    p.Event("OnCustomDraw", &TToolBar::OnCustomDraw);
    p.Event("OnCustomDrawButton", &TToolBar::OnCustomDrawButton);
}

TToolBar::TToolBar(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TCanvas>()), dock_(*this, alTop)
{
    ui::LoadCommonControls(ICC_BAR_CLASSES);
    UpdateStoredBounds(0, 0, 150, 29);
}

TToolBar::~TToolBar()
{
    // Buttons go with their bar, wherever they are owned.
    Destroying();
    while (!buttons_.empty())
        delete buttons_.back();
    if (images_)
        images_->RemoveFreeNotification(this);
    DestroyComponents();
    DestroyHandle();
}

void TToolBar::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.WinClassName = TOOLBARCLASSNAMEA;
    params.OwnClass = false;
    // The framework places the bar; the system would move it on every size.
    params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (flat_)
        params.Style |= TBSTYLE_FLAT;
}

void TToolBar::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageA(WindowHandle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(WindowHandle(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
    ApplySizes();
    for (int i = 0; i < ButtonCount(); ++i)
        AddButtonWindow(i, *Buttons(i));
}

void TToolBar::DestroyWnd()
{
    if (HandleAllocated()) {
        for (TToolButton* button : buttons_)
            button->down_ = button->Down();
    }
    TWinControl::DestroyWnd();
}

void TToolBar::SetParent(TWinControl* parent)
{
    TWinControl::SetParent(parent);
    dock_.ParentChanged();
}

void TToolBar::BoundsChanged()
{
    TWinControl::BoundsChanged();
    dock_.Apply();
}

void TToolBar::GetChildren(const std::function<void(TComponent&)>& proc, const TComponent& root) const
{
    for (TToolButton* button : buttons_) {
        if (button->Owner() == &root)
            proc(*button);
    }
    TWinControl::GetChildren(proc, root);
}

void TToolBar::ApplySizes()
{
    if (!HandleAllocated())
        return;
    // The bitmap size the bar gives its images; with no images it leaves room for none.
    int imageWidth = 0;
    int imageHeight = 0;
    if (images_) {
        imageWidth = images_->Width();
        imageHeight = images_->Height();
    }
    SendMessageA(WindowHandle(), TB_SETBITMAPSIZE, 0, MAKELPARAM(imageWidth, imageHeight));
    SendMessageA(WindowHandle(), TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonWidth_, buttonHeight_));
}

void TToolBar::AddButtonWindow(int index, const TToolButton& button)
{
    TBBUTTON info{};
    info.idCommand = button.command_;
    info.iBitmap = button.imageIndex_ >= 0 && images_ ? button.imageIndex_ : I_IMAGENONE;
    info.fsState = static_cast<BYTE>((button.enabled_ ? TBSTATE_ENABLED : 0) | (button.down_ ? TBSTATE_CHECKED : 0));
    switch (button.style_) {
    case tbsCheck:
        info.fsStyle = TBSTYLE_CHECK;
        break;
    case tbsDropDown:
        info.fsStyle = TBSTYLE_DROPDOWN;
        break;
    case tbsSeparator:
    case tbsDivider:
        info.fsStyle = TBSTYLE_SEP;
        info.iBitmap = 0;
        break;
    default:
        info.fsStyle = TBSTYLE_BUTTON;
        break;
    }
    info.iString = showCaptions_ && !button.caption_.empty() ? reinterpret_cast<INT_PTR>(button.caption_.c_str()) : -1;
    SendMessageA(WindowHandle(), TB_INSERTBUTTONA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
}

void TToolBar::InsertButton(TToolButton& button)
{
    button.toolBar_ = this;
    button.command_ = nextCommand_++;
    buttons_.push_back(&button);
    if (HandleAllocated()) {
        AddButtonWindow(ButtonCount() - 1, button);
        ApplySizes();
    }
}

void TToolBar::RemoveButton(TToolButton& button)
{
    const auto it = std::find(buttons_.begin(), buttons_.end(), &button);
    if (it == buttons_.end())
        return;
    if (HandleAllocated()) {
        button.down_ = button.Down();
        SendMessageA(WindowHandle(), TB_DELETEBUTTON, static_cast<WPARAM>(it - buttons_.begin()), 0);
    }
    buttons_.erase(it);
    button.toolBar_ = nullptr;
}

void TToolBar::UpdateButton(TToolButton& button)
{
    if (!HandleAllocated())
        return;
    const int index = button.Index();
    button.down_ = button.Down();
    SendMessageA(WindowHandle(), TB_DELETEBUTTON, static_cast<WPARAM>(index), 0);
    AddButtonWindow(index, button);
    ApplySizes();
}

TToolButton* TToolBar::ButtonByCommand(int command) const
{
    const auto it = std::find_if(buttons_.begin(), buttons_.end(),
                                 [command](const TToolButton* button) { return button->command_ == command; });
    return it == buttons_.end() ? nullptr : *it;
}

void TToolBar::SetFlat(bool value)
{
    if (value == flat_)
        return;
    flat_ = value;
    RecreateWnd();
}

void TToolBar::SetShowCaptions(bool value)
{
    if (value == showCaptions_)
        return;
    showCaptions_ = value;
    // The system keeps a button's text from when it was added.
    RecreateWnd();
}

void TToolBar::SetImages(TImageList* value)
{
    if (!ReplaceReference(images_, value))
        return;
    RecreateWnd();
}

void TToolBar::SetButtonWidth(int value)
{
    buttonWidth_ = value;
    ApplySizes();
}

void TToolBar::SetButtonHeight(int value)
{
    buttonHeight_ = value;
    ApplySizes();
}

void TToolBar::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == images_) {
        images_ = nullptr;
        RecreateWnd();
    }
}

void TToolBar::CustomDraw(TMessage& message)
{
    auto& draw = *reinterpret_cast<NMTBCUSTOMDRAW*>(message.LParam);
    message.Result = CDRF_DODEFAULT;
    bool defaultDraw = true;
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
        if (OnCustomDraw) {
            const ui::ScopedCanvasBinding binding(*canvas_, draw.nmcd.hdc);
            OnCustomDraw(this, draw.nmcd.rc, defaultDraw);
        }
        if (!defaultDraw)
            message.Result = CDRF_SKIPDEFAULT;
        else if (OnCustomDrawButton)
            message.Result = CDRF_NOTIFYITEMDRAW;
        return;
    }
    if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && OnCustomDrawButton) {
        TToolButton* button = ButtonByCommand(static_cast<int>(draw.nmcd.dwItemSpec));
        if (!button)
            return;
        const ui::ScopedCanvasBinding binding(*canvas_, draw.nmcd.hdc);
        OnCustomDrawButton(this, button, TCustomDrawState::FromBits(draw.nmcd.uItemState & ui::kItemStates),
                           defaultDraw);
        if (!defaultDraw)
            message.Result = CDRF_SKIPDEFAULT;
    }
}

void TToolBar::DropDown(TMessage& message)
{
    const auto& info = *reinterpret_cast<const NMTOOLBARA*>(message.LParam);
    message.Result = TBDDRET_DEFAULT;
    TToolButton* button = ButtonByCommand(info.iItem);
    if (!button || !button->dropdownMenu_)
        return;
    const RECT r = button->BoundsRect();
    const POINT below = ClientToScreen(POINT{r.left, r.bottom});
    button->dropdownMenu_->SetPopupComponent(button);
    button->dropdownMenu_->Popup(below.x, below.y);
}

void TToolBar::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_COMMAND:
        if (TToolButton* button = ButtonByCommand(LOWORD(message.WParam))) {
            button->down_ = button->Down();
            button->Click();
        }
        message.Result = 0;
        return;
    case CN_NOTIFY:
        // Long parameters below 64 KiB are never pointers.
        if (static_cast<ULONG_PTR>(message.LParam) >= 0x10000) {
            const UINT code = reinterpret_cast<const NMHDR*>(message.LParam)->code;
            if (code == static_cast<UINT>(NM_CUSTOMDRAW)) {
                CustomDraw(message);
                return;
            }
            if (code == static_cast<UINT>(TBN_DROPDOWN)) {
                DropDown(message);
                return;
            }
        }
        break;
    default:
        break;
    }
    TWinControl::WndProc(message);
}
