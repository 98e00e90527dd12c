#include "skin/chrome/MenuBarLayout.h"

#include "skin/model/SkinElements.h"

namespace {

constexpr int kPlainBarOffset = 6;
constexpr int kLeftToRightGap = 4;
constexpr int kRightToLeftGap = 8;
// Where items start on a band too narrow for the element's margin.
constexpr int kNarrowBandOffset = 12;
// Room around a caption.
constexpr int kCaptionPadding = 10;

} // namespace

int MenuBarStartOffset(const TDataSkinObject* barElement, bool rightToLeft, int bandWidth)
{
    if (barElement == nullptr || !barElement->HasBitmap())
        return kPlainBarOffset;
    const int offset = rightToLeft ? barElement->RightWidth + kRightToLeftGap : barElement->LeftWidth + kLeftToRightGap;
    return bandWidth < offset ? kNarrowBandOffset : offset;
}

int MenuBarItemWidth(int captionWidth) { return captionWidth > 0 ? captionWidth + kCaptionPadding : captionWidth; }

std::vector<TNCRect> LayOutMenuBar(std::span<const int> widths, const TNCRect& band, int startOffset,
                                   bool rightToLeft)
{
    std::vector<TNCRect> rects;
    rects.reserve(widths.size());
    const int bottom = band.bottom - 1;
    int x = rightToLeft ? band.Width() - startOffset : startOffset;
    for (const int width : widths) {
        if (width < 0) {
            rects.push_back({});
            continue;
        }
        const int left = rightToLeft ? x - width : x;
        rects.push_back({band.left + left, band.top, band.left + left + width, bottom});
        x = rightToLeft ? x - width : x + width;
    }
    return rects;
}
