#include "skin/chrome/FrameRegion.h"

#include "skin/model/ImgUtil.h"
#include "skin/model/WinSkinData.h"

namespace {

ui::UniqueRegion RectRegion(const RECT& r) { return ui::UniqueRegion(CreateRectRgn(r.left, r.top, r.right, r.bottom)); }

int TransOf(const TDataSkinBorder* border) { return border ? border->Trans : 0; }

// One side of the frame: the opaque pixels of the border rendered over rect
// when `keyed`, else the whole rect.
ui::UniqueRegion SideRegion(TDataSkinBorder* border, const RECT& rect, bool stacked, bool keyed)
{
    if (!keyed || !border || !border->HasBitmap())
        return RectRegion(rect);
    const auto picture = RenderSkinFrame(rect, border->Bitmap, border->Margins(), stacked, border->Tile != 1,
                                         border->FrameCount, 1);
    return RegionFromColourKey(*picture, rect.left, rect.top, 1, 1, 1, SkinKeyColour);
}

void Unite(HRGN into, HRGN with) { CombineRgn(into, into, with, RGN_OR); }

} // namespace

ui::UniqueRegion BuildFrameRegion(TSkinData& skin, SIZE size, const TFrameMetrics& metrics, TBorderKind kind)
{
    const LONG width = size.cx;
    const LONG height = size.cy;
    // The left border counts twice, the bottom one not at all: a bottom
    // border alone never makes the window shaped.
    const int trans = TransOf(skin.BorderRight.get()) + TransOf(skin.BorderTop.get()) +
                      2 * TransOf(skin.BorderLeft.get());
    if (trans == 0)
        return RectRegion({0, 0, width, height});

    const TFrameMetrics& m = metrics;
    ui::UniqueRegion region = RectRegion({m.borderLeft, m.titleHeight, width - m.borderRight, height - m.borderBottom});
    if (kind == TBorderKind::None)
        return region;
    const RECT top{m.borderLeft, 0, width - m.borderRight, m.titleHeight};
    const auto left = SideRegion(skin.BorderLeft.get(), {0, 0, m.borderLeft, height}, false,
                                 TransOf(skin.BorderLeft.get()) == 1 && height > 1);
    const auto right = SideRegion(skin.BorderRight.get(), {width - m.borderRight, 0, width, height}, false,
                                  TransOf(skin.BorderRight.get()) == 1 && height > 1);
    const auto bottom =
        SideRegion(skin.BorderBottom.get(), {m.borderLeft, height - m.borderBottom, width - m.borderRight, height},
                   true, TransOf(skin.BorderBottom.get()) == 1 && m.borderBottom >= 2);
    const auto topSide = SideRegion(skin.BorderTop.get(), top, true,
                                    TransOf(skin.BorderTop.get()) == 1 && m.titleHeight > 1 && top.right > top.left);
    if (!region || !left || !right || !bottom || !topSide)
        return region;
    Unite(left.get(), right.get());
    Unite(topSide.get(), bottom.get());
    Unite(left.get(), topSide.get());
    Unite(region.get(), left.get());
    return region;
}

bool TFrameRegion::Update(TSkinData& skin, SIZE size, const TFrameMetrics& metrics, TBorderKind kind, bool force)
{
    if (!force && region_ && size.cx == size_.cx && size.cy == size_.cy)
        return false;
    region_ = BuildFrameRegion(skin, size, metrics, kind);
    size_ = size;
    return true;
}

bool TFrameRegion::ApplyTo(HWND window, bool redraw) const
{
    if (!region_)
        return false;
    ui::UniqueRegion copy(CreateRectRgn(0, 0, 0, 0));
    if (!copy || CombineRgn(copy.get(), region_.get(), nullptr, RGN_COPY) == ERROR)
        return false;
    if (SetWindowRgn(window, copy.get(), redraw) == 0)
        return false;
    copy.release(); // the window owns it now
    return true;
}

void TFrameRegion::Drop() noexcept
{
    region_.reset();
    size_ = {};
}

void TFrameRegion::DropFrom(HWND window, bool redraw) noexcept
{
    SetWindowRgn(window, nullptr, redraw);
    Drop();
}
