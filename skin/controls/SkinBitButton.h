// Glyph buttons drawn from the skin: the Buttons face with a glyph (a bitmap
// of cells, an image-list entry, or a picture held in a named property)
// and the caption laid out beside it by Layout, Margin and Spacing.
#pragma once

#include "skin/controls/SkinButton.h"
#include "ui/Buttons.h"

#include <windows.h>

#include <string>
#include <string_view>

class TGraphic;
class TImageList;

namespace glyphface {

// Where a glyph comes from; at most one source is used, in this order.
struct TGlyph {
    TGraphic* Picture = nullptr; // drawn as it is at the face's top-left corner
    TBitmap* Bitmap = nullptr;   // Cells cells side by side
    int Cells = 1;
    TImageList* Images = nullptr;
    int ImageIndex = -1;
    int DisabledIndex = -1;

    SIZE Size() const;
};

struct TGlyphLayout {
    TButtonLayout Layout = blGlyphLeft;
    int Margin = -1;
    int Spacing = -1;
    // Centred whatever the margin ("Alignment" taCenter).
    bool Centred = false;
    // The speed button's rounding: one pixel further in when only the margin is left open.
    bool SpeedRounding = false;
};

// What the caption shows.
struct TGlyphCaption {
    std::wstring Text; // "||" already broken
    TColor Colour = clBtnText;
    bool FocusRect = false;
};

// Glyph cell state: 1 up, 2 disabled, 3 down, 4 held down.
// Draws glyph and caption into dc (font selected) over a client of size;
// cellScratch holds a cut-out cell. Returns the caption's rectangle.
RECT DrawGlyphAndCaption(HDC dc, SIZE client, const TGlyph& glyph, int glyphState, bool enabled,
                         const TGlyphCaption& caption, const TGlyphLayout& layout, TBitmap& cellScratch);

// The layout properties of a control ("Layout", "Margin", "Spacing", "Alignment").
TGlyphLayout ReadLayout(const TObject* control);
// The glyph properties ("Glyph" and "NumGlyphs", else "Images" with "ImageIndex" and "DisabledIndex").
TGlyph ReadGlyph(const TObject* control);

} // namespace glyphface

class TSkinBitButton : public TSkinButton {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    using TSkinButton::TSkinButton;

    void PaintControl(HDC dc, const RECT& rect) override;

    // The name of a picture property drawn as the glyph instead ("PngImage"); empty: none.
    const std::string& PictureProperty() const noexcept { return FPictureProp; }
    void SetPictureProperty(std::string_view name) { FPictureProp = name; }

protected:
    std::string FPictureProp;
    TBitmap FCell;
};
