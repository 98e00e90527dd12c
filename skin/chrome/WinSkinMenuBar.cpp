#include "skin/chrome/WinSkinMenuBar.h"

#include "skin/chrome/MenuBarLayout.h"
#include "skin/chrome/MenuBarOwner.h"
#include "skin/chrome/MenuBarTracking.h"
#include "skin/chrome/MenuSeparators.h"
#include "skin/model/ImgUtil.h"
#include "skin/model/WinSkinData.h"
#include "skin/model/WinSkinDlg.h"
#include "ui/AnsiText.h"
#include "ui/Bitmap.h"
#include "ui/Control.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

#include <array>
#include <string>

namespace {

// Longest caption read from a system menu entry, with its terminator.
constexpr UINT kCaptionBuffer = 80;
constexpr int kActiveFrame = 1;
constexpr int kInactiveFrame = 2;
constexpr int kBarFrames = 2;

// Every entry of a drop-down and of the drop-downs below it is drawn by the
// skin. Only the type changes: the entries keep their text and item data,
// which is how their painter finds what to draw.
void MakeOwnerDrawn(HMENU menu)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info))
            continue;
        if (info.hSubMenu != nullptr)
            MakeOwnerDrawn(info.hSubMenu);
        if ((info.fType & MFT_OWNERDRAW) != 0)
            continue;
        info.fMask = MIIM_FTYPE;
        info.fType |= MFT_OWNERDRAW;
        SetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
    }
}

} // namespace

TWinSkinMenu::TWinSkinMenu(TMenuBarOwner& form)
    : form_(form), background_(std::make_unique<TBitmap>()), picture_(std::make_unique<TBitmap>())
{
}

TWinSkinMenu::~TWinSkinMenu()
{
    ClearItems();
    const HWND window = form_.Handle();
    if (window != nullptr && IsWindow(window) && menuHandle_ != nullptr && IsMenu(menuHandle_)
        && GetMenu(window) == nullptr)
        SetMenu(window, menuHandle_);
}

void TWinSkinMenu::ClearItems()
{
    // An item that goes away while hot leaves the window without a hot object.
    items_.clear();
    pictureKey_.reset();
}

TMenuBtn& TWinSkinMenu::AddItem(int index)
{
    auto item = std::make_unique<TMenuBtn>(form_, form_.SkinData(), index);
    item->Visible = true;
    items_.push_back(std::move(item));
    return *items_.back();
}

void TWinSkinMenu::RemoveSystemMenuBar() const
{
    const HWND window = form_.Handle();
    if (window != nullptr && GetMenu(window) != nullptr)
        SetMenu(window, nullptr);
}

bool TWinSkinMenu::StartReading()
{
    const HWND window = form_.Handle();
    if (window == nullptr)
        return false;
    if (const HMENU current = GetMenu(window))
        menuHandle_ = current;
    if (menuHandle_ == nullptr)
        return false;
    if (form_.IsFrameworkForm()) {
        menu_ = form_.FrameworkMenu();
        if (menu_ == nullptr)
            return false;
    } else {
        menu_ = nullptr;
    }
    ClearItems();
    return true;
}

bool TWinSkinMenu::ReadSystemItem(HMENU menu, int index, std::string& text)
{
    const std::optional<ui::TMenuEntryInfo> entry = ui::ReadMenuEntry(menu, index, kCaptionBuffer - 1);
    if (!entry)
        return false;
    TMenuBtn& item = AddItem(index);
    item.SubMenu = entry->info.hSubMenu;
    item.Enabled = (entry->info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
    item.Command = entry->info.wID;
    text = entry->text;
    item.Caption = ui::AnsiToWide(text);
    return true;
}

void TWinSkinMenu::TakeFrameworkItem(TMenuBtn& item, TMenuItem& source, bool takeCommand) const
{
    item.Caption = ui::AnsiToWide(source.Caption());
    item.Enabled = source.Enabled();
    item.MenuItem = &source;
    if (takeCommand)
        item.Command = source.Command();
    item.SubMenu = source.Count() > 0 ? source.Handle() : nullptr;
}

void TWinSkinMenu::ReadSystemItems(bool textlessOnly)
{
    if (!StartReading())
        return;
    const int count = GetMenuItemCount(menuHandle_);
    for (int i = 0; i < count; ++i) {
        std::string text;
        if (!ReadSystemItem(menuHandle_, i, text))
            continue;
        TMenuBtn& item = *items_.back();
        if (menu_ != nullptr && (!textlessOnly || text.empty())) {
            if (TMenuItem* const source = menu_->FindItem(item.Command, fkCommand))
                TakeFrameworkItem(item, *source, textlessOnly);
        }
    }
    RemoveSystemMenuBar();
}

void TWinSkinMenu::ReadItems() { ReadSystemItems(false); }

void TWinSkinMenu::ReadItemsFromFramework()
{
    menu_ = form_.FrameworkMenu();
    if (menu_ == nullptr)
        return;
    if (const HMENU current = GetMenu(form_.Handle()))
        menuHandle_ = current;
    ClearItems();
    TMenuItem* const root = menu_->Items();
    for (int i = 0; i < root->Count(); ++i) {
        TMenuItem& source = *root->Items(i);
        TMenuBtn& item = AddItem(i);
        TakeFrameworkItem(item, source, true);
        item.Visible = source.Visible();
    }
    RemoveSystemMenuBar();
}

void TWinSkinMenu::RereadItemsForMDI() { ReadSystemItems(true); }

void TWinSkinMenu::MenuChanged()
{
    const HWND window = form_.Handle();
    if (window == nullptr)
        return;
    if (const HMENU current = GetMenu(window)) {
        menuHandle_ = current;
        ReadItems();
    }
    RemoveSystemMenuBar();
}

TWinSkinMenu::TBarKey TWinSkinMenu::KeyOf(const RECT& band) const
{
    const TSkinData& skin = form_.SkinData();
    TBarKey key;
    key.band = {band.left, band.top, band.right, band.bottom};
    key.active = form_.IsActive();
    key.rightToLeft = form_.IsRightToLeft();
    key.mdiButtons = form_.ShowsMdiChildButtons();
    key.element = skin.MenuBar.get();
    key.barColour = skin.MenubarColour;
    key.textColour = skin.MenuBarTextColour;
    key.items.reserve(items_.size());
    for (const auto& item : items_)
        key.items.emplace_back(item->Caption, item->Enabled, item->Visible, static_cast<int>(item->State()));
    return key;
}

void TWinSkinMenu::PaintBar(HDC dc, const RECT& band)
{
    const int width = band.right - band.left;
    const int height = band.bottom - band.top;
    if (width <= 0 || height <= 0)
        return;
    // A frame paint with nothing changed on the bar is one blit of what was composed last.
    TBarKey key = KeyOf(band);
    if (!pictureKey_ || !(*pictureKey_ == key)) {
        pictureKey_.reset();
        ComposeBar(band);
        pictureKey_ = std::move(key);
    }
    BitBlt(dc, band.left, band.top, width, height, picture_->Canvas().Handle(), 0, 0, SRCCOPY);
}

void TWinSkinMenu::ComposeBar(const RECT& band)
{
    const int width = band.right - band.left;
    const int height = band.bottom - band.top;
    TSkinData& skin = form_.SkinData();
    TBitmap& picture = *picture_;
    if (picture.Width() != width || picture.Height() != height)
        picture.SetSize(width, height);
    const HDC canvas = picture.Canvas().Handle();
    const RECT whole{0, 0, width, height};

    TDataSkinObject* const element = skin.MenuBar.get();
    const bool rightToLeft = form_.IsRightToLeft();
    if (element != nullptr && element->HasBitmap()) {
        const int frame = form_.IsActive() ? kActiveFrame : kInactiveFrame;
        if (element->Tile == 1)
            DrawSkinElement(canvas, whole, element->Bitmap, true, false, false, kBarFrames, frame, element->Margins());
        else
            DrawThreeSliceTiled(picture.Canvas(), whole, element->Bitmap, true, false, kBarFrames, frame,
                                element->Margins());
    } else {
        picture.Canvas().Brush().SetColor(skin.MenubarColour);
        picture.Canvas().FillRect(whole);
    }
    const int start = MenuBarStartOffset(element, rightToLeft, width);

    barRect_ = {band.left, band.top, band.right, band.bottom};
    if (background_->Width() != width || background_->Height() != height)
        background_->SetSize(width, height);
    BitBlt(background_->Canvas().Handle(), 0, 0, width, height, canvas, 0, 0, SRCCOPY);

    painting_ = true;
    TCanvas& text = picture.Canvas();
    text.SetFont(Screen->MenuFont());
    text.Font().SetStyle({});
    std::vector<int> widths;
    widths.reserve(items_.size());
    for (const auto& item : items_) {
        if (!item->Visible) {
            widths.push_back(-1);
            continue;
        }
        RECT measured{0, 0, 0, 0};
        text.DrawText(item->Caption, measured, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
        widths.push_back(MenuBarItemWidth(measured.right - measured.left));
    }
    const std::vector<TNCRect> rects = LayOutMenuBar(widths, barRect_, start, rightToLeft);
    // The items draw themselves on a picture of the whole window: the
    // viewport puts that picture's band onto the bar's picture.
    POINT oldOrigin{};
    SetViewportOrgEx(canvas, -band.left, -band.top, &oldOrigin);
    for (std::size_t i = 0; i < items_.size(); ++i) {
        TMenuBtn& item = *items_[i];
        item.Rect = rects[i];
        if (item.Visible && item.Rect.Width() > 0)
            item.Draw(canvas);
    }
    SetViewportOrgEx(canvas, oldOrigin.x, oldOrigin.y, nullptr);
    painting_ = false;

    if (form_.ShowsMdiChildButtons()) {
        form_.PaintMdiChildButtons(canvas, {band.left, band.top});
        TSkinManage* const manager = SkinManager();
        if (manager != nullptr && !manager->MdiChildMaximized())
            manager->SetMdiChildMaximized(true);
    }
}

TMenuBarBackdrop TWinSkinMenu::Backdrop() const { return {background_.get(), barRect_}; }

TMenuBtn* TWinSkinMenu::ItemAt(TNCPoint point) const
{
    for (const auto& item : items_) {
        if (item->Visible && !item->Caption.empty() && item->Rect.Contains(point))
            return item.get();
    }
    return nullptr;
}

TMenuBtn* TWinSkinMenu::MenuButtonAtKey(char character) const
{
    for (const auto& item : items_) {
        if (item->Enabled && item->Visible && ui::IsAccel(character, ui::WideToAnsi(item->Caption)))
            return item.get();
    }
    return nullptr;
}

TNCPoint TWinSkinMenu::MapScreenPoint(POINT screenPoint) const
{
    RECT window{};
    GetWindowRect(form_.Handle(), &window);
    return {screenPoint.x - window.left, screenPoint.y - window.top};
}

void TWinSkinMenu::PostMenuClick(const TMenuBtn& item) const
{
    // Wine's menu loop hands a posted non-client click to the window without
    // closing the open drop-down, so it is closed first; the click then waits
    // in the queue until the loop has ended.
    EndMenu();
    RECT window{};
    GetWindowRect(form_.Handle(), &window);
    const int x = window.left + item.Rect.left + 1;
    const int y = window.top + item.Rect.top + 1;
    PostMessageA(form_.Handle(), WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(x, y));
}

void TWinSkinMenu::MenuSelected(WPARAM wParam, LPARAM lParam)
{
    TMenuBarTracking& tracking = TMenuBarTracking::Instance();
    if (tracking.bar == this)
        tracking.Select(wParam, lParam);
}

bool TWinSkinMenu::MenuClick(POINT screenPoint)
{
    TMenuBtn* const item = ItemAt(MapScreenPoint(screenPoint));
    if (item == nullptr)
        return false;
    item->MouseDown();
    return OpenMenuButton(item);
}

bool TWinSkinMenu::OpenMenuButton(TMenuBtn* item)
{
    TMenuBarTracking& tracking = TMenuBarTracking::Instance();
    tracking.itemChanged = false;
    if (item == nullptr)
        return false;
    const HWND window = form_.Handle();
    PostMessageA(window, WM_COMMAND, item->Command, 0);
    if (item->SubMenu == nullptr)
        return false;
    // Tidying changes the framework menu, and the form reads its items anew
    // when told so: the item may be gone afterwards, what it said is kept.
    const int index = item->Index;
    const HMENU dropDown = item->SubMenu;
    const bool enabled = item->Enabled;
    const TNCRect rect = item->Rect;
    const bool pressed = item->State() == dsPressed;
    if (item->MenuItem != nullptr)
        TidySeparators(*item->MenuItem);
    // The item read in its place is held down while the drop-down is open.
    if (pressed) {
        for (const auto& now : items_) {
            if (now->Index == index && now->State() != dsPressed)
                now->MouseDown();
        }
    }

    tracking.current = index;
    tracking.bar = this;
    RECT windowRect{};
    GetWindowRect(window, &windowRect);
    MakeOwnerDrawn(dropDown);

    menuTracking_ = true;
    const bool rightToLeft = form_.IsRightToLeft();
    const int x = (rightToLeft ? rect.right : rect.left) + windowRect.left;
    const int y = rect.bottom + windowRect.top;
    if (TSkinManage* const manager = SkinManager())
        manager->SetMenuKind(TMenuKind::MenuBarDropDown);
    trackedSubMenu_ = dropDown;

    tracking.Install();
    if (enabled) {
        const UINT flags = TPM_NONOTIFY | TPM_RIGHTBUTTON | (rightToLeft ? TPM_RIGHTALIGN : 0u);
        TrackPopupMenu(dropDown, flags, x, y, 0, window, nullptr);
    }
    tracking.Remove();
    menuTracking_ = false;
    return true;
}
