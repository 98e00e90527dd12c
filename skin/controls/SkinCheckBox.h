// Check boxes and radio buttons drawn from the check and radio pictures of
// the skin's Buttons element. With a framework control the skinner paints the
// whole control (box and caption); on a bare window the system paints and
// the skinner draws only the box over it.
#pragma once

#include "skin/controls/SkinControl.h"

#include <windows.h>

#include <string>

class TBitmap;

namespace checkface {

// What a check box or radio button shows.
struct TCheckLook {
    int Cell = 1;              // the picture's cell, from 1
    bool TextOnLeft = false;   // BS_LEFTTEXT: the box at the right edge
    int RightInset = 0;        // pixels left free right of a box on the right
    bool DrawText = false;     // the caption too (else the box alone)
    bool FillBackground = false;
    TColor Background = clBtnFace;
    std::wstring Caption;
    TColor TextColour = clBtnText;
};

// Where the box goes in rect for a cell of cellWidth x cellHeight.
RECT BoxRect(const RECT& rect, int cellWidth, int cellHeight, bool textOnLeft, int rightInset);
// The cell of a check box picture of frameCount cells: state 1 unchecked,
// 2 checked, 4 grayed; disabled pictures follow the enabled ones.
int CheckCell(int state, bool enabled, bool indeterminate, int frameCount);
// The same for a radio button picture (state 1 or 2).
int RadioCell(bool checked, bool enabled, int frameCount);
// Whether picture holds frameCount cells of at least a pixel each.
bool CanPaint(const TBitmap& picture, int frameCount);
// Draws the look into dc over rect, the caption in the DC's font; returns
// the rectangle the caption took (empty without one).
RECT PaintCheck(HDC dc, const RECT& rect, TBitmap& picture, int frameCount, const TCheckLook& look);

} // namespace checkface

class TSkinCheckBox : public TSkinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TSkinCheckBox(TComponent* owner) : TSkinControl(owner) {}

    void InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas) override;
    bool BeforeProc(TMessage& message) override;
    void AfterProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;
    void SkinChanged() override;

    bool Transparent() const noexcept { return FTransparent; }
    int CheckState() const noexcept { return FCheckState; }

protected:
    // The picture and its cell count in the skin; null when there is no skin data.
    virtual TBitmap* Picture(int& frameCount) const;
    // The cell for the window's state.
    virtual int ChooseCell(int frameCount) const;
    // Pixels left free right of a box at the right edge.
    virtual int RightInset() const { return 0; }
    bool SkinPaints() const;

    bool FTransparent = false;
    int FCheckState = 0;
};

class TSkinRadioButton : public TSkinCheckBox {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    using TSkinCheckBox::TSkinCheckBox;

    void AfterProc(TMessage& message) override;

protected:
    TBitmap* Picture(int& frameCount) const override;
    int ChooseCell(int frameCount) const override;
    int RightInset() const override { return 1; }
};
