// Containers: TSkinBox recolours a framework panel in the skin's face colour
// without standing in front of its messages; TSkinBoxH stands in front of a
// bare container window (a dialog's client window, for one) and answers its
// erase and the colour questions of its static children with the face colour.
#pragma once

#include "skin/controls/SkinControl.h"

#include <windows.h>

class TSkinBox : public TSkinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TSkinBox(TComponent* owner) : TSkinControl(owner) {}

    // Listed with the form and recoloured only; the panel paints itself, so
    // nothing is hooked and the skinner never counts as initialised.
    void InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas) override;
    void Unskin() override;

private:
    // The caption's colour when the skin changed it (see CaptionTextColor).
    bool fontRecoloured_ = false;
    TColor savedFontColor_ = clNone;
    bool savedParentFont_ = false;
};

class TSkinBoxH : public TSkinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TSkinBoxH(TComponent* owner) : TSkinControl(owner) {}

    bool BeforeProc(TMessage& message) override;
};
