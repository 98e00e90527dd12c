// The rules of title-bar buttons that need no window: when a button shows
// (its "Visibility" and "Visibility1" keys and the veto of its "Action"),
// where it goes (its "Align", "Xcoord" and "Ycoord"), what its action is and
// which cell of its image strip it shows.
#pragma once

#include "skin/chrome/NCGeometry.h"
#include "skin/chrome/NCObject.h"

#include <functional>

// The window's state as the visibility rules see it.
struct TTitleWindowState {
    bool maximized = false;
    bool active = true;
    bool maximizeBox = false;
    bool minimizeBox = false;
    bool systemMenu = false;
    // An MDI frame whose active child is maximised, and which has a menu bar.
    bool maximizedMdiChildOnMenuBar = false;
    // The window class is a dialog's ("#32770", "TMessageForm").
    bool dialogClass = false;
    // The frame is of the dialog kind.
    bool dialogBorder = false;
};

// The "Visibility" of the three MDI child buttons, which sit on the menu bar.
inline constexpr int MdiButtonVisibility = 100;
// "Visibility" values in this range ask the window itself.
inline constexpr int FirstAskedVisibility = 1000;
inline constexpr int LastAskedVisibility = 2000;

// Asks the window whether a button with that visibility value and action shows.
using TAskButtonVisible = std::function<bool(int visibility, int action)>;

// "Visibility": values 1000 to 2000 ask the window, every time.
bool FirstVisibilityShows(int visibility, int action, const TTitleWindowState& state, const TAskButtonVisible& ask);
// "Visibility1".
bool SecondVisibilityShows(int visibility1, const TTitleWindowState& state);
// A close button needs a system menu, maximise and minimise buttons their
// boxes; a window-icon button has no place on a dialog frame.
bool ActionAllows(int action, const TTitleWindowState& state);
// Both conditions (the window is asked first) and the veto.
bool TitleButtonShows(int visibility, int visibility1, int action, const TTitleWindowState& state,
                      const TAskButtonVisible& ask);

// What a click on a title button does.
enum TTitleAction : int {
    taClose,
    taMaximize,   // toggles
    taMinimize,   // toggles
    taSystemMenu, // the window icon
    taMdiMinimize,
    taMdiRestore,
    taMdiClose,
    taCustom, // the window is told which button it was
};
TTitleAction TitleActionOf(int action);
// Buttons with these actions show the window's icon instead of their image.
bool DrawsWindowIcon(int action);
// A button with a negative action is painted but never hit.
inline bool CanBeHit(int action) { return action >= 0; }

// What the layout needs of the window's frame.
struct TTitleFrame {
    int windowWidth = 0;
    // The caption text's box at the previous title paint.
    TNCRect captionRect{};
    int titleHeight = 0;
    int menuBarHeight = 0;
    int borderLeft = 0;
    int borderRight = 0;
    bool rightToLeft = false;
    // The skin's menu bar element exists; its left margin then shifts the MDI buttons inwards.
    bool menuBarElement = false;
    int menuBarLeftMargin = 0;
};

// The rectangle of a width x height button placed by its align and coordinates.
TNCRect PlaceTitleButton(int align, int xcoord, int ycoord, int width, int height, const TTitleFrame& frame);

// One cell of an image strip of frameCount cells (a count below 1 counts as 1).
int CellWidth(int imageWidth, int frameCount);
// The cell a button shows when the title is painted: 1, or 4 for an
// inactive window whose strip has 4 or more cells.
int RestingCell(bool active, int frameCount);
// The cell for a state change: the state's own, but the MDI buttons hover with cell 4.
int StateCell(TNCDrawState state, int visibility);
