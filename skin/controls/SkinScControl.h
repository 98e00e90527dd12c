// TSkinScControl: a stand-alone scroll-bar control, covered completely by
// one overlay that draws it from the skin and hands presses to the control.
#pragma once

#include "skin/controls/ScrollOverlay.h"
#include "skin/controls/SkinControl.h"

#include <memory>

class TSkinScControl : public TSkinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TSkinScControl(TComponent* owner);
    ~TSkinScControl() override;

    // Attaches to the scroll-bar control; a second call does nothing.
    void AttachBar(TControl& control, TSkinData* skinData, TSkinControlHost* form, TCanvas* canvas);
    void AfterProc(TMessage& message) override;
    // The overlay draws everything; nothing is read from the control.
    void PaintFrame(HDC dc) override;
    void PaintControl(HDC dc, const RECT& rect) override;
    void Unskin() override;

    TWScrollbar* Bar() const noexcept { return FBar.get(); }

private:
    std::unique_ptr<TWScrollbar> FBar;
};
