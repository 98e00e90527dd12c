#include "ui/TrackBar.h"

#include "ui/Properties.h"

#include <algorithm>

constinit const TClassInfo TTrackBar::ClassInfo = ui::ClassOf<TTrackBar>("TTrackBar", TWinControl::ClassInfo);

namespace ui {
namespace {
constexpr std::string_view kOrientationNames[] = {"trHorizontal", "trVertical"};
constexpr std::string_view kTickStyleNames[] = {"tsNone", "tsAuto", "tsManual"};
constexpr std::string_view kTickMarkNames[] = {"tmBottomRight", "tmTopLeft", "tmBoth"};
} // namespace
constinit const TEnumInfo TrackBarOrientationInfo{"TTrackBarOrientation", kOrientationNames};
constinit const TEnumInfo TickStyleInfo{"TTickStyle", kTickStyleNames};
constinit const TEnumInfo TickMarkInfo{"TTickMark", kTickMarkNames};
} // namespace ui

void TTrackBar::Publish(ui::TPublisher<TTrackBar>& p)
{
    p.Integer("Min", &TTrackBar::Min, &TTrackBar::SetMin).Default(0);
    p.Integer("Max", &TTrackBar::Max, &TTrackBar::SetMax).Default(10);
    p.Integer("Position", &TTrackBar::Position, &TTrackBar::SetPosition).Default(0);
    p.Integer("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency).Default(1);
    p.Enum("TickStyle", ui::TickStyleInfo, &TTrackBar::TickStyle, &TTrackBar::SetTickStyle).Default(tsAuto);
    p.Enum("TickMarks", ui::TickMarkInfo, &TTrackBar::TickMarks, &TTrackBar::SetTickMarks).Default(tmBottomRight);
    p.Enum("Orientation", ui::TrackBarOrientationInfo, &TTrackBar::Orientation, &TTrackBar::SetOrientation)
        .Default(trHorizontal);
    p.Integer("PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize).Default(2);
    p.Integer("LineSize", &TTrackBar::LineSize, &TTrackBar::SetLineSize).Default(1);
    p.Boolean("TabStop", &TTrackBar::TabStop, &TTrackBar::SetTabStop).Default(1);
    p.Event("OnChange", &TTrackBar::OnChange);
    p.Event("OnCustomDraw", &TTrackBar::OnCustomDraw);
}

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner)
{
    ui::LoadCommonControls(ICC_BAR_CLASSES);
    SetTabStop(true);
    UpdateStoredBounds(0, 0, 150, 45);
}

void TTrackBar::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.WinClassName = TRACKBAR_CLASSA;
    params.OwnClass = false;
    if (orientation_ == trVertical)
        params.Style |= TBS_VERT;
    switch (tickStyle_) {
    case tsNone:
        params.Style |= TBS_NOTICKS;
        break;
    case tsAuto:
        params.Style |= TBS_AUTOTICKS;
        break;
    default:
        break;
    }
    static constexpr DWORD kMarks[] = {TBS_BOTTOM, TBS_TOP, TBS_BOTH};
    params.Style |= kMarks[tickMarks_];
}

void TTrackBar::CreateWnd()
{
    TWinControl::CreateWnd();
    PushRange();
    SendMessageA(WindowHandle(), TBM_SETPAGESIZE, 0, pageSize_);
    SendMessageA(WindowHandle(), TBM_SETLINESIZE, 0, lineSize_);
    SendMessageA(WindowHandle(), TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
}

void TTrackBar::DestroyWnd()
{
    position_ = Position();
    TWinControl::DestroyWnd();
}

void TTrackBar::PushRange()
{
    if (!HandleAllocated())
        return;
    SendMessageA(WindowHandle(), TBM_SETRANGEMIN, FALSE, min_);
    SendMessageA(WindowHandle(), TBM_SETRANGEMAX, FALSE, max_);
    SendMessageA(WindowHandle(), TBM_SETPOS, TRUE, position_);
}

void TTrackBar::SetMin(int value)
{
    min_ = value;
    max_ = std::max(max_, min_);
    position_ = std::clamp(Position(), min_, max_);
    PushRange();
}

void TTrackBar::SetMax(int value)
{
    max_ = value;
    min_ = std::min(min_, max_);
    position_ = std::clamp(Position(), min_, max_);
    PushRange();
}

int TTrackBar::Position() const
{
    if (HandleAllocated())
        return static_cast<int>(SendMessageA(WindowHandle(), TBM_GETPOS, 0, 0));
    return position_;
}

void TTrackBar::SetPosition(int value)
{
    position_ = std::clamp(value, min_, max_);
    if (HandleAllocated())
        SendMessageA(WindowHandle(), TBM_SETPOS, TRUE, position_);
}

void TTrackBar::SetFrequency(int value)
{
    frequency_ = std::max(value, 1);
    if (HandleAllocated())
        SendMessageA(WindowHandle(), TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
}

void TTrackBar::SetTickStyle(TTickStyle value)
{
    if (value == tickStyle_)
        return;
    tickStyle_ = value;
    RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark value)
{
    if (value == tickMarks_)
        return;
    tickMarks_ = value;
    RecreateWnd();
}

void TTrackBar::SetOrientation(TTrackBarOrientation value)
{
    if (value == orientation_)
        return;
    orientation_ = value;
    // The bar keeps its length: width and height change places.
    if (!ComponentState().Contains(csLoading))
        SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

void TTrackBar::SetPageSize(int value)
{
    pageSize_ = value;
    if (HandleAllocated())
        SendMessageA(WindowHandle(), TBM_SETPAGESIZE, 0, pageSize_);
}

void TTrackBar::SetLineSize(int value)
{
    lineSize_ = value;
    if (HandleAllocated())
        SendMessageA(WindowHandle(), TBM_SETLINESIZE, 0, lineSize_);
}

void TTrackBar::SetTick(int value)
{
    if (HandleAllocated())
        SendMessageA(WindowHandle(), TBM_SETTIC, 0, value);
}

void TTrackBar::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_HSCROLL:
    case CN_VSCROLL: {
        const int now = Position();
        if (now != position_) {
            position_ = now;
            OnChange(this);
        }
        message.Result = 0;
        return;
    }
    case CN_NOTIFY:
        // Long parameters below 64 KiB are never pointers.
        if (static_cast<ULONG_PTR>(message.LParam) >= 0x10000 &&
            reinterpret_cast<const NMHDR*>(message.LParam)->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
            message.Result = CDRF_DODEFAULT;
            OnCustomDraw(this, *reinterpret_cast<const NMCUSTOMDRAW*>(message.LParam), message.Result);
            return;
        }
        break;
    default:
        break;
    }
    TWinControl::WndProc(message);
}
