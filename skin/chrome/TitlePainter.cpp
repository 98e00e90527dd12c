#include "skin/chrome/TitlePainter.h"

#include "skin/chrome/BorderPainter.h"
#include "skin/chrome/CaptionText.h"
#include "ui/Graphics.h"

namespace {

// Keeps drawing on a DC inside a rectangle for a while; the DC has no clip of its own.
class ClipTo {
public:
    ClipTo(HDC dc, const RECT& r) noexcept : dc_(dc) { IntersectClipRect(dc, r.left, r.top, r.right, r.bottom); }
    ClipTo(const ClipTo&) = delete;
    ClipTo& operator=(const ClipTo&) = delete;
    ~ClipTo() { SelectClipRgn(dc_, nullptr); }

private:
    HDC dc_;
};

} // namespace

RECT TTitlePainter::TitleBand(const TFrameState& state)
{
    const int height = state.metrics.titleHeight;
    if (state.minimised)
        return {0, 0, state.size.cx, height};
    return {state.metrics.borderLeft, 0, state.size.cx - state.metrics.borderRight, height};
}

void TTitlePainter::Paint(TCanvas& canvas, TSkinData& skin, const TFrameState& state, std::wstring_view caption,
                          const TTitleButtonsPainter& paintButtons)
{
    const int width = state.size.cx;
    const int height = state.minimised ? state.size.cy : state.metrics.titleHeight;
    if (width <= 0 || height <= 0)
        return;
    const HDC dc = canvas.Handle();
    const RECT band = TitleBand(state);
    PaintBorder(dc, band, skin, TBorderSide::Top, state.active);
    if (paintButtons) {
        const ClipTo title(dc, {0, 0, width, height});
        paintButtons(dc);
    }
    captionRect_ = DrawCaption(canvas, band, skin, caption,
                               {.active = state.active, .kind = state.kind, .rightToLeft = state.rightToLeft});
}
