// Shared by the button skinner tests: a skin whose every frame and cell has
// a colour of its own, surfaces to paint into, and pixel counting.
#pragma once

#include "tests/win/skin_control_support.h"

#include "skin/model/SkinElements.h"
#include "ui/Bitmap.h"
#include "ui/Handles.h"

#include <windows.h>

#include <cstdlib>
#include <functional>

namespace skinbuttontest {

inline constexpr COLORREF kMagenta = RGB(255, 0, 255);

// Frame i of the Buttons picture (1 normal, 2 down, 3 disabled, 4 hot, 5 focused).
inline COLORREF FrameColour(int frame) { return RGB(40 * frame, 220 - 30 * frame, 90 + 25 * frame); }
// Cell i (from 1) of the check and radio pictures.
inline COLORREF CellColour(int cell) { return RGB(20 * cell, 70, 250 - 20 * cell); }

// `count` cells of width x height side by side, cell i in colour(i); with
// keyedCorners each cell's 3 x 3 corners are magenta.
inline void PaintCells(TBitmap& bitmap, int count, int width, int height, const std::function<COLORREF(int)>& colour,
                       bool keyedCorners = false)
{
    bitmap.SetSize(count * width, height);
    TCanvas& canvas = bitmap.Canvas();
    for (int i = 0; i < count; ++i) {
        canvas.Brush().SetColor(static_cast<TColor>(colour(i + 1)));
        canvas.FillRect(RECT{i * width, 0, (i + 1) * width, height});
        if (!keyedCorners)
            continue;
        canvas.Brush().SetColor(static_cast<TColor>(kMagenta));
        const int left = i * width;
        for (const RECT corner : {RECT{left, 0, left + 3, 3}, RECT{left + width - 3, 0, left + width, 3},
                                  RECT{left, height - 3, left + 3, height},
                                  RECT{left + width - 3, height - 3, left + width, height}})
            canvas.FillRect(corner);
    }
}

// The Buttons element of the test skin: five 20 x 20 frames with 4-pixel
// margins, check and radio pictures of 13 x 13 cells.
inline void MakeButtonSkin(TSkinData& skin, int checkCells = 4, int radioCells = 4)
{
    TDataSkinButton& buttons = *skin.ButtonsElement;
    PaintCells(buttons.Bitmap, 5, 20, 20, FrameColour);
    buttons.FrameCount = 5;
    buttons.LeftWidth = buttons.TopHeight = buttons.RightWidth = buttons.BottomHeight = 4;
    PaintCells(buttons.CheckBitmap, checkCells, 13, 13, CellColour);
    buttons.CheckFrameCount = checkCells;
    PaintCells(buttons.RadioBitmap, radioCells, 13, 13, CellColour);
    buttons.RadioFrameCount = radioCells;
}

// A memory DC over a white bitmap of the screen's format.
struct Surface {
    Surface(int width, int height) : dc(CreateCompatibleDC(nullptr))
    {
        const ui::UniqueWindowDC screen = ui::UniqueWindowDC::Client(nullptr);
        bitmap.reset(CreateCompatibleBitmap(screen.get(), width, height));
        old = SelectObject(dc.get(), bitmap.get());
        const RECT all{0, 0, width, height};
        FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Surface() { SelectObject(dc.get(), old); }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    ui::UniqueDC dc;
    ui::UniqueBitmap bitmap;
    HGDIOBJ old = nullptr;
};

// Whether each channel is within tolerance of colour's.
inline bool Near(COLORREF pixel, COLORREF colour, int tolerance = 40)
{
    return std::abs(GetRValue(pixel) - GetRValue(colour)) <= tolerance &&
           std::abs(GetGValue(pixel) - GetGValue(colour)) <= tolerance &&
           std::abs(GetBValue(pixel) - GetBValue(colour)) <= tolerance;
}

inline int CountNear(HDC dc, const RECT& area, COLORREF colour, int tolerance = 40)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += Near(GetPixel(dc, x, y), colour, tolerance) ? 1 : 0;
    return count;
}

inline int Distance(COLORREF a, COLORREF b)
{
    const int red = GetRValue(a) - GetRValue(b);
    const int green = GetGValue(a) - GetGValue(b);
    const int blue = GetBValue(a) - GetBValue(b);
    return red * red + green * green + blue * blue;
}

// Antialiased text: the pixels nearer to colour than to the background.
inline int CountLeaning(HDC dc, const RECT& area, COLORREF colour, COLORREF background)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF pixel = GetPixel(dc, x, y);
            count += Distance(pixel, colour) < Distance(pixel, background) ? 1 : 0;
        }
    return count;
}

} // namespace skinbuttontest
