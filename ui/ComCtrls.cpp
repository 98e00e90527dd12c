#include "ui/ComCtrls.h"

#include "ui/Properties.h"

#include <commctrl.h>

#include <algorithm>

constinit const TClassInfo TListColumn::ClassInfo = ui::ClassOf<TListColumn>("TListColumn", TCollectionItem::ClassInfo);
constinit const TClassInfo TListColumns::ClassInfo =
    ui::ClassOf<TListColumns>("TListColumns", TOwnedCollection::ClassInfo);
constinit const TClassInfo TListItem::ClassInfo = ui::ClassOf<TListItem>("TListItem", TPersistent::ClassInfo);
constinit const TClassInfo TListItems::ClassInfo = ui::ClassOf<TListItems>("TListItems", TPersistent::ClassInfo);
constinit const TClassInfo TCustomListView::ClassInfo =
    ui::ClassOf<TCustomListView>("TCustomListView", TWinControl::ClassInfo);
constinit const TClassInfo TListView::ClassInfo = ui::ClassOf<TListView>("TListView", TCustomListView::ClassInfo);

namespace ui {
namespace {
constexpr std::string_view kViewStyleNames[] = {"vsIcon", "vsSmallIcon", "vsList", "vsReport"};

int ColumnFormat(TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify:
        return LVCFMT_RIGHT;
    case taCenter:
        return LVCFMT_CENTER;
    default:
        return LVCFMT_LEFT;
    }
}
} // namespace
constinit const TEnumInfo ViewStyleInfo{"TViewStyle", kViewStyleNames};
} // namespace ui

// ============================================================ TListColumn

void TListColumn::Publish(ui::TPublisher<TListColumn>& p)
{
    p.Text("Caption", &TListColumn::Caption, &TListColumn::SetCaption);
    p.Integer("Width", &TListColumn::Width, &TListColumn::SetWidth).Default(50);
    p.Enum("Alignment", ui::AlignmentInfo, &TListColumn::Alignment, &TListColumn::SetAlignment).Default(taLeftJustify);
}

TListColumn::TListColumn(TCollection* collection) : TCollectionItem(collection)
{
    // The collection announced the item before this part existed; show it now.
    if (TListView* view = ListView(); view && view->HandleAllocated())
        view->InsertColumn(Index(), *this);
}

TListView* TListColumn::ListView() const
{
    const auto* columns = ui::As<TListColumns>(Collection());
    return columns ? ui::As<TListView>(columns->GetOwner()) : nullptr;
}

void TListColumn::SetCaption(std::string_view value)
{
    caption_ = std::string(value);
    Changed(false);
}

int TListColumn::Width() const
{
    if (TListView* view = ListView(); view && view->HandleAllocated())
        return static_cast<int>(SendMessageA(view->WindowHandle(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(Index()), 0));
    return width_;
}

void TListColumn::SetWidth(int value)
{
    width_ = value;
    Changed(false);
}

void TListColumn::SetAlignment(TAlignment value)
{
    alignment_ = value;
    Changed(false);
}

void TListColumn::Assign(const TPersistent& source)
{
    if (const auto* column = ui::As<TListColumn>(&source)) {
        caption_ = column->caption_;
        width_ = column->Width();
        alignment_ = column->alignment_;
        Changed(false);
        return;
    }
    TCollectionItem::Assign(source);
}

// ============================================================ TListColumns

TListColumns::TListColumns(TListView& owner) : TOwnedCollectionOf(&owner), listView_(owner) {}

void TListColumns::Update(TCollectionItem* item)
{
    if (!listView_.HandleAllocated())
        return;
    // The collection announces a column being added before the column's own
    // fields exist; the column goes into the window once it is made, so a
    // column the window does not show yet is left alone.
    const HWND header = reinterpret_cast<HWND>(SendMessageA(listView_.WindowHandle(), LVM_GETHEADER, 0, 0));
    const int shown = header != nullptr ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : Count();
    const auto apply = [&](int index) {
        if (index < shown)
            listView_.UpdateColumn(index, *Items(index));
    };
    if (item) {
        apply(item->Index());
        return;
    }
    for (int i = 0; i < Count(); ++i)
        apply(i);
}

void TListColumns::Notify(TCollectionItem* item, TCollectionNotification action)
{
    if (action != cnAdded && listView_.HandleAllocated())
        SendMessageA(listView_.WindowHandle(), LVM_DELETECOLUMN, static_cast<WPARAM>(item->Index()), 0);
}

// ============================================================ TListItem

TListItem::TListItem(TListItems& owner) : owner_(owner), subItems_(std::make_unique<TStringList>())
{
    subItems_->OnChange = TNotifyEvent([this](TObject*) { PushSubItems(); });
}

TListItem::~TListItem() = default;

TListView& TListItem::ListView() const { return owner_.owner_; }

TPersistent* TListItem::GetOwner() const { return &owner_; }

int TListItem::Index() const { return owner_.IndexOf(this); }

void TListItem::SetCaption(std::string_view value)
{
    caption_ = std::string(value);
    TListView& view = ListView();
    if (!view.HandleAllocated())
        return;
    LVITEMA item{};
    item.iSubItem = 0;
    item.pszText = caption_.data();
    SendMessageA(view.WindowHandle(), LVM_SETITEMTEXTA, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&item));
}

void TListItem::PushSubItems() const
{
    TListView& view = ListView();
    if (!view.HandleAllocated())
        return;
    const int index = Index();
    if (index < 0)
        return;
    const int columns = std::max(view.Columns().Count(), 1);
    for (int i = 1; i < columns; ++i) {
        std::string text = i - 1 < subItems_->Count() ? subItems_->Get(i - 1) : std::string();
        LVITEMA item{};
        item.iSubItem = i;
        item.pszText = text.data();
        SendMessageA(view.WindowHandle(), LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
}

bool TListItem::State(UINT mask) const
{
    TListView& view = ListView();
    if (!view.HandleAllocated())
        return (savedState_ & mask) != 0;
    return (SendMessageA(view.WindowHandle(), LVM_GETITEMSTATE, static_cast<WPARAM>(Index()), mask) & mask) != 0;
}

void TListItem::SetState(UINT mask, bool on)
{
    TListView& view = ListView();
    if (!view.HandleAllocated()) {
        savedState_ = on ? (savedState_ | mask) : (savedState_ & ~mask);
        return;
    }
    LVITEMA item{};
    item.stateMask = mask;
    item.state = on ? mask : 0;
    SendMessageA(view.WindowHandle(), LVM_SETITEMSTATE, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&item));
}

bool TListItem::Selected() const { return State(LVIS_SELECTED); }

void TListItem::SetSelected(bool value) { SetState(LVIS_SELECTED, value); }

bool TListItem::Focused() const { return State(LVIS_FOCUSED); }

void TListItem::SetFocused(bool value) { SetState(LVIS_FOCUSED, value); }

// ============================================================ TListItems

TListItems::~TListItems()
{
    for (TListItem* item : items_)
        delete item;
}

TPersistent* TListItems::GetOwner() const { return &owner_; }

int TListItems::IndexOf(const TListItem* item) const
{
    // From the end: the items being filled in are usually the newest.
    for (auto i = static_cast<int>(items_.size()) - 1; i >= 0; --i) {
        if (items_[static_cast<std::size_t>(i)] == item)
            return i;
    }
    return -1;
}

TListItem* TListItems::Insert(int index)
{
    index = std::clamp(index, 0, Count());
    auto item = std::make_unique<TListItem>(*this);
    items_.insert(items_.begin() + index, item.get());
    if (owner_.HandleAllocated()) {
        try {
            owner_.InsertItemWindow(index, *item);
        } catch (...) {
            items_.erase(items_.begin() + index);
            throw;
        }
    }
    return item.release();
}

void TListItems::Delete(int index)
{
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    if (owner_.HandleAllocated())
        SendMessageA(owner_.WindowHandle(), LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
    TListItem* item = items_[static_cast<std::size_t>(index)];
    items_.erase(items_.begin() + index);
    delete item;
}

void TListItems::Clear()
{
    if (owner_.HandleAllocated())
        SendMessageA(owner_.WindowHandle(), LVM_DELETEALLITEMS, 0, 0);
    for (TListItem* item : items_)
        delete item;
    items_.clear();
}

void TListItems::BeginUpdate() { updating_.Begin(owner_); }

void TListItems::EndUpdate() { updating_.End(owner_); }

// ============================================================ TListView

void TListView::Publish(ui::TPublisher<TListView>& p)
{
    p.Object("Columns", &TListView::ColumnsObject);
    p.Enum("ViewStyle", ui::ViewStyleInfo, &TListView::ViewStyle, &TListView::SetViewStyle).Default(vsIcon);
    p.Boolean("GridLines", &TListView::GridLines, &TListView::SetGridLines).Default(0);
    p.Boolean("RowSelect", &TListView::RowSelect, &TListView::SetRowSelect).Default(0);
    p.Boolean("ReadOnly", &TListView::ReadOnly, &TListView::SetReadOnly).Default(0);
    p.Boolean("MultiSelect", &TListView::MultiSelect, &TListView::SetMultiSelect).Default(0);
    p.Boolean("HideSelection", &TListView::HideSelection, &TListView::SetHideSelection).Default(1);
    p.Boolean("ShowColumnHeaders", &TListView::ShowColumnHeaders, &TListView::SetShowColumnHeaders).Default(1);
    p.Enum("BorderStyle", ui::BorderStyleInfo, &TListView::BorderStyle, &TListView::SetBorderStyle).Default(bsSingle);
    p.Boolean("TabStop", &TListView::TabStop, &TListView::SetTabStop).Default(1);
    p.Event("OnSelectItem", &TListView::OnSelectItem);
}

TListView::TListView(TComponent* owner)
    : TCustomListView(owner), columns_(std::make_unique<TListColumns>(*this)),
      items_(std::make_unique<TListItems>(*this))
{
    ui::LoadCommonControls(ICC_LISTVIEW_CLASSES);
    SetTabStop(true);
    SetColor(clWindow);
    UpdateStoredBounds(0, 0, 250, 150);
}

TListView::~TListView()
{
    // The window goes while the columns and items it shows still exist.
    Destroying();
    DestroyComponents();
    DestroyHandle();
}

void TListView::CreateParams(TCreateParams& params)
{
    TCustomListView::CreateParams(params);
    params.WinClassName = WC_LISTVIEWA;
    params.OwnClass = false;
    static constexpr DWORD kViewStyles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    params.Style |= kViewStyles[viewStyle_] | LVS_SHAREIMAGELISTS;
    if (!readOnly_)
        params.Style |= LVS_EDITLABELS;
    if (!multiSelect_)
        params.Style |= LVS_SINGLESEL;
    if (!hideSelection_)
        params.Style |= LVS_SHOWSELALWAYS;
    if (!showColumnHeaders_)
        params.Style |= LVS_NOCOLUMNHEADER;
    if (borderStyle_ == bsSingle)
        params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListView::CreateWnd()
{
    TCustomListView::CreateWnd();
    ApplyExtendedStyle();
    ApplyColors();
    for (int i = 0; i < columns_->Count(); ++i)
        InsertColumn(i, *columns_->Items(i));
    SendMessageA(WindowHandle(), WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < items_->Count(); ++i)
        InsertItemWindow(i, *items_->Item(i));
    SendMessageA(WindowHandle(), WM_SETREDRAW, TRUE, 0);
}

void TListView::DestroyWnd()
{
    // Only a window made again needs the user's column widths and selection back.
    if (HandleAllocated() && !ComponentState().Contains(csDestroying)) {
        for (int i = 0; i < columns_->Count(); ++i)
            columns_->Items(i)->width_ = columns_->Items(i)->Width();
        for (int i = 0; i < items_->Count(); ++i) {
            items_->Item(i)->savedState_ = static_cast<UINT>(SendMessageA(
                WindowHandle(), LVM_GETITEMSTATE, static_cast<WPARAM>(i), LVIS_SELECTED | LVIS_FOCUSED));
        }
    }
    TCustomListView::DestroyWnd();
}

void TListView::InsertColumn(int index, const TListColumn& column)
{
    std::string caption = column.caption_;
    LVCOLUMNA info{};
    info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    info.fmt = ui::ColumnFormat(column.alignment_);
    info.cx = column.width_;
    info.pszText = caption.data();
    SendMessageA(WindowHandle(), LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
}

void TListView::UpdateColumn(int index, const TListColumn& column)
{
    std::string caption = column.caption_;
    LVCOLUMNA info{};
    info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    // The first column cannot change its alignment in a list view.
    info.fmt = index == 0 ? LVCFMT_LEFT : ui::ColumnFormat(column.alignment_);
    info.cx = column.width_;
    info.pszText = caption.data();
    SendMessageA(WindowHandle(), LVM_SETCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
}

void TListView::InsertItemWindow(int index, TListItem& item)
{
    LVITEMA info{};
    info.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
    info.iItem = index;
    info.pszText = item.caption_.data();
    info.lParam = reinterpret_cast<LPARAM>(&item);
    info.state = item.savedState_;
    info.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    if (SendMessageA(WindowHandle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&info)) < 0)
        throw EOutOfResources("The list view cannot take more items");
    item.PushSubItems();
}

void TListView::ApplyExtendedStyle()
{
    if (!HandleAllocated())
        return;
    const DWORD mask = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
    const DWORD value = (gridLines_ ? LVS_EX_GRIDLINES : 0) | (rowSelect_ ? LVS_EX_FULLROWSELECT : 0);
    SendMessageA(WindowHandle(), LVM_SETEXTENDEDLISTVIEWSTYLE, mask, value);
}

void TListView::ApplyColors()
{
    if (!HandleAllocated())
        return;
    const COLORREF back = ui::ColorToRGB(Color());
    SendMessageA(WindowHandle(), LVM_SETBKCOLOR, 0, static_cast<LPARAM>(back));
    SendMessageA(WindowHandle(), LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(back));
    SendMessageA(WindowHandle(), LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ui::ColorToRGB(Font().Color())));
}

void TListView::ColorChanged()
{
    TCustomListView::ColorChanged();
    ApplyColors();
}

void TListView::FontChanged()
{
    TCustomListView::FontChanged();
    ApplyColors();
}

void TListView::SetViewStyle(TViewStyle value)
{
    if (value == viewStyle_)
        return;
    viewStyle_ = value;
    RecreateWnd();
}

void TListView::SetGridLines(bool value)
{
    gridLines_ = value;
    ApplyExtendedStyle();
}

void TListView::SetRowSelect(bool value)
{
    rowSelect_ = value;
    ApplyExtendedStyle();
}

void TListView::SetReadOnly(bool value)
{
    if (value == readOnly_)
        return;
    readOnly_ = value;
    RecreateWnd();
}

void TListView::SetMultiSelect(bool value)
{
    if (value == multiSelect_)
        return;
    multiSelect_ = value;
    RecreateWnd();
}

void TListView::SetHideSelection(bool value)
{
    if (value == hideSelection_)
        return;
    hideSelection_ = value;
    RecreateWnd();
}

void TListView::SetShowColumnHeaders(bool value)
{
    if (value == showColumnHeaders_)
        return;
    showColumnHeaders_ = value;
    RecreateWnd();
}

void TListView::SetBorderStyle(TBorderStyle value)
{
    if (value == borderStyle_)
        return;
    borderStyle_ = value;
    RecreateWnd();
}

TListItem* TListView::ItemFromIndex(int index) const
{
    return index >= 0 && index < items_->Count() ? items_->Item(index) : nullptr;
}

int TListView::SelCount() const
{
    if (HandleAllocated())
        return static_cast<int>(SendMessageA(WindowHandle(), LVM_GETSELECTEDCOUNT, 0, 0));
    return static_cast<int>(std::count_if(items_->items_.begin(), items_->items_.end(),
                                          [](const TListItem* item) { return (item->savedState_ & LVIS_SELECTED) != 0; }));
}

TListItem* TListView::Selected() const
{
    if (HandleAllocated())
        return ItemFromIndex(static_cast<int>(
            SendMessageA(WindowHandle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0))));
    for (TListItem* item : items_->items_) {
        if (item->savedState_ & LVIS_SELECTED)
            return item;
    }
    return nullptr;
}

void TListView::SetSelected(TListItem* item)
{
    if (!multiSelect_ || !item) {
        for (TListItem* other : items_->items_) {
            if (other != item && other->Selected())
                other->SetSelected(false);
        }
    }
    if (item)
        item->SetSelected(true);
}

TListItem* TListView::ItemFocused() const
{
    if (HandleAllocated())
        return ItemFromIndex(static_cast<int>(
            SendMessageA(WindowHandle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_FOCUSED, 0))));
    for (TListItem* item : items_->items_) {
        if (item->savedState_ & LVIS_FOCUSED)
            return item;
    }
    return nullptr;
}

int TListView::ItemIndex() const
{
    const TListItem* item = Selected();
    return item ? item->Index() : -1;
}

void TListView::SetItemIndex(int value) { SetSelected(ItemFromIndex(value)); }

void TListView::WndProc(TMessage& message)
{
    // Long parameters below 64 KiB are never pointers; other messages share
    // this number with CN_NOTIFY.
    if (message.Msg == CN_NOTIFY && static_cast<ULONG_PTR>(message.LParam) >= 0x10000) {
        const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
        switch (header->code) {
        case NM_CLICK:
            Click();
            return;
        case NM_DBLCLK:
            OnDblClick(this);
            return;
        case LVN_BEGINLABELEDITA:
        case LVN_BEGINLABELEDITW:
            message.Result = readOnly_ ? TRUE : FALSE;
            return;
        case LVN_ENDLABELEDITA: {
            const auto* info = reinterpret_cast<const NMLVDISPINFOA*>(message.LParam);
            if (info->item.pszText) {
                if (TListItem* item = ItemFromIndex(info->item.iItem))
                    item->caption_ = info->item.pszText;
                message.Result = TRUE;
            }
            return;
        }
        case LVN_ITEMCHANGED: {
            const auto* change = reinterpret_cast<const NMLISTVIEW*>(message.LParam);
            if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED)) {
                if (TListItem* item = ItemFromIndex(change->iItem))
                    OnSelectItem(this, item, (change->uNewState & LVIS_SELECTED) != 0);
            }
            return;
        }
        default:
            break;
        }
    }
    TCustomListView::WndProc(message);
}
