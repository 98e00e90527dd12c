#include "ui/ComboBox.h"

#include "ui/Forms.h"
#include "ui/Properties.h"

#include <algorithm>

constinit const TClassInfo TComboBoxStrings::ClassInfo =
    ui::ClassOf<TComboBoxStrings>("TComboBoxStrings", TStrings::ClassInfo);
constinit const TClassInfo TCustomComboBox::ClassInfo =
    ui::ClassOf<TCustomComboBox>("TCustomComboBox", TWinControl::ClassInfo);
constinit const TClassInfo TComboBox::ClassInfo = ui::ClassOf<TComboBox>("TComboBox", TCustomComboBox::ClassInfo);

namespace ui {
namespace {
constexpr std::string_view kComboBoxStyleNames[] = {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed",
                                                    "csOwnerDrawVariable"};
} // namespace
constinit const TEnumInfo ComboBoxStyleInfo{"TComboBoxStyle", kComboBoxStyleNames};
} // namespace ui

// ============================================================ TComboBoxStrings

namespace {
constexpr TItemMessages kComboBoxItems{CB_GETCOUNT,    CB_GETLBTEXTLEN, CB_GETLBTEXT,    CB_INSERTSTRING,
                                       CB_ADDSTRING,   CB_DELETESTRING, CB_RESETCONTENT, CB_GETITEMDATA,
                                       CB_SETITEMDATA, CB_ERR,          CB_ERRSPACE,     "The combo box cannot take more items"};
} // namespace

TComboBoxStrings::TComboBoxStrings(TCustomComboBox& comboBox)
    : TWindowItems(comboBox, kComboBoxItems), comboBox_(comboBox)
{
}

bool TComboBoxStrings::Sorted() const { return comboBox_.sorted_; }

// ============================================================ TCustomComboBox

void TCustomComboBox::Publish(ui::TPublisher<TCustomComboBox>& p)
{
    p.Enum("Style", ui::ComboBoxStyleInfo, &TCustomComboBox::Style, &TCustomComboBox::SetStyle).Default(csDropDown);
    p.Object("Items", &TCustomComboBox::ItemsObject);
    p.Text("Text", &TCustomComboBox::Text, &TCustomComboBox::SetText);
    p.Integer("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex).Default(-1);
    p.Integer("DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount).Default(8);
    p.Integer("ItemHeight", &TCustomComboBox::ItemHeight, &TCustomComboBox::SetItemHeight)
        .Stored([](const TCustomComboBox& box) { return box.itemHeight_ > 0; });
    p.Boolean("Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted).Default(0);
    p.Boolean("TabStop", &TCustomComboBox::TabStop, &TCustomComboBox::SetTabStop).Default(1);
    p.Event("OnChange", &TCustomComboBox::OnChange);
    p.Event("OnSelect", &TCustomComboBox::OnSelect);
    p.Event("OnDropDown", &TCustomComboBox::OnDropDown);
    p.Event("OnCloseUp", &TCustomComboBox::OnCloseUp);
    p.Event("OnDrawItem", &TCustomComboBox::OnDrawItem);
    p.Event("OnMeasureItem", &TCustomComboBox::OnMeasureItem);
}

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TComboBoxStrings>(*this)), canvas_(std::make_unique<TCanvas>())
{
    SetTabStop(true);
    SetColor(clWindow);
    UpdateStoredBounds(0, 0, 145, 21);
}

void TCustomComboBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.WinClassName = "COMBOBOX";
    params.OwnClass = false;
    params.Caption.clear();
    static constexpr DWORD kStyles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST,
                                        CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                        CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
    params.Style |= kStyles[style_] | CBS_HASSTRINGS | CBS_AUTOHSCROLL | WS_VSCROLL;
    if (sorted_)
        params.Style |= CBS_SORT;
    if (style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable)
        params.Menu = ui::FreeChildId(params.WndParent);
}

void TCustomComboBox::CreateWnd()
{
    TWinControl::CreateWnd();
    const HWND window = WindowHandle();
    if (itemHeight_ > 0 && style_ != csOwnerDrawVariable)
        SendMessageA(window, CB_SETITEMHEIGHT, 0, itemHeight_);
    items_->MoveIntoWindow();
    if (savedIndex_ >= 0)
        SendMessageA(window, CB_SETCURSEL, static_cast<WPARAM>(savedIndex_), 0);
    else if (!StoredText().empty())
        SetText(StoredText());
    ApplyDropDownCount();
}

void TCustomComboBox::DestroyWnd()
{
    if (HandleAllocated()) {
        items_->MoveOutOfWindow();
        savedIndex_ = static_cast<int>(SendMessageA(WindowHandle(), CB_GETCURSEL, 0, 0));
    }
    TWinControl::DestroyWnd();
}

void TCustomComboBox::ApplyDropDownCount()
{
    // The height a drop-down combo box is given sets its list's height; the
    // box takes back its own height straight away.
    const HWND window = WindowHandle();
    if (!window || style_ == csSimple)
        return;
    RECT r{};
    GetWindowRect(window, &r);
    const auto item = static_cast<int>(SendMessageA(window, CB_GETITEMHEIGHT, 0, 0));
    const int listHeight = std::max(item, 1) * dropDownCount_ + 2;
    SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top + listHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

int TCustomComboBox::ItemIndex() const
{
    if (HandleAllocated())
        return static_cast<int>(SendMessageA(WindowHandle(), CB_GETCURSEL, 0, 0));
    return savedIndex_;
}

void TCustomComboBox::SetItemIndex(int value)
{
    if (HandleAllocated())
        SendMessageA(WindowHandle(), CB_SETCURSEL, static_cast<WPARAM>(value), 0);
    else
        savedIndex_ = value >= 0 && value < items_->Count() ? value : -1;
}

void TCustomComboBox::SetText(std::string_view value)
{
    if (HasEdit()) {
        TWinControl::SetText(value);
        return;
    }
    // A list-only box shows nothing but its items.
    const int index = items_->IndexOf(value);
    SetItemIndex(index);
    if (!HandleAllocated())
        StoreText(index >= 0 ? value : std::string_view());
}

void TCustomComboBox::SetStyle(TComboBoxStyle value)
{
    if (value == style_)
        return;
    style_ = value;
    RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int value)
{
    dropDownCount_ = std::max(value, 1);
    ApplyDropDownCount();
}

void TCustomComboBox::SetSorted(bool value)
{
    if (value == sorted_)
        return;
    sorted_ = value;
    RecreateWnd();
}

int TCustomComboBox::ItemHeight() const
{
    if (HandleAllocated() && style_ != csOwnerDrawVariable)
        return static_cast<int>(SendMessageA(WindowHandle(), CB_GETITEMHEIGHT, 0, 0));
    return itemHeight_;
}

void TCustomComboBox::SetItemHeight(int value)
{
    if (value <= 0)
        return;
    itemHeight_ = value;
    if (HandleAllocated() && style_ != csOwnerDrawVariable) {
        SendMessageA(WindowHandle(), CB_SETITEMHEIGHT, 0, value);
        ApplyDropDownCount();
        Invalidate();
    }
}

bool TCustomComboBox::DroppedDown() const
{
    return HandleAllocated() && SendMessageA(WindowHandle(), CB_GETDROPPEDSTATE, 0, 0) != FALSE;
}

void TCustomComboBox::SetDroppedDown(bool value)
{
    SendMessageA(Handle(), CB_SHOWDROPDOWN, value ? TRUE : FALSE, 0);
}

void TCustomComboBox::DrawItem(int index, const RECT& rect, TOwnerDrawState state)
{
    if (OnDrawItem)
        OnDrawItem(this, index, rect, state);
    else
        ui::DrawListItem(*canvas_, rect, items_->Get(index), state);
}

void TCustomComboBox::MeasureItem(int index, int& height)
{
    if (itemHeight_ > 0 && index >= 0)
        height = itemHeight_;
    OnMeasureItem(this, index, height);
}

void TCustomComboBox::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_COMMAND:
        switch (HIWORD(message.WParam)) {
        case CBN_SELCHANGE:
            Click();
            OnSelect(this);
            OnChange(this);
            return;
        case CBN_EDITCHANGE:
            OnChange(this);
            return;
        case CBN_DROPDOWN:
            OnDropDown(this);
            return;
        case CBN_CLOSEUP:
            OnCloseUp(this);
            return;
        case CBN_SETFOCUS:
            // The inner edit took the focus itself (a click into it): the form hears it was this box.
            if (TCustomForm* form = ui::GetParentForm(this))
                form->SetFocusedControl(this);
            return;
        default:
            break;
        }
        break;
    case CN_DRAWITEM:
        ui::HandleDrawItem(*this, *canvas_, *reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam),
                           [this](int index, const RECT& rect, TOwnerDrawState state) { DrawItem(index, rect, state); });
        message.Result = TRUE;
        return;
    case CN_MEASUREITEM: {
        auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
        int height = static_cast<int>(item.itemHeight);
        MeasureItem(static_cast<int>(item.itemID), height);
        item.itemHeight = static_cast<UINT>(std::clamp(height, 1, 255));
        message.Result = TRUE;
        return;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        // The inner edit and list ask the box, which would pass it to a parent
        // that does not know them: answered with the box's own colours.
        message.Result = Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
        return;
    case CN_KEYDOWN:
        // Enter and Esc close an open list instead of reaching the form's buttons.
        if ((message.WParam == VK_RETURN || message.WParam == VK_ESCAPE) && DroppedDown()) {
            message.Result = 0;
            return;
        }
        break;
    default:
        break;
    }
    TWinControl::WndProc(message);
}
