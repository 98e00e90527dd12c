#include "ui/ProgressBar.h"

#include "ui/Properties.h"

#include <commctrl.h>

#include <algorithm>

constinit const TClassInfo TProgressBar::ClassInfo = ui::ClassOf<TProgressBar>("TProgressBar", TWinControl::ClassInfo);

namespace ui {
namespace {
constexpr std::string_view kOrientationNames[] = {"pbHorizontal", "pbVertical"};
} // namespace
constinit const TEnumInfo ProgressBarOrientationInfo{"TProgressBarOrientation", kOrientationNames};
} // namespace ui

void TProgressBar::Publish(ui::TPublisher<TProgressBar>& p)
{
    p.Integer("Min", &TProgressBar::Min, &TProgressBar::SetMin).Default(0);
    p.Integer("Max", &TProgressBar::Max, &TProgressBar::SetMax).Default(100);
    p.Integer("Position", &TProgressBar::Position, &TProgressBar::SetPosition).Default(0);
    p.Integer("Step", &TProgressBar::Step, &TProgressBar::SetStep).Default(10);
    p.Enum("Orientation", ui::ProgressBarOrientationInfo, &TProgressBar::Orientation, &TProgressBar::SetOrientation)
        .Default(pbHorizontal);
    p.Boolean("Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth).Default(0);
    p.Boolean("TabStop", &TProgressBar::TabStop, &TProgressBar::SetTabStop).Default(0);
}

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner)
{
    ui::LoadCommonControls(ICC_PROGRESS_CLASS);
    UpdateStoredBounds(0, 0, 150, 16);
}

void TProgressBar::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.WinClassName = PROGRESS_CLASSA;
    params.OwnClass = false;
    if (orientation_ == pbVertical)
        params.Style |= PBS_VERTICAL;
    if (smooth_)
        params.Style |= PBS_SMOOTH;
}

void TProgressBar::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageA(WindowHandle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
    SendMessageA(WindowHandle(), PBM_SETSTEP, static_cast<WPARAM>(step_), 0);
    SendMessageA(WindowHandle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::DestroyWnd()
{
    position_ = Position();
    TWinControl::DestroyWnd();
}

void TProgressBar::SetRange(int min, int max)
{
    if (max < min)
        std::swap(min, max);
    min_ = min;
    max_ = max;
    position_ = std::clamp(Position(), min_, max_);
    if (HandleAllocated()) {
        SendMessageA(WindowHandle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
        SendMessageA(WindowHandle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
    }
}

int TProgressBar::Position() const
{
    if (HandleAllocated())
        return static_cast<int>(SendMessageA(WindowHandle(), PBM_GETPOS, 0, 0));
    return position_;
}

void TProgressBar::SetPosition(int value)
{
    position_ = std::clamp(value, min_, max_);
    if (HandleAllocated())
        SendMessageA(WindowHandle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::SetStep(int value)
{
    step_ = value;
    if (HandleAllocated())
        SendMessageA(WindowHandle(), PBM_SETSTEP, static_cast<WPARAM>(step_), 0);
}

void TProgressBar::StepBy(int delta)
{
    // The system's own rule for a step past the end; kept here too so a bar
    // without a window counts the same way.
    long long next = static_cast<long long>(Position()) + delta;
    const long long span = static_cast<long long>(max_) - min_;
    if (span > 0 && (next > max_ || next < min_)) {
        next = (next - min_) % span;
        if (next < 0)
            next += span;
        next += min_;
    }
    SetPosition(static_cast<int>(std::clamp<long long>(next, min_, max_)));
}

void TProgressBar::StepIt() { StepBy(step_); }

void TProgressBar::SetOrientation(TProgressBarOrientation value)
{
    if (value == orientation_)
        return;
    orientation_ = value;
    RecreateWnd();
}

void TProgressBar::SetSmooth(bool value)
{
    if (value == smooth_)
        return;
    smooth_ = value;
    RecreateWnd();
}
