// The whole skinned frame of a window: both sides, the bottom, the title bar
// and the menu bar band, painted into a DC whose origin is the window's
// top-left corner (the window DC, or a picture of the window). The frame is
// composed in buffers of the painter's own and put on the DC in one blit per
// strip (top, left, right, bottom): a window DC gets few and large drawing
// calls, and nothing is read back from it.
#pragma once

#include "skin/chrome/FrameMetrics.h"
#include "skin/chrome/TitlePainter.h"
#include "ui/Bitmap.h"

#include <windows.h>

#include <functional>
#include <string_view>

class TSkinData;

// Draws the menu bar into its band of dc, the whole band: the buffer under it
// holds the previous paint.
using TMenuBarPainter = std::function<void(HDC dc, const RECT& band)>;

// The parts of the frame other objects draw.
struct TFrameHooks {
    TTitleButtonsPainter paintTitleButtons;
    // Without one, a window with a menu height gets its band in the face colour.
    TMenuBarPainter paintMenuBar;
};

class TFramePainter {
public:
    TFrameHooks Hooks;

    // The menu bar's band: below the title bar, between the side borders.
    static RECT MenuBand(const TFrameState& state);

    // Paints the frame: left, right and bottom borders, the title bar, then
    // the menu bar band; a minimised window only gets its title bar, and a
    // window without caption nothing. A failure inside puts the frame as far
    // as it got and answers false: the window stays usable.
    bool Paint(HDC dc, TSkinData& skin, const TFrameState& state, std::wstring_view caption) noexcept;

    // Paints the frame of a window into dc, or into the window's own DC when
    // dc is null, at the size of the window's rectangle (state.size is
    // replaced). Returns that rectangle, in screen coordinates.
    RECT PaintWindow(HWND window, HDC dc, TSkinData& skin, TFrameState state, std::wstring_view caption) noexcept;

    // The caption's box at the last paint, for the title-button layout.
    const RECT& CaptionRect() const noexcept { return title_.CaptionRect(); }

private:
    void Compose(TSkinData& skin, const TFrameState& state, std::wstring_view caption);
    void Put(HDC dc, const TFrameState& state);

    TTitlePainter title_;
    // The title bar with the menu band below it, over the window's width (a
    // minimised window's whole area); origin at the window's top-left corner.
    TBitmap top_;
    // The left and the right border side by side, over the window's height.
    TBitmap sides_;
    // The bottom border, at its place along the window's width.
    TBitmap bottom_;
};
