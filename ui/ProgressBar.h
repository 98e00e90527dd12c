// The progress bar (the system's msctls_progress32): a range, a position and
// a step.
#pragma once

#include "ui/Control.h"

enum TProgressBarOrientation { pbHorizontal, pbVertical };

class TProgressBar : public TWinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TProgressBar>& p);

    explicit TProgressBar(TComponent* owner);

    int Min() const { return min_; }
    void SetMin(int value) { SetRange(value, max_); }
    int Max() const { return max_; }
    void SetMax(int value) { SetRange(min_, value); }
    // Both at once; the position is kept inside.
    void SetRange(int min, int max);
    int Position() const;
    void SetPosition(int value);
    int Step() const { return step_; }
    void SetStep(int value);
    // Advances by Step; past the maximum the bar starts again from the minimum.
    void StepIt();
    void StepBy(int delta);
    TProgressBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TProgressBarOrientation value);
    // One continuous bar instead of blocks.
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool value);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;

private:
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int step_ = 10;
    TProgressBarOrientation orientation_ = pbHorizontal;
    bool smooth_ = false;
};

namespace ui {
extern const TEnumInfo ProgressBarOrientationInfo;
} // namespace ui
