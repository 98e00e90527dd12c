// The skinned title bar: the top border picture, the title-bar buttons and
// the caption, drawn into the frame's buffer.
#pragma once

#include "skin/chrome/FrameMetrics.h"

#include <windows.h>

#include <functional>
#include <string_view>

class TCanvas;
class TSkinData;

// Draws the title-bar buttons into the frame buffer's DC, whose origin is the
// window's top-left corner. It runs after the top border and before the
// caption, so CaptionRect is still the one of the previous paint.
using TTitleButtonsPainter = std::function<void(HDC titleBuffer)>;

class TTitlePainter {
public:
    // The title band of a window: the title height between the side borders;
    // a minimised window's spans its whole width.
    static RECT TitleBand(const TFrameState& state);

    // Draws the title band of the window into canvas, whose origin is the
    // window's top-left corner: the top border, then the buttons, which reach
    // no lower than the title height (a minimised window's whole height),
    // then the caption, drawn as it is. What canvas shows left and right of
    // the band stays.
    void Paint(TCanvas& canvas, TSkinData& skin, const TFrameState& state, std::wstring_view caption,
               const TTitleButtonsPainter& paintButtons = {});

    // The caption's box at the last paint; empty at (0, 0) before the first.
    const RECT& CaptionRect() const noexcept { return captionRect_; }

private:
    RECT captionRect_{};
};
