#include "skin/chrome/FramePainter.h"

#include "skin/chrome/BorderPainter.h"
#include "ui/Handles.h"

RECT TFramePainter::MenuBand(const TFrameState& state)
{
    const TFrameMetrics& m = state.metrics;
    return {m.borderLeft, m.titleHeight, state.size.cx - m.borderRight, m.titleHeight + state.menuHeight};
}

bool TFramePainter::Paint(HDC dc, TSkinData& skin, const TFrameState& state, std::wstring_view caption) noexcept
{
    // Painting runs inside WM_NCPAINT: nothing may leave it, and a frame
    // half painted is better than a window that cannot be used.
    try {
        PaintParts(dc, skin, state, caption);
        return true;
    } catch (...) {
        return false;
    }
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

void TFramePainter::PaintParts(HDC dc, TSkinData& skin, const TFrameState& state, std::wstring_view caption)
{
    if (state.kind == TBorderKind::None)
        return;
    if (state.minimised) {
        title_.Paint(dc, skin, state, caption, Hooks.paintTitleButtons);
        return;
    }
    const TFrameMetrics& m = state.metrics;
    const LONG width = state.size.cx;
    const LONG height = state.size.cy;
    PaintBorder(dc, {0, 0, m.borderLeft, height}, skin, TBorderSide::Left, state.active);
    PaintBorder(dc, {width - m.borderRight, 0, width, height}, skin, TBorderSide::Right, state.active);
    PaintBorder(dc, {m.borderLeft, height - m.borderBottom, width - m.borderRight, height}, skin,
                TBorderSide::Bottom, state.active);
    title_.Paint(dc, skin, state, caption, Hooks.paintTitleButtons);
    const RECT menuBand = MenuBand(state);
    if (Hooks.paintMenuBar)
        Hooks.paintMenuBar(dc, menuBand);
    else if (state.menuHeight > 0)
        FillWithFace(dc, menuBand, skin);
}
