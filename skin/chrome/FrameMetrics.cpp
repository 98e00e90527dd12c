#include "skin/chrome/FrameMetrics.h"

#include "skin/model/WinSkinData.h"

#include <algorithm>

namespace {

// One frame's extent along the direction the frames are laid out in.
int FrameExtent(const TDataSkinBorder* border, bool stacked)
{
    if (!border || !border->HasBitmap())
        return 0;
    const int count = std::max(border->FrameCount, 1);
    return (stacked ? border->Bitmap.Height() : border->Bitmap.Width()) / count;
}

} // namespace

bool IsDialogClassName(std::string_view className)
{
    return className == "#32770" || className == "TMessageForm";
}

TBorderKind BorderKindOf(DWORD style, DWORD exStyle, std::string_view className)
{
    // A modal frame and the dialog classes win over everything else, even a missing caption.
    if ((exStyle & WS_EX_DLGMODALFRAME) != 0 || IsDialogClassName(className))
        return TBorderKind::Dialog;
    if ((style & WS_CAPTION) != WS_CAPTION)
        return TBorderKind::None;
    if ((style & WS_THICKFRAME) != 0)
        return TBorderKind::Sizeable;
    if ((style & DS_MODALFRAME) != 0)
        return TBorderKind::Dialog;
    return TBorderKind::Single;
}

TFrameMetrics SkinFrameMetrics(const TSkinData& skin, TBorderKind kind)
{
    if (kind == TBorderKind::None)
        return {};
    return {
        .borderLeft = FrameExtent(skin.BorderLeft.get(), false),
        .titleHeight = FrameExtent(skin.BorderTop.get(), true),
        .borderRight = FrameExtent(skin.BorderRight.get(), false),
        .borderBottom = FrameExtent(skin.BorderBottom.get(), true),
    };
}
