#include "ui/ScrollBar.h"

#include "ui/Properties.h"

#include <algorithm>

constinit const TClassInfo TScrollBar::ClassInfo = ui::ClassOf<TScrollBar>("TScrollBar", TWinControl::ClassInfo);

namespace ui {
namespace {
constexpr std::string_view kScrollBarKindNames[] = {"sbHorizontal", "sbVertical"};
constexpr std::string_view kScrollCodeNames[] = {"scLineUp", "scLineDown", "scPageUp", "scPageDown", "scPosition",
                                                 "scTrack",  "scTop",      "scBottom", "scEndScroll"};
} // namespace
constinit const TEnumInfo ScrollBarKindInfo{"TScrollBarKind", kScrollBarKindNames};
constinit const TEnumInfo ScrollCodeInfo{"TScrollCode", kScrollCodeNames};
} // namespace ui

void TScrollBar::Publish(ui::TPublisher<TScrollBar>& p)
{
    p.Enum("Kind", ui::ScrollBarKindInfo, &TScrollBar::Kind, &TScrollBar::SetKind).Default(sbHorizontal);
    p.Integer("Min", &TScrollBar::Min, &TScrollBar::SetMin).Default(0);
    p.Integer("Max", &TScrollBar::Max, &TScrollBar::SetMax).Default(100);
    p.Integer("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize).Default(0);
    p.Integer("Position", &TScrollBar::Position, &TScrollBar::SetPosition).Default(0);
    p.Integer("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange).Default(1);
    p.Integer("LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange).Default(1);
    p.Boolean("TabStop", &TScrollBar::TabStop, &TScrollBar::SetTabStop).Default(1);
    p.Event("OnChange", &TScrollBar::OnChange);
    p.Event("OnScroll", &TScrollBar::OnScroll);
}

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner)
{
    SetTabStop(true);
    UpdateStoredBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
}

void TScrollBar::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.WinClassName = "SCROLLBAR";
    params.OwnClass = false;
    params.Style |= kind_ == sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::CreateWnd()
{
    TWinControl::CreateWnd();
    ApplyScrollInfo();
}

void TScrollBar::SetKind(TScrollBarKind value)
{
    if (value == kind_)
        return;
    kind_ = value;
    if (!ComponentState().Contains(csLoading))
        SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

int TScrollBar::Clamped(int position) const
{
    const int last = pageSize_ > 0 ? max_ - pageSize_ + 1 : max_;
    return std::clamp(position, min_, std::max(last, min_));
}

void TScrollBar::SetPageSize(int value)
{
    pageSize_ = std::max(value, 0);
    SetParams(position_, min_, max_);
}

void TScrollBar::SetParams(int position, int min, int max)
{
    min_ = min;
    max_ = std::max(max, min);
    // Values read one by one from a form are only clamped once all are in.
    if (ComponentState().Contains(csLoading)) {
        position_ = position;
        return;
    }
    pageSize_ = std::min(pageSize_, max_ - min_ + 1);
    position = Clamped(position);
    const bool moved = position != position_;
    position_ = position;
    ApplyScrollInfo();
    if (moved)
        OnChange(this);
}

void TScrollBar::Loaded()
{
    TWinControl::Loaded();
    pageSize_ = std::min(pageSize_, max_ - min_ + 1);
    position_ = Clamped(position_);
    ApplyScrollInfo();
}

void TScrollBar::ApplyScrollInfo()
{
    if (!HandleAllocated())
        return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = min_;
    info.nMax = max_;
    info.nPage = static_cast<UINT>(pageSize_);
    info.nPos = position_;
    SetScrollInfo(WindowHandle(), SB_CTL, &info, TRUE);
}

void TScrollBar::Scroll(WORD request)
{
    int position = position_;
    TScrollCode code = scEndScroll;
    switch (request) {
    case SB_LINEUP:
        code = scLineUp;
        position -= smallChange_;
        break;
    case SB_LINEDOWN:
        code = scLineDown;
        position += smallChange_;
        break;
    case SB_PAGEUP:
        code = scPageUp;
        position -= largeChange_;
        break;
    case SB_PAGEDOWN:
        code = scPageDown;
        position += largeChange_;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        code = request == SB_THUMBTRACK ? scTrack : scPosition;
        // The message's own position has 16 bits; the track position has 32.
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        if (GetScrollInfo(WindowHandle(), SB_CTL, &info))
            position = info.nTrackPos;
        break;
    }
    case SB_TOP:
        code = scTop;
        position = min_;
        break;
    case SB_BOTTOM:
        code = scBottom;
        position = max_;
        break;
    default:
        break;
    }
    OnScroll(this, code, position);
    SetPosition(position);
}

void TScrollBar::WndProc(TMessage& message)
{
    if (message.Msg == CN_HSCROLL || message.Msg == CN_VSCROLL) {
        Scroll(LOWORD(message.WParam));
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}
