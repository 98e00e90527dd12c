#include "skin/controls/SkinBitButton.h"

#include "skin/model/ImgUtil.h"
#include "skin/model/WinSkinData.h"
#include "ui/DcGuards.h"
#include "ui/ImageList.h"
#include "ui/Picture.h"
#include "ui/Properties.h"

#include <algorithm>

constinit const TClassInfo TSkinBitButton::ClassInfo =
    ui::ClassOf<TSkinBitButton>("TSkinBitButton", TSkinButton::ClassInfo);

namespace {

std::string Lowered(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

} // namespace

namespace glyphface {

SIZE TGlyph::Size() const
{
    if (Picture)
        return SIZE{Picture->Width(), Picture->Height()};
    if (Bitmap && !Bitmap->Empty())
        return SIZE{Bitmap->Width() / std::max(Cells, 1), Bitmap->Height()};
    if (Images && ImageIndex != -1)
        return SIZE{Images->Width(), Images->Height()};
    return SIZE{0, 0};
}

TGlyphLayout ReadLayout(const TObject* control)
{
    TGlyphLayout layout;
    const std::string name = Lowered(ui::GetEnumPropText(control, "Layout"));
    if (name == "blglyphright")
        layout.Layout = blGlyphRight;
    else if (name == "blglyphtop")
        layout.Layout = blGlyphTop;
    else if (name == "blglyphbottom")
        layout.Layout = blGlyphBottom;
    layout.Margin = ui::GetIntProp(control, "Margin");
    layout.Spacing = ui::GetIntProp(control, "Spacing");
    layout.Centred = Lowered(ui::GetEnumPropText(control, "Alignment")) == "tacenter";
    return layout;
}

TGlyph ReadGlyph(const TObject* control)
{
    TGlyph glyph;
    if (auto* bitmap = ui::GetObjectPropOf<TBitmap>(control, "Glyph"); bitmap && !bitmap->Empty()) {
        glyph.Bitmap = bitmap;
        const int cells = ui::GetIntProp(control, "NumGlyphs");
        glyph.Cells = cells < 1 ? 1 : cells;
        return glyph;
    }
    if (auto* images = ui::GetObjectPropOf<TImageList>(control, "Images")) {
        const int index = ui::GetIntProp(control, "ImageIndex");
        if (index != -1) {
            glyph.Images = images;
            glyph.ImageIndex = index;
            glyph.DisabledIndex = ui::GetIntProp(control, "DisabledIndex");
        }
    }
    return glyph;
}

namespace {

void DrawGlyph(HDC dc, POINT at, const TGlyph& glyph, int state, bool enabled, TBitmap& cellScratch)
{
    if (glyph.Picture) {
        TCanvas canvas;
        const ui::ScopedCanvasBinding binding(canvas, dc);
        canvas.Draw(0, 0, *glyph.Picture);
        return;
    }
    if (glyph.Bitmap && !glyph.Bitmap->Empty()) {
        const SIZE size = glyph.Size();
        if (size.cx < 1)
            return;
        const int cell = glyph.Cells >= state ? state : 1;
        cellScratch.SetPixelFormat(pf24bit);
        cellScratch.SetSize(size.cx, size.cy);
        BitBlt(cellScratch.Canvas().Handle(), 0, 0, size.cx, size.cy, glyph.Bitmap->Canvas().Handle(),
               (cell - 1) * size.cx, 0, SRCCOPY);
        if (state == 2)
            GrayScale(cellScratch);
        const TColor key =
            static_cast<TColor>(GetPixel(cellScratch.Canvas().Handle(), 0, size.cy - 1) & 0x00FFFFFF);
        DrawTransparent(dc, RECT{at.x, at.y, at.x + size.cx, at.y + size.cy}, cellScratch, key);
        return;
    }
    if (glyph.Images) {
        const int index = !enabled && glyph.DisabledIndex != -1 ? glyph.DisabledIndex : glyph.ImageIndex;
        if (index == -1)
            return;
        TCanvas canvas;
        const ui::ScopedCanvasBinding binding(canvas, dc);
        glyph.Images->Draw(canvas, at.x, at.y, index, enabled || glyph.DisabledIndex != -1);
    }
}

} // namespace

RECT DrawGlyphAndCaption(HDC dc, SIZE client, const TGlyph& glyph, int glyphState, bool enabled,
                         const TGlyphCaption& caption, const TGlyphLayout& layout, TBitmap& cellScratch)
{
    const SIZE glyphSize = glyph.Size();
    const bool horizontal = layout.Layout == blGlyphLeft || layout.Layout == blGlyphRight;
    RECT box{2, 2, client.cx - 2, client.cy - 2};
    if (horizontal)
        box.right -= glyphSize.cx + 2;
    else
        box.bottom -= glyphSize.cy + 2;
    SIZE textSize{0, 0};
    if (!caption.Text.empty()) {
        DrawTextWide(dc, caption.Text, box, DT_CALCRECT | DT_WORDBREAK);
        textSize = SIZE{box.right - box.left, box.bottom - box.top};
    }
    int margin = layout.Centred ? -1 : layout.Margin;
    int spacing = layout.Spacing;
    if (textSize.cx == 0 || glyphSize.cx == 0)
        spacing = 0;
    if (layout.SpeedRounding && margin == -1 && spacing != -1) {
        const int extent = horizontal ? client.cx - (glyphSize.cx + spacing + textSize.cx)
                                      : client.cy - (glyphSize.cy + spacing + textSize.cy);
        margin = extent / 2 + 1;
    }
    const ui::TGlyphPlacement placed = ui::PlaceGlyph(client, glyphSize, textSize, layout.Layout, margin, spacing);
    DrawGlyph(dc, placed.Glyph, glyph, glyphState, enabled, cellScratch);
    if (caption.Text.empty())
        return RECT{};
    UINT format = DT_WORDBREAK;
    if (layout.Layout == blGlyphRight)
        format |= DT_RIGHT;
    else if (!horizontal)
        format |= DT_CENTER;
    RECT text = placed.Text;
    const ui::ScopedSaveDC saved(dc);
    SetTextColor(dc, ui::ColorToRGB(caption.Colour));
    SetBkMode(dc, TRANSPARENT);
    RECT drawn = text;
    DrawTextWide(dc, caption.Text, drawn, format);
    if (caption.FocusRect) {
        RECT focus = text;
        InflateRect(&focus, 2, 2);
        DrawFocusRect(dc, &focus);
    }
    return text;
}

} // namespace glyphface

void TSkinBitButton::PaintControl(HDC dc, const RECT& rect)
{
    if (!SkinPaints())
        return;
    SampleButton();
    TDataSkinButton& element = *FSkinData->ButtonsElement;
    const int frame = ChooseFrame();
    const SIZE client{rect.right - rect.left, rect.bottom - rect.top};
    const HDC canvas = PrepareScratch(rect);
    const ui::ScopedSaveDC saved(canvas);
    if (const auto windowFont = reinterpret_cast<HFONT>(SendMessageA(FHandle, WM_GETFONT, 0, 0)))
        SelectObject(canvas, windowFont);
    buttonface::DrawFace(canvas, RECT{0, 0, client.cx, client.cy}, element, frame);

    glyphface::TGlyph glyph;
    if (!FPictureProp.empty()) {
        if (auto* picture = ui::GetObjectPropOf<TPicture>(FControl, FPictureProp))
            glyph.Picture = picture->Graphic();
        else
            glyph.Picture = ui::GetObjectPropOf<TGraphic>(FControl, FPictureProp);
    } else {
        glyph = glyphface::ReadGlyph(FControl);
    }
    if (FControl)
        SelectObject(canvas, FControl->Font().Handle());
    const int glyphState = frame == 2 ? 3 : frame == 3 ? 2 : 1;
    glyphface::TGlyphCaption caption;
    caption.Text = buttonface::SplitCaption(FCaption);
    caption.Colour = buttonface::CaptionColour(element, frame, FEnabled, CaptionBaseColour());
    caption.FocusRect = FocusRectWanted();
    glyphface::DrawGlyphAndCaption(canvas, client, glyph, glyphState, FEnabled, caption,
                                   glyphface::ReadLayout(FControl), FCell);
    BitBlt(dc, rect.left, rect.top, client.cx, client.cy, canvas, 0, 0, SRCCOPY);
}
