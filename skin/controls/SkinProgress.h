// Progress bars drawn from the skin's Progress element: a track with a
// chunk strip over it (style 1), or a two-frame picture whose second frame
// shows the filled part. Vertical bars are drawn lying down and turned a
// quarter. Without the element the control paints itself.
#pragma once

#include "skin/controls/SkinControl.h"

#include <windows.h>

class TDataSkinBorder;
class TDataSkinObject;

namespace progressface {

// What a progress bar shows: position and the range's upper limit.
struct TProgressLook {
    int Position = 0;
    int Max = 0;
    bool Vertical = false;
    TColor Face = clBtnFace;
};

// The length the bar fills along `length` pixels; 0 at or below zero.
int FilledLength(int length, int position, int max);
bool CanPaint(const TDataSkinBorder* progress);
// Draws the bar into dc over rect (nothing when the element cannot paint).
void PaintProgress(HDC dc, const RECT& rect, TDataSkinBorder& progress, TDataSkinObject* chunk,
                   const TProgressLook& look);

} // namespace progressface

class TSkinProgress : public TSkinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TSkinProgress(TComponent* owner) : TSkinControl(owner) {}

    bool BeforeProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;

private:
    bool SkinPaints() const;
};
