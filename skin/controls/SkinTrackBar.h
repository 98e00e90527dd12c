// Track bars: the channel and the thumb are drawn from the skin in answer to
// the control's custom drawing (Track, or TRACKVERT for vertical bars, and
// the thumb pictures); the tick marks stay the system's.
#pragma once

#include "skin/controls/SkinControl.h"

#include <windows.h>

class TDataSkinObject;

namespace trackface {

// The channel three-sliced along the bar at the picture's own thickness,
// centred across it; false when there is no picture to draw.
bool PaintChannel(HDC dc, const RECT& channel, TDataSkinObject* picture, bool vertical);
// Frame 2 of the five-frame thumb picture stretched into thumb (magenta
// keyed); without a picture a face-filled rectangle outlined in the shadow colour.
void PaintThumb(HDC dc, const RECT& thumb, TDataSkinObject* picture, TColor face, TColor shadow);

} // namespace trackface

class TSkinTrackBar : public TSkinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TSkinTrackBar(TComponent* owner) : TSkinControl(owner) {}

    bool BeforeProc(TMessage& message) override;
    void AfterProc(TMessage& message) override;
    void Unskin() override;
    void SkinChanged() override;

private:
    // Answers one custom-draw notification; false leaves it to the control.
    bool CustomDraw(TMessage& message);
    bool Vertical() const;
    void Redraw();
};
