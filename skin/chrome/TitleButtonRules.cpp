#include "skin/chrome/TitleButtonRules.h"

namespace {

// The values both visibility keys share.
enum TCommonVisibility : int {
    cvAlways = 0,
    cvMaximized = 1,
    cvNotMaximized = 2,
    cvActive = 3,
    cvInactive = 4,
    cvMaximizeBox = 6,
    cvNoMaximizeBox = 7,
    cvMinimizeBox = 8,
    cvNoMinimizeBox = 9,
};

// The first key's values 200 and up.
constexpr int DialogFrameVisibility = 200;
constexpr int LastAlwaysVisibility = 999;

} // namespace

bool FirstVisibilityShows(int visibility, int action, const TTitleWindowState& state, const TAskButtonVisible& ask)
{
    switch (visibility) {
    case cvAlways: return true;
    case cvMaximized: return state.maximized;
    case cvNotMaximized: return !state.maximized;
    case cvActive: return state.active;
    case cvInactive: return !state.active;
    case cvMaximizeBox: return state.maximizeBox && state.systemMenu;
    case cvNoMaximizeBox: return !state.maximizeBox;
    case cvMinimizeBox: return state.minimizeBox && state.systemMenu;
    case cvNoMinimizeBox: return !state.minimizeBox;
    case MdiButtonVisibility: return state.maximizedMdiChildOnMenuBar;
    case DialogFrameVisibility: return !state.dialogClass && state.dialogBorder;
    default: break;
    }
    if (visibility > DialogFrameVisibility && visibility <= LastAlwaysVisibility)
        return true;
    if (visibility >= FirstAskedVisibility && visibility <= LastAskedVisibility)
        return ask && ask(visibility, action);
    return false;
}

bool SecondVisibilityShows(int visibility1, const TTitleWindowState& state)
{
    switch (visibility1) {
    case cvAlways: return true;
    case cvMaximized: return state.maximized;
    case cvNotMaximized: return !state.maximized;
    case cvActive: return state.active;
    case cvInactive: return !state.active;
    case cvMaximizeBox: return state.maximizeBox;
    case cvNoMaximizeBox: return !state.maximizeBox;
    case cvMinimizeBox: return state.minimizeBox;
    case cvNoMinimizeBox: return !state.minimizeBox;
    case MdiButtonVisibility: return state.maximizedMdiChildOnMenuBar;
    default: return false;
    }
}

// The numbers below are the skin's "Action" and "Align" values.
bool ActionAllows(int action, const TTitleWindowState& state)
{
    switch (action) {
    case 0: return state.systemMenu;
    case 1: return state.maximizeBox;
    case 2: return state.minimizeBox;
    case 3:
    case 11:
    case 12: return !state.dialogBorder;
    default: return true;
    }
}

bool TitleButtonShows(int visibility, int visibility1, int action, const TTitleWindowState& state,
                      const TAskButtonVisible& ask)
{
    const bool first = FirstVisibilityShows(visibility, action, state, ask);
    return first && SecondVisibilityShows(visibility1, state) && ActionAllows(action, state);
}

TTitleAction TitleActionOf(int action)
{
    switch (action) {
    case 0: return taClose;
    case 1:
    case 22: return taMaximize;
    case 2:
    case 23: return taMinimize;
    case 3:
    case 11:
    case 12: return taSystemMenu;
    case 7:
    case 60: return taMdiMinimize;
    case 8:
    case 61: return taMdiRestore;
    case 9:
    case 62: return taMdiClose;
    default: return taCustom;
    }
}

bool DrawsWindowIcon(int action) { return action == 3 || action == 11; }

TNCRect PlaceTitleButton(int align, int xcoord, int ycoord, int width, int height, const TTitleFrame& frame)
{
    int left = 0;
    int top = 0;
    switch (align) {
    case 0:
        left = xcoord;
        top = ycoord;
        break;
    case 1:
        left = frame.windowWidth - xcoord;
        top = ycoord;
        break;
    case 2:
    case 8:
        left = frame.captionRect.left - width - xcoord;
        top = ycoord;
        break;
    case 3:
    case 9:
        left = frame.captionRect.right + xcoord;
        top = ycoord;
        break;
    case 100: {
        // On the menu bar, at its right end (its left end in a right-to-left window).
        const int margin = frame.menuBarElement ? frame.menuBarLeftMargin : 0;
        left = frame.rightToLeft ? xcoord + frame.borderLeft + margin
                                 : frame.windowWidth - xcoord - frame.borderRight - margin;
        top = frame.titleHeight + (frame.menuBarHeight - height) / 2;
        break;
    }
    default: break;
    }
    return {left, top, left + width, top + height};
}

int CellWidth(int imageWidth, int frameCount) { return imageWidth / (frameCount < 1 ? 1 : frameCount); }

int RestingCell(bool active, int frameCount) { return active || frameCount < 4 ? 1 : 4; }

int StateCell(TNCDrawState state, int visibility)
{
    return state == dsHover && visibility == MdiButtonVisibility ? 4 : state;
}
