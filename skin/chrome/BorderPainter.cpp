#include "skin/chrome/BorderPainter.h"

#include "skin/model/ImgUtil.h"
#include "skin/model/WinSkinData.h"

namespace {

TDataSkinBorder* BorderOf(TSkinData& skin, TBorderSide side)
{
    switch (side) {
    case TBorderSide::Left:
        return skin.BorderLeft.get();
    case TBorderSide::Right:
        return skin.BorderRight.get();
    case TBorderSide::Top:
        return skin.BorderTop.get();
    case TBorderSide::Bottom:
        return skin.BorderBottom.get();
    }
    return nullptr;
}

} // namespace

void FillWithFace(HDC dc, const RECT& rect, const TSkinData& skin)
{
    // The system's colour brushes are shared and never freed.
    const HBRUSH brush = skin.FaceBrush() ? skin.FaceBrush() : GetSysColorBrush(COLOR_BTNFACE);
    FillRect(dc, &rect, brush);
}

void PaintBorder(HDC dc, const RECT& target, TSkinData& skin, TBorderSide side, bool active)
{
    const int width = target.right - target.left;
    const int height = target.bottom - target.top;
    if (width < 0 || height < 0)
        return;
    TDataSkinBorder* border = BorderOf(skin, side);
    if (!border || !border->HasBitmap()) {
        FillWithFace(dc, target, skin);
        return;
    }
    const bool stacked = side == TBorderSide::Top || side == TBorderSide::Bottom;
    const int frame = active || border->FrameCount <= 1 ? 1 : 2;
    // For borders the flag reads the other way round: 1 means stretch.
    const bool tile = border->Tile != 1;
    DrawSkinFrame(dc, target, border->Bitmap, border->Margins(), stacked, tile, border->FrameCount, frame);
}
