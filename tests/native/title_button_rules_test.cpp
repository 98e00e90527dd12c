// When a title-bar button shows, where it goes, what a click on it does and
// which cell of its strip it shows.
#include "skin/chrome/TitleButtonRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A state in which every condition of the tables is false or absent.
TTitleWindowState Bare()
{
    TTitleWindowState s;
    s.active = false;
    return s;
}

TTitleWindowState Everything()
{
    TTitleWindowState s;
    s.maximized = true;
    s.active = true;
    s.maximizeBox = true;
    s.minimizeBox = true;
    s.systemMenu = true;
    s.maximizedMdiChildOnMenuBar = true;
    s.dialogClass = true;
    s.dialogBorder = true;
    return s;
}

template <class Change>
TTitleWindowState With(Change change)
{
    TTitleWindowState s = Bare();
    change(s);
    return s;
}

const TAskButtonVisible neverAsked = [](int, int) -> bool {
    ADD_FAILURE() << "the window was asked";
    return true;
};

struct Case {
    int value;
    TTitleWindowState shown;
    TTitleWindowState hidden;
};

TEST(TitleButtonVisibility, FirstKeyByValue)
{
    const std::vector<Case> cases{
        {1, With([](auto& s) { s.maximized = true; }), Bare()},
        {2, Bare(), With([](auto& s) { s.maximized = true; })},
        {3, With([](auto& s) { s.active = true; }), Bare()},
        {4, Bare(), With([](auto& s) { s.active = true; })},
        {6, With([](auto& s) { s.maximizeBox = s.systemMenu = true; }), With([](auto& s) { s.maximizeBox = true; })},
        {6, With([](auto& s) { s.maximizeBox = s.systemMenu = true; }), With([](auto& s) { s.systemMenu = true; })},
        {7, Bare(), With([](auto& s) { s.maximizeBox = true; })},
        {8, With([](auto& s) { s.minimizeBox = s.systemMenu = true; }), With([](auto& s) { s.minimizeBox = true; })},
        {8, With([](auto& s) { s.minimizeBox = s.systemMenu = true; }), With([](auto& s) { s.systemMenu = true; })},
        {9, Bare(), With([](auto& s) { s.minimizeBox = true; })},
        {100, With([](auto& s) { s.maximizedMdiChildOnMenuBar = true; }), Bare()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("Visibility " + std::to_string(c.value));
        EXPECT_TRUE(FirstVisibilityShows(c.value, 0, c.shown, neverAsked));
        EXPECT_FALSE(FirstVisibilityShows(c.value, 0, c.hidden, neverAsked));
    }
    EXPECT_TRUE(FirstVisibilityShows(0, 0, Bare(), neverAsked));
    EXPECT_TRUE(FirstVisibilityShows(0, 0, Everything(), neverAsked));
    TTitleWindowState allButMdi = Everything();
    allButMdi.maximizedMdiChildOnMenuBar = false;
    EXPECT_FALSE(FirstVisibilityShows(100, 0, allButMdi, neverAsked));
}

TEST(TitleButtonVisibility, FirstKeyDialogFrameOfAWindowThatIsNoDialog)
{
    EXPECT_TRUE(FirstVisibilityShows(200, 0, With([](auto& s) { s.dialogBorder = true; }), neverAsked));
    EXPECT_FALSE(FirstVisibilityShows(200, 0, Bare(), neverAsked));
    EXPECT_FALSE(
        FirstVisibilityShows(200, 0, With([](auto& s) { s.dialogBorder = s.dialogClass = true; }), neverAsked));
    EXPECT_FALSE(FirstVisibilityShows(200, 0, With([](auto& s) { s.dialogClass = true; }), neverAsked));
}

TEST(TitleButtonVisibility, FirstKeyAlwaysAndNeverRanges)
{
    for (const int value : {201, 202, 500, 998, 999}) {
        EXPECT_TRUE(FirstVisibilityShows(value, 0, Bare(), neverAsked)) << value;
        EXPECT_TRUE(FirstVisibilityShows(value, 0, Everything(), neverAsked)) << value;
    }
    for (const int value : {-1, -1000, 5, 10, 11, 12, 99, 101, 150, 199, 2001, 5000, 65536}) {
        EXPECT_FALSE(FirstVisibilityShows(value, 0, Bare(), neverAsked)) << value;
        EXPECT_FALSE(FirstVisibilityShows(value, 0, Everything(), neverAsked)) << value;
    }
}

TEST(TitleButtonVisibility, FirstKeyFrom1000To2000AsksTheWindowEveryTime)
{
    std::vector<std::pair<int, int>> asked;
    bool answer = true;
    const TAskButtonVisible ask = [&](int visibility, int action) {
        asked.emplace_back(visibility, action);
        return answer;
    };
    EXPECT_TRUE(FirstVisibilityShows(1000, 7, Bare(), ask));
    EXPECT_TRUE(FirstVisibilityShows(1500, 42, Bare(), ask));
    EXPECT_TRUE(FirstVisibilityShows(2000, -3, Bare(), ask));
    answer = false;
    EXPECT_FALSE(FirstVisibilityShows(1500, 42, Everything(), ask));
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{1000, 7}, {1500, 42}, {2000, -3}, {1500, 42}}));

    EXPECT_FALSE(FirstVisibilityShows(1200, 0, Everything(), TAskButtonVisible{})) << "nobody to ask: hidden";
}

TEST(TitleButtonVisibility, SecondKeyByValue)
{
    const std::vector<Case> cases{
        {1, With([](auto& s) { s.maximized = true; }), Bare()},
        {2, Bare(), With([](auto& s) { s.maximized = true; })},
        {3, With([](auto& s) { s.active = true; }), Bare()},
        {4, Bare(), With([](auto& s) { s.active = true; })},
        {6, With([](auto& s) { s.maximizeBox = true; }), With([](auto& s) { s.systemMenu = true; })},
        {7, Bare(), With([](auto& s) { s.maximizeBox = true; })},
        {8, With([](auto& s) { s.minimizeBox = true; }), With([](auto& s) { s.systemMenu = true; })},
        {9, Bare(), With([](auto& s) { s.minimizeBox = true; })},
        {100, With([](auto& s) { s.maximizedMdiChildOnMenuBar = true; }), Bare()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("Visibility1 " + std::to_string(c.value));
        EXPECT_TRUE(SecondVisibilityShows(c.value, c.shown));
        EXPECT_FALSE(SecondVisibilityShows(c.value, c.hidden));
    }
    EXPECT_TRUE(SecondVisibilityShows(0, Bare()));
    EXPECT_TRUE(SecondVisibilityShows(0, Everything()));
    for (const int value : {-1, 5, 10, 99, 101, 200, 201, 500, 1000, 1500, 2000}) {
        EXPECT_FALSE(SecondVisibilityShows(value, Bare())) << value;
        EXPECT_FALSE(SecondVisibilityShows(value, Everything())) << value;
    }
}

TEST(TitleButtonVisibility, ActionVeto)
{
    EXPECT_FALSE(ActionAllows(0, With([](auto& s) { s.maximizeBox = s.minimizeBox = true; })));
    EXPECT_TRUE(ActionAllows(0, With([](auto& s) { s.systemMenu = true; })));
    EXPECT_FALSE(ActionAllows(1, With([](auto& s) { s.systemMenu = s.minimizeBox = true; })));
    EXPECT_TRUE(ActionAllows(1, With([](auto& s) { s.maximizeBox = true; })));
    EXPECT_FALSE(ActionAllows(2, With([](auto& s) { s.systemMenu = s.maximizeBox = true; })));
    EXPECT_TRUE(ActionAllows(2, With([](auto& s) { s.minimizeBox = true; })));
    for (const int icon : {3, 11, 12}) {
        EXPECT_FALSE(ActionAllows(icon, With([](auto& s) { s.dialogBorder = true; }))) << icon;
        EXPECT_TRUE(ActionAllows(icon, With([](auto& s) { s.dialogClass = true; }))) << icon;
        EXPECT_TRUE(ActionAllows(icon, Bare())) << icon;
    }
    for (const int other : {-1, 4, 5, 7, 8, 9, 22, 23, 60, 100})
        EXPECT_TRUE(ActionAllows(other, Bare())) << other;
}

TEST(TitleButtonVisibility, BothKeysAndTheVetoMustAgree)
{
    const TTitleWindowState maximised = With([](auto& s) { s.maximized = s.systemMenu = true; });
    EXPECT_TRUE(TitleButtonShows(1, 0, 0, maximised, neverAsked));
    EXPECT_FALSE(TitleButtonShows(1, 2, 0, maximised, neverAsked)) << "second key says no";
    EXPECT_FALSE(TitleButtonShows(2, 1, 0, maximised, neverAsked)) << "first key says no";
    EXPECT_FALSE(TitleButtonShows(1, 0, 1, maximised, neverAsked)) << "no maximise box";

    int asked = 0;
    const TAskButtonVisible yes = [&](int, int) { return ++asked > 0; };
    EXPECT_FALSE(TitleButtonShows(1000, 1, 0, With([](auto& s) { s.systemMenu = true; }), yes));
    EXPECT_EQ(asked, 1) << "the window is asked even when the second key hides the button";
    EXPECT_TRUE(TitleButtonShows(1000, 0, 0, With([](auto& s) { s.systemMenu = true; }), yes));
}

TEST(TitleButtonActions, EveryActionNumber)
{
    EXPECT_EQ(TitleActionOf(0), taClose);
    EXPECT_EQ(TitleActionOf(1), taMaximize);
    EXPECT_EQ(TitleActionOf(22), taMaximize);
    EXPECT_EQ(TitleActionOf(2), taMinimize);
    EXPECT_EQ(TitleActionOf(23), taMinimize);
    for (const int icon : {3, 11, 12})
        EXPECT_EQ(TitleActionOf(icon), taSystemMenu) << icon;
    EXPECT_EQ(TitleActionOf(7), taMdiMinimize);
    EXPECT_EQ(TitleActionOf(60), taMdiMinimize);
    EXPECT_EQ(TitleActionOf(8), taMdiRestore);
    EXPECT_EQ(TitleActionOf(61), taMdiRestore);
    EXPECT_EQ(TitleActionOf(9), taMdiClose);
    EXPECT_EQ(TitleActionOf(62), taMdiClose);
    for (const int custom : {4, 5, 6, 10, 13, 21, 24, 59, 63, 100, 1500})
        EXPECT_EQ(TitleActionOf(custom), taCustom) << custom;

    EXPECT_TRUE(DrawsWindowIcon(3));
    EXPECT_TRUE(DrawsWindowIcon(11));
    EXPECT_FALSE(DrawsWindowIcon(12)) << "opens the system menu but shows its own image";
    EXPECT_FALSE(DrawsWindowIcon(0));
    EXPECT_TRUE(CanBeHit(0));
    EXPECT_FALSE(CanBeHit(-1));
}

TEST(TitleButtonLayout, EveryAlign)
{
    TTitleFrame frame;
    frame.windowWidth = 300;
    frame.captionRect = {100, 2, 180, 20};
    frame.titleHeight = 30;
    frame.menuBarHeight = 20;
    frame.borderLeft = 4;
    frame.borderRight = 6;

    EXPECT_EQ(PlaceTitleButton(0, 7, 5, 21, 16, frame), (TNCRect{7, 5, 28, 21}));
    EXPECT_EQ(PlaceTitleButton(1, 25, 4, 21, 16, frame), (TNCRect{275, 4, 296, 20}));
    EXPECT_EQ(PlaceTitleButton(2, 3, 1, 21, 16, frame), (TNCRect{76, 1, 97, 17}));
    EXPECT_EQ(PlaceTitleButton(8, 3, 1, 21, 16, frame), (TNCRect{76, 1, 97, 17}));
    EXPECT_EQ(PlaceTitleButton(3, 3, 1, 21, 16, frame), (TNCRect{183, 1, 204, 17}));
    EXPECT_EQ(PlaceTitleButton(9, 3, 1, 21, 16, frame), (TNCRect{183, 1, 204, 17}));
    for (const int other : {-1, 4, 5, 6, 7, 10, 99, 101})
        EXPECT_EQ(PlaceTitleButton(other, 25, 4, 21, 16, frame), (TNCRect{0, 0, 21, 16})) << other;
}

TEST(TitleButtonLayout, BeforeTheFirstTitlePaintTheCaptionBoxIsAtTheOrigin)
{
    const TTitleFrame frame{.windowWidth = 300};
    EXPECT_EQ(PlaceTitleButton(2, 3, 1, 21, 16, frame), (TNCRect{-24, 1, -3, 17}));
    EXPECT_EQ(PlaceTitleButton(3, 3, 1, 21, 16, frame), (TNCRect{3, 1, 24, 17}));
}

TEST(TitleButtonLayout, MdiButtonsOnTheMenuBarInBothReadingDirections)
{
    TTitleFrame frame;
    frame.windowWidth = 300;
    frame.titleHeight = 30;
    frame.menuBarHeight = 19;
    frame.borderLeft = 4;
    frame.borderRight = 6;

    // Left to right, no menu bar element: 300 - 14 - 6; top 30 + (19 - 16) / 2.
    EXPECT_EQ(PlaceTitleButton(100, 14, 99, 10, 16, frame), (TNCRect{280, 31, 290, 47}));
    frame.menuBarElement = true;
    frame.menuBarLeftMargin = 5;
    EXPECT_EQ(PlaceTitleButton(100, 14, 99, 10, 16, frame), (TNCRect{275, 31, 285, 47}));

    frame.rightToLeft = true;
    EXPECT_EQ(PlaceTitleButton(100, 14, 99, 10, 16, frame), (TNCRect{23, 31, 33, 47}));
    frame.menuBarElement = false;
    EXPECT_EQ(PlaceTitleButton(100, 14, 99, 10, 16, frame), (TNCRect{18, 31, 28, 47}))
        << "the margin counts only with the element";

    // A button higher than the bar: (10 - 15) / 2 is -2, not -3.
    frame.menuBarHeight = 10;
    EXPECT_EQ(PlaceTitleButton(100, 14, 0, 10, 15, frame).top, 28);
}

TEST(TitleButtonCells, RestingCellAndStateCells)
{
    EXPECT_EQ(RestingCell(true, 3), 1);
    EXPECT_EQ(RestingCell(true, 6), 1);
    EXPECT_EQ(RestingCell(false, 3), 1);
    EXPECT_EQ(RestingCell(false, 4), 4);
    EXPECT_EQ(RestingCell(false, 6), 4);

    EXPECT_EQ(StateCell(dsNormal, 0), 1);
    EXPECT_EQ(StateCell(dsPressed, 0), 2);
    EXPECT_EQ(StateCell(dsHover, 0), 3);
    EXPECT_EQ(StateCell(dsNormal, 100), 1);
    EXPECT_EQ(StateCell(dsPressed, 100), 2);
    EXPECT_EQ(StateCell(dsHover, 100), 4);

    EXPECT_EQ(CellWidth(126, 6), 21);
    EXPECT_EQ(CellWidth(60, 3), 20);
    EXPECT_EQ(CellWidth(61, 3), 20);
    EXPECT_EQ(CellWidth(40, 0), 40);
}

} // namespace
