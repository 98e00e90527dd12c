// The skinned menu bar of live forms as the screen shows it: the bar from
// its picture in the activation's frame or from its colour, items normal,
// hot and pressed, a drop-down and the system menu drawn from the skin; a
// menu without items, items without children or disabled, tidied
// separators, a right-to-left bar and the keyboard's selection along the
// bar; and nothing left behind by many openings and hovers.
#include "tests/win/GlyphLists.h"
#include "tests/win/skin_form_support.h"

#include "skin/chrome/WinSkinForm.h"
#include "skin/chrome/WinSkinMenuBar.h"
#include "ui/Handles.h"
#include "ui/Menus.h"
#include "ui/WndProcThunk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace frametest;

// The MenuBar picture: two frames stacked, each with 3-pixel margins of
// colours of their own round a middle of the frame's colour.
constexpr int kBarMargin = 3;
constexpr TColor BarLeft(int frame) { return RGBColor(250, 170, static_cast<std::uint8_t>(20 * frame)); }
constexpr TColor BarRight(int frame) { return RGBColor(static_cast<std::uint8_t>(20 * frame), 120, 250); }
constexpr TColor BarMiddle(int frame) { return frame == 1 ? RGBColor(160, 230, 160) : RGBColor(90, 90, 140); }
constexpr TColor kPlainBar = RGBColor(230, 200, 120);
constexpr TColor kBarText = RGBColor(255, 0, 0);
constexpr TColor kHotFrame = RGBColor(0, 90, 0);

// The MenuItem strip: five flat 20 x 20 cells with 4-pixel side margins;
// the separator cell is magenta above and ink below its middle.
constexpr int kCell = 20;
constexpr int kItemMargin = 4;
constexpr TColor ItemCell(int cell)
{
    const auto grey = static_cast<std::uint8_t>(40 * cell);
    return RGBColor(grey, grey, grey);
}
constexpr TColor kSeparatorInk = RGBColor(12, 34, 56);
constexpr TColor kMenuBack = RGBColor(33, 99, 66);
constexpr TColor kMenuColour = RGBColor(250, 240, 230);
// Pure channels: smoothed text on the grey cells still leans towards them.
constexpr TColor kMenuText = RGBColor(0, 0, 255);
constexpr TColor kHilightText = RGBColor(0, 255, 0);
constexpr TColor kGlyph = RGBColor(220, 0, 0);
// The system menu's glyphs: restore, maximise, minimise, close.
constexpr TColor kSysGlyphs[4] = {RGBColor(230, 0, 120), RGBColor(0, 200, 200), RGBColor(200, 200, 0),
                                  RGBColor(120, 0, 230)};

std::unique_ptr<TDataSkinObject> BarPicture()
{
    auto element = std::make_unique<TDataSkinObject>("MenuBar");
    PaintPicture(element->Bitmap, 30, 40, [](int x, int y) {
        const int frame = y / 20 + 1;
        return x < kBarMargin ? BarLeft(frame) : x >= 30 - kBarMargin ? BarRight(frame) : BarMiddle(frame);
    });
    SetMargins(*element, kBarMargin, 0, kBarMargin, 0);
    element->FrameCount = 2;
    element->Tile = 1;
    return element;
}

void PaintMenuPictures(TSkinData& skin)
{
    TDataSkinObject& item = *skin.MenuItem;
    PaintPicture(item.Bitmap, 5 * kCell, kCell, [](int x, int y) {
        const int cell = x / kCell + 1;
        if (cell == 2)
            return y < kCell / 2 ? clFuchsia : kSeparatorInk;
        return ItemCell(cell);
    });
    SetMargins(item, kItemMargin, 0, kItemMargin, 0);
    item.Trans = 0;
    TDataSkinObject& back = *skin.MenuBackground;
    PaintPicture(back.Bitmap, 40, 40, [](int, int) { return kMenuBack; });
    SetMargins(back, 3, 3, 3, 3);
    skin.MenuColour = kMenuColour;
    skin.MenuTextColour = kMenuText;
    skin.HilightTextColour = kHilightText;
}

int Distance(TColor a, TColor b)
{
    return std::abs(RedOf(a) - RedOf(b)) + std::abs(GreenOf(a) - GreenOf(b)) + std::abs(BlueOf(a) - BlueOf(b));
}

int Count(const TBitmap& picture, const RECT& area, const std::function<bool(TColor)>& match)
{
    int n = 0;
    for (LONG y = std::max(area.top, 0L); y < std::min(area.bottom, static_cast<LONG>(picture.Height())); ++y)
        for (LONG x = std::max(area.left, 0L); x < std::min(area.right, static_cast<LONG>(picture.Width())); ++x)
            n += match(skintest::PixelOf(picture, x, y)) ? 1 : 0;
    return n;
}

int CountColour(const TBitmap& picture, const RECT& area, TColor colour)
{
    return Count(picture, area, [colour](TColor c) { return c == colour; });
}

// Smoothed text: a pixel of ink lies (nearly) on the way from the paper's colour to the text's.
std::function<bool(TColor)> Ink(TColor text, TColor paper)
{
    return [text, paper](TColor c) {
        const int fromPaper = Distance(paper, c);
        return fromPaper >= 40 && fromPaper + Distance(c, text) <= Distance(paper, text) + 12;
    };
}

RECT ToRect(const TNCRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

POINT WindowToScreen(HWND window, POINT p)
{
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left + p.x, r.top + p.y};
}

LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }

// What the screen shows of a rectangle of it, once the drawing has arrived.
std::unique_ptr<TBitmap> ScreenRect(const RECT& r)
{
    Pump(100);
    auto picture = std::make_unique<TBitmap>(r.right - r.left, r.bottom - r.top);
    const ui::UniqueWindowDC screen = ui::UniqueWindowDC::Client(nullptr);
    BitBlt(picture->Canvas().Handle(), 0, 0, r.right - r.left, r.bottom - r.top, screen.get(), r.left, r.top,
           SRCCOPY);
    return picture;
}

// An entry of an open menu, in the coordinates of the menu window's picture.
RECT EntryRect(HMENU menu, int position, const RECT& menuWindow)
{
    RECT r{};
    GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &r);
    OffsetRect(&r, -menuWindow.left, -menuWindow.top);
    return r;
}

// The open menu as the screen shows it, with where it lies.
struct MenuShot {
    HWND window = nullptr;
    RECT bounds{};
    std::unique_ptr<TBitmap> picture;
    std::vector<RECT> entries;
};

MenuShot ShootOpenMenu(HMENU menu)
{
    MenuShot shot;
    uitest::PumpUntil([] { return uitest::FindThreadMenu() != nullptr; }, 1000);
    shot.window = uitest::FindThreadMenu();
    if (shot.window == nullptr)
        return shot;
    UpdateWindow(shot.window);
    GetWindowRect(shot.window, &shot.bounds);
    shot.picture = ScreenRect(shot.bounds);
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        shot.entries.push_back(EntryRect(menu, i, shot.bounds));
    return shot;
}

class RightToLeftForm : public TForm {
public:
    using TForm::TForm;

protected:
    void CreateParams(TCreateParams& params) override
    {
        TForm::CreateParams(params);
        params.ExStyle |= WS_EX_LEFTSCROLLBAR | WS_EX_RTLREADING;
    }
};

TMenuItem* AddItem(TMenuItem* parent, TComponent* owner, const char* caption, int* clicks = nullptr)
{
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    if (clicks != nullptr)
        item->OnClick = TNotifyEvent([clicks](TObject*) { ++*clicks; });
    parent->Add(item);
    return item;
}

class LiveMenuBarTest : public SkinnedFormTest {
protected:
    void SetUp() override
    {
        SkinnedFormTest::SetUp();
        skin->MenuBar = BarPicture();
        skin->MenubarColour = kPlainBar;
        skin->MenuBarTextColour = kBarText;
        skin->ButtonHilightColour = kHotFrame;
        PaintMenuPictures(*skin);
        ParkCursor();
    }

    void TearDown() override
    {
        EndMenu();
        uitest::PumpUntil([] { return uitest::PendingCalls().empty(); }, 1000);
        SkinnedFormTest::TearDown();
    }

    // Out of the way of every window and menu the tests open.
    static void ParkCursor()
    {
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
    }

    TWinSkinForm& SkinnerOf(TForm& form) { return *Manager().FindFormSkinner(form.Handle()); }
    TWinSkinMenu& BarOf(TForm& form) { return *SkinnerOf(form).MenuBar(); }
    TMenuBtn& Item(TForm& form, std::size_t index) { return *BarOf(form).Items()[index]; }

    // A form whose menu the callback fills.
    TForm& ShowFormWithMenu(const std::function<void(TForm&, TMainMenu&)>& fill)
    {
        return ShowForm([&](TForm& f) {
            auto* menu = new TMainMenu(&f);
            fill(f, *menu);
            f.SetMenu(menu);
        });
    }

    // File (with children), Edit and View, each counting its clicks.
    TForm& ShowFormWithThreeDropDowns()
    {
        return ShowFormWithMenu([this](TForm& f, TMainMenu& menu) {
            file = AddItem(menu.Items(), &f, "&File", &fileClicks);
            AddItem(file, &f, "&Open");
            AddItem(file, &f, "&Quit");
            AddItem(AddItem(menu.Items(), &f, "&Edit"), &f, "&Copy");
            AddItem(AddItem(menu.Items(), &f, "&View"), &f, "&Zoom");
        });
    }

    static RECT Band(HWND window)
    {
        const int right = WindowSize(window).cx - PaintedMetrics.borderRight;
        return {PaintedMetrics.borderLeft, PaintedMetrics.titleHeight, right,
                PaintedMetrics.titleHeight + GetSystemMetrics(SM_CYMENU)};
    }
    // A point inside a bar item, on the screen.
    static POINT OnItem(HWND window, const TMenuBtn& item)
    {
        return WindowToScreen(window, {item.Rect.left + 3, (item.Rect.top + item.Rect.bottom) / 2});
    }
    static POINT OnTitle(HWND window) { return WindowToScreen(window, {40, 7}); }

    // Presses the item (as a click would) and runs look inside the drop-down's loop, which is closed after.
    void PressAndLook(HWND window, const TMenuBtn& item, const std::function<void()>& look)
    {
        const POINT at = OnItem(window, item);
        uitest::CallAfter(50, [look] {
            look();
            EndMenu();
        });
        SendMessageA(window, WM_NCLBUTTONDOWN, HTMENU, At(at));
        uitest::PumpUntil([] { return uitest::PendingCalls().empty(); }, 2000);
    }

    // The outline of a rectangle in the hot frame's colour, and nothing else of that colour inside.
    static bool Framed(const TBitmap& screen, const RECT& r)
    {
        const int outline = 2 * (r.right - r.left) + 2 * (r.bottom - r.top) - 4;
        return CountColour(screen, r, kHotFrame) == outline &&
               CountColour(screen, {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, kHotFrame) == 0;
    }

    TMenuItem* file = nullptr;
    int fileClicks = 0;
};

// ---------------------------------------------------------------- the bar and its items

TEST_F(LiveMenuBarTest, TheBarShowsItsPictureInTheActivationsFrameOrElseItsColour)
{
    TForm& form = ShowFormWithThreeDropDowns();
    const HWND window = form.Handle();
    const RECT band = Band(window);
    const RECT leftMargin{band.left, band.top, band.left + kBarMargin, band.bottom};
    const RECT rightMargin{band.right - kBarMargin, band.top, band.right, band.bottom};
    const TNCRect last = Item(form, 2).Rect;
    const RECT afterItems{last.right, band.top, band.right - kBarMargin, band.bottom};
    EXPECT_EQ(Item(form, 0).Rect.left, band.left + kBarMargin + 4) << "past the picture's margin";
    EXPECT_EQ(Item(form, 0).Rect.top, band.top);

    auto active = ScreenOf(window);
    EXPECT_EQ(FirstOther(*active, leftMargin, BarLeft(1)), "");
    EXPECT_EQ(FirstOther(*active, rightMargin, BarRight(1)), "");
    EXPECT_EQ(FirstOther(*active, afterItems, BarMiddle(1)), "");
    EXPECT_EQ(FirstOther(*active, {band.left + 5, band.top - 1, band.right - 5, band.top}, TopColour(1, Middle)), "")
        << "the title lies right above the bar";

    auto other = std::make_unique<TForm>(nullptr);
    other->SetBounds(500, 400, 200, 150);
    other->Show();
    ASSERT_NE(GetActiveWindow(), window);
    auto inactive = ScreenOf(window);
    EXPECT_EQ(FirstOther(*inactive, leftMargin, BarLeft(2)), "");
    EXPECT_EQ(FirstOther(*inactive, rightMargin, BarRight(2)), "");
    EXPECT_EQ(FirstOther(*inactive, afterItems, BarMiddle(2)), "");
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_GT(Count(*inactive, ToRect(Item(form, i).Rect), Ink(kBarText, BarMiddle(2))), 10) << i;

    // Without the picture: the bar's colour, the items from 6 pixels in.
    skin->MenuBar.reset();
    other.reset();
    skinwin::ActivateAgain(window);
    auto plain = ScreenOf(window);
    EXPECT_EQ(Item(form, 0).Rect.left, band.left + 6);
    EXPECT_EQ(FirstOther(*plain, {band.left, band.top, band.left + 6, band.bottom}, kPlainBar), "");
    EXPECT_EQ(FirstOther(*plain, {Item(form, 2).Rect.right, band.top, band.right, band.bottom}, kPlainBar), "");
    EXPECT_GT(Count(*plain, ToRect(Item(form, 0).Rect), Ink(kBarText, kPlainBar)), 10);
}

TEST_F(LiveMenuBarTest, AnItemShowsItsNormalHotAndPressedLooks)
{
    TForm& form = ShowFormWithThreeDropDowns();
    const HWND window = form.Handle();
    const auto rect = [&](std::size_t i) { return ToRect(Item(form, i).Rect); };

    auto normal = ScreenOf(window);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(CountColour(*normal, rect(i), kHotFrame), 0) << i;
        EXPECT_GT(Count(*normal, rect(i), Ink(kBarText, BarMiddle(1))), 10) << i;
    }

    // The mouse over the second item, then over the third.
    const auto hover = [&](std::size_t i) {
        const POINT at = OnItem(window, Item(form, i));
        SetCursorPos(at.x, at.y);
        SendMessageA(window, WM_NCMOUSEMOVE, HTMENU, At(at));
    };
    hover(1);
    auto hot = ScreenOf(window);
    EXPECT_TRUE(Framed(*hot, rect(1)));
    EXPECT_EQ(CountColour(*hot, rect(0), kHotFrame), 0);
    EXPECT_EQ(CountColour(*hot, rect(2), kHotFrame), 0);
    EXPECT_GT(Count(*hot, rect(1), Ink(kBarText, BarMiddle(1))), 10) << "the caption stays";
    hover(2);
    auto next = ScreenOf(window);
    EXPECT_EQ(CountColour(*next, rect(1), kHotFrame), 0) << "left as the next one turns hot";
    EXPECT_TRUE(Framed(*next, rect(2)));

    // Off the bar, into the title.
    const POINT title = OnTitle(window);
    SetCursorPos(title.x, title.y);
    SendMessageA(window, WM_NCMOUSEMOVE, HTCAPTION, At(title));
    EXPECT_EQ(CountColour(*ScreenOf(window), rect(2), kHotFrame), 0);

    // Pressed while its drop-down is open; resting again once it closed.
    const POINT at = OnItem(window, Item(form, 0));
    SetCursorPos(at.x, at.y);
    std::unique_ptr<TBitmap> pressed;
    bool open = false;
    PressAndLook(window, Item(form, 0), [&] {
        open = uitest::PumpUntil([] { return uitest::FindThreadMenu() != nullptr; }, 1000);
        pressed = ScreenOf(window);
    });
    ASSERT_TRUE(open);
    ASSERT_NE(pressed, nullptr);
    EXPECT_TRUE(Framed(*pressed, rect(0)));
    EXPECT_EQ(CountColour(*pressed, rect(1), kHotFrame), 0);
    ParkCursor();
    auto after = ScreenOf(window);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(CountColour(*after, rect(i), kHotFrame), 0) << i;
}

TEST_F(LiveMenuBarTest, AHotItemRestsWhenTheMouseMovesOnAfterTheFrameWasRepainted)
{
    TForm& form = ShowFormWithThreeDropDowns();
    const HWND window = form.Handle();
    const POINT first = OnItem(window, Item(form, 0));
    SetCursorPos(first.x, first.y);
    SendMessageA(window, WM_NCMOUSEMOVE, HTMENU, At(first));
    // The whole frame is painted again (a new caption) while the item is hot.
    SetWindowTextA(window, "");
    SendMessageA(window, SKM_PAINTFRAME, 0, 0);
    const POINT second = OnItem(window, Item(form, 1));
    SetCursorPos(second.x, second.y);
    SendMessageA(window, WM_NCMOUSEMOVE, HTMENU, At(second));
    auto screen = ScreenOf(window);
    EXPECT_EQ(CountColour(*screen, ToRect(Item(form, 0).Rect), kHotFrame), 0) << "only one item is ever hot";
    EXPECT_TRUE(Framed(*screen, ToRect(Item(form, 1).Rect)));
    EXPECT_NE(Item(form, 0).State(), dsHover);
}

// ---------------------------------------------------------------- drop-downs

TEST_F(LiveMenuBarTest, ADropDownIsDrawnFromTheSkinsMenuPictures)
{
    TForm& form = ShowFormWithMenu([&](TForm& f, TMainMenu& menu) {
        menu.SetImages(glyphtest::NewGlyphList(&f, kGlyph));
        file = AddItem(menu.Items(), &f, "&File");
        AddItem(file, &f, "&Open WWW")->SetImageIndex(0);
        AddItem(file, &f, "&Bold WWW")->SetChecked(true);
        AddItem(file, &f, "-");
        AddItem(file, &f, "&Quit WWW");
        AddItem(AddItem(menu.Items(), &f, "&Edit"), &f, "&Copy");
    });
    const HWND window = form.Handle();
    MenuShot shot;
    PressAndLook(window, Item(form, 0), [&] {
        // Opened from the bar, the first entry is selected.
        uitest::PumpUntil([&] { return (GetMenuState(file->Handle(), 0, MF_BYPOSITION) & MF_HILITE) != 0; }, 1000);
        shot = ShootOpenMenu(file->Handle());
    });
    ASSERT_NE(shot.window, nullptr);
    ASSERT_NE(shot.picture, nullptr);
    ASSERT_EQ(shot.entries.size(), 4u);
    const TBitmap& menu = *shot.picture;
    const int w = menu.Width();
    const int h = menu.Height();
    RECT windowRect{};
    GetWindowRect(window, &windowRect);
    EXPECT_EQ(shot.bounds.left, windowRect.left + Item(form, 0).Rect.left) << "below its item";

    // The border: MenuBackground.
    EXPECT_EQ(FirstOther(menu, {0, 0, w, 2}, kMenuBack), "");
    EXPECT_EQ(FirstOther(menu, {0, 0, 2, h}, kMenuBack), "");
    EXPECT_EQ(FirstOther(menu, {w - 2, 0, w, h}, kMenuBack), "");
    EXPECT_EQ(FirstOther(menu, {0, h - 2, w, h}, kMenuBack), "");

    const auto rightEnd = [&](int i) {
        const RECT& r = shot.entries[static_cast<std::size_t>(i)];
        return RECT{r.right - kItemMargin, r.top, r.right, r.bottom};
    };
    const auto glyphBox = [&](int i) {
        const RECT& r = shot.entries[static_cast<std::size_t>(i)];
        return RECT{r.left + 1 + kItemMargin, r.top + 1, r.left + 1 + kItemMargin + 16, r.top + 17};
    };
    const auto textArea = [&](int i) {
        const RECT& r = shot.entries[static_cast<std::size_t>(i)];
        return RECT{r.left + 1 + kItemMargin + 16 + 3, r.top, r.right - kItemMargin, r.bottom};
    };
    // The selected entry: cell 4, its glyph, the highlight text.
    EXPECT_EQ(FirstOther(menu, rightEnd(0), ItemCell(4)), "");
    EXPECT_GT(CountColour(menu, glyphBox(0), kGlyph), 100);
    EXPECT_GT(Count(menu, textArea(0), Ink(kHilightText, ItemCell(4))), 10);
    EXPECT_EQ(Count(menu, textArea(0), Ink(kMenuText, ItemCell(4))), 0);
    // A checked entry without an image: cell 1 and the system's check mark.
    EXPECT_EQ(FirstOther(menu, rightEnd(1), ItemCell(1)), "");
    EXPECT_GT(CountColour(menu, glyphBox(1), GetSysColor(COLOR_BTNTEXT)), 5);
    EXPECT_EQ(CountColour(menu, glyphBox(1), kGlyph), 0);
    EXPECT_GT(Count(menu, textArea(1), Ink(kMenuText, ItemCell(1))), 10);
    // The separator: the strip's separator cell over the menu's background.
    const RECT line = shot.entries[2];
    EXPECT_GT(CountColour(menu, line, kSeparatorInk), 0);
    EXPECT_EQ(Count(menu, line, [](TColor c) { return c != kSeparatorInk && c != kMenuBack; }), 0);
    // A plain entry.
    EXPECT_EQ(FirstOther(menu, rightEnd(3), ItemCell(1)), "");
    EXPECT_EQ(CountColour(menu, glyphBox(3), GetSysColor(COLOR_BTNTEXT)), 0);
    EXPECT_EQ(CountColour(menu, glyphBox(3), kGlyph), 0);
    EXPECT_GT(Count(menu, textArea(3), Ink(kMenuText, ItemCell(1))), 10);
    EXPECT_FALSE(BarOf(form).MenuTracking());
}

TEST_F(LiveMenuBarTest, TheSystemMenuIsDrawnFromTheSkinWithTheSkinsGlyphs)
{
    glyphtest::SetGlyphs(skin->MenuGlyphs(), kSysGlyphs);
    TForm& form = ShowForm();
    const HWND window = form.Handle();
    TWinSkinForm& skinner = SkinnerOf(form);

    // Opens the system menu with open() and checks each entry's glyph: the
    // skin's glyph in its own colour for the enabled ones (greyed for the
    // disabled ones), none for the others.
    const auto openAndCheck = [&](const std::function<void()>& open, WPARAM greyed) {
        MenuShot shot;
        std::vector<std::intptr_t> tags;
        std::vector<bool> lines;
        uitest::CallAfter(50, [&] {
            TPopupMenu* menu = skinner.SysMenu();
            if (menu != nullptr) {
                shot = ShootOpenMenu(menu->Handle());
                for (int i = 0; i < menu->Items()->Count(); ++i) {
                    tags.push_back(menu->Items()->Items(i)->Tag());
                    lines.push_back(menu->Items()->Items(i)->IsLine());
                }
            }
            EndMenu();
        });
        open();
        uitest::PumpUntil([] { return uitest::PendingCalls().empty(); }, 2000);
        ASSERT_NE(shot.picture, nullptr);
        ASSERT_EQ(shot.entries.size(), tags.size());
        const TBitmap& menu = *shot.picture;
        EXPECT_EQ(FirstOther(menu, {0, 0, menu.Width(), 2}, kMenuBack), "");
        EXPECT_EQ(FirstOther(menu, {0, 0, 2, menu.Height()}, kMenuBack), "");
        int glyphed = 0;
        for (std::size_t i = 0; i < tags.size(); ++i) {
            const RECT& r = shot.entries[i];
            const RECT box{r.left + 1 + kItemMargin, r.top + 1, r.left + 1 + kItemMargin + 16, r.top + 17};
            int expected = -1;
            switch (tags[i]) {
            case SC_RESTORE: expected = 0; break;
            case SC_MAXIMIZE: expected = 1; break;
            case SC_MINIMIZE: expected = 2; break;
            case SC_CLOSE: expected = 3; break;
            default: break;
            }
            for (int g = 0; g < 4; ++g) {
                const bool shows = g == expected && static_cast<WPARAM>(tags[i]) != greyed;
                EXPECT_EQ(CountColour(menu, box, kSysGlyphs[g]) > 100, shows) << "entry " << tags[i] << " glyph " << g;
            }
            if (expected >= 0 && static_cast<WPARAM>(tags[i]) == greyed) {
                EXPECT_GT(Count(menu, box, [](TColor c) { return c != ItemCell(1); }), 20) << "a greyed glyph";
            }
            glyphed += expected >= 0 ? 1 : 0;
            if (lines[i]) {
                EXPECT_GT(CountColour(menu, r, kSeparatorInk), 0);
            } else {
                EXPECT_EQ(FirstOther(menu, {r.right - kItemMargin, r.top, r.right, r.bottom}, ItemCell(1)), "")
                    << "entry " << tags[i];
            }
        }
        EXPECT_EQ(glyphed, 4);
    };

    // Alt+Space on a normal window: nothing to restore.
    openAndCheck([&] { SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, ' '); }, SC_RESTORE);

    // A right click on the title of the maximised window: nothing to maximise.
    SendMessageA(window, WM_NCLBUTTONDBLCLK, HTCAPTION, At(OnTitle(window)));
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(window) != FALSE; }));
    Sleep(GetDoubleClickTime() + 50);
    openAndCheck([&] { SendMessageA(window, WM_NCRBUTTONDOWN, HTCAPTION, At(OnTitle(window))); }, SC_MAXIMIZE);
}

// ---------------------------------------------------------------- what a bar may hold

TEST_F(LiveMenuBarTest, AMenuWithoutItemsShowsTheBarAndOpensNothing)
{
    TForm& form = ShowFormWithMenu([](TForm&, TMainMenu&) {});
    const HWND window = form.Handle();
    TWinSkinMenu* bar = SkinnerOf(form).MenuBar();
    ASSERT_NE(bar, nullptr) << "the form has an empty menu bar";
    EXPECT_TRUE(bar->Items().empty());
    const RECT band = Band(window);
    auto screen = ScreenOf(window);
    EXPECT_EQ(FirstOther(*screen, {band.left + kBarMargin, band.top, band.right - kBarMargin, band.bottom},
                         BarMiddle(1)),
              "");

    bool opened = false;
    uitest::CallAfter(100, [&] {
        opened = uitest::FindThreadMenu() != nullptr;
        EndMenu();
    });
    const POINT inBar = WindowToScreen(window, {band.left + 20, (band.top + band.bottom) / 2});
    EXPECT_EQ(SendMessageA(window, WM_NCHITTEST, 0, At(inBar)), HTMENU);
    SendMessageA(window, WM_NCLBUTTONDOWN, HTMENU, At(inBar));
    SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, 0);
    SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, 'f');
    EXPECT_EQ(uitest::FindThreadMenu(), nullptr);
    ASSERT_TRUE(PumpUntil([] { return uitest::PendingCalls().empty(); }));
    EXPECT_FALSE(opened);
    EXPECT_FALSE(bar->MenuTracking());
    EXPECT_EQ(GetMenu(window), nullptr);
}

TEST_F(LiveMenuBarTest, AnItemWithoutChildrenRunsItsCommandAndADisabledOneDropsNothingDown)
{
    int helpClicks = 0;
    int editClicks = 0;
    TForm& form = ShowFormWithMenu([&](TForm& f, TMainMenu& menu) {
        file = AddItem(menu.Items(), &f, "&File", &fileClicks);
        AddItem(file, &f, "&Open");
        TMenuItem* edit = AddItem(menu.Items(), &f, "&Edit", &editClicks);
        AddItem(edit, &f, "&Copy");
        edit->SetEnabled(false);
        AddItem(menu.Items(), &f, "&Help", &helpClicks);
    });
    const HWND window = form.Handle();
    TWinSkinMenu& bar = BarOf(form);
    ASSERT_EQ(bar.Items().size(), 3u);
    EXPECT_FALSE(Item(form, 1).Enabled);

    // Whatever opens is seen and closed, so that a fault cannot hang the test.
    const auto click = [&](std::size_t i) {
        bool opened = false;
        uitest::CallAfter(100, [&] {
            opened = uitest::FindThreadMenu() != nullptr;
            EndMenu();
        });
        SendMessageA(window, WM_NCLBUTTONDOWN, HTMENU, At(OnItem(window, Item(form, i))));
        const bool returnedAtOnce = !uitest::PendingCalls().empty();
        EXPECT_TRUE(PumpUntil([] { return uitest::PendingCalls().empty(); }));
        Pump(50);
        return returnedAtOnce && !opened;
    };
    EXPECT_TRUE(click(2)) << "an item without children opens nothing";
    EXPECT_EQ(helpClicks, 1);
    EXPECT_TRUE(click(1)) << "a disabled item drops nothing down";
    EXPECT_EQ(editClicks, 0) << "nor does it run";
    EXPECT_FALSE(bar.MenuTracking());
    EXPECT_EQ(fileClicks, 0);
}

TEST_F(LiveMenuBarTest, SeparatorsAtTheEndsOrDoubledAreHiddenWhileTheDropDownIsOpen)
{
    std::vector<TMenuItem*> children;
    TForm& form = ShowFormWithMenu([&](TForm& f, TMainMenu& menu) {
        file = AddItem(menu.Items(), &f, "&File");
        for (const char* caption : {"-", "&Open", "-", "-", "&Save", "-"})
            children.push_back(AddItem(file, &f, caption));
        AddItem(AddItem(menu.Items(), &f, "&Edit"), &f, "&Copy");
    });
    const HWND window = form.Handle();
    MenuShot shot;
    std::vector<UINT> types;
    std::unique_ptr<TBitmap> bar;
    PressAndLook(window, Item(form, 0), [&] {
        shot = ShootOpenMenu(file->Handle());
        for (int i = 0; i < GetMenuItemCount(file->Handle()); ++i) {
            MENUITEMINFOA info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE;
            GetMenuItemInfoA(file->Handle(), static_cast<UINT>(i), TRUE, &info);
            types.push_back(info.fType & MFT_SEPARATOR);
        }
        bar = ScreenOf(window);
    });
    ASSERT_NE(shot.picture, nullptr);
    EXPECT_EQ(types, (std::vector<UINT>{0, MFT_SEPARATOR, 0})) << "Open, one separator, Save";
    const std::vector<bool> visible{false, true, false, true, true, false};
    for (std::size_t i = 0; i < children.size(); ++i)
        EXPECT_EQ(children[i]->Visible(), visible[i]) << i;
    ASSERT_EQ(shot.entries.size(), 3u);
    const int ink = CountColour(*shot.picture, {0, 0, shot.picture->Width(), shot.picture->Height()}, kSeparatorInk);
    EXPECT_GT(ink, 0);
    EXPECT_EQ(CountColour(*shot.picture, shot.entries[1], kSeparatorInk), ink) << "only the one separator shows";
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(Framed(*bar, ToRect(Item(form, 0).Rect))) << "the item read again is still pressed";
}

TEST_F(LiveMenuBarTest, ARightToLeftFormLaysItsItemsOutFromTheRight)
{
    Manager();
    auto owned = std::make_unique<RightToLeftForm>(nullptr);
    RightToLeftForm& form = *owned;
    form.SetBounds(60, 60, 400, 300);
    form.SetClientSize(kClientWidth, kClientHeight);
    form.SetCaption("");
    auto* menu = new TMainMenu(&form);
    menu->SetBiDiMode(bdRightToLeft);
    for (const char* caption : {"&File", "&Edit", "&View"})
        AddItem(AddItem(menu->Items(), &form, caption), &form, "&Entry");
    form.SetMenu(menu);
    forms.push_back(std::move(owned));
    form.Show();
    Pump(100);
    const HWND window = form.Handle();
    const RECT band = Band(window);

    EXPECT_EQ(Item(form, 0).Rect.right, band.right - kBarMargin - 8);
    EXPECT_EQ(Item(form, 1).Rect.right, Item(form, 0).Rect.left);
    EXPECT_EQ(Item(form, 2).Rect.right, Item(form, 1).Rect.left);
    auto screen = ScreenOf(window);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_GT(Count(*screen, ToRect(Item(form, i).Rect), Ink(kBarText, BarMiddle(1))), 10) << i;
    EXPECT_EQ(FirstOther(*screen, {band.left + kBarMargin, band.top, Item(form, 2).Rect.left, band.bottom},
                         BarMiddle(1)),
              "")
        << "the left of the bar is empty";

    // The item under the mouse is the one shown there.
    const POINT onFirst = OnItem(window, Item(form, 0));
    SetCursorPos(onFirst.x, onFirst.y);
    SendMessageA(window, WM_NCMOUSEMOVE, HTMENU, At(onFirst));
    EXPECT_TRUE(Framed(*ScreenOf(window), ToRect(Item(form, 0).Rect)));
}

TEST_F(LiveMenuBarTest, F10SelectsTheFirstItemAndLeftWrapsRoundToTheLast)
{
    int goClicks = 0;
    TMenuItem* tools = nullptr;
    TForm& form = ShowFormWithMenu([&](TForm& f, TMainMenu& menu) {
        AddItem(menu.Items(), &f, "&Go", &goClicks);
        AddItem(AddItem(menu.Items(), &f, "&Edit"), &f, "&Copy");
        tools = AddItem(menu.Items(), &f, "&Tools");
        AddItem(tools, &f, "&Options");
    });
    const HWND window = form.Handle();
    TNCDrawState firstAtStart = dsNormal;
    TNCDrawState firstAfterLeft = dsNormal;
    TNCDrawState lastAfterLeft = dsNormal;
    RECT dropDown{};
    HMENU shown = nullptr;
    uitest::CallAfter(100, [&] {
        firstAtStart = Item(form, 0).State();
        PostMessageA(window, WM_KEYDOWN, VK_LEFT, 0);
        uitest::CallAfter(50, [&] {
            firstAfterLeft = Item(form, 0).State();
            lastAfterLeft = Item(form, 2).State();
            // Enter opens the selected item's drop-down.
            PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
            uitest::CallAfter(100, [&] {
                if (const HWND menu = uitest::FindThreadMenu()) {
                    GetWindowRect(menu, &dropDown);
                    shown = BarOf(form).TrackedSubMenu();
                }
                EndMenu();
            });
        });
    });
    // F10 pressed and released.
    PostMessageA(window, WM_SYSKEYDOWN, VK_F10, 1);
    PostMessageA(window, WM_SYSKEYUP, VK_F10, static_cast<LPARAM>(0xC0000001));
    ASSERT_TRUE(PumpUntil([] { return uitest::PendingCalls().empty(); }, 3000));
    EXPECT_EQ(firstAtStart, dsHover);
    EXPECT_EQ(firstAfterLeft, dsNormal);
    EXPECT_EQ(lastAfterLeft, dsHover);
    EXPECT_EQ(shown, tools->Handle());
    RECT windowRect{};
    GetWindowRect(window, &windowRect);
    EXPECT_EQ(dropDown.left, windowRect.left + Item(form, 2).Rect.left);
    EXPECT_EQ(goClicks, 0);
    Pump(50);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(Item(form, i).State(), dsNormal) << i;
}

// ---------------------------------------------------------------- many times over

class LiveMenuBarSoakTest : public LiveMenuBarTest {
protected:
    struct Counts {
        DWORD gdi = 0;
        DWORD user = 0;
        ui::HandleSnapshot handles;
        long thunks = 0;
        static Counts Take()
        {
            return {GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                    GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), ui::HandleSnapshot::Take(),
                    ui::LiveThunkCount()};
        }
    };

    void ExpectNothingLeftBehind(const Counts& before)
    {
        const Counts after = Counts::Take();
        EXPECT_EQ(after.gdi, before.gdi);
        EXPECT_EQ(after.user, before.user);
        EXPECT_EQ(after.handles, before.handles);
        EXPECT_EQ(after.thunks, before.thunks);
        EXPECT_EQ(Manager().MenuSkinnerCount(), 0u);
        // The process still makes and paints a new skinned window.
        TForm& fresh = ShowForm();
        const SIZE size = WindowSize(fresh.Handle());
        EXPECT_EQ(FirstOther(*ScreenOf(fresh.Handle()), {9, 0, size.cx - 11, 15}, TopColour(1, Middle)), "");
    }

    static void CloseSoon()
    {
        uitest::CallAfter(0, [] { EndMenu(); });
    }
};

TEST_F(LiveMenuBarSoakTest, AThousandDropDownsOpenedFromTheBarLeaveNothingBehind)
{
    TForm& form = ShowFormWithThreeDropDowns();
    const HWND window = form.Handle();
    const LPARAM onFile = At(OnItem(window, Item(form, 0)));
    int shown = 0;
    const auto open = [&] {
        uitest::CallAfter(0, [&] {
            shown += uitest::FindThreadMenu() != nullptr ? 1 : 0;
            EndMenu();
        });
        SendMessageA(window, WM_NCLBUTTONDOWN, HTMENU, onFile);
    };
    open();
    Pump(50);
    shown = 0;
    fileClicks = 0;
    const Counts before = Counts::Take();
    for (int i = 0; i < 1000; ++i)
        open();
    Pump(50);
    EXPECT_EQ(shown, 1000);
    EXPECT_EQ(fileClicks, 1000) << "each opening posts the item's command";
    EXPECT_FALSE(BarOf(form).MenuTracking());
    ExpectNothingLeftBehind(before);
}

TEST_F(LiveMenuBarSoakTest, AThousandSystemMenusLeaveNothingBehind)
{
    // A window's system menu opened again within the double-click time would
    // close the window or do nothing: the openings go round enough windows
    // to keep each window's apart.
    constexpr std::size_t kWindows = 50;
    Manager();
    std::vector<HWND> windows;
    for (std::size_t i = 0; i < kWindows; ++i) {
        auto form = std::make_unique<TForm>(nullptr);
        form->SetBounds(60 + static_cast<int>(i), 60, 300, 200);
        form->SetCaption("");
        form->Show();
        windows.push_back(form->Handle());
        forms.push_back(std::move(form));
    }
    Pump(300);
    std::vector<ULONGLONG> lastOpened(kWindows, 0);
    const ULONGLONG apart = GetDoubleClickTime() + 20;
    int shown = 0;
    std::size_t next = 0;
    const auto open = [&] {
        const std::size_t at = next++ % kWindows;
        const ULONGLONG since = GetTickCount64() - lastOpened[at];
        if (since < apart)
            Sleep(static_cast<DWORD>(apart - since));
        uitest::CallAfter(0, [&] {
            shown += uitest::FindThreadMenu() != nullptr ? 1 : 0;
            EndMenu();
        });
        SendMessageA(windows[at], WM_SYSCOMMAND, SC_KEYMENU, ' ');
        lastOpened[at] = GetTickCount64();
    };
    for (std::size_t i = 0; i < kWindows; ++i)
        open();
    Pump(50);
    shown = 0;
    const Counts before = Counts::Take();
    for (int i = 0; i < 1000; ++i)
        open();
    Pump(50);
    EXPECT_EQ(shown, 1000);
    for (const HWND window : windows)
        EXPECT_TRUE(IsWindowVisible(window));
    ExpectNothingLeftBehind(before);
}

TEST_F(LiveMenuBarSoakTest, TenThousandHoverCyclesAlongTheBarLeaveNothingBehind)
{
    TForm& form = ShowFormWithThreeDropDowns();
    const HWND window = form.Handle();
    std::vector<LPARAM> points;
    for (std::size_t i = 0; i < 3; ++i)
        points.push_back(At(OnItem(window, Item(form, i))));
    const LPARAM title = At(OnTitle(window));
    const auto cycle = [&] {
        for (const LPARAM point : points)
            SendMessageA(window, WM_NCMOUSEMOVE, HTMENU, point);
        SendMessageA(window, WM_NCMOUSEMOVE, HTCAPTION, title);
    };
    cycle();
    const Counts before = Counts::Take();
    for (int i = 0; i < 10000; ++i)
        cycle();
    EXPECT_EQ(SkinnerOf(form).HotObject(), nullptr);
    {
        auto screen = ScreenOf(window);
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_EQ(CountColour(*screen, ToRect(Item(form, i).Rect), kHotFrame), 0) << i;
        const POINT onEdit = OnItem(window, Item(form, 1));
        SetCursorPos(onEdit.x, onEdit.y);
        SendMessageA(window, WM_NCMOUSEMOVE, HTMENU, At(onEdit));
        EXPECT_TRUE(Framed(*ScreenOf(window), ToRect(Item(form, 1).Rect))) << "the bar still reacts";
        cycle();
    }
    ExpectNothingLeftBehind(before);
}

} // namespace
