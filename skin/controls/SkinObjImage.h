// Check boxes and radio buttons of other libraries that draw themselves from
// a strip of custom glyphs: the skinner builds the strip from the skin's
// check or radio picture, cell by cell in the order the control reads it,
// and hands it over through the control's published properties. It does not
// stand in front of the control's messages. The strip builder is in
// `objimageface`.
#pragma once

#include "skin/controls/SkinControl.h"
#include "ui/Bitmap.h"

namespace objimageface {

enum TGlyphKind : int {
    gkCheckBox = 1,    // "CustomGlyphs", nine cells
    gkRadioButton = 2, // "CustomGlyphs", six cells
    gkPropertyGlyph = 3, // the "Glyph" of the "Properties" object, six cells
};

// The states a strip cell shows.
enum TCheckMark : int { cmUnchecked = 0, cmChecked = 1, cmGrayed = 2 };
enum TCellLook : int { lkNormal = 0, lkDown = 1, lkDisabled = 2 };
struct TCellRole {
    TCheckMark Mark = cmUnchecked;
    TCellLook Look = lkNormal;
};

// The cell count of a kind's strip; 0 for an unknown kind.
int StripCells(int kind) noexcept;
// What cell `index` (from 0) of a kind's strip shows.
TCellRole CellRole(int kind, int index) noexcept;
// The cell (from 1) of a skin picture of frameCount cells that shows role.
// A picture of 4 cells holds unchecked, checked, then both disabled; of 5
// cells also grayed; of 8 or more, four looks (normal, hot, down, disabled)
// of unchecked, then of checked, then (12 cells) of grayed. Without grayed
// cells a grayed box is drawn checked.
int SourceCell(TCellRole role, int frameCount) noexcept;
// The strip of kind from picture (cells side by side, each of the picture's
// cell size). False, strip emptied, without a usable picture.
bool BuildStrip(TBitmap& picture, int frameCount, int kind, TBitmap& strip);

} // namespace objimageface

class TSkinObjImage : public TSkinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TSkinObjImage(TComponent* owner) : TSkinControl(owner) {}

    // Set before the attach: which control property gets the strip.
    void SetGlyphKind(int kind) noexcept { FGlyphKind = kind; }
    int GlyphKind() const noexcept { return FGlyphKind; }

    // Builds the strip and hands it to the control; no message layer.
    void InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas) override;
    // The control goes back to its own glyphs.
    void Unskin() override;
    void SkinChanged() override;

    const TBitmap& Strip() const noexcept { return FStrip; }

private:
    void Apply();

    int FGlyphKind = objimageface::gkCheckBox;
    TBitmap FStrip;
};
