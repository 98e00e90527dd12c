#include "tests/win/GlyphLists.h"

#include "tests/win/frame_skin_support.h"

#include "ui/ImageList.h"

namespace glyphtest {

namespace {

// A glyph of the list's size in one colour, its outer ring see-through.
void AddGlyph(TImageList& images, TColor colour)
{
    TBitmap glyph;
    const int width = images.Width();
    const int height = images.Height();
    frametest::PaintPicture(glyph, width, height, [&](int x, int y) {
        const bool ring = x == 0 || y == 0 || x == width - 1 || y == height - 1;
        return ring ? clFuchsia : colour;
    });
    images.AddMasked(glyph, clFuchsia);
}

} // namespace

TImageList* NewGlyphList(TComponent* owner, TColor colour)
{
    auto* images = new TImageList(owner);
    AddGlyph(*images, colour);
    return images;
}

void SetGlyphs(TImageList& images, std::span<const TColor> colours)
{
    images.Clear();
    for (const TColor colour : colours)
        AddGlyph(images, colour);
}

} // namespace glyphtest
