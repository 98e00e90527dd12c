// Title-bar buttons painted: all of them into a picture of the title and onto
// a real window, and one on its own whenever its state changes.
#include "skin/chrome/TitleButtons.h"
#include "tests/win/nc_owner_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using namespace nctest;

namespace {

constexpr TColor background = RGBColor(5, 6, 7);

// Where every test button goes and what it is.
enum Slot : std::size_t { fourCells, threeCells, mdiButton, negativeAction, windowIcon, hidden, noImage };

class TitleButtonPaintTest : public ::testing::Test {
protected:
    explicit TitleButtonPaintTest(bool shown = false) : window(shown)
    {
        owner.mdiChildButtons = true;
        for (const ButtonKeys& k : std::initializer_list<ButtonKeys>{
                 {.action = 4, .x = 10, .y = 2, .cells = 4},
                 {.action = 5, .x = 30, .y = 2, .cells = 3},
                 {.action = 7, .x = 50, .y = 2, .visibility = 100, .visibility1 = 100, .cells = 4},
                 {.action = -1, .x = 70, .y = 2, .cells = 6},
                 {.action = 3, .x = 90, .y = 2, .cells = 1},
                 {.action = 4, .x = 110, .y = 2, .visibility = 1, .cells = 4},
                 {.action = 4, .x = 130, .y = 2, .cells = 0},
             })
            elements.push_back(MakeButton(k));
        buttons.Rebuild(elements);
        buttons.Arrange();
    }

    TWinSysButton& At(Slot s) const { return *buttons.Buttons()[s]; }

    // The first pixel of the button's rectangle (x, y from its top-left) that
    // is not expected(x, y); empty when all are.
    static std::string Mismatch(const TWinSysButton& button, const std::function<TColor(int, int)>& pixel,
                                const std::function<TColor(int, int)>& expected)
    {
        for (int y = button.Rect.top; y < button.Rect.bottom; ++y)
            for (int x = button.Rect.left; x < button.Rect.right; ++x) {
                const TColor want = expected(x - button.Rect.left, y - button.Rect.top);
                if (pixel(x, y) != want) {
                    std::ostringstream text;
                    text << "(" << x << ", " << y << ") is " << std::hex << pixel(x, y) << ", not " << want;
                    return text.str();
                }
            }
        return {};
    }
    // Cell `cell` of a test strip: magenta (the background through it) in its first column.
    static std::function<TColor(int, int)> ShowsCell(int cell)
    {
        return [cell](int x, int) { return x == 0 ? background : CellColour(cell); };
    }
    static std::function<TColor(int, int)> Shows(TColor colour)
    {
        return [colour](int, int) { return colour; };
    }

    TestWindow window;
    TestOwner owner{window.get()};
    std::vector<std::unique_ptr<TDataSkinSysButton>> elements;
    TTitleButtons buttons{owner};
};

TEST_F(TitleButtonPaintTest, AllButtonsIntoAPictureOfAnActiveTitle)
{
    TBitmap title(200, 30);
    Fill(title, background);
    buttons.PaintAll(title.Canvas().Handle());
    const auto pixel = [&](int x, int y) { return PixelOf(title, x, y); };

    EXPECT_EQ(Mismatch(At(fourCells), pixel, ShowsCell(1)), "");
    EXPECT_EQ(Mismatch(At(threeCells), pixel, ShowsCell(1)), "");
    EXPECT_EQ(Mismatch(At(mdiButton), pixel, Shows(background)), "") << "the MDI buttons belong to the menu bar";
    EXPECT_EQ(Mismatch(At(negativeAction), pixel, ShowsCell(1)), "") << "never hit, but painted";
    EXPECT_EQ(Mismatch(At(windowIcon), pixel, Shows(owner.iconColour)), "");
    ASSERT_EQ(owner.iconRects.size(), 1u);
    EXPECT_EQ(owner.iconRects[0].left, 90);
    EXPECT_EQ(owner.iconRects[0].right, 100);
    // Nothing drawn where the buttons without a picture or hidden would be.
    for (int x = 110; x < 200; ++x)
        ASSERT_EQ(PixelOf(title, x, 4), background) << x;
}

TEST_F(TitleButtonPaintTest, AnInactiveTitleShowsCellFourOfStripsOfFourOrMore)
{
    owner.active = false;
    buttons.Arrange();
    TBitmap title(200, 30);
    Fill(title, background);
    buttons.PaintAll(title.Canvas().Handle());
    const auto pixel = [&](int x, int y) { return PixelOf(title, x, y); };

    EXPECT_EQ(Mismatch(At(fourCells), pixel, ShowsCell(4)), "");
    EXPECT_EQ(Mismatch(At(threeCells), pixel, ShowsCell(1)), "") << "a strip of three has no inactive cell";
    EXPECT_EQ(Mismatch(At(negativeAction), pixel, ShowsCell(4)), "");
    EXPECT_EQ(Mismatch(At(mdiButton), pixel, Shows(background)), "");
}

TEST_F(TitleButtonPaintTest, TheMdiButtonsIntoAPictureOfTheMenuBar)
{
    // The bar's picture starts at (4, 30) of the window; the MDI button now lies at (50, 33) ... (60, 41).
    elements[mdiButton]->YCoord = 33;
    buttons.Arrange();
    TBitmap bar(200, 20);
    Fill(bar, background);
    buttons.PaintMdiButtons(bar.Canvas().Handle(), {4, 30});
    EXPECT_EQ(PixelOf(bar, 46, 3), background) << "magenta stays transparent";
    EXPECT_EQ(PixelOf(bar, 47, 3), CellColour(1));
    EXPECT_EQ(PixelOf(bar, 55, 10), CellColour(1));
    EXPECT_EQ(PixelOf(bar, 56, 3), background);
    EXPECT_EQ(PixelOf(bar, 47, 11), background);
    for (int x = 0; x < 200; ++x) {
        if (x < 46 || x > 55) {
            ASSERT_EQ(PixelOf(bar, x, 5), background) << "only the MDI button, at " << x;
        }
    }
}

// The same buttons on a real window, read back through its window DC.
class TitleButtonWindowTest : public TitleButtonPaintTest {
protected:
    TitleButtonWindowTest() : TitleButtonPaintTest(true)
    {
        const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(window.get());
        const ui::UniqueBrush brush(CreateSolidBrush(background));
        const RECT all{0, 0, 300, 60};
        FillRect(dc.get(), &all, brush.get());
    }
    std::function<TColor(int, int)> OnWindow() const
    {
        const HWND w = window.get();
        return [w](int x, int y) {
            const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(w);
            return static_cast<TColor>(GetPixel(dc.get(), x, y));
        };
    }
};

TEST_F(TitleButtonWindowTest, AllButtonsOnTheWindowDC)
{
    {
        const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(window.get());
        buttons.PaintAll(dc.get());
    }
    EXPECT_EQ(Mismatch(At(fourCells), OnWindow(), ShowsCell(1)), "");
    EXPECT_EQ(Mismatch(At(threeCells), OnWindow(), ShowsCell(1)), "");
    EXPECT_EQ(Mismatch(At(mdiButton), OnWindow(), Shows(background)), "");
    EXPECT_EQ(Mismatch(At(windowIcon), OnWindow(), Shows(owner.iconColour)), "");

    owner.active = false;
    {
        const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(window.get());
        buttons.PaintAll(dc.get());
    }
    EXPECT_EQ(Mismatch(At(fourCells), OnWindow(), ShowsCell(4)), "");
    EXPECT_EQ(Mismatch(At(threeCells), OnWindow(), ShowsCell(1)), "");
}

TEST_F(TitleButtonWindowTest, AStateChangeRepaintsThatButtonOnTheWindow)
{
    TWinSysButton& button = At(fourCells);
    button.MouseMove();
    EXPECT_EQ(Mismatch(button, OnWindow(), ShowsCell(3)), "") << "hover";
    button.MouseDown();
    EXPECT_EQ(Mismatch(button, OnWindow(), ShowsCell(2)), "") << "pressed";
    button.MouseUp();
    EXPECT_EQ(Mismatch(button, OnWindow(), ShowsCell(3)), "") << "released";
    button.MouseLeave();
    EXPECT_EQ(Mismatch(button, OnWindow(), ShowsCell(1)), "") << "left";
    EXPECT_EQ(Mismatch(At(threeCells), OnWindow(), Shows(background)), "") << "the others are not painted";
}

TEST_F(TitleButtonWindowTest, MovingStraightOntoAnotherButtonRepaintsBoth)
{
    At(fourCells).MouseMove();
    At(threeCells).MouseMove();
    EXPECT_EQ(Mismatch(At(fourCells), OnWindow(), ShowsCell(1)), "");
    EXPECT_EQ(Mismatch(At(threeCells), OnWindow(), ShowsCell(3)), "");
    EXPECT_EQ(owner.hot, &At(threeCells));
}

TEST_F(TitleButtonWindowTest, TheMdiButtonsHoverWithCellFourOverTheMenuBar)
{
    // The bar's picture, of a colour for every pixel, lies at (4, 1) of the
    // window: the button's see-through first column shows the bar under it.
    TBitmap bar(300, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 300; ++x)
            SetPixelOf(bar, x, y, RGBColor(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 7));
    owner.backdrop = {&bar, {4, 1, 304, 21}};
    const auto overBar = [](int cell) {
        return [cell](int x, int y) {
            return x == 0 ? RGBColor(static_cast<std::uint8_t>(50 - 4), static_cast<std::uint8_t>(2 + y - 1), 7)
                          : CellColour(cell);
        };
    };
    TWinSysButton& button = At(mdiButton);
    button.MouseMove();
    EXPECT_EQ(Mismatch(button, OnWindow(), overBar(4)), "");
    button.MouseDown();
    EXPECT_EQ(Mismatch(button, OnWindow(), overBar(2)), "");
    button.MouseLeave();
    EXPECT_EQ(Mismatch(button, OnWindow(), overBar(1)), "");

    // Before the bar's first paint there is only its colour.
    owner.backdrop = {};
    owner.skinData.MenubarColour = RGBColor(90, 91, 92);
    button.MouseMove();
    EXPECT_EQ(Mismatch(button, OnWindow(),
                       [](int x, int) { return x == 0 ? RGBColor(90, 91, 92) : CellColour(4); }),
              "");
}

TEST_F(TitleButtonWindowTest, TheWindowIconButtonDrawsTheIconInEveryState)
{
    TWinSysButton& button = At(windowIcon);
    button.MouseMove();
    EXPECT_EQ(Mismatch(button, OnWindow(), Shows(owner.iconColour)), "");
    button.MouseDown();
    ASSERT_EQ(owner.iconRects.size(), 2u);
    EXPECT_EQ(owner.iconRects[1].left, 90);
    EXPECT_EQ(owner.iconRects[1].top, 2);
}

TEST(TitleButtonCleanUp, PaintingLeavesNoHandleBehind)
{
    TestWindow window(true);
    TestOwner owner(window.get());
    std::vector<std::unique_ptr<TDataSkinSysButton>> elements;
    elements.push_back(MakeButton({.x = 10}));
    {
        TTitleButtons warmUp(owner);
        warmUp.Rebuild(elements);
        warmUp.Arrange();
        warmUp.Buttons()[0]->MouseMove();
    }
    const ui::HandleSnapshot before = ui::HandleSnapshot::Take();
    for (int i = 0; i < 50; ++i) {
        TTitleButtons buttons(owner);
        buttons.Rebuild(elements);
        buttons.Arrange();
        TBitmap title(100, 20);
        buttons.PaintAll(title.Canvas().Handle());
        buttons.Buttons()[0]->MouseMove();
        buttons.Buttons()[0]->MouseDown();
    }
    EXPECT_EQ(ui::HandleSnapshot::Take(), before);
    EXPECT_EQ(owner.hot, nullptr) << "freed buttons are not left hot";
}

} // namespace
