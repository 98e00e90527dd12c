// The skinned menu bar: reading its items from a framework main menu and
// from a system menu, laying them out along the band (left to right, right
// to left, a band too narrow for its margin), painting the bar from its
// element or its colour with items in each look, the background the items
// repaint over, tidying a drop-down's separators, and opening drop-downs.
#include "skin/chrome/MenuBarLayout.h"
#include "skin/chrome/MenuBarOwner.h"
#include "skin/chrome/MenuBarTracking.h"
#include "skin/chrome/MenuSeparators.h"
#include "skin/chrome/WinSkinMenuBar.h"
#include "tests/win/nc_owner_support.h"
#include "tests/win/ui_window_support.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/WndProcThunk.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace nctest;

namespace {

constexpr TColor kMargin = RGBColor(10, 120, 30);
constexpr TColor kRightMargin = RGBColor(40, 40, 160);
constexpr TColor kActive = RGBColor(220, 220, 220);
constexpr TColor kInactive = RGBColor(120, 110, 100);
constexpr TColor kBarColour = RGBColor(200, 180, 160);
constexpr TColor kBarText = RGBColor(255, 0, 0);
constexpr TColor kHilight = RGBColor(0, 255, 0);
constexpr TColor kOutside = RGBColor(1, 2, 3);

// The band of a 300 by 60 window with 4- and 6-pixel sides under a 30-pixel title.
constexpr RECT kBand{4, 30, 294, 50};

// A two-frame MenuBar element, frames stacked: 3-pixel margins of their own
// colour round a middle of the active or the inactive colour.
std::unique_ptr<TDataSkinObject> MakeBarElement(int tile)
{
    auto element = std::make_unique<TDataSkinObject>("MenuBar");
    element->Bitmap.SetPixelFormat(pf24bit);
    element->Bitmap.SetSize(30, 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 30; ++x) {
            const TColor middle = y < 20 ? kActive : kInactive;
            SetPixelOf(element->Bitmap, x, y, x < 3 ? kMargin : x >= 27 ? kRightMargin : middle);
        }
    element->LeftWidth = 3;
    element->RightWidth = 3;
    element->FrameCount = 2;
    element->Tile = tile;
    return element;
}

class BarOwner : public BasicTestOwner<TMenuBarOwner> {
public:
    using BasicTestOwner::BasicTestOwner;
    bool IsFrameworkForm() const override { return frameworkForm; }
    TMainMenu* FrameworkMenu() const override { return menu; }
    void PaintMdiChildButtons(HDC dc, TNCPoint origin) override
    {
        mdiOrigins.push_back(origin);
        const RECT cell{0, 0, 5, 5};
        const ui::UniqueBrush brush(CreateSolidBrush(RGB(9, 9, 9)));
        FillRect(dc, &cell, brush.get());
    }
    TMenuBarBackdrop MenuBarBackdrop() const override { return bar ? bar->Backdrop() : TMenuBarBackdrop{}; }

    bool frameworkForm = false;
    TMainMenu* menu = nullptr;
    TWinSkinMenu* bar = nullptr;
    std::vector<TNCPoint> mdiOrigins;
};

int Distance(TColor a, TColor b)
{
    return std::abs(RedOf(a) - RedOf(b)) + std::abs(GreenOf(a) - GreenOf(b)) + std::abs(BlueOf(a) - BlueOf(b));
}

int Count(TBitmap& picture, const TNCRect& area, const std::function<bool(TColor)>& match)
{
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            n += match(PixelOf(picture, x, y)) ? 1 : 0;
    return n;
}

// Text is smoothed: a pixel of ink is a mix of the text colour and the
// paper's, lying (nearly) on the way from one to the other.
std::function<bool(TColor)> Ink(TColor text, TColor paper)
{
    constexpr int tolerance = 12;
    constexpr int faintest = 40;
    return [text, paper](TColor c) {
        const int fromPaper = Distance(paper, c);
        return fromPaper >= faintest && fromPaper + Distance(c, text) <= Distance(paper, text) + tolerance;
    };
}

HMENU Popup(std::initializer_list<const char*> entries)
{
    const HMENU menu = CreatePopupMenu();
    UINT id = 500;
    for (const char* entry : entries)
        AppendMenuA(menu, std::string(entry) == "-" ? MF_SEPARATOR : MF_STRING, id++, entry);
    return menu;
}

TMenuItem* AddItem(TMenuItem* parent, TComponent* owner, const char* caption)
{
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

class MenuBarTest : public ::testing::Test {
protected:
    MenuBarTest()
    {
        Application->Initialize();
        owner.menuBarHeight = 20;
        owner.skinData.MenubarColour = kBarColour;
        owner.skinData.MenuBarTextColour = kBarText;
        owner.skinData.ButtonHilightColour = kHilight;
        owner.bar = &bar;
    }

    // A system menu bar: two drop-downs (the second one disabled) and a plain command.
    void GiveSystemMenu()
    {
        const HMENU menu = CreateMenu();
        AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(Popup({"Open", "Close"})), "&File");
        AppendMenuA(menu, MF_POPUP | MF_GRAYED, reinterpret_cast<UINT_PTR>(Popup({"Copy"})), "&Edit");
        AppendMenuA(menu, MF_STRING, 300, "&Help");
        SetMenu(window.get(), menu);
    }

    void PaintOffscreen()
    {
        picture.SetPixelFormat(pf24bit);
        picture.SetSize(300, 60);
        Fill(picture, kOutside);
        bar.PaintBar(picture.Canvas().Handle(), kBand);
    }

    TMenuBtn& Item(std::size_t index) const { return *bar.Items()[index]; }

    TestWindow window{true, 300, 60};
    BarOwner owner{window.get()};
    TWinSkinMenu bar{owner};
    TBitmap picture;
};

// ------------------------------------------------------------ reading

TEST_F(MenuBarTest, ReadsASystemMenuTakesTheMenuBarAwayAndGivesItBack)
{
    GiveSystemMenu();
    const HMENU menu = GetMenu(window.get());
    auto readAndCheck = [&](TWinSkinMenu& reader) {
        reader.ReadItems();
        ASSERT_EQ(reader.Items().size(), 3u);
        const auto items = reader.Items();
        EXPECT_EQ(items[0]->Caption, L"&File");
        EXPECT_EQ(items[1]->Caption, L"&Edit");
        EXPECT_EQ(items[2]->Caption, L"&Help");
        EXPECT_TRUE(items[0]->Enabled);
        EXPECT_FALSE(items[1]->Enabled);
        EXPECT_EQ(items[0]->SubMenu, GetSubMenu(menu, 0));
        EXPECT_EQ(items[2]->SubMenu, nullptr);
        EXPECT_EQ(items[2]->Command, 300u);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(items[static_cast<std::size_t>(i)]->Index, i);
            EXPECT_TRUE(items[static_cast<std::size_t>(i)]->Visible);
        }
        EXPECT_EQ(GetMenu(window.get()), nullptr) << "the system's bar is gone";
        EXPECT_EQ(reader.MenuHandle(), menu);
    };
    {
        TWinSkinMenu other(owner);
        readAndCheck(other);
    }
    EXPECT_EQ(GetMenu(window.get()), menu) << "the window has its menu again";

    // Reading again finds the same items, not twice as many.
    readAndCheck(bar);
    bar.ReadItems();
    EXPECT_EQ(bar.Items().size(), 3u);
}

TEST_F(MenuBarTest, ReadsAFrameworkMenuThroughItsSystemMenuAndFromItsItems)
{
    TComponent root(nullptr);
    auto* main = new TMainMenu(&root);
    TMenuItem* file = AddItem(main->Items(), &root, "&File");
    AddItem(file, &root, "&Open");
    TMenuItem* edit = AddItem(main->Items(), &root, "&Edit");
    AddItem(edit, &root, "&Copy");
    edit->SetEnabled(false);
    TMenuItem* about = AddItem(main->Items(), &root, "&About");
    TMenuItem* hidden = AddItem(main->Items(), &root, "&Hidden");
    hidden->SetVisible(false);
    owner.frameworkForm = true;
    owner.menu = main;

    SetMenu(window.get(), main->Handle());
    bar.ReadItems();
    ASSERT_EQ(bar.Items().size(), 3u) << "the hidden item is not in the system menu";
    EXPECT_EQ(Item(0).Caption, L"&File");
    EXPECT_EQ(Item(0).MenuItem, file);
    EXPECT_EQ(Item(0).SubMenu, file->Handle());
    EXPECT_FALSE(Item(1).Enabled);
    EXPECT_EQ(Item(2).MenuItem, about);
    EXPECT_EQ(Item(2).SubMenu, nullptr);
    EXPECT_EQ(Item(2).Command, about->Command());
    EXPECT_EQ(GetMenu(window.get()), nullptr);

    bar.ReadItemsFromFramework();
    ASSERT_EQ(bar.Items().size(), 4u);
    EXPECT_EQ(Item(3).MenuItem, hidden);
    EXPECT_FALSE(Item(3).Visible);
    EXPECT_TRUE(Item(2).Visible);
    EXPECT_EQ(Item(1).SubMenu, edit->Handle());
    EXPECT_EQ(Item(2).Command, about->Command());

    // A framework form without a menu has nothing to read.
    owner.menu = nullptr;
    SetMenu(window.get(), main->Handle());
    bar.ReadItems();
    EXPECT_EQ(bar.Items().size(), 4u) << "the old items stay";
    SetMenu(window.get(), nullptr);
}

TEST_F(MenuBarTest, AMenuWithoutItemsShowsAnEmptyBarAndOpensNothing)
{
    SetMenu(window.get(), CreateMenu());
    bar.ReadItems();
    EXPECT_TRUE(bar.Items().empty());
    EXPECT_EQ(GetMenu(window.get()), nullptr);

    PaintOffscreen();
    EXPECT_EQ(Count(picture, {4, 30, 294, 50}, [](TColor c) { return c == kBarColour; }), 290 * 20);
    EXPECT_EQ(bar.ItemAt({20, 35}), nullptr);
    EXPECT_EQ(bar.MenuButtonAtKey('f'), nullptr);
    EXPECT_FALSE(bar.OpenMenuButton(nullptr));
}

TEST_F(MenuBarTest, AChangedMenuIsReadAgainAndTheMdiRereadTakesUntitledItemsFromTheFramework)
{
    GiveSystemMenu();
    bar.ReadItems();
    const HMENU second = CreateMenu();
    AppendMenuA(second, MF_STRING, 42, "&Window");
    SetMenu(window.get(), second);
    bar.MenuChanged();
    ASSERT_EQ(bar.Items().size(), 1u);
    EXPECT_EQ(Item(0).Caption, L"&Window");
    EXPECT_EQ(GetMenu(window.get()), nullptr);

    // A maximised MDI child's entry has no text: its framework item lends one.
    TComponent root(nullptr);
    auto* main = new TMainMenu(&root);
    TMenuItem* child = AddItem(main->Items(), &root, "&Child");
    AddItem(child, &root, "&Restore");
    owner.frameworkForm = true;
    owner.menu = main;
    const HMENU mdi = CreateMenu();
    AppendMenuA(mdi, MF_OWNERDRAW, child->Command(), nullptr);
    AppendMenuA(mdi, MF_STRING, 77, "&Tile");
    SetMenu(window.get(), mdi);
    bar.RereadItemsForMDI();
    ASSERT_EQ(bar.Items().size(), 2u);
    EXPECT_EQ(Item(0).Caption, L"&Child");
    EXPECT_EQ(Item(0).MenuItem, child);
    EXPECT_EQ(Item(0).SubMenu, child->Handle());
    EXPECT_EQ(Item(1).Caption, L"&Tile");
    EXPECT_EQ(Item(1).MenuItem, nullptr);
    SetMenu(window.get(), nullptr);
    DestroyMenu(second);
}

TEST_F(MenuBarTest, AnAcceleratorFindsTheFirstEnabledVisibleItemWithIt)
{
    GiveSystemMenu();
    bar.ReadItems();
    EXPECT_EQ(bar.MenuButtonAtKey('f'), &Item(0));
    EXPECT_EQ(bar.MenuButtonAtKey('H'), &Item(2));
    EXPECT_EQ(bar.MenuButtonAtKey('e'), nullptr) << "Edit is disabled";
    EXPECT_EQ(bar.MenuButtonAtKey('x'), nullptr);
}

// ------------------------------------------------------------ separators

TEST(MenuSeparatorsTest, LeadingTrailingAndDoubledSeparatorsAreHidden)
{
    TComponent root(nullptr);
    TMenuItem parent(&root);
    std::vector<TMenuItem*> items;
    for (const char* caption : {"-", "-", "Open", "-", "-", "Save", "-", "Gone", "-", "Quit", "-", "-"})
        items.push_back(AddItem(&parent, &root, caption));
    items[7]->SetVisible(false); // "Gone"
    items[8]->SetVisible(false); // a hidden separator between two visible items shows again

    TidySeparators(parent);
    const std::vector<bool> expected{false, false, true, false, true, true, false, false, true, true, false, false};
    for (std::size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(items[i]->Visible(), expected[i]) << "child " << i;
}

TEST(MenuSeparatorsTest, OnlySeparatorsOrNothingLeavesNothingShowing)
{
    TComponent root(nullptr);
    TMenuItem lines(&root);
    TMenuItem* a = AddItem(&lines, &root, "-");
    TMenuItem* b = AddItem(&lines, &root, "-");
    TidySeparators(lines);
    EXPECT_FALSE(a->Visible());
    EXPECT_FALSE(b->Visible());
    TMenuItem empty(&root);
    TidySeparators(empty);
    EXPECT_EQ(empty.Count(), 0);
}

// ------------------------------------------------------------ layout

TEST(MenuBarLayoutTest, ItemsStartPastTheElementsMarginOrAtAFixedGap)
{
    const auto element = MakeBarElement(1);
    element->LeftWidth = 3;
    element->RightWidth = 5;
    EXPECT_EQ(MenuBarStartOffset(element.get(), false, 200), 7);
    EXPECT_EQ(MenuBarStartOffset(element.get(), true, 200), 13);
    EXPECT_EQ(MenuBarStartOffset(nullptr, false, 200), 6);
    EXPECT_EQ(MenuBarStartOffset(nullptr, true, 3), 6);
    // A band narrower than its start offset.
    EXPECT_EQ(MenuBarStartOffset(element.get(), false, 6), 12);
    EXPECT_EQ(MenuBarStartOffset(element.get(), true, 12), 12);
    EXPECT_EQ(MenuBarStartOffset(element.get(), true, 13), 13);

    EXPECT_EQ(MenuBarItemWidth(25), 35);
    EXPECT_EQ(MenuBarItemWidth(0), 0);
}

TEST(MenuBarLayoutTest, ItemsLineUpLeftToRightOrRightToLeftInWindowCoordinates)
{
    const std::vector<int> widths{30, -1, 20};
    const TNCRect band{4, 30, 204, 50};
    const auto ltr = LayOutMenuBar(widths, band, 7, false);
    ASSERT_EQ(ltr.size(), 3u);
    EXPECT_EQ(ltr[0], (TNCRect{11, 30, 41, 49}));
    EXPECT_EQ(ltr[1], (TNCRect{}));
    EXPECT_EQ(ltr[2], (TNCRect{41, 30, 61, 49}));

    const auto rtl = LayOutMenuBar(widths, band, 13, true);
    ASSERT_EQ(rtl.size(), 3u);
    EXPECT_EQ(rtl[0], (TNCRect{161, 30, 191, 49}));
    EXPECT_EQ(rtl[1], (TNCRect{}));
    EXPECT_EQ(rtl[2], (TNCRect{141, 30, 161, 49}));
}

TEST_F(MenuBarTest, PaintingPlacesTheItemsFromTheStartOffsetAndHitTestsThem)
{
    GiveSystemMenu();
    bar.ReadItems();
    owner.skinData.MenuBar = MakeBarElement(1);
    PaintOffscreen();
    EXPECT_EQ(Item(0).Rect.left, 4 + 3 + 4);
    EXPECT_EQ(Item(0).Rect.top, 30);
    EXPECT_EQ(Item(0).Rect.bottom, 49);
    EXPECT_GT(Item(0).Rect.Width(), 10) << "caption and padding";
    EXPECT_EQ(Item(1).Rect.left, Item(0).Rect.right);
    EXPECT_EQ(Item(2).Rect.left, Item(1).Rect.right);
    EXPECT_EQ(bar.ItemAt({Item(1).Rect.left, 35}), &Item(1));
    EXPECT_EQ(bar.ItemAt({Item(0).Rect.left - 1, 35}), nullptr);
    EXPECT_EQ(bar.ItemAt({Item(2).Rect.right, 35}), nullptr);

    owner.rightToLeft = true;
    PaintOffscreen();
    EXPECT_EQ(Item(0).Rect.right, 294 - 3 - 8);
    EXPECT_EQ(Item(1).Rect.right, Item(0).Rect.left);
    EXPECT_EQ(Item(2).Rect.right, Item(1).Rect.left);

    owner.rightToLeft = false;
    owner.skinData.MenuBar->LeftWidth = 20;
    picture.SetSize(300, 60);
    bar.PaintBar(picture.Canvas().Handle(), RECT{4, 30, 24, 50});
    EXPECT_EQ(Item(0).Rect.left, 4 + 12) << "a band narrower than its start offset";

    owner.skinData.MenuBar.reset();
    PaintOffscreen();
    EXPECT_EQ(Item(0).Rect.left, 4 + 6);
}

// ------------------------------------------------------------ painting

TEST_F(MenuBarTest, TheBarIsPaintedFromItsElementInEachFrameOrFromItsColour)
{
    for (const int tile : {1, 0}) {
        SCOPED_TRACE(tile);
        owner.skinData.MenuBar = MakeBarElement(tile);
        owner.active = true;
        PaintOffscreen();
        EXPECT_EQ(PixelOf(picture, 4, 40), kMargin);
        EXPECT_EQ(PixelOf(picture, 6, 30), kMargin);
        EXPECT_EQ(PixelOf(picture, 7, 49), kActive);
        EXPECT_EQ(PixelOf(picture, 290, 40), kActive);
        EXPECT_EQ(PixelOf(picture, 291, 40), kRightMargin);
        EXPECT_EQ(PixelOf(picture, 293, 49), kRightMargin);
        EXPECT_EQ(PixelOf(picture, 3, 40), kOutside);
        EXPECT_EQ(PixelOf(picture, 294, 40), kOutside);
        EXPECT_EQ(PixelOf(picture, 100, 29), kOutside);
        EXPECT_EQ(PixelOf(picture, 100, 50), kOutside);

        owner.active = false;
        PaintOffscreen();
        EXPECT_EQ(PixelOf(picture, 290, 40), kInactive);
        EXPECT_EQ(PixelOf(picture, 5, 40), kMargin);
    }

    owner.skinData.MenuBar.reset();
    PaintOffscreen();
    EXPECT_EQ(Count(picture, {4, 30, 294, 50}, [](TColor c) { return c == kBarColour; }), 290 * 20);
    EXPECT_EQ(PixelOf(picture, 3, 40), kOutside);
}

TEST_F(MenuBarTest, ItemsShowTheirCaptionsInEachLookOverTheCachedBackground)
{
    GiveSystemMenu();
    bar.ReadItems();
    owner.skinData.MenuBar = MakeBarElement(1);
    PaintOffscreen();
    const TNCRect file = Item(0).Rect;
    const TNCRect edit = Item(1).Rect;
    const TNCRect help = Item(2).Rect;
    const int fileInk = Count(picture, file, Ink(kBarText, kActive));
    EXPECT_GT(fileInk, 10) << "the caption in the bar's text colour";
    EXPECT_GT(Count(picture, help, Ink(kBarText, kActive)), 10);
    const TColor shadow = GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(Count(picture, edit, Ink(kBarText, kActive)), 0) << "a disabled caption is not in the text colour";
    EXPECT_GT(Count(picture, edit, Ink(shadow, kActive)), 10) << "but in the shadow colour";
    EXPECT_EQ(Count(picture, file, [](TColor c) { return c == kHilight; }), 0) << "normal look: no frame";

    // The cached background is the bar without its captions, and where it lies.
    const TMenuBarBackdrop backdrop = bar.Backdrop();
    ASSERT_NE(backdrop.picture, nullptr);
    EXPECT_EQ(backdrop.band, (TNCRect{4, 30, 294, 50}));
    EXPECT_EQ(backdrop.picture->Width(), 290);
    EXPECT_EQ(backdrop.picture->Height(), 20);
    const TNCRect fileInBand{file.left - 4, 0, file.right - 4, 19};
    EXPECT_EQ(Count(*backdrop.picture, fileInBand, [](TColor c) { return c == kActive; }),
              fileInBand.Width() * fileInBand.Height());

    // Hot and pressed: a frame in the highlight colour round the caption.
    for (const bool pressed : {false, true}) {
        SCOPED_TRACE(pressed);
        if (pressed)
            Item(0).MouseDown();
        else
            Item(0).MouseMove();
        EXPECT_EQ(Item(0).State(), pressed ? dsPressed : dsHover);
        PaintOffscreen();
        EXPECT_EQ(PixelOf(picture, file.left, file.top), kHilight);
        EXPECT_EQ(PixelOf(picture, file.right - 1, file.bottom - 1), kHilight);
        EXPECT_EQ(Count(picture, file, [](TColor c) { return c == kHilight; }),
                  2 * file.Width() + 2 * file.Height() - 4);
        EXPECT_EQ(Count(picture, help, [](TColor c) { return c == kHilight; }), 0);
        EXPECT_GT(Count(picture, file, Ink(kBarText, kActive)), fileInk / 2);
    }
    Item(0).MouseLeave();
    PaintOffscreen();
    EXPECT_EQ(Count(picture, file, [](TColor c) { return c == kHilight; }), 0);
}

TEST_F(MenuBarTest, TheMdiChildButtonsArePaintedOnTheBarOnlyWhileTheyShow)
{
    GiveSystemMenu();
    bar.ReadItems();
    PaintOffscreen();
    EXPECT_TRUE(owner.mdiOrigins.empty());
    owner.mdiChildButtons = true;
    PaintOffscreen();
    ASSERT_EQ(owner.mdiOrigins.size(), 1u);
    EXPECT_EQ(owner.mdiOrigins[0], (TNCPoint{4, 30}));
    EXPECT_EQ(PixelOf(picture, 4, 30), RGBColor(9, 9, 9)) << "drawn on the bar's picture";
    EXPECT_EQ(PixelOf(picture, 8, 34), RGBColor(9, 9, 9));
    EXPECT_NE(PixelOf(picture, 9, 35), RGBColor(9, 9, 9));
}

TEST_F(MenuBarTest, TenThousandHoverCyclesAlongTheBarLeaveNoHandleBehind)
{
    GiveSystemMenu();
    bar.ReadItems();
    owner.skinData.MenuBar = MakeBarElement(1);
    PaintOffscreen();
    bar.PaintBar(ui::UniqueWindowDC::Whole(window.get()).get(), kBand);
    auto cycle = [&] {
        for (const auto& item : bar.Items())
            item->MouseMove();
        bar.Items().back()->MouseLeave();
    };
    cycle();
    const ui::HandleSnapshot before = ui::HandleSnapshot::Take();
    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 10000; ++i)
        cycle();
    EXPECT_EQ(ui::HandleSnapshot::Take(), before);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore + 2);
    EXPECT_EQ(owner.hot, nullptr);
}

// ------------------------------------------------------------ drop-downs


bool AllOwnerDrawn(HMENU menu)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        if ((info.fType & MFT_OWNERDRAW) == 0 || (info.hSubMenu != nullptr && !AllOwnerDrawn(info.hSubMenu)))
            return false;
    }
    return true;
}

struct DropDownLook {
    bool open = false;
    RECT bounds{};
    bool hooked = false;
    bool tracking = false;
};

class DropDownTest : public MenuBarTest {
protected:
    DropDownTest() { window.recorder.watched = {WM_COMMAND, WM_NCLBUTTONDOWN}; }

    // Opens the item's drop-down and looks at it while it is open; then
    // `act` runs inside the menu's loop, which a moment later is closed with
    // EndMenu (if it is still open).
    DropDownLook OpenAndLook(TMenuBtn& item, bool& opened, const std::function<void(HWND)>& act = {})
    {
        DropDownLook look;
        uitest::CallAfter(30, [&] {
            uitest::PumpUntil([] { return uitest::FindThreadMenu() != nullptr; }, 1000);
            const HWND menu = uitest::FindThreadMenu();
            look.open = menu != nullptr;
            if (menu != nullptr)
                GetWindowRect(menu, &look.bounds);
            look.hooked = TMenuBarTracking::Instance().Installed();
            look.tracking = bar.MenuTracking();
            if (act && menu != nullptr)
                act(menu);
            uitest::CallAfter(150, [] { EndMenu(); });
        });
        opened = bar.OpenMenuButton(&item);
        // A closing call left waiting would close the next drop-down.
        uitest::PumpUntil([] { return uitest::PendingCalls().empty(); }, 1000);
        return look;
    }

    // What reached the window since the last look, after the queue is handled.
    std::vector<Received> Reached(UINT message)
    {
        Drain();
        const std::vector<Received> found = window.recorder.Of(message);
        window.recorder.received.clear();
        return found;
    }
    std::vector<WPARAM> Commands()
    {
        std::vector<WPARAM> commands;
        for (const Received& r : Reached(WM_COMMAND))
            commands.push_back(r.wParam);
        return commands;
    }

    void SetUpBar()
    {
        GiveSystemMenu();
        bar.ReadItems();
        owner.skinData.MenuBar = MakeBarElement(1);
        PaintOffscreen();
        Drain();
        window.recorder.received.clear();
    }
};

TEST_F(DropDownTest, AnItemWithChildrenOpensItsOwnerDrawnDropDownBelowItself)
{
    SetUpBar();
    bool opened = false;
    const DropDownLook look = OpenAndLook(Item(0), opened);
    EXPECT_TRUE(opened);
    EXPECT_TRUE(look.open);
    EXPECT_TRUE(look.hooked);
    EXPECT_TRUE(look.tracking);
    RECT windowRect{};
    GetWindowRect(window.get(), &windowRect);
    EXPECT_EQ(look.bounds.left, windowRect.left + Item(0).Rect.left);
    EXPECT_EQ(look.bounds.top, windowRect.top + Item(0).Rect.bottom);
    EXPECT_TRUE(AllOwnerDrawn(Item(0).SubMenu));
    EXPECT_EQ(Item(0).SubMenu, bar.TrackedSubMenu());
    char text[16]{};
    GetMenuStringA(Item(0).SubMenu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_EQ(std::string(text), "Open") << "owner-drawn entries keep their text for their painter";

    EXPECT_FALSE(TMenuBarTracking::Instance().Installed()) << "the hook goes with the drop-down";
    EXPECT_FALSE(bar.MenuTracking());
    EXPECT_EQ(TMenuBarTracking::Instance().current, -1);
    EXPECT_EQ(Commands(), std::vector<WPARAM>{Item(0).Command});
}

TEST_F(DropDownTest, AFrameworkDropDownOpensTidiedEvenWhenTidyingMakesTheBarReadItsItemsAgain)
{
    TComponent root(nullptr);
    auto* main = new TMainMenu(&root);
    TMenuItem* file = AddItem(main->Items(), &root, "&File");
    for (const char* caption : {"-", "&Open", "-", "-", "&Save", "-"})
        AddItem(file, &root, caption);
    AddItem(main->Items(), &root, "&About");
    owner.frameworkForm = true;
    owner.menu = main;
    main->SetWindowHandle(window.get());
    // As a form and its skinner do: the changed menu goes back on the window and is read again.
    int rereads = 0;
    ui::WindowSubclass skinner;
    skinner.Install(window.get(), [&](TMessage& m) {
        if (m.Msg == CM_MENUCHANGED) {
            SetMenu(window.get(), main->Handle());
            bar.MenuChanged();
            ++rereads;
            return;
        }
        skinner.CallPrevious(m);
    });
    SetMenu(window.get(), main->Handle());
    bar.ReadItems();
    PaintOffscreen();
    Reached(WM_COMMAND);

    bool opened = false;
    int entries = 0;
    const DropDownLook look = OpenAndLook(Item(0), opened, [&](HWND) { entries = GetMenuItemCount(file->Handle()); });
    EXPECT_TRUE(opened);
    EXPECT_TRUE(look.open);
    EXPECT_GT(rereads, 0);
    EXPECT_EQ(entries, 3) << "Open, one separator, Save";
    EXPECT_TRUE(AllOwnerDrawn(file->Handle()));
    ASSERT_EQ(bar.Items().size(), 2u);
    EXPECT_EQ(Item(0).MenuItem, file);
    EXPECT_EQ(GetMenu(window.get()), nullptr);
    skinner.Remove();
}

TEST_F(DropDownTest, InARightToLeftFrameworkMenuTheArrowKeysAreExchanged)
{
    TComponent root(nullptr);
    auto* main = new TMainMenu(&root);
    main->SetBiDiMode(bdRightToLeft);
    for (const char* caption : {"&File", "&Edit", "&View"})
        AddItem(AddItem(main->Items(), &root, caption), &root, "&Entry");
    owner.frameworkForm = true;
    owner.menu = main;
    owner.rightToLeft = true;
    // The form skinner hands the bar what its drop-down selects.
    ui::WindowSubclass skinner;
    skinner.Install(window.get(), [&](TMessage& m) {
        if (m.Msg == WM_MENUSELECT)
            bar.MenuSelected(m.WParam, m.LParam);
        skinner.CallPrevious(m);
    });
    SetMenu(window.get(), main->Handle());
    bar.ReadItems();
    PaintOffscreen();
    Reached(WM_COMMAND);
    RECT windowRect{};
    GetWindowRect(window.get(), &windowRect);

    bool opened = false;
    // Right, once the first entry is selected, goes to the item before: the last one.
    OpenAndLook(Item(0), opened, [](HWND menu) {
        uitest::CallAfter(60, [menu] { PostMessageA(menu, WM_KEYDOWN, VK_RIGHT, 0); });
    });
    const std::vector<Received> clicks = Reached(WM_NCLBUTTONDOWN);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].lParam, MAKELPARAM(windowRect.left + Item(2).Rect.left + 1, windowRect.top + Item(2).Rect.top + 1));
    skinner.Remove();
}

TEST_F(DropDownTest, ARightToLeftDropDownIsRightAlignedAtTheItemsRightEdge)
{
    owner.rightToLeft = true;
    SetUpBar();
    bool opened = false;
    const DropDownLook look = OpenAndLook(Item(0), opened);
    ASSERT_TRUE(look.open);
    RECT windowRect{};
    GetWindowRect(window.get(), &windowRect);
    EXPECT_EQ(look.bounds.right, windowRect.left + Item(0).Rect.right);
    EXPECT_EQ(look.bounds.top, windowRect.top + Item(0).Rect.bottom);
}

TEST_F(DropDownTest, AnItemWithoutChildrenOrADisabledOnePostsItsCommandAndOpensNothing)
{
    SetUpBar();
    EXPECT_FALSE(bar.OpenMenuButton(&Item(2)));
    EXPECT_EQ(Commands(), std::vector<WPARAM>{300});

    // A click from elsewhere (SKM_MENUCLICK) at a screen point presses the item there.
    RECT windowRect{};
    GetWindowRect(window.get(), &windowRect);
    EXPECT_FALSE(bar.MenuClick({windowRect.left + Item(2).Rect.left + 2, windowRect.top + 35}));
    EXPECT_EQ(Item(2).State(), dsPressed);
    EXPECT_EQ(Commands(), std::vector<WPARAM>{300});
    EXPECT_FALSE(bar.MenuClick({windowRect.left + 2, windowRect.top + 35}));
    EXPECT_TRUE(Commands().empty()) << "no item there";

    // A disabled drop-down is tracked without showing: no modal loop runs.
    EXPECT_TRUE(bar.OpenMenuButton(&Item(1)));
    EXPECT_EQ(uitest::FindThreadMenu(), nullptr);
    EXPECT_FALSE(bar.MenuTracking());
    EXPECT_FALSE(TMenuBarTracking::Instance().Installed());
    EXPECT_EQ(Commands(), std::vector<WPARAM>{Item(1).Command});
}

TEST_F(DropDownTest, ArrowKeysAndTheMouseMoveOnToTheNeighbouringBarItemsWrappingRound)
{
    SetUpBar();
    RECT windowRect{};
    GetWindowRect(window.get(), &windowRect);
    auto clickPoint = [&](const TMenuBtn& item) {
        return MAKELPARAM(windowRect.left + item.Rect.left + 1, windowRect.top + item.Rect.top + 1);
    };
    auto postedClicks = [&] {
        std::vector<LPARAM> clicks;
        for (const Received& r : Reached(WM_NCLBUTTONDOWN)) {
            EXPECT_EQ(r.wParam, static_cast<WPARAM>(HTMENU));
            clicks.push_back(r.lParam);
        }
        return clicks;
    };
    auto press = [](WPARAM key) { return [key](HWND menu) { PostMessageA(menu, WM_KEYDOWN, key, 0); }; };

    bool opened = false;
    OpenAndLook(Item(0), opened, press(VK_LEFT));
    EXPECT_TRUE(TMenuBarTracking::Instance().itemChanged);
    EXPECT_EQ(postedClicks(), std::vector<LPARAM>{clickPoint(Item(2))}) << "left of the first is the last";

    OpenAndLook(Item(0), opened, press(VK_RIGHT));
    EXPECT_EQ(postedClicks(), std::vector<LPARAM>{clickPoint(Item(1))});

    // The mouse moving onto another bar item; moving over its own item does
    // nothing. A posted move carries the cursor's position, wherever the
    // X server's pointer events arrive.
    auto moveTo = [](POINT point) {
        return [point](HWND menu) {
            SetCursorPos(point.x, point.y);
            PostMessageA(menu, WM_MOUSEMOVE, 0, 0);
        };
    };
    OpenAndLook(Item(0), opened, moveTo({windowRect.left + Item(2).Rect.left + 3, windowRect.top + 35}));
    EXPECT_EQ(postedClicks(), std::vector<LPARAM>{clickPoint(Item(2))});
    OpenAndLook(Item(0), opened, moveTo({windowRect.left + Item(0).Rect.left + 3, windowRect.top + 35}));
    EXPECT_TRUE(postedClicks().empty());

    OpenAndLook(Item(0), opened, press(VK_ESCAPE));
    EXPECT_FALSE(TMenuBarTracking::Instance().itemChanged);
    EXPECT_TRUE(postedClicks().empty());
}

} // namespace
