#include "skin/chrome/FramePainter.h"

#include "skin/chrome/BorderPainter.h"
#include "ui/Handles.h"

#include <algorithm>

namespace {

// The height of the top strip: the title bar and the menu band, or a minimised window's whole area.
LONG TopHeight(const TFrameState& state)
{
    return state.minimised ? state.size.cy : state.metrics.titleHeight + state.menuHeight;
}

} // namespace

RECT TFramePainter::MenuBand(const TFrameState& state)
{
    const TFrameMetrics& m = state.metrics;
    return {m.borderLeft, m.titleHeight, state.size.cx - m.borderRight, m.titleHeight + state.menuHeight};
}

bool TFramePainter::Paint(HDC dc, TSkinData& skin, const TFrameState& state, std::wstring_view caption) noexcept
{
    if (state.kind == TBorderKind::None || state.size.cx <= 0 || state.size.cy <= 0)
        return true;
    // Painting runs inside WM_NCPAINT: nothing may leave it, and a frame
    // half painted is better than a window that cannot be used.
    bool whole = true;
    try {
        Compose(skin, state, caption);
    } catch (...) {
        whole = false;
    }
    Put(dc, state);
    return whole;
}

RECT TFramePainter::PaintWindow(HWND window, HDC dc, TSkinData& skin, TFrameState state,
                                std::wstring_view caption) noexcept
{
    RECT rect{};
    if (!GetWindowRect(window, &rect))
        return rect;
    state.size = {rect.right - rect.left, rect.bottom - rect.top};
    if (dc) {
        Paint(dc, skin, state, caption);
        return rect;
    }
    const ui::UniqueWindowDC own = ui::UniqueWindowDC::Whole(window);
    if (own)
        Paint(own.get(), skin, state, caption);
    return rect;
}

void TFramePainter::Compose(TSkinData& skin, const TFrameState& state, std::wstring_view caption)
{
    const TFrameMetrics& m = state.metrics;
    const LONG width = state.size.cx;
    const LONG height = state.size.cy;
    top_.SetSize(width, TopHeight(state));
    TCanvas& top = top_.Canvas();
    if (state.minimised) {
        FillWithFace(top.Handle(), {0, 0, width, height}, skin);
        title_.Paint(top, skin, state, caption, Hooks.paintTitleButtons);
        return;
    }
    sides_.SetSize(m.borderLeft + m.borderRight, height);
    const HDC sides = sides_.Canvas().Handle();
    PaintBorder(sides, {0, 0, m.borderLeft, height}, skin, TBorderSide::Left, state.active);
    PaintBorder(sides, {m.borderLeft, 0, m.borderLeft + m.borderRight, height}, skin, TBorderSide::Right,
                state.active);
    bottom_.SetSize(width, m.borderBottom);
    PaintBorder(bottom_.Canvas().Handle(), {m.borderLeft, 0, width - m.borderRight, m.borderBottom}, skin,
                TBorderSide::Bottom, state.active);

    // The title bar goes over the sides' top ends, the menu band between them.
    const int sideTop = std::min(TopHeight(state), height);
    BitBlt(top.Handle(), 0, 0, m.borderLeft, sideTop, sides, 0, 0, SRCCOPY);
    BitBlt(top.Handle(), width - m.borderRight, 0, m.borderRight, sideTop, sides, m.borderLeft, 0, SRCCOPY);
    title_.Paint(top, skin, state, caption, Hooks.paintTitleButtons);
    const RECT menuBand = MenuBand(state);
    if (Hooks.paintMenuBar)
        Hooks.paintMenuBar(top.Handle(), menuBand);
    else if (state.menuHeight > 0)
        FillWithFace(top.Handle(), menuBand, skin);
}

void TFramePainter::Put(HDC dc, const TFrameState& state)
{
    const TFrameMetrics& m = state.metrics;
    const LONG width = state.size.cx;
    const LONG height = state.size.cy;
    const LONG topHeight = TopHeight(state);
    // A buffer a failure left at another size is not put.
    if (!state.minimised) {
        // In the order the parts cover each other: the sides, the bottom, then the top strip.
        const LONG below = height - topHeight;
        if (below > 0 && sides_.Height() == height) {
            const HDC sides = sides_.Canvas().Handle();
            BitBlt(dc, 0, topHeight, m.borderLeft, below, sides, 0, topHeight, SRCCOPY);
            BitBlt(dc, width - m.borderRight, topHeight, m.borderRight, below, sides, m.borderLeft, topHeight,
                   SRCCOPY);
        }
        const LONG bottomWidth = width - m.borderLeft - m.borderRight;
        if (bottomWidth > 0 && m.borderBottom > 0 && bottom_.Width() == width)
            BitBlt(dc, m.borderLeft, height - m.borderBottom, bottomWidth, m.borderBottom, bottom_.Canvas().Handle(),
                   m.borderLeft, 0, SRCCOPY);
    }
    if (top_.Width() == width && top_.Height() == topHeight)
        BitBlt(dc, 0, 0, width, topHeight, top_.Canvas().Handle(), 0, 0, SRCCOPY);
    // The title bar has always left dc drawing opaque backgrounds.
    SetBkMode(dc, OPAQUE);
}
