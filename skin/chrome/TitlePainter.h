// The skinned title bar, composed in a back buffer and copied to the window
// in one blit: the top border picture, the title-bar buttons and the caption.
#pragma once

#include "skin/chrome/FrameMetrics.h"
#include "ui/Bitmap.h"

#include <windows.h>

#include <functional>
#include <string_view>

class TSkinData;

// Draws the title-bar buttons into the title buffer's DC, whose origin is the
// window's top-left corner. It runs after the top border and before the
// caption, so CaptionRect is still the one of the previous paint.
using TTitleButtonsPainter = std::function<void(HDC titleBuffer)>;

class TTitlePainter {
public:
    // The title band of a window: the title height between the side borders;
    // a minimised window's spans its whole width.
    static RECT TitleBand(const TFrameState& state);

    // Draws the title bar of the window into dc, whose origin is the window's
    // top-left corner. A minimised window's whole area is drawn (face colour
    // under the title band); otherwise only the title height, keeping what dc
    // already shows left and right of the band. caption is drawn as it is.
    void Paint(HDC dc, TSkinData& skin, const TFrameState& state, std::wstring_view caption,
               const TTitleButtonsPainter& paintButtons = {});

    // The caption's box at the last paint; empty at (0, 0) before the first.
    const RECT& CaptionRect() const noexcept { return captionRect_; }

private:
    TBitmap buffer_;
    RECT captionRect_{};
};
