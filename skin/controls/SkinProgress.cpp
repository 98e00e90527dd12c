#include "skin/controls/SkinProgress.h"

#include "skin/model/ImgUtil.h"
#include "skin/model/WinSkinData.h"
#include "ui/DcGuards.h"
#include "ui/Handles.h"

#include <commctrl.h>

#include <algorithm>

constinit const TClassInfo TSkinProgress::ClassInfo =
    ui::ClassOf<TSkinProgress>("TSkinProgress", TSkinControl::ClassInfo);

namespace progressface {

int FilledLength(int length, int position, int max)
{
    if (position <= 0 || max <= 0 || length <= 0)
        return 0;
    return std::clamp(MulDiv(length, position, max), 0, length);
}

bool CanPaint(const TDataSkinBorder* progress) { return progress && progress->HasBitmap(); }

namespace {

// Chunk pictures repeated side by side from x over `length` pixels, clipped there.
void TileChunks(HDC dc, TBitmap& chunk, int x, int y, int length)
{
    const int width = chunk.Width();
    const int height = chunk.Height();
    if (width <= 0 || height <= 0)
        return;
    const ui::ScopedSaveDC saved(dc);
    IntersectClipRect(dc, x, y, x + length, y + height);
    const HDC source = chunk.Canvas().Handle();
    for (int copy = 0; copy <= length / width; ++copy)
        BitBlt(dc, x + copy * width, y, width, height, source, 0, 0, SRCCOPY);
}

// The bar lying down (width along the bar) in dc at the origin.
void PaintLying(HDC dc, int width, int height, TDataSkinBorder& progress, TDataSkinObject* chunk,
                const TProgressLook& look)
{
    const RECT whole{0, 0, width, height};
    const ui::UniqueBrush face(CreateSolidBrush(ui::ColorToRGB(look.Face)));
    FillRect(dc, &whole, face.get());
    const int filled = FilledLength(width, look.Position, look.Max);
    const bool tile = progress.Tile == 1;
    if (progress.Style == 1) {
        DrawSkinElement(dc, whole, progress.Bitmap, false, tile, true, 1, 1, progress.Margins());
        if (filled <= 0 || !chunk || !chunk->HasBitmap())
            return;
        if (chunk->Tile == 1) {
            const int chunkHeight = chunk->Bitmap.Height();
            TileChunks(dc, chunk->Bitmap, chunk->LeftWidth + 2, (height - chunkHeight) / 2, filled);
        } else {
            DrawThreeSlice(dc, RECT{2, 2, 2 + filled, height - 2}, chunk->Bitmap, false, 1, 1, chunk->Margins());
        }
        return;
    }
    DrawSkinElement(dc, whole, progress.Bitmap, false, tile, true, 2, 1, progress.Margins());
    if (filled > 0)
        DrawSkinElement(dc, RECT{0, 0, filled, height}, progress.Bitmap, false, tile, true, 2, 2,
                        progress.Margins());
}

} // namespace

void PaintProgress(HDC dc, const RECT& rect, TDataSkinBorder& progress, TDataSkinObject* chunk,
                   const TProgressLook& look)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (!CanPaint(&progress) || width <= 0 || height <= 0)
        return;
    // Vertical bars lie down in the picture and are turned so that they fill from the bottom.
    TBitmap picture(look.Vertical ? height : width, look.Vertical ? width : height);
    PaintLying(picture.Canvas().Handle(), picture.Width(), picture.Height(), progress, chunk, look);
    if (look.Vertical)
        RotateLeft(picture);
    BitBlt(dc, rect.left, rect.top, width, height, picture.Canvas().Handle(), 0, 0, SRCCOPY);
}

} // namespace progressface

bool TSkinProgress::SkinPaints() const
{
    return FHandle && FSkinData && progressface::CanPaint(FSkinData->Progress.get());
}

bool TSkinProgress::BeforeProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        if (SkinPaints()) {
            PaintWindow(message);
            return false;
        }
        break;
    case WM_ERASEBKGND:
        if (SkinPaints()) {
            message.Result = 1;
            return false;
        }
        break;
    default:
        break;
    }
    return TSkinControl::BeforeProc(message);
}

void TSkinProgress::PaintControl(HDC dc, const RECT& rect)
{
    if (!SkinPaints())
        return;
    progressface::TProgressLook look;
    look.Position = static_cast<int>(SendMessageA(FHandle, PBM_GETPOS, 0, 0));
    look.Max = static_cast<int>(SendMessageA(FHandle, PBM_GETRANGE, FALSE, 0));
    look.Vertical = (GetLong(FHandle, GWL_STYLE) & PBS_VERTICAL) != 0;
    look.Face = SkinFaceColor();
    progressface::PaintProgress(dc, rect, *FSkinData->Progress, FSkinData->ProgressChunk.get(), look);
}
