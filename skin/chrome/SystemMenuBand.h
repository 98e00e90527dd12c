// A window's own menu bar shown inside the skinned frame, until a skinned
// menu bar takes the band over: the top-level items side by side in the menu
// font over the band's face colour, and a click on an item opens its
// drop-down below it or, for an item without one, runs its command.
#pragma once

#include "ui/Bitmap.h"

#include <windows.h>

#include <string>
#include <vector>

class TSkinData;

class TSystemMenuBand {
public:
    explicit TSystemMenuBand(HMENU menu) : menu_(menu) {}

    // The band's height: the system's menu bar height.
    static int Height();
    // Draws the band into dc, a picture of the window from its top-left
    // corner: the face colour with the items' captions laid out from the
    // band's left edge and cut at its right edge. Text is slow to draw, so the
    // band's picture is kept and put again while the items, the colours, the
    // font and the band's size stay as they were.
    void Paint(HDC dc, const RECT& band, const TSkinData& skin);
    // The item under a point in window coordinates at the last paint; -1 when none.
    int ItemAt(POINT windowPoint) const;
    // Opens the item's drop-down under it (the chosen command goes to window
    // as a posted WM_COMMAND) or posts the command of an item that has none.
    void Open(HWND window, int item) const;

private:
    // Everything the band's picture is drawn from.
    struct TLook {
        struct TItem {
            std::string caption;
            bool enabled = true;
            bool operator==(const TItem&) const = default;
        };
        SIZE size{};
        COLORREF face = 0;
        COLORREF text = 0;
        COLORREF grayText = 0;
        LOGFONTA font{};
        std::vector<TItem> items;
        bool operator==(const TLook& other) const;
    };
    TLook Look(const RECT& band, const TSkinData& skin) const;
    void Draw(const TLook& look, const TSkinData& skin);

    HMENU menu_;
    TLook drawn_;
    TBitmap picture_;
    std::vector<RECT> layout_; // band coordinates, one per item drawn
    std::vector<RECT> items_;  // window coordinates, one per item drawn at the last paint
};
