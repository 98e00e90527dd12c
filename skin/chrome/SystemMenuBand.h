// A window's own menu bar shown inside the skinned frame, until a skinned
// menu bar takes the band over: the top-level items side by side in the menu
// font over the band's face colour, and a click on an item opens its
// drop-down below it or, for an item without one, runs its command.
#pragma once

#include <windows.h>

#include <vector>

class TSkinData;

class TSystemMenuBand {
public:
    explicit TSystemMenuBand(HMENU menu) : menu_(menu) {}

    // The band's height: the system's menu bar height.
    static int Height();
    // Lays the items out from the band's left edge and draws their captions
    // into dc, a picture of the window from its top-left corner.
    void Paint(HDC dc, const RECT& band, const TSkinData& skin);
    // The item under a point in window coordinates at the last paint; -1 when none.
    int ItemAt(POINT windowPoint) const;
    // Opens the item's drop-down under it (the chosen command goes to window
    // as a posted WM_COMMAND) or posts the command of an item that has none.
    void Open(HWND window, int item) const;

private:
    HMENU menu_;
    std::vector<RECT> items_; // window coordinates, one per top-level item
};
