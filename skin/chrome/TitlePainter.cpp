#include "skin/chrome/TitlePainter.h"

#include "skin/chrome/BorderPainter.h"
#include "skin/chrome/CaptionText.h"
#include "skin/model/WinSkinData.h"

RECT TTitlePainter::TitleBand(const TFrameState& state)
{
    const int height = state.metrics.titleHeight;
    if (state.minimised)
        return {0, 0, state.size.cx, height};
    return {state.metrics.borderLeft, 0, state.size.cx - state.metrics.borderRight, height};
}

void TTitlePainter::Paint(HDC dc, TSkinData& skin, const TFrameState& state, std::wstring_view caption,
                          const TTitleButtonsPainter& paintButtons)
{
    const int width = state.size.cx;
    const int height = state.minimised ? state.size.cy : state.metrics.titleHeight;
    if (width <= 0 || height <= 0)
        return;
    buffer_.SetSize(width, height);
    const HDC buffer = buffer_.Canvas().Handle();
    if (state.minimised)
        FillWithFace(buffer, {0, 0, width, height}, skin);
    else
        BitBlt(buffer, 0, 0, width, height, dc, 0, 0, SRCCOPY);

    const RECT band = TitleBand(state);
    PaintBorder(buffer, band, skin, TBorderSide::Top, state.active);
    if (paintButtons)
        paintButtons(buffer);
    captionRect_ = DrawCaption(buffer_.Canvas(), band, skin, caption,
                               {.active = state.active, .kind = state.kind, .rightToLeft = state.rightToLeft});

    BitBlt(dc, 0, 0, width, height, buffer, 0, 0, SRCCOPY);
    SetBkMode(dc, OPAQUE);
}
