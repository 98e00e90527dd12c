#include "skin/chrome/MenuItemPainter.h"

#include "skin/chrome/WinSkinMenu.h"
#include "skin/model/ImgUtil.h"
#include "skin/model/WinSkinData.h"
#include "skin/model/WinSkinDlg.h"
#include "ui/Forms.h"
#include "ui/ImageList.h"

#include <algorithm>
#include <array>
#include <functional>

namespace {

// OBM_CHECK: windows.h names the system's own bitmaps only under OEMRESOURCE.
constexpr int kSystemCheckBitmap = 32760;
// Cells of the MenuItem strip: 1 normal, 2 separator, 4 selected.
constexpr int kItemCells = 5;
constexpr int kNormalCell = 1;
constexpr int kSeparatorCell = 2;
constexpr int kSelectedCell = 4;
// System entries with ids below this belong to the application's own menus.
constexpr UINT kFirstSystemCommand = 4096;
constexpr int kDefaultGlyph = 16;

TDataSkinObject* UsableElement(const std::unique_ptr<TDataSkinObject>& element)
{
    return element && element->HasBitmap() ? element.get() : nullptr;
}

TMenuItem* FrameworkItem(const TMenuWindowInfo& window, UINT command)
{
    return window.MenuBar != nullptr ? window.MenuBar->FindItem(command, fkCommand) : nullptr;
}

bool IsApplicationCommand(UINT command) { return command >= 1 && command < kFirstSystemCommand; }

std::string MenuString(HMENU menu, UINT command)
{
    std::array<char, 80> text{};
    const int length = menu != nullptr ? GetMenuStringA(menu, command, text.data(), static_cast<int>(text.size()),
                                                        MF_BYCOMMAND)
                                       : 0;
    return std::string(text.data(), static_cast<std::size_t>(std::max(length, 0)));
}

// The framework's checked look of a glyph box: button face and highlight in a one-pixel check pattern.
void FillCheckedPattern(HDC dc, const RECT& box)
{
    static constexpr std::array<WORD, 8> rows{0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    const ui::UniqueBitmap pattern(CreateBitmap(8, 8, 1, 1, rows.data()));
    const ui::UniqueBrush brush(CreatePatternBrush(pattern.get()));
    // A monochrome pattern takes the DC's text colour for 0 and its background colour for 1.
    const COLORREF text = SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
    const COLORREF back = SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    FillRect(dc, &box, brush.get());
    SetTextColor(dc, text);
    SetBkColor(dc, back);
}

// The system's check mark in the button-text colour, its white left untouched.
void DrawCheckMark(HDC dc, const RECT& box, const RECT& item)
{
    const ui::UniqueBitmap check(LoadBitmapA(nullptr, MAKEINTRESOURCEA(kSystemCheckBitmap)));
    BITMAP info{};
    if (!check || GetObjectA(check.get(), sizeof(info), &info) == 0)
        return;
    const int x = box.left + (box.right - box.left - info.bmWidth) / 2 + 1;
    const int y = item.top + (item.bottom - item.top - info.bmHeight) / 2 + 1;
    const ui::UniqueDC source(CreateCompatibleDC(dc));
    const HGDIOBJ oldBitmap = SelectObject(source.get(), check.get());
    const ui::UniqueBrush ink(CreateSolidBrush(GetSysColor(COLOR_BTNTEXT)));
    const HGDIOBJ oldBrush = SelectObject(dc, ink.get());
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
    // Brush where the mark's pixels are black, the destination where they are white.
    constexpr DWORD kBrushWhereSourceBlack = 0x00B8074A;
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source.get(), 0, 0, kBrushWhereSourceBlack);
    SetTextColor(dc, text);
    SetBkColor(dc, back);
    SelectObject(dc, oldBrush);
    SelectObject(source.get(), oldBitmap);
}

// A bitmap of the entry's size with the menu font, for one entry's drawing.
std::unique_ptr<TBitmap> EntryBitmap(const RECT& rect)
{
    auto bitmap = std::make_unique<TBitmap>(rect.right - rect.left, rect.bottom - rect.top);
    bitmap->Canvas().Font().Assign(Screen->MenuFont());
    return bitmap;
}

void FillWith(TBitmap& bitmap, TColor colour)
{
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(colour);
    canvas.FillRect(RECT{0, 0, bitmap.Width(), bitmap.Height()});
}

// Runs the framework's own measuring of an item without the item's OnMeasureItem.
void DefaultMeasure(TMenuItem& item, TCanvas& canvas, int& width, int& height)
{
    TMenuMeasureItemEvent own = std::exchange(item.OnMeasureItem, TMenuMeasureItemEvent());
    struct Restore {
        TMenuItem& item;
        TMenuMeasureItemEvent& own;
        ~Restore() { item.OnMeasureItem = std::move(own); }
    } restore{item, own};
    item.MeasureItem(canvas, width, height);
}

// A canvas over a DC with the menu font for the duration of one measure or draw.
class TMenuCanvas {
public:
    explicit TMenuCanvas(HDC dc) : dc_(dc), saved_(SaveDC(dc))
    {
        canvas_.SetHandle(dc);
        canvas_.Font().Assign(Screen->MenuFont());
    }
    ~TMenuCanvas()
    {
        canvas_.SetHandle(nullptr);
        RestoreDC(dc_, saved_);
    }
    TMenuCanvas(const TMenuCanvas&) = delete;
    TMenuCanvas& operator=(const TMenuCanvas&) = delete;
    TCanvas& operator*() { return canvas_; }

private:
    HDC dc_;
    int saved_;
    TCanvas canvas_;
};

} // namespace

TMenuEntry TMenuEntry::Of(const TMenuItem& item)
{
    TMenuEntry entry;
    entry.Caption = item.Caption();
    entry.Enabled = item.Enabled();
    entry.Checked = item.Checked();
    entry.Default = item.Default();
    entry.ShortCut = item.ShortCut();
    entry.Images = item.GetImageList();
    entry.ImageIndex = item.ImageIndex();
    const TMenu* menu = item.GetParentMenu();
    entry.RightToLeft = menu != nullptr && menu->IsRightToLeft();
    return entry;
}

// ============================================================ measuring

int TMenuItemPainter::ExtraWidth(const TMenuItem& item, int withImages, int withoutImages) const
{
    const TDataSkinObject* element = UsableElement(FSkinData->MenuItem);
    const int margin = element != nullptr ? element->LeftWidth : 0;
    return margin + (item.GetImageList() != nullptr ? withImages : withoutImages);
}

void TMenuItemPainter::MeasureMainItem(TObject* sender, TCanvas*, int& width, int&)
{
    if (const auto* item = ui::As<TMenuItem>(sender))
        width += ExtraWidth(*item, 10, 35);
}

void TMenuItemPainter::MeasurePopupItem(TObject* sender, TCanvas*, int& width, int&)
{
    const auto* item = ui::As<TMenuItem>(sender);
    if (item == nullptr || FSkinData == nullptr)
        return;
    width += ExtraWidth(*item, 12, 35);
}

bool TMenuItemPainter::HandleMeasureItem(const TMenuWindowInfo& window, MEASUREITEMSTRUCT& measure)
{
    if (measure.CtlType != ODT_MENU || !window.HadMenu)
        return false;
    const ui::UniqueWindowDC screen = ui::UniqueWindowDC::Client(window.Window);
    TMenuCanvas canvas(screen.get());
    int width = static_cast<int>(measure.itemWidth);
    int height = static_cast<int>(measure.itemHeight);
    if (window.FrameworkForm) {
        if (TMenuItem* item = FrameworkItem(window, measure.itemID)) {
            DefaultMeasure(*item, *canvas, width, height);
            MeasureMainItem(item, &*canvas, width, height);
            measure.itemWidth = static_cast<UINT>(std::max(width, 0));
            measure.itemHeight = static_cast<UINT>(std::max(height, 0));
            return true;
        }
        if (IsApplicationCommand(measure.itemID))
            return false;
    }
    // An entry only the system menu knows: measured from its text.
    const std::string text = MenuString(window.TrackedSubMenu, measure.itemID);
    const SIZE extent = (*canvas).TextExtent(text);
    const TDataSkinObject* element = UsableElement(FSkinData->MenuItem);
    measure.itemWidth = static_cast<UINT>(extent.cx + 26 + (element != nullptr ? element->LeftWidth : 0));
    measure.itemHeight = text.empty() ? 8 : static_cast<UINT>(extent.cy + 4);
    return true;
}

// ============================================================ drawing

void TMenuItemPainter::DrawMenuItem(TObject* sender, TCanvas* canvas, RECT rect, bool selected)
{
    auto* item = ui::As<TMenuItem>(sender);
    if (item == nullptr || canvas == nullptr)
        return;
    TMenuItem* parent = item->Parent();
    DrawEntry(*canvas, rect, selected, TMenuEntry::Of(*item), parent != nullptr ? parent->Handle() : nullptr);
}

bool TMenuItemPainter::HandleDrawItem(const TMenuWindowInfo& window, const DRAWITEMSTRUCT& draw)
{
    if (draw.CtlType != ODT_MENU || !window.HadMenu)
        return false;
    const auto menu = reinterpret_cast<HMENU>(draw.hwndItem);
    if (TSkinManage* manager = SkinManager())
        manager->BindMenuHandle(menu);
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    if (window.FrameworkForm) {
        if (TMenuItem* item = FrameworkItem(window, draw.itemID)) {
            TMenuCanvas canvas(draw.hDC);
            DrawMenuItem(item, &*canvas, draw.rcItem, selected);
            return true;
        }
        if (IsApplicationCommand(draw.itemID))
            return false;
    }
    TMenuCanvas canvas(draw.hDC);
    const TMenuEntry entry = SystemEntry(menu, draw.itemID);
    DrawEntry(*canvas, draw.rcItem, selected, entry, menu, entry.IsLine());
    return true;
}

TMenuEntry TMenuItemPainter::SystemEntry(HMENU menu, UINT command) const
{
    TMenuEntry entry;
    entry.Caption = MenuString(menu, command);
    // An entry without text is a separator. (Assigning the literal trips a false
    // -Wrestrict of g++ 12.)
    if (entry.Caption.empty())
        entry.Caption.assign(1, '-');
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    if (menu != nullptr && GetMenuItemInfoA(menu, command, FALSE, &info)) {
        entry.Enabled = (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
        entry.Checked = (info.fState & MFS_CHECKED) != 0;
    }
    return entry;
}

void TMenuItemPainter::DrawEntry(TCanvas& canvas, const RECT& rect, bool selected, const TMenuEntry& entry,
                                 HMENU menu, bool lineAsItem)
{
    TDataSkinObject* element = FSkinData != nullptr ? UsableElement(FSkinData->MenuItem) : nullptr;
    if (element == nullptr) {
        DrawPlain(canvas, rect, selected, entry);
        return;
    }
    TSkinManage* manager = SkinManager();
    if (manager != nullptr && menu != nullptr)
        manager->BindMenuHandle(menu);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    const auto work = EntryBitmap(rect);
    const TSkinManage::TMenuBackground background =
        manager != nullptr && menu != nullptr ? manager->BackgroundFor(menu) : TSkinManage::TMenuBackground{};
    if (background.Bitmap != nullptr && !background.Bitmap->Empty()) {
        // The item rectangle is in the menu's client area, the background covers the whole window.
        BitBlt(work->Canvas().Handle(), 0, 0, width, height, background.Bitmap->Canvas().Handle(),
               rect.left + background.ClientOffset.x, rect.top + background.ClientOffset.y, SRCCOPY);
    } else {
        FillWith(*work, FSkinData->MenuColour);
    }
    const RECT local{0, 0, width, height};
    if (entry.IsLine() && !lineAsItem) {
        DrawSeparator(work->Canvas(), local);
    } else {
        DrawSkinElement(work->Canvas().Handle(), local, element->Bitmap, false, element->Tile == 1, element->Trans == 1,
                        kItemCells, selected ? kSelectedCell : kNormalCell, element->Margins());
        DrawContent(work->Canvas(), local, selected, entry);
    }
    BitBlt(canvas.Handle(), rect.left, rect.top, width, height, work->Canvas().Handle(), 0, 0, SRCCOPY);
}

void TMenuItemPainter::DrawPlain(TCanvas& canvas, const RECT& rect, bool selected, const TMenuEntry& entry)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    const auto work = EntryBitmap(rect);
    FillWith(*work, selected ? FSkinData->HilightColour : FSkinData->MenuColour);
    DrawContent(work->Canvas(), RECT{0, 0, width, height}, selected, entry);
    BitBlt(canvas.Handle(), rect.left, rect.top, width, height, work->Canvas().Handle(), 0, 0, SRCCOPY);
}

void TMenuItemPainter::DrawSeparator(TCanvas& canvas, const RECT& rect)
{
    TDataSkinObject& element = *FSkinData->MenuItem;
    TBitmap& picture = element.Bitmap;
    const int cellWidth = picture.Width() / kItemCells;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (cellWidth <= 0 || width <= 0 || height <= 0)
        return;
    // A short item takes the bottom of the cell; a tall one stretches all of it.
    const int sourceTop = height < picture.Height() ? picture.Height() - height : 0;
    const int sourceHeight = std::min(height, picture.Height());
    const int cellLeft = cellWidth * (kSeparatorCell - 1);
    const int left = std::clamp(element.LeftWidth, 0, cellWidth);
    const int right = std::clamp(element.RightWidth, 0, cellWidth - left);
    TBitmap line(width, height);
    FillWith(line, SkinKeyColour);
    const HDC target = line.Canvas().Handle();
    const HDC source = picture.Canvas().Handle();
    SetStretchBltMode(target, COLORONCOLOR);
    const auto band = [&](int x, int w, int sx, int sw) {
        if (w > 0 && sw > 0)
            StretchBlt(target, x, 0, w, height, source, cellLeft + sx, sourceTop, sw, sourceHeight, SRCCOPY);
    };
    const int leftOut = std::min(left, width);
    const int rightOut = std::min(right, width - leftOut);
    band(0, leftOut, 0, left);
    band(width - rightOut, rightOut, cellWidth - right, right);
    band(leftOut, width - leftOut - rightOut, left, cellWidth - left - right);
    DrawTransparent(canvas.Handle(), rect, line, SkinKeyColour);
}

void TMenuItemPainter::DrawContent(TCanvas& canvas, const RECT& rect, bool selected, const TMenuEntry& entry)
{
    const HDC dc = canvas.Handle();
    const TDataSkinObject* element = UsableElement(FSkinData->MenuItem);
    const int margin = element != nullptr ? element->LeftWidth : 0;
    const bool rtl = entry.RightToLeft;

    int glyph = entry.Images != nullptr ? entry.Images->Width() : kDefaultGlyph;
    if (entry.Checked)
        glyph = std::max(glyph, kDefaultGlyph);
    RECT box{};
    box.top = rect.top + 1;
    if (rtl) {
        box.right = rect.right - 1 - margin;
        box.left = box.right - glyph;
    } else {
        box.left = rect.left + 1 + margin;
        box.right = box.left + glyph;
    }
    box.bottom = box.top + glyph;
    if (entry.IsLine()) {
        box.right = box.left;
        box.bottom = box.top;
    } else if (entry.Images != nullptr && entry.ImageIndex >= 0 && entry.ImageIndex < entry.Images->Count()) {
        if (entry.Checked) {
            FillCheckedPattern(dc, box);
            DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
        }
        entry.Images->Draw(canvas, box.left, box.top, entry.ImageIndex, entry.Enabled);
    } else if (entry.Checked) {
        DrawCheckMark(dc, box, rect);
    }

    const RECT textBox = rtl ? RECT{rect.left + 1, rect.top, box.left - 3, rect.bottom}
                             : RECT{box.right + 3, rect.top, rect.right - 1, rect.bottom};
    if (entry.IsLine()) {
        RECT line = textBox;
        line.top += 4;
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    TFont& font = canvas.Font();
    TFontStyles style = font.Style();
    if (entry.Default)
        style.Include(fsBold);
    font.SetStyle(style);
    TColor colour = FSkinData->MenuTextColour;
    if (!entry.Enabled) {
        colour = FSkinData->ButtonShadowColour == FSkinData->MenuTextColour ? clSystemColor | COLOR_BTNSHADOW
                                                                             : FSkinData->ButtonShadowColour;
    } else if (selected) {
        colour = FSkinData->HilightTextColour;
    }
    font.SetColor(colour);
    canvas.Brush().SetStyle(bsClear);

    // An empty caption or a lone "&" would measure nothing.
    const bool blank = entry.Caption.empty() || entry.Caption == "&";
    RECT measured = textBox;
    canvas.DrawText(blank ? entry.Caption + " " : entry.Caption, measured,
                    DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE);
    const int textWidth = measured.right - measured.left;
    const int textHeight = measured.bottom - measured.top;
    RECT caption = textBox;
    caption.top = textBox.top + (textBox.bottom - textBox.top - textHeight) / 2;
    caption.bottom = caption.top + textHeight;
    canvas.DrawText(entry.Caption, caption, DT_EXPANDTABS | DT_SINGLELINE | (rtl ? DT_RIGHT : DT_LEFT));
    if (entry.ShortCut == scNone)
        return;
    const std::string shortCut = ui::ShortCutToText(entry.ShortCut);
    if (rtl) {
        RECT keys{textBox.left + 10, caption.top, textBox.right - textWidth, caption.bottom};
        canvas.DrawText(shortCut, keys, DT_SINGLELINE | DT_LEFT);
    } else {
        RECT keys{textBox.left + textWidth, caption.top, rect.right - 11, caption.bottom};
        canvas.DrawText(shortCut, keys, DT_SINGLELINE | DT_RIGHT);
    }
}

// ============================================================ switching owner drawing

void TMenuItemPainter::SkinPopupItems(TMenuItem& item, bool on)
{
    if (on) {
        item.OnDrawItem = TMenuDrawItemEvent(this, &TMenuItemPainter::DrawMenuItem);
        if (!item.OnMeasureItem)
            item.OnMeasureItem = TMenuMeasureItemEvent(this, &TMenuItemPainter::MeasurePopupItem);
    } else {
        // Only what the skin put there: an application's own handlers stay.
        if (IsOurs(item.OnDrawItem))
            item.OnDrawItem.Clear();
        if (IsOurs(item.OnMeasureItem))
            item.OnMeasureItem.Clear();
    }
    for (int i = 0; i < item.Count(); ++i)
        SkinPopupItems(*item.Items(i), on);
}

void TMenuItemPainter::SkinPopupMenus(TComponent& component, bool on)
{
    if (component.ClassName() == "TwwRichEditForm")
        return;
    for (int i = 0; i < component.ComponentCount(); ++i) {
        TComponent* owned = component.Components(i);
        if (ui::As<TCustomForm>(owned) != nullptr) {
            SkinPopupMenus(*owned, on);
            continue;
        }
        auto* popup = ui::As<TPopupMenu>(owned);
        if (popup == nullptr || !FSkinData->SkinControls.Contains(xcPopupMenu) ||
            popup->Tag() == FSkinData->DisableTag)
            continue;
        SkinPopupMenu(*popup, on);
    }
}

void TMenuItemPainter::SkinPopupMenu(TPopupMenu& popup, bool on)
{
    popup.SetOwnerDraw(on);
    SkinPopupItems(*popup.Items(), on);
}

void TMenuItemPainter::SkinMainMenus(TComponent& component, bool on)
{
    if (!FSkinData->SkinControls.Contains(xcMenuItem))
        return;
    for (int i = 0; i < component.ComponentCount(); ++i) {
        auto* menu = ui::As<TMainMenu>(component.Components(i));
        if (menu == nullptr)
            continue;
        menu->SetOwnerDraw(on);
        // The bar's own items are painted by the skinned menu bar; what drops down from them is drawn here.
        const std::function<void(TMenuItem&)> skin = [&](TMenuItem& item) {
            if (!on) {
                if (IsOurs(item.OnDrawItem))
                    item.OnDrawItem.Clear();
                if (IsOurs(item.OnMeasureItem))
                    item.OnMeasureItem.Clear();
            } else if (!item.OnDrawItem) {
                item.OnDrawItem = TMenuDrawItemEvent(this, &TMenuItemPainter::DrawMenuItem);
                item.OnMeasureItem = TMenuMeasureItemEvent(this, &TMenuItemPainter::MeasureMainItem);
            }
            for (int k = 0; k < item.Count(); ++k)
                skin(*item.Items(k));
        };
        TMenuItem& bar = *menu->Items();
        for (int k = 0; k < bar.Count(); ++k) {
            TMenuItem& barItem = *bar.Items(k);
            for (int j = 0; j < barItem.Count(); ++j)
                skin(*barItem.Items(j));
        }
    }
}

void TMenuItemPainter::SkinMenuItems(TMenuItem& item, bool on)
{
    if (on) {
        item.OnDrawItem = TMenuDrawItemEvent(this, &TMenuItemPainter::DrawMenuItem);
        item.OnMeasureItem = TMenuMeasureItemEvent(this, &TMenuItemPainter::MeasureMainItem);
    } else if (IsOurs(item.OnDrawItem)) {
        item.OnDrawItem.Clear();
    }
    for (int i = 0; i < item.Count(); ++i)
        SkinMenuItems(*item.Items(i), on);
}
