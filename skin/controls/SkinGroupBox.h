// Group boxes drawn with a rounded frame in the skin's shadow colour and the
// caption on a band of the face colour that cuts the frame's top edge. With
// a framework control the skinner paints the whole box (its inside comes from
// the box's own erase in the face colour); over a bare window the system
// paints first and the skinner overdraws its frame.
#pragma once

#include "skin/controls/SkinControl.h"

#include <windows.h>

#include <string_view>

namespace groupface {

// What a group box shows.
struct TGroupLook {
    std::wstring_view Caption;
    HFONT Font = nullptr; // null: the DC's
    TColor TextColour = clNone; // clNone: the DC's
    TColor Face = clBtnFace;
    TColor Frame = clBtnShadow;
    // Paint over the system's etched frame first (bare windows).
    bool EraseSystemFrame = false;
};

// The row of the frame's top edge for a font whose "0" is textHeight high:
// through the middle of the caption, one pixel higher.
int FrameTop(int textHeight);
// Draws the frame and the caption into dc over rect; the DC's state is left as it was.
void PaintGroup(HDC dc, const RECT& rect, const TGroupLook& look);

} // namespace groupface

class TSkinGroupBox : public TSkinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TSkinGroupBox(TComponent* owner) : TSkinControl(owner) {}

    void InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas) override;
    bool BeforeProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;
};
