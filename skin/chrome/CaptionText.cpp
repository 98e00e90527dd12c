#include "skin/chrome/CaptionText.h"

#include "skin/model/ImgUtil.h"
#include "skin/model/WinSkinData.h"

#include <algorithm>

namespace {

// Font, text colour and background mode of a DC, given back at the end.
class TextSettings {
public:
    TextSettings(HDC dc, HFONT font, COLORREF colour) noexcept
        : dc_(dc), font_(SelectObject(dc, font)), colour_(SetTextColor(dc, colour)),
          mode_(SetBkMode(dc, TRANSPARENT))
    {
    }
    TextSettings(const TextSettings&) = delete;
    TextSettings& operator=(const TextSettings&) = delete;
    ~TextSettings()
    {
        SetBkMode(dc_, mode_);
        SetTextColor(dc_, colour_);
        SelectObject(dc_, font_);
    }

private:
    HDC dc_;
    HGDIOBJ font_;
    COLORREF colour_;
    int mode_;
};

constexpr int dialogExtension = 16;
constexpr int textBackFrames = 2;

} // namespace

TCaptionLayout LayoutCaption(const RECT& band, SIZE textSize, const TDataSkinTitle& title, TBorderKind kind,
                             bool rightToLeft)
{
    const int alignment = rightToLeft ? 2 : title.TextAlignment;
    const int width = textSize.cx + title.TextBackLeft + title.TextBackRight;
    const int bandWidth = band.right - band.left;
    const int bandHeight = band.bottom - band.top;
    int x = 0;
    switch (alignment) {
    case 0:
        x = title.LeftWidth;
        break;
    case 1:
        x = (bandWidth - width) / 2;
        break;
    case 2:
        x = bandWidth - width - title.RightWidth;
        break;
    default:
        break;
    }
    const int y = (bandHeight - textSize.cy) / 2 + title.TopHeight / 2;

    TCaptionLayout layout;
    RECT& box = layout.box;
    box.left = band.left + x;
    box.top = band.top + y;
    box.right = std::min<LONG>(box.left + width, band.right - title.RightWidth);
    box.bottom = box.top + textSize.cy;
    if (kind == TBorderKind::Dialog && alignment == 0)
        box.left -= dialogExtension;
    layout.back = {box.left, band.top, box.right, band.bottom};
    layout.text = {box.left + title.TextBackLeft, box.top, box.right - title.TextBackRight, box.bottom};
    return layout;
}

RECT DrawCaption(TCanvas& canvas, const RECT& band, TSkinData& skin, std::wstring_view text,
                 const TCaptionStyle& style)
{
    // Without a title element the caption goes where an empty one puts it.
    TDataSkinTitle untitled("Title");
    TDataSkinTitle& title = skin.TitleElement ? *skin.TitleElement : untitled;
    const HDC dc = canvas.Handle();
    const TColor colour = style.active ? skin.TitleTextActiveColour : skin.TitleTextNoActiveColour;
    const TextSettings settings(dc, skin.CaptionFont().Handle(), ui::ColorToRGB(colour));

    RECT measured{band.left, band.top, band.left, band.top};
    DrawTextWide(dc, text, measured, DT_CALCRECT | DT_NOCLIP);
    const SIZE textSize{measured.right - measured.left, measured.bottom - measured.top};
    TCaptionLayout layout = LayoutCaption(band, textSize, title, style.kind, style.rightToLeft);

    if (title.HasBitmap())
        DrawThreeSliceTiled(canvas, layout.back, title.Bitmap, true, true, textBackFrames, style.active ? 1 : 2,
                            {title.TextBackLeft, 0, title.TextBackRight, 0});
    UINT format = DT_SINGLELINE | DT_END_ELLIPSIS;
    if (style.rightToLeft)
        format |= DT_RIGHT;
    DrawTextWide(dc, text, layout.text, format);
    return layout.box;
}
