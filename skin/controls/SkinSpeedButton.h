// Window-less speed buttons drawn from the skin through the control's own
// canvas while its parent paints it: flat faces only when hot or pressed,
// the Down state, glyph cells for the state.
#pragma once

#include "skin/controls/SkinBitButton.h"

class TSkinSpeedButton : public TSkinBitButton {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    using TSkinBitButton::TSkinBitButton;

    // Attaches to the owner, a window-less control, in front of its WindowProc.
    void AttachSpeed(TSkinControlHost* form, TSkinData* skinData, TCanvas* canvas);
    void InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas) override;
    bool BeforeProc(TMessage& message) override;
    void AfterProc(TMessage& message) override;
    void PaintFrame(HDC dc) override;

    // Draws the button into dc, the control's rectangle at the origin.
    void PaintSpeed(HDC dc);

private:
    bool FPainting = false;
};
