// Menu-bar items: the state machine they share with the title buttons, and
// their painting over the bar's background, offscreen and on a real window.
#include "skin/chrome/MenuBtn.h"
#include "tests/win/nc_owner_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <cstdlib>
#include <memory>

using namespace nctest;

namespace {

constexpr TColor background = RGBColor(5, 6, 7);
constexpr TColor hilight = RGBColor(250, 240, 10);
constexpr TColor barText = RGBColor(0, 0, 200);
constexpr TColor barColour = RGBColor(90, 91, 92);
// Column x of the bar's picture.
constexpr TColor BandColumn(int x) { return RGBColor(static_cast<std::uint8_t>(x), 100, 50); }

class MenuBtnTest : public ::testing::Test {
protected:
    explicit MenuBtnTest(bool shown = false) : window(shown)
    {
        band.SetSize(200, 20);
        for (int y = 0; y < band.Height(); ++y)
            for (int x = 0; x < band.Width(); ++x)
                SetPixelOf(band, x, y, BandColumn(x));
        owner.backdrop = {&band, {4, 30, 204, 50}};
        owner.skinData.ButtonHilightColour = hilight;
        owner.skinData.MenuBarTextColour = barText;
        owner.skinData.MenubarColour = barColour;
        item.Rect = {50, 30, 90, 49};
        item.Visible = true;
    }

    // Whole-window pictures: where the item is drawn offscreen.
    void DrawOffscreen(TBitmap& picture)
    {
        picture.SetSize(300, 60);
        Fill(picture, background);
        item.Draw(picture.Canvas().Handle());
    }

    static int Count(TBitmap& picture, const RECT& area, const std::function<bool(TColor)>& match)
    {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                n += match(PixelOf(picture, x, y)) ? 1 : 0;
        return n;
    }
    static int Count(TBitmap& picture, const RECT& area, TColor colour)
    {
        return Count(picture, area, [colour](TColor c) { return c == colour; });
    }
    static int Distance(TColor a, TColor b)
    {
        return std::abs(RedOf(a) - RedOf(b)) + std::abs(GreenOf(a) - GreenOf(b)) + std::abs(BlueOf(a) - BlueOf(b));
    }
    // Text is smoothed: a pixel of ink is nearer the text colour than the paper's.
    static std::function<bool(TColor)> Ink(TColor text, TColor paper)
    {
        return [text, paper](TColor c) { return Distance(c, text) < Distance(c, paper); };
    }

    TestWindow window;
    TestOwner owner{window.get()};
    TBitmap band;
    TMenuBtn item{owner, owner.skinData, 2};
};

TEST_F(MenuBtnTest, TheBarsBackgroundComesBackUnderTheItemOnly)
{
    TBitmap picture;
    DrawOffscreen(picture);
    // Window column 50 is column 46 of the band picture; all 20 rows of the band.
    EXPECT_EQ(PixelOf(picture, 50, 30), BandColumn(46));
    EXPECT_EQ(PixelOf(picture, 60, 35), BandColumn(56));
    EXPECT_EQ(PixelOf(picture, 89, 49), BandColumn(85));
    EXPECT_EQ(PixelOf(picture, 49, 35), background);
    EXPECT_EQ(PixelOf(picture, 90, 35), background);
    EXPECT_EQ(PixelOf(picture, 60, 29), background);
    EXPECT_EQ(PixelOf(picture, 60, 50), background);
}

TEST_F(MenuBtnTest, WithoutTheBarsPictureTheItemIsFilledWithTheBarColour)
{
    owner.backdrop = {};
    TBitmap picture;
    DrawOffscreen(picture);
    EXPECT_EQ(Count(picture, {50, 30, 90, 49}, barColour), 40 * 19);
    EXPECT_EQ(PixelOf(picture, 49, 35), background);
}

TEST_F(MenuBtnTest, AHotItemHasAHighlightFrame)
{
    TBitmap picture;
    item.MouseMove();
    DrawOffscreen(picture);
    EXPECT_EQ(Count(picture, {50, 30, 90, 49}, hilight), 2 * 40 + 2 * 17) << "a one-pixel frame";
    EXPECT_EQ(PixelOf(picture, 50, 30), hilight);
    EXPECT_EQ(PixelOf(picture, 89, 48), hilight);
    EXPECT_EQ(PixelOf(picture, 51, 31), BandColumn(47));

    item.MouseDown();
    DrawOffscreen(picture);
    EXPECT_EQ(Count(picture, {50, 30, 90, 49}, hilight), 2 * 40 + 2 * 17) << "pressed too";

    item.MouseLeave();
    DrawOffscreen(picture);
    EXPECT_EQ(Count(picture, {0, 0, 300, 60}, hilight), 0);
}

TEST_F(MenuBtnTest, TheCaptionIsDrawnInsideTheItemInTheBarTextColour)
{
    owner.backdrop = {};
    item.Caption = L"File";
    TBitmap plain;
    DrawOffscreen(plain);
    const auto ink = Ink(barText, barColour);
    const int inside = Count(plain, {50, 30, 90, 49}, ink);
    EXPECT_GT(inside, 10);
    EXPECT_EQ(Count(plain, {0, 0, 300, 60}, [](TColor c) { return c != background; }), 40 * 19)
        << "nothing outside the item";
    // Centred: as much ink left of the middle as right of it, give or take a stroke.
    EXPECT_NEAR(Count(plain, {50, 30, 70, 49}, ink), Count(plain, {70, 30, 90, 49}, ink), inside / 3);

    item.Caption = L"&File";
    TBitmap marked;
    DrawOffscreen(marked);
    EXPECT_GT(Count(marked, {50, 30, 90, 49}, ink), inside) << "the accelerator is underlined, not shown as &";
    EXPECT_LT(Count(marked, {50, 30, 90, 49}, ink), inside + 12) << "an underline, not another character";
}

TEST_F(MenuBtnTest, ADisabledCaptionIsDrawnInTheShadowColour)
{
    owner.backdrop = {};
    item.Caption = L"File";
    item.Enabled = false;
    TBitmap picture;
    DrawOffscreen(picture);
    const auto shadow = static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(Count(picture, {50, 30, 90, 49}, Ink(barText, barColour)), 0);
    EXPECT_GT(Count(picture, {50, 30, 90, 49}, Ink(shadow, barColour)), 10);
}

class MenuBtnWindowTest : public MenuBtnTest {
protected:
    MenuBtnWindowTest() : MenuBtnTest(true)
    {
        const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(window.get());
        const ui::UniqueBrush brush(CreateSolidBrush(background));
        const RECT all{0, 0, 300, 60};
        FillRect(dc.get(), &all, brush.get());
    }
    TColor OnWindow(int x, int y) const
    {
        const ui::UniqueWindowDC dc = ui::UniqueWindowDC::Whole(window.get());
        return static_cast<TColor>(GetPixel(dc.get(), x, y));
    }
};

TEST_F(MenuBtnWindowTest, StateChangesRepaintTheItemOnTheWindow)
{
    item.MouseMove();
    EXPECT_EQ(OnWindow(50, 30), hilight);
    EXPECT_EQ(OnWindow(60, 35), BandColumn(56));
    EXPECT_EQ(OnWindow(49, 35), background);
    item.MouseDown();
    EXPECT_EQ(OnWindow(89, 48), hilight);
    item.MouseLeave();
    EXPECT_EQ(OnWindow(50, 30), BandColumn(46));
    EXPECT_EQ(OnWindow(89, 48), BandColumn(85));
    EXPECT_EQ(owner.hot, nullptr);
}

} // namespace
