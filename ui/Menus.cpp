#include "ui/Menus.h"

#include "ui/AnsiText.h"
#include "ui/DcGuards.h"
#include "ui/Forms.h"
#include "ui/ImageList.h"
#include "ui/Properties.h"
#include "ui/UtilityWindow.h"

#include <algorithm>
#include <array>
#include <memory>

constinit const TClassInfo TMenuItem::ClassInfo = ui::ClassOf<TMenuItem>("TMenuItem", TComponent::ClassInfo);
constinit const TClassInfo TMenu::ClassInfo = ui::ClassOf<TMenu>("TMenu", TComponent::ClassInfo);
constinit const TClassInfo TMainMenu::ClassInfo = ui::ClassOf<TMainMenu>("TMainMenu", TMenu::ClassInfo);
constinit const TClassInfo TPopupMenu::ClassInfo = ui::ClassOf<TPopupMenu>("TPopupMenu", TMenu::ClassInfo);

namespace ui {

namespace {

constexpr std::string_view kBiDiModeNames[] = {"bdLeftToRight", "bdRightToLeft"};
constexpr std::string_view kPopupAlignmentNames[] = {"paLeft", "paRight", "paCenter"};
constinit const TEnumInfo PopupAlignmentInfo{"TPopupAlignment", kPopupAlignmentNames};

// Command ids handed to menu items: 1 .. 0xEFFF, lowest free first. System
// commands start at 0xF000.
class CommandPool {
public:
    UINT Allocate()
    {
        const auto it = std::find(used_.begin() + 1, used_.end(), false);
        if (it == used_.end())
            throw Exception("Too many menu items");
        *it = true;
        return static_cast<UINT>(it - used_.begin());
    }
    void Free(UINT command)
    {
        if (command > 0 && command < used_.size())
            used_[command] = false;
    }

private:
    std::vector<bool> used_ = std::vector<bool>(0xF000, false);
};

CommandPool& Commands()
{
    static auto* const pool = new CommandPool;
    return *pool;
}

std::vector<TPopupMenu*>& PopupRegistry()
{
    static auto* const list = new std::vector<TPopupMenu*>;
    return *list;
}

struct KeyName {
    WORD key;
    std::string_view name;
};
constexpr std::array<KeyName, 17> kKeyNames{{
    {VK_BACK, "BkSp"},  {VK_TAB, "Tab"},   {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},  {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"}, {VK_END, "End"},      {VK_HOME, "Home"},   {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},  {VK_INSERT, "Ins"},  {VK_DELETE, "Del"},
    {VK_APPS, "Menu"},  {VK_PAUSE, "Pause"},
}};

std::string KeyText(WORD key)
{
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F24) {
        std::string name(1, 'F');
        name += std::to_string(key - VK_F1 + 1);
        return name;
    }
    for (const KeyName& entry : kKeyNames) {
        if (entry.key == key)
            return std::string(entry.name);
    }
    return {};
}

// Frees a menu handle without taking the submenus in it along: those belong
// to their own items.
void FreeMenuHandle(UniqueMenu& handle)
{
    if (!handle)
        return;
    while (GetMenuItemCount(handle.get()) > 0)
        RemoveMenu(handle.get(), 0, MF_BYPOSITION);
    handle.reset();
}

// The menu's entries measure and draw on a canvas with the system menu font.
void UseMenuFont(TCanvas& canvas) { canvas.Font().Assign(Screen->MenuFont()); }

UtilityWindow& PopupList()
{
    static auto* const window = new UtilityWindow([](UtilityWindow& self, TMessage& message) {
        // A copy: an item's OnClick may free a popup menu.
        const std::vector<TPopupMenu*> menus = PopupRegistry();
        switch (message.Msg) {
        case WM_MEASUREITEM:
            for (TPopupMenu* menu : menus) {
                if (menu->MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam))) {
                    message.Result = 1;
                    return;
                }
            }
            break;
        case WM_DRAWITEM:
            for (TPopupMenu* menu : menus) {
                if (menu->DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam))) {
                    message.Result = 1;
                    return;
                }
            }
            break;
        case WM_INITMENUPOPUP:
            for (TPopupMenu* menu : menus) {
                if (menu->DispatchPopup(reinterpret_cast<HMENU>(message.WParam)))
                    return;
            }
            break;
        case WM_COMMAND:
            if (HIWORD(message.WParam) == 0) {
                for (TPopupMenu* menu : menus) {
                    if (ui::IsLive(menu) && menu->DispatchCommand(LOWORD(message.WParam)))
                        return;
                }
            }
            break;
        default:
            break;
        }
        self.CallDefault(message);
    });
    return *window;
}

} // namespace

constinit const TEnumInfo BiDiModeInfo{"TBiDiMode", kBiDiModeNames};

TShortCut MakeShortCut(WORD key, TShiftState shift)
{
    TShortCut result = key & 0xFF;
    if (shift.Contains(ssShift))
        result |= scShift;
    if (shift.Contains(ssCtrl))
        result |= scCtrl;
    if (shift.Contains(ssAlt))
        result |= scAlt;
    return result;
}

std::string ShortCutToText(TShortCut shortCut)
{
    const std::string key = KeyText(shortCut & 0xFF);
    if (key.empty())
        return {};
    std::string text;
    if (shortCut & scShift)
        text += "Shift+";
    if (shortCut & scCtrl)
        text += "Ctrl+";
    if (shortCut & scAlt)
        text += "Alt+";
    text += key;
    return text;
}

std::optional<TMenuEntryInfo> ReadMenuEntry(HMENU menu, int position, std::size_t maxText)
{
    std::vector<char> buffer(maxText + 1, '\0');
    TMenuEntryInfo entry;
    MENUITEMINFOA& info = entry.info;
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = buffer.data();
    info.cch = static_cast<UINT>(maxText);
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info))
        return std::nullopt;
    // Bitmaps and owner-drawn entries have no text of their own.
    if ((info.fType & (MFT_BITMAP | MFT_OWNERDRAW | MFT_SEPARATOR)) == 0)
        entry.text = buffer.data();
    info.dwTypeData = nullptr;
    info.cch = 0;
    return entry;
}

TShortCut TextToShortCut(std::string_view text)
{
    TShortCut modifiers = 0;
    for (;;) {
        const auto plus = text.find('+');
        if (plus == std::string_view::npos || plus + 1 == text.size())
            break;
        const std::string_view part = text.substr(0, plus);
        if (SameText(part, "Shift"))
            modifiers |= scShift;
        else if (SameText(part, "Ctrl"))
            modifiers |= scCtrl;
        else if (SameText(part, "Alt"))
            modifiers |= scAlt;
        else
            return scNone;
        text.remove_prefix(plus + 1);
    }
    for (int key = 1; key < 256; ++key) {
        const std::string name = KeyText(static_cast<WORD>(key));
        if (!name.empty() && SameText(name, text))
            return static_cast<TShortCut>(modifiers | key);
    }
    return scNone;
}

HWND PopupListWindow() { return PopupList().Handle(); }

const std::vector<TPopupMenu*>& PopupMenus() { return PopupRegistry(); }

} // namespace ui

// ============================================================ TMenuItem

void TMenuItem::Publish(ui::TPublisher<TMenuItem>& p)
{
    p.Text("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
    p.Boolean("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked).Default(0);
    p.Boolean("Default", &TMenuItem::Default, &TMenuItem::SetDefault).Default(0);
    p.Boolean("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled).Default(1);
    p.Boolean("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible).Default(1);
    p.Integer("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut).Default(0);
    p.Integer("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex).Default(-1);
    p.Event("OnClick", &TMenuItem::OnClick);
    p.Event("OnMeasureItem", &TMenuItem::OnMeasureItem);
    p.Event("OnDrawItem", &TMenuItem::OnDrawItem);
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(ui::Commands().Allocate()) {}

TMenuItem::~TMenuItem()
{
    Destroying();
    DestroyComponents();
    while (!items_.empty())
        delete items_.back();
    if (parent_)
        parent_->Remove(this);
    ui::FreeMenuHandle(handle_);
    ui::Commands().Free(command_);
}

void TMenuItem::SetCaption(std::string_view value)
{
    if (value == caption_)
        return;
    caption_ = std::string(value);
    Changed(false);
}

void TMenuItem::SetChecked(bool value)
{
    if (value == checked_)
        return;
    checked_ = value;
    Changed(false);
}

void TMenuItem::SetDefault(bool value)
{
    if (value == default_)
        return;
    // One default item per menu level.
    if (value && parent_) {
        for (TMenuItem* sibling : parent_->items_)
            sibling->default_ = false;
    }
    default_ = value;
    Changed(false);
}

void TMenuItem::SetEnabled(bool value)
{
    if (value == enabled_)
        return;
    enabled_ = value;
    Changed(false);
}

void TMenuItem::SetVisible(bool value)
{
    if (value == visible_)
        return;
    visible_ = value;
    Changed(false);
}

void TMenuItem::SetShortCut(TShortCut value)
{
    if (value == shortCut_)
        return;
    shortCut_ = value;
    Changed(false);
}

void TMenuItem::SetImageIndex(int value)
{
    if (value == imageIndex_)
        return;
    imageIndex_ = value;
    Changed(false);
}

int TMenuItem::MenuIndex() const
{
    if (!parent_)
        return -1;
    const auto& siblings = parent_->items_;
    return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* item = this;
    while (item->parent_)
        item = item->parent_;
    return item->menu_;
}

TImageList* TMenuItem::GetImageList() const
{
    const TMenu* menu = GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (!item || item == this)
        return;
    for (const TMenuItem* p = this; p; p = p->parent_) {
        if (p == item)
            throw Exception("A menu item cannot contain itself");
    }
    if (item->parent_)
        item->parent_->Remove(item);
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    RebuildHandle();
    // The first child turns this entry into a submenu.
    if (items_.size() == 1 && parent_)
        parent_->RebuildHandle();
    if (TMenu* menu = GetParentMenu())
        menu->MenuChanged();
}

void TMenuItem::Remove(TMenuItem* item)
{
    const auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end())
        return;
    items_.erase(it);
    item->parent_ = nullptr;
    RebuildHandle();
    if (items_.empty() && !menu_ && handle_) {
        if (parent_)
            parent_->RebuildHandle();
        ui::FreeMenuHandle(handle_);
    }
    if (TMenu* menu = GetParentMenu())
        menu->MenuChanged();
}

void TMenuItem::Clear()
{
    while (!items_.empty())
        delete items_.back();
}

TMenuItem* TMenuItem::Find(std::string_view caption) const
{
    const std::string wanted = ui::StripHotkey(caption);
    for (TMenuItem* item : items_) {
        if (ui::SameText(ui::StripHotkey(item->caption_), wanted))
            return item;
    }
    return nullptr;
}

TMenuItem* TMenuItem::FindItem(UINT_PTR value, TFindItemKind kind)
{
    bool match = false;
    switch (kind) {
    case fkCommand:
        match = command_ == value;
        break;
    case fkHandle:
        // Menu handles are 32-bit values even in 64-bit processes, and the
        // item id of a submenu in WM_MEASUREITEM carries only those bits.
        match = handle_ && static_cast<DWORD>(reinterpret_cast<UINT_PTR>(handle_.get())) == static_cast<DWORD>(value);
        break;
    case fkShortCut:
        match = shortCut_ != scNone && shortCut_ == value;
        break;
    }
    if (match && !menu_)
        return this;
    for (TMenuItem* item : items_) {
        if (TMenuItem* found = item->FindItem(value, kind))
            return found;
    }
    return nullptr;
}

HMENU TMenuItem::Handle()
{
    if (!handle_) {
        handle_.reset(menu_ ? menu_->CreateMenuHandle() : CreatePopupMenu());
        if (!handle_)
            throw Exception("Cannot create a menu");
        UINT position = 0;
        for (const TMenuItem* item : items_) {
            if (item->visible_)
                item->AppendTo(handle_.get(), position++);
        }
    }
    return handle_.get();
}

void TMenuItem::RebuildHandle()
{
    if (!handle_)
        return;
    while (GetMenuItemCount(handle_.get()) > 0)
        RemoveMenu(handle_.get(), 0, MF_BYPOSITION);
    UINT position = 0;
    for (const TMenuItem* item : items_) {
        if (item->visible_)
            item->AppendTo(handle_.get(), position++);
    }
}

void TMenuItem::AppendTo(HMENU menu, UINT position) const
{
    const TMenu* owner = GetParentMenu();
    const bool ownerDraw = owner && owner->OwnerDraw();
    std::string text = caption_;
    if (shortCut_ != scNone && !IsLine()) {
        text += '\t';
        text += ui::ShortCutToText(shortCut_);
    }
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU | MIIM_STRING;
    info.fType = IsLine() ? MFT_SEPARATOR : MFT_STRING;
    if (ownerDraw)
        info.fType |= MFT_OWNERDRAW;
    if (owner && owner->IsRightToLeft())
        info.fType |= MFT_RIGHTORDER | MFT_RIGHTJUSTIFY;
    info.fState = (enabled_ ? MFS_ENABLED : MFS_GRAYED) | (checked_ ? MFS_CHECKED : 0) | (default_ ? MFS_DEFAULT : 0);
    info.wID = command_;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
    info.hSubMenu = items_.empty() ? nullptr : const_cast<TMenuItem*>(this)->Handle();
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    InsertMenuItemA(menu, position, TRUE, &info);
}

void TMenuItem::Changed(bool structure)
{
    if (parent_)
        parent_->RebuildHandle();
    if (structure)
        RebuildHandle();
    if (TMenu* menu = GetParentMenu())
        menu->MenuChanged();
}

void TMenuItem::Click()
{
    // A disabled item's command can still arrive, posted by whoever draws the menu.
    if (enabled_)
        OnClick(this);
}

TComponent* TMenuItem::GetParentComponent() const
{
    if (!parent_)
        return nullptr;
    if (parent_->menu_)
        return parent_->menu_;
    return parent_;
}

void TMenuItem::SetParentComponent(TComponent* parent)
{
    if (auto* item = ui::As<TMenuItem>(parent))
        item->Add(this);
    else if (auto* menu = ui::As<TMenu>(parent))
        menu->Items()->Add(this);
}

void TMenuItem::GetChildren(const std::function<void(TComponent&)>& proc, const TComponent& root) const
{
    for (TMenuItem* item : items_) {
        if (item->Owner() == &root)
            proc(*item);
    }
}

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height)
{
    DefaultMeasure(canvas, width, height);
    OnMeasureItem(this, &canvas, width, height);
}

void TMenuItem::DrawItem(TCanvas& canvas, const RECT& rect, bool selected)
{
    if (OnDrawItem) {
        OnDrawItem(this, &canvas, rect, selected);
        return;
    }
    DefaultDraw(canvas, rect, selected);
}

void TMenuItem::DefaultMeasure(TCanvas& canvas, int& width, int& height) const
{
    if (IsLine()) {
        width = 10;
        height = 8;
        return;
    }
    if (default_)
        canvas.Font().SetStyle(TFontStyles(canvas.Font().Style()).Include(fsBold));
    const SIZE text = canvas.TextExtent(ui::StripHotkey(caption_).append(" "));
    const TImageList* images = GetImageList();
    const int glyph = images ? std::max(images->Width(), 16) : 16;
    width = glyph + 8 + text.cx;
    if (shortCut_ != scNone)
        width += 16 + canvas.TextWidth(ui::ShortCutToText(shortCut_));
    height = std::max<int>(text.cy + 4, glyph + 2);
}

void TMenuItem::DefaultDraw(TCanvas& canvas, const RECT& rect, bool selected) const
{
    canvas.Brush().SetColor(selected ? clHighlight : clMenu);
    canvas.FillRect(rect);
    const HDC dc = canvas.Handle();
    if (IsLine()) {
        RECT line = rect;
        line.top += (rect.bottom - rect.top) / 2;
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    TImageList* images = GetImageList();
    const int glyph = images ? std::max(images->Width(), 16) : 16;
    RECT box{rect.left + 2, rect.top + (rect.bottom - rect.top - glyph) / 2, 0, 0};
    box.right = box.left + glyph;
    box.bottom = box.top + glyph;
    if (images && imageIndex_ >= 0 && imageIndex_ < images->Count()) {
        if (checked_)
            DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
        images->Draw(canvas, box.left, box.top + (glyph - images->Height()) / 2, imageIndex_, enabled_);
    } else if (checked_) {
        DrawFrameControl(dc, &box, DFC_MENU, DFCS_MENUCHECK | DFCS_TRANSPARENT);
    }
    if (default_)
        canvas.Font().SetStyle(TFontStyles(canvas.Font().Style()).Include(fsBold));
    canvas.Font().SetColor(!enabled_ ? clGrayText : selected ? clHighlightText : clMenuText);
    canvas.Brush().SetStyle(bsClear);
    RECT textRect{rect.left + glyph + 8, rect.top, rect.right - 8, rect.bottom};
    canvas.DrawText(caption_, textRect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (shortCut_ != scNone)
        canvas.DrawText(ui::ShortCutToText(shortCut_), textRect, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
}

// ============================================================ TMenu

void TMenu::Publish(ui::TPublisher<TMenu>& p)
{
    p.Object("Images", &TMenu::Images, &TMenu::SetImages);
    p.Boolean("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw).Default(0);
    p.Enum("BiDiMode", ui::BiDiModeInfo, &TMenu::BiDiMode, &TMenu::SetBiDiMode).Default(bdLeftToRight);
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(this)) { items_->menu_ = this; }

TMenu::~TMenu()
{
    if (images_)
        images_->RemoveFreeNotification(this);
    Destroying();
    DestroyComponents();
}

void TMenu::SetImages(TImageList* images)
{
    if (!ReplaceReference(images_, images))
        return;
    MenuChanged();
}

void TMenu::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == images_)
        images_ = nullptr;
}

void TMenu::SetOwnerDraw(bool value)
{
    if (value == ownerDraw_)
        return;
    ownerDraw_ = value;
    const std::function<void(TMenuItem&)> rebuild = [&](TMenuItem& item) {
        item.RebuildHandle();
        for (TMenuItem* child : item.items_)
            rebuild(*child);
    };
    rebuild(*items_);
    MenuChanged();
}

TMenuItem* TMenu::FindItem(UINT_PTR value, TFindItemKind kind) const { return items_->FindItem(value, kind); }

bool TMenu::DispatchCommand(UINT command)
{
    TMenuItem* item = FindItem(command, fkCommand);
    if (!item)
        return false;
    item->Click();
    return true;
}

bool TMenu::DispatchPopup(HMENU submenu)
{
    TMenuItem* item = FindItem(reinterpret_cast<UINT_PTR>(submenu), fkHandle);
    if (!item)
        return false;
    item->Click();
    return true;
}

bool TMenu::IsShortCut(WORD key, TShiftState shift)
{
    const TShortCut wanted = ui::MakeShortCut(key, shift);
    TMenuItem* item = FindItem(wanted, fkShortCut);
    if (!item || !item->Enabled() || !item->Visible())
        return false;
    item->Click();
    return true;
}

bool TMenu::MeasureItem(MEASUREITEMSTRUCT& measure)
{
    TMenuItem* item = FindItem(measure.itemID, fkCommand);
    if (!item)
        item = FindItem(measure.itemID, fkHandle);
    if (!item)
        return false;
    const ui::UniqueWindowDC screen = ui::UniqueWindowDC::Client(nullptr);
    TCanvas canvas;
    const ui::ScopedCanvasBinding binding(canvas, screen.get());
    ui::UseMenuFont(canvas);
    int width = static_cast<int>(measure.itemWidth);
    int height = static_cast<int>(measure.itemHeight);
    item->MeasureItem(canvas, width, height);
    measure.itemWidth = static_cast<UINT>(std::max(width, 0));
    measure.itemHeight = static_cast<UINT>(std::max(height, 0));
    return true;
}

bool TMenu::DrawItem(const DRAWITEMSTRUCT& draw)
{
    auto* item = reinterpret_cast<TMenuItem*>(draw.itemData);
    if (!item || FindItem(draw.itemID, fkCommand) != item) {
        item = FindItem(draw.itemID, fkCommand);
        if (!item)
            item = FindItem(draw.itemID, fkHandle);
    }
    if (!item)
        return false;
    TCanvas canvas;
    const ui::ScopedSaveDC saved(draw.hDC);
    const ui::ScopedCanvasBinding binding(canvas, draw.hDC);
    ui::UseMenuFont(canvas);
    item->DrawItem(canvas, draw.rcItem, (draw.itemState & ODS_SELECTED) != 0);
    return true;
}

void TMenu::GetChildren(const std::function<void(TComponent&)>& proc, const TComponent& root) const
{
    items_->GetChildren(proc, root);
}

// ============================================================ TMainMenu

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

TMainMenu::~TMainMenu()
{
    // A window destroys the menu bar it holds; let go of it first.
    if (window_ && IsWindow(window_) && Items()->HandleAllocated() && GetMenu(window_) == Items()->Handle())
        ::SetMenu(window_, nullptr);
}

void TMainMenu::MenuChanged()
{
    if (window_ && IsWindow(window_) && Items()->HandleAllocated())
        SendMessageA(window_, CM_MENUCHANGED, 0, 0);
}

// ============================================================ TPopupMenu

void TPopupMenu::Publish(ui::TPublisher<TPopupMenu>& p)
{
    p.Boolean("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup).Default(1);
    p.Enum("Alignment", ui::PopupAlignmentInfo, &TPopupMenu::Alignment, &TPopupMenu::SetAlignment).Default(paLeft);
    p.Event("OnPopup", &TPopupMenu::OnPopup);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) { ui::PopupRegistry().push_back(this); }

TPopupMenu::~TPopupMenu()
{
    std::erase(ui::PopupRegistry(), this);
    SetPopupComponent(nullptr);
}

void TPopupMenu::SetPopupComponent(TComponent* component)
{
    if (!ReplaceReference(popupComponent_, component))
        return;
}

void TPopupMenu::Notification(TComponent* component, TOperation operation)
{
    TMenu::Notification(component, operation);
    if (operation == opRemove && component == popupComponent_)
        popupComponent_ = nullptr;
}

void TPopupMenu::Popup(int x, int y)
{
    OnPopup(this);
    UINT flags = TPM_RIGHTBUTTON | TPM_RETURNCMD;
    switch (alignment_) {
    case paLeft:
        flags |= IsRightToLeft() ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
        break;
    case paRight:
        flags |= IsRightToLeft() ? TPM_LEFTALIGN : TPM_RIGHTALIGN;
        break;
    case paCenter:
        flags |= TPM_CENTERALIGN;
        break;
    }
    // The command comes back as the answer, so the item runs before Popup returns.
    const UINT command = static_cast<UINT>(TrackPopupMenu(Handle(), flags, x, y, 0, ui::PopupListWindow(), nullptr));
    if (command != 0)
        DispatchCommand(command);
}
