#include "ui/ScrollBox.h"

#include "ui/Properties.h"
#include "ui/RedrawLock.h"

#include <algorithm>
#include <optional>

constinit const TClassInfo TScrollBox::ClassInfo = ui::ClassOf<TScrollBox>("TScrollBox", TWinControl::ClassInfo);

void TScrollBox::Publish(ui::TPublisher<TScrollBox>& p)
{
    p.Enum("BorderStyle", ui::BorderStyleInfo, &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle).Default(bsSingle);
    p.Integer("LineStep", &TScrollBox::LineStep, &TScrollBox::SetLineStep).Default(8);
}

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner) { UpdateStoredBounds(0, 0, 185, 41); }

void TScrollBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.Style |= WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN;
    if (borderStyle_ == bsSingle)
        params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::CreateWnd()
{
    TWinControl::CreateWnd();
    UpdateScrollRange();
}

void TScrollBox::Loaded()
{
    TWinControl::Loaded();
    UpdateScrollRange();
}

void TScrollBox::SetBorderStyle(TBorderStyle value)
{
    if (value == borderStyle_)
        return;
    borderStyle_ = value;
    RecreateWnd();
}

void TScrollBox::SetLineStep(int value) { lineStep_ = std::max(value, 1); }

int TScrollBox::ContentExtent(int bar) const
{
    int extent = 0;
    for (const TControl* child : ControlList()) {
        if (child->Visible())
            extent = std::max(extent, bar == 0 ? child->Left() + child->Width() : child->Top() + child->Height());
    }
    return extent + position_[bar];
}

int TScrollBox::PageOf(int bar) const
{
    const RECT client = ClientRect();
    return bar == 0 ? client.right - client.left : client.bottom - client.top;
}

int TScrollBox::LastPosition(int bar) const { return std::max(ContentExtent(bar) - PageOf(bar), 0); }

void TScrollBox::ApplyScrollInfo(int bar)
{
    if (!HandleAllocated())
        return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = std::max(ContentExtent(bar) - 1, 0);
    info.nPage = static_cast<UINT>(std::max(PageOf(bar), 0));
    info.nPos = position_[bar];
    SetScrollInfo(WindowHandle(), bar == 0 ? SB_HORZ : SB_VERT, &info, TRUE);
}

void TScrollBox::UpdateScrollRange()
{
    // Showing or hiding one bar resizes the client area, which comes back
    // here through WM_SIZE and changes the other bar's page.
    if (!HandleAllocated() || updatingRange_)
        return;
    updatingRange_ = true;
    for (int pass = 0; pass < 2; ++pass) {
        ApplyScrollInfo(0);
        ApplyScrollInfo(1);
    }
    updatingRange_ = false;
    for (int bar = 0; bar < 2; ++bar) {
        if (position_[bar] > LastPosition(bar))
            ScrollTo(bar, LastPosition(bar));
    }
}

void TScrollBox::ScrollTo(int bar, int position)
{
    position = std::clamp(position, 0, LastPosition(bar));
    const int delta = position_[bar] - position;
    if (delta == 0)
        return;
    position_[bar] = position;
    {
        std::optional<ui::RedrawLock> lock;
        if (HandleAllocated())
            lock.emplace(WindowHandle(), RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        for (TControl* child : ControlList()) {
            child->SetBounds(child->Left() + (bar == 0 ? delta : 0), child->Top() + (bar == 1 ? delta : 0),
                             child->Width(), child->Height());
        }
    }
    ApplyScrollInfo(bar);
}

void TScrollBox::Scroll(int bar, WORD request)
{
    int position = position_[bar];
    switch (request) {
    case SB_LINEUP:
        position -= lineStep_;
        break;
    case SB_LINEDOWN:
        position += lineStep_;
        break;
    case SB_PAGEUP:
        position -= PageOf(bar);
        break;
    case SB_PAGEDOWN:
        position += PageOf(bar);
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        if (GetScrollInfo(WindowHandle(), bar == 0 ? SB_HORZ : SB_VERT, &info))
            position = info.nTrackPos;
        break;
    }
    case SB_TOP:
        position = 0;
        break;
    case SB_BOTTOM:
        position = LastPosition(bar);
        break;
    default:
        return;
    }
    ScrollTo(bar, position);
}

void TScrollBox::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
        // The box's own bars; a scroll bar child's messages name the child and are its own.
        if (message.LParam == 0) {
            Scroll(message.Msg == WM_HSCROLL ? 0 : 1, LOWORD(message.WParam));
            message.Result = 0;
            return;
        }
        break;
    case WM_MOUSEWHEEL: {
        const int notches = GET_WHEEL_DELTA_WPARAM(message.WParam) / WHEEL_DELTA;
        ScrollTo(1, position_[1] - notches * 3 * lineStep_);
        message.Result = 0;
        return;
    }
    case WM_SIZE:
        TWinControl::WndProc(message);
        UpdateScrollRange();
        return;
    default:
        break;
    }
    TWinControl::WndProc(message);
}
