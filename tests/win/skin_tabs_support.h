// Shared by the tab skinner tests: what a tab control's own code receives
// less the painting and the questions that only read its state (the
// skinner asks them to paint, the tests to aim), and a click.
#pragma once

#include "tests/win/skin_bars_support.h"

#include <commctrl.h>

#include <vector>

namespace skintabstest {

inline bool ReadsOnly(UINT message)
{
    switch (message) {
    case TCM_GETIMAGELIST:
    case TCM_GETITEMCOUNT:
    case TCM_GETITEMA:
    case TCM_GETITEMW:
    case TCM_GETITEMRECT:
    case TCM_GETCURSEL:
    case TCM_GETCURFOCUS:
    case TCM_ADJUSTRECT:
    case WM_GETFONT:
        return true;
    default:
        return false;
    }
}

inline std::vector<msgseq::Entry> TabBehaviour(const std::vector<msgseq::Entry>& entries)
{
    std::vector<msgseq::Entry> kept;
    for (const msgseq::Entry& entry : skinbarstest::Behaviour(entries)) {
        if (!ReadsOnly(entry.message))
            kept.push_back(entry);
    }
    return kept;
}

inline void ClickAt(HWND window, POINT point)
{
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    skinbarstest::Flush(80);
}

// Pixels of area that are not exactly colour: text drawn over a plain fill.
inline int CountOther(HDC dc, const RECT& area, COLORREF colour)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += GetPixel(dc, x, y) != colour ? 1 : 0;
    return count;
}

} // namespace skintabstest
