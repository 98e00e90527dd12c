// Skinned popup menus: the menu window's border and background from
// MenuBackground, items drawn from the MenuItem strip (cell 1 normal, 2
// separator, 4 selected) with their glyphs, captions and shortcuts, owner
// drawing switched on and off without taking an application's own handlers,
// and the manager attaching and dropping menu skinners as menus open and close.
#include "skin/chrome/MenuItemPainter.h"
#include "skin/chrome/WinSkinMenu.h"
#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinDlg.h"
#include "tests/win/skin_data_support.h"
#include "tests/win/ui_window_support.h"
#include "ui/Forms.h"
#include "ui/Handles.h"
#include "ui/ImageList.h"
#include "ui/Menus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

using skintest::EdgeSkin;
using skintest::LoadSkinBytes;
using skintest::PixelOf;

namespace {

// A MenuItem strip of five 20-pixel cells, each one colour, with 4-pixel
// side margins; cell 2 (the separator) is magenta above and ink below its middle.
constexpr int kCell = 20;
constexpr int kCellHeight = 20;
constexpr TColor CellColour(int cell)
{
    const auto grey = static_cast<std::uint8_t>(40 * cell);
    return RGBColor(grey, grey, grey);
}
constexpr TColor kSeparatorInk = RGBColor(12, 34, 56);
constexpr TColor kMenuColour = RGBColor(250, 240, 230);
// Text colours of pure channels: antialiased text on the grey cells still leans toward them.
constexpr TColor kMenuText = RGBColor(255, 0, 0);
constexpr TColor kShadow = RGBColor(0, 0, 255);
constexpr TColor kHilightText = RGBColor(0, 255, 0);
constexpr TColor kBackColour = RGBColor(33, 99, 66);

void PaintStrip(TBitmap& strip)
{
    strip.SetPixelFormat(pf24bit);
    strip.SetSize(5 * kCell, kCellHeight);
    TCanvas& canvas = strip.Canvas();
    for (int cell = 1; cell <= 5; ++cell) {
        canvas.Brush().SetColor(CellColour(cell));
        canvas.FillRect(RECT{(cell - 1) * kCell, 0, cell * kCell, kCellHeight});
    }
    canvas.Brush().SetColor(clFuchsia);
    canvas.FillRect(RECT{kCell, 0, 2 * kCell, kCellHeight / 2});
    canvas.Brush().SetColor(kSeparatorInk);
    canvas.FillRect(RECT{kCell, kCellHeight / 2, 2 * kCell, kCellHeight});
}

class SkinMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(100, 100, 300, 200);
        skinData = new TSkinData(form.get());
        ASSERT_TRUE(LoadSkinBytes(*skinData, EdgeSkin()));
        ASSERT_TRUE(skinData->MenuItem);
        PaintStrip(skinData->MenuItem->Bitmap);
        skinData->MenuItem->LeftWidth = 4;
        skinData->MenuItem->RightWidth = 4;
        skinData->MenuItem->TopHeight = 0;
        skinData->MenuItem->BottomHeight = 0;
        skinData->MenuItem->Trans = 0;
        skinData->MenuColour = kMenuColour;
        skinData->MenuTextColour = kMenuText;
        skinData->ButtonShadowColour = kShadow;
        skinData->HilightTextColour = kHilightText;
        painter = std::make_unique<TMenuItemPainter>(skinData);
    }
    void TearDown() override
    {
        painter.reset();
        form.reset();
        FreeSkinManager();
    }

    // The manager as the program has it once a skin is loaded: hooked and switched on.
    TSkinManage& Manager()
    {
        TSkinManage& manager = EnsureSkinManager();
        if (manager.HookHandle() == nullptr) {
            manager.AddSkinData(skinData);
            manager.InstallHook();
            manager.SetEnabled(true);
        }
        return manager;
    }

    // One entry drawn onto a fresh 24-bit bitmap of width by height.
    std::unique_ptr<TBitmap> Draw(const TMenuEntry& entry, bool selected, int width = 120, int height = kCellHeight,
                                  bool lineAsItem = false)
    {
        auto bitmap = std::make_unique<TBitmap>(width, height);
        bitmap->Canvas().Font().Assign(Screen->MenuFont());
        painter->DrawEntry(bitmap->Canvas(), RECT{0, 0, width, height}, selected, entry, nullptr, lineAsItem);
        return bitmap;
    }

    static int CountColour(const TBitmap& bitmap, TColor colour, const RECT& area)
    {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x)
                count += PixelOf(bitmap, x, y) == colour ? 1 : 0;
        }
        return count;
    }

    // Pixels whose colour leans toward one pure channel (red, green or blue).
    static int CountTinted(const TBitmap& bitmap, TColor channel, const RECT& area)
    {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                const TColor p = PixelOf(bitmap, x, y);
                const int r = RedOf(p), g = GreenOf(p), b = BlueOf(p);
                const int lean = channel == kMenuText ? r - std::max(g, b)
                                 : channel == kHilightText ? g - std::max(r, b)
                                                           : b - std::max(r, g);
                count += lean > 20 ? 1 : 0;
            }
        }
        return count;
    }

    std::unique_ptr<TForm> form;
    TSkinData* skinData = nullptr;
    std::unique_ptr<TMenuItemPainter> painter;
};

TMenuEntry Entry(std::string caption)
{
    TMenuEntry entry;
    entry.Caption = std::move(caption);
    return entry;
}

TEST_F(SkinMenuTest, ItemsShowCellOneNormalCellFourSelectedAndTheSeparatorCellOverTheBackground)
{
    // Right of the caption and inside the right margin, only the cell shows.
    const auto normal = Draw(Entry("Open"), false);
    EXPECT_EQ(PixelOf(*normal, 118, 10), CellColour(1));
    EXPECT_EQ(PixelOf(*normal, 100, 2), CellColour(1));
    const auto selected = Draw(Entry("Open"), true);
    EXPECT_EQ(PixelOf(*selected, 118, 10), CellColour(4));
    EXPECT_EQ(PixelOf(*selected, 100, 2), CellColour(4));

    // A separator as tall as the strip: cell 2 whole, its magenta half showing the menu colour.
    const auto line = Draw(Entry("-"), false);
    EXPECT_EQ(PixelOf(*line, 60, 3), kMenuColour);
    EXPECT_EQ(PixelOf(*line, 60, 15), kSeparatorInk);
    EXPECT_EQ(PixelOf(*line, 1, 15), kSeparatorInk) << "the left margin is part of the line";
    EXPECT_EQ(PixelOf(*line, 118, 15), kSeparatorInk);

    // A separator shorter than the strip takes the bottom of the cell: only ink.
    const auto shortLine = Draw(Entry("-"), false, 120, 8);
    EXPECT_EQ(CountColour(*shortLine, kSeparatorInk, RECT{0, 0, 120, 8}), 120 * 8);

    // A system separator is an item whose content is an etched line: cell 1 around it.
    const auto systemLine = Draw(Entry("-"), false, 120, kCellHeight, true);
    EXPECT_EQ(PixelOf(*systemLine, 118, 10), CellColour(1));
}

TEST_F(SkinMenuTest, CaptionColoursFollowTheStateAndADisabledTextNeverMatchesTheNormalOne)
{
    const RECT text{20, 0, 100, kCellHeight};
    EXPECT_GT(CountTinted(*Draw(Entry("WWWW"), false), kMenuText, text), 0);
    EXPECT_EQ(CountTinted(*Draw(Entry("WWWW"), false), kHilightText, text), 0);
    EXPECT_GT(CountTinted(*Draw(Entry("WWWW"), true), kHilightText, text), 0);
    TMenuEntry disabled = Entry("WWWW");
    disabled.Enabled = false;
    const auto grey = Draw(disabled, false);
    EXPECT_GT(CountTinted(*grey, kShadow, text), 0);
    EXPECT_EQ(CountTinted(*grey, kMenuText, text), 0);

    // A skin whose shadow equals its menu text would hide the difference: the system's shadow then.
    skinData->ButtonShadowColour = kMenuText;
    const auto systemGrey = Draw(disabled, false);
    EXPECT_EQ(CountTinted(*systemGrey, kMenuText, text), 0);
    EXPECT_LT(CountColour(*systemGrey, CellColour(1), text), (text.right - text.left) * kCellHeight)
        << "the caption is still drawn";
}

TEST_F(SkinMenuTest, ACheckedItemWithoutAnImageShowsTheSystemCheckMarkInItsGlyphBox)
{
    TMenuEntry checked = Entry("Bold");
    checked.Checked = true;
    // The glyph box starts one pixel right of the element's left margin and is 16 pixels wide.
    const RECT box{5, 1, 21, 17};
    const TColor ink = GetSysColor(COLOR_BTNTEXT);
    EXPECT_GT(CountColour(*Draw(checked, false), ink, box), 0);
    EXPECT_EQ(CountColour(*Draw(Entry("Bold"), false), ink, box), 0);
}

TEST_F(SkinMenuTest, ARightToLeftItemPutsItsGlyphAtTheRightAndItsCaptionRightAligned)
{
    TMenuEntry entry = Entry("WW");
    entry.Checked = true;
    entry.RightToLeft = true;
    const auto bitmap = Draw(entry, false);
    const TColor ink = GetSysColor(COLOR_BTNTEXT);
    EXPECT_GT(CountColour(*bitmap, ink, RECT{99, 1, 115, 17}), 0) << "check mark left of the right margin";
    EXPECT_EQ(CountTinted(*bitmap, kMenuText, RECT{0, 0, 60, kCellHeight}), 0);
    EXPECT_GT(CountTinted(*bitmap, kMenuText, RECT{60, 0, 96, kCellHeight}), 0);
}

TEST_F(SkinMenuTest, WithoutAMenuItemPictureItemsFallBackToPlainColours)
{
    skinData->MenuItem->Bitmap.SetSize(0, 0);
    skinData->HilightColour = RGBColor(0, 0, 128);
    EXPECT_EQ(PixelOf(*Draw(Entry("Open"), false), 118, 10), kMenuColour);
    EXPECT_EQ(PixelOf(*Draw(Entry("Open"), true), 118, 10), RGBColor(0, 0, 128));
}

TEST_F(SkinMenuTest, MeasuringAddsTheCellMarginAndTheGlyphAllowance)
{
    auto* popup = new TPopupMenu(form.get());
    auto* item = new TMenuItem(popup);
    item->SetCaption("Open");
    popup->Items()->Add(item);
    int width = 50;
    int height = 18;
    painter->MeasurePopupItem(item, nullptr, width, height);
    EXPECT_EQ(width, 50 + 4 + 35);
    EXPECT_EQ(height, 18);
    width = 50;
    painter->MeasureMainItem(item, nullptr, width, height);
    EXPECT_EQ(width, 50 + 4 + 35);

    auto* images = new TImageList(form.get());
    popup->SetImages(images);
    width = 50;
    painter->MeasurePopupItem(item, nullptr, width, height);
    EXPECT_EQ(width, 50 + 4 + 12);
    width = 50;
    painter->MeasureMainItem(item, nullptr, width, height);
    EXPECT_EQ(width, 50 + 4 + 10);
}

TEST_F(SkinMenuTest, SwitchingOwnerDrawingOnAndOffLeavesTheApplicationsOwnHandlers)
{
    auto* popup = new TPopupMenu(form.get());
    auto* plain = new TMenuItem(popup);
    auto* measured = new TMenuItem(popup);
    popup->Items()->Add(plain);
    popup->Items()->Add(measured);
    int ownMeasures = 0;
    measured->OnMeasureItem = [&](TObject*, TCanvas*, int&, int&) { ++ownMeasures; };

    auto* disabled = new TPopupMenu(form.get());
    disabled->SetTag(skinData->DisableTag);
    disabled->Items()->Add(new TMenuItem(disabled));

    auto* mainMenu = new TMainMenu(form.get());
    auto* file = new TMenuItem(mainMenu);
    auto* open = new TMenuItem(mainMenu);
    auto* custom = new TMenuItem(mainMenu);
    mainMenu->Items()->Add(file);
    file->Add(open);
    file->Add(custom);
    int ownDraws = 0;
    custom->OnDrawItem = [&](TObject*, TCanvas*, RECT, bool) { ++ownDraws; };

    skinData->SkinControls.Include(xcMenuItem);
    painter->SkinPopupMenus(*form, true);
    painter->SkinMainMenus(*form, true);
    EXPECT_TRUE(popup->OwnerDraw());
    EXPECT_TRUE(plain->OnDrawItem && plain->OnMeasureItem);
    EXPECT_EQ(measured->OnMeasureItem.Data(), nullptr) << "an item's own measuring stays";
    EXPECT_FALSE(disabled->OwnerDraw()) << "the disable tag keeps the system's drawing";
    EXPECT_TRUE(mainMenu->OwnerDraw());
    EXPECT_FALSE(file->OnDrawItem) << "bar items belong to the skinned menu bar";
    EXPECT_EQ(open->OnDrawItem.Data(), painter.get());
    EXPECT_NE(custom->OnDrawItem.Data(), painter.get()) << "an item the application draws keeps its handler";

    painter->SkinPopupMenus(*form, false);
    painter->SkinMainMenus(*form, false);
    EXPECT_FALSE(popup->OwnerDraw());
    EXPECT_FALSE(plain->OnDrawItem || plain->OnMeasureItem);
    int w = 0;
    int h = 0;
    measured->OnMeasureItem(measured, nullptr, w, h);
    EXPECT_EQ(ownMeasures, 1) << "switching off keeps what the application assigned";
    custom->OnDrawItem(custom, nullptr, RECT{}, false);
    EXPECT_EQ(ownDraws, 1);
    EXPECT_FALSE(open->OnDrawItem);

    // Without xcPopupMenu popup menus are left alone.
    skinData->SkinControls.Exclude(xcPopupMenu);
    painter->SkinPopupMenus(*form, true);
    EXPECT_FALSE(popup->OwnerDraw());
}

TEST_F(SkinMenuTest, SystemEntriesAreDrawnFromTheirTextAndApplicationIdsAreLeftToTheWindow)
{
    form->HandleNeeded();
    const HMENU system = GetSystemMenu(form->WindowHandle(), FALSE);
    ASSERT_NE(system, nullptr);
    TMenuWindowInfo window;
    window.Window = form->WindowHandle();
    window.FrameworkForm = true;
    window.HadMenu = true;
    window.TrackedSubMenu = system;

    TBitmap target(150, kCellHeight);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = SC_CLOSE;
    draw.hwndItem = reinterpret_cast<HWND>(system);
    draw.hDC = target.Canvas().Handle();
    draw.rcItem = RECT{0, 0, 150, kCellHeight};
    EXPECT_TRUE(painter->HandleDrawItem(window, draw));
    EXPECT_EQ(PixelOf(target, 148, 10), CellColour(1));

    draw.itemID = 200;  // an application's id without a framework item
    EXPECT_FALSE(painter->HandleDrawItem(window, draw));
    window.FrameworkForm = false;  // a foreign window's entries are all the system's
    EXPECT_TRUE(painter->HandleDrawItem(window, draw));
    window.HadMenu = false;
    EXPECT_FALSE(painter->HandleDrawItem(window, draw));

    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemID = SC_CLOSE;
    window.HadMenu = true;
    window.FrameworkForm = true;
    ASSERT_TRUE(painter->HandleMeasureItem(window, measure));
    EXPECT_GT(measure.itemWidth, static_cast<UINT>(26 + 4)) << "text width, 26 and the cell's margin";
    measure.itemID = 200;
    EXPECT_FALSE(painter->HandleMeasureItem(window, measure));
}

// ------------------------------------------------------------ real menus


TColor ScreenPixel(int x, int y)
{
    const ui::UniqueWindowDC screen = ui::UniqueWindowDC::Client(nullptr);
    return GetPixel(screen.get(), x, y);
}

struct OpenMenuLook {
    LRESULT skinned = 0;
    TColor border = 0;
    TColor item = 0;
    std::size_t skinners = 0;
};

TPopupMenu* ContextMenu(TComponent& owner)
{
    auto* popup = new TPopupMenu(&owner);
    for (const char* caption : {"Copy", "-", "Paste"}) {
        auto* item = new TMenuItem(popup);
        item->SetCaption(caption);
        popup->Items()->Add(item);
    }
    return popup;
}

// Opens the menu, looks at it once it shows, and closes it.
OpenMenuLook OpenAndLook(TPopupMenu& popup, int x, int y)
{
    OpenMenuLook look;
    uitest::CallAfter(30, [&] {
        uitest::PumpUntil([] { return uitest::FindThreadMenu() != nullptr; }, 1000);
        const HWND menu = uitest::FindThreadMenu();
        if (menu != nullptr) {
            UpdateWindow(menu);
            // Wine hands window drawing to the X server a moment later.
            uitest::Pump(100);
            RECT bounds{};
            GetWindowRect(menu, &bounds);
            look.skinned = SendMessageA(menu, SKM_ISSKINNED, 0, 0);
            look.border = ScreenPixel(bounds.left + 1, (bounds.top + bounds.bottom) / 2);
            look.item = ScreenPixel(bounds.right - 6, bounds.top + 8);
            look.skinners = SkinManager() != nullptr ? SkinManager()->MenuSkinnerCount() : 0;
        }
        EndMenu();
    });
    popup.Popup(x, y);
    return look;
}

TEST_F(SkinMenuTest, AnOpenContextMenuIsSkinnedFromMenuBackgroundAndMenuItemAndLetGoWhenItCloses)
{
    TSkinManage& manager = Manager();
    skinData->MenuBackground->Bitmap.SetSize(40, 40);
    skinData->MenuBackground->Bitmap.Canvas().Brush().SetColor(kBackColour);
    skinData->MenuBackground->Bitmap.Canvas().FillRect(RECT{0, 0, 40, 40});
    TPopupMenu* popup = ContextMenu(*form);
    painter->SkinPopupMenus(*form, true);

    const OpenMenuLook look = OpenAndLook(*popup, 200, 200);
    EXPECT_EQ(look.skinned, 1);
    EXPECT_EQ(look.skinners, 1u);
    EXPECT_EQ(look.border, kBackColour) << "the three-pixel border";
    EXPECT_EQ(look.item, CellColour(1)) << "the first item, right of its caption";
    EXPECT_EQ(manager.MenuSkinnerCount(), 0u) << "the closed menu's skinner is gone";
    EXPECT_EQ(manager.MenuKind(), TMenuKind::Popup);

    // A see-through cell shows the part of the menu's background under the item.
    skinData->MenuItem->Trans = 1;
    TCanvas& strip = skinData->MenuItem->Bitmap.Canvas();
    strip.Brush().SetColor(clFuchsia);
    strip.FillRect(RECT{0, 0, kCell, kCellHeight});
    EXPECT_EQ(OpenAndLook(*popup, 200, 200).item, kBackColour);

    // Without xcPopupMenu a context menu keeps the system's look.
    skinData->SkinControls.Exclude(xcPopupMenu);
    EXPECT_EQ(OpenAndLook(*popup, 200, 200).skinned, 0);
}

TEST_F(SkinMenuTest, AThousandOpeningsOfAContextMenuLeaveNoHandleBehind)
{
    Manager();
    TPopupMenu* popup = ContextMenu(*form);
    painter->SkinPopupMenus(*form, true);
    OpenAndLook(*popup, 200, 200);  // first use makes the lasting objects (fonts, the popup list)
    const ui::HandleSnapshot before = ui::HandleSnapshot::Take();
    const long thunks = ui::LiveThunkCount();
    for (int i = 0; i < 1000; ++i) {
        uitest::CallAfter(0, [] { EndMenu(); });
        popup->Popup(200, 200);
    }
    EXPECT_EQ(ui::HandleSnapshot::Take(), before);
    EXPECT_EQ(ui::LiveThunkCount(), thunks);
    EXPECT_EQ(SkinManager()->MenuSkinnerCount(), 0u);
    // The process still makes and paints windows.
    EXPECT_EQ(OpenAndLook(*popup, 200, 200).skinned, 1);
}

} // namespace
