#include "skin/controls/SkinScrollbar.h"

#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinData.h"
#include "ui/AnsiText.h"
#include "ui/Graphics.h"
#include "ui/Handles.h"
#include "ui/Messages.h"
#include "ui/Properties.h"

#include <string>

constinit const TClassInfo TSkinScrollbar::ClassInfo =
    ui::ClassOf<TSkinScrollbar>("TSkinScrollbar", TSkinControl::ClassInfo);
constinit const TClassInfo TSkinScrollbarH::ClassInfo =
    ui::ClassOf<TSkinScrollbarH>("TSkinScrollbarH", TSkinControl::ClassInfo);

namespace {

constexpr std::string_view kFixedColor = "FixedColor";

// The offset of the client area's origin in the window's own coordinates.
POINT ClientOffset(HWND window)
{
    RECT outer{};
    GetWindowRect(window, &outer);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return POINT{origin.x - outer.left, origin.y - outer.top};
}

void FillCorner(HDC dc, HWND window, const TWScrollbar* horz, const TWScrollbar* vert, TColor face)
{
    const RECT corner = scrollface::CornerRect(window, horz, vert);
    if (IsRectEmpty(&corner))
        return;
    const ui::UniqueBrush brush(CreateSolidBrush(ui::ColorToRGB(face)));
    FillRect(dc, &corner, brush.get());
}

bool IsScrollNotification(UINT msg) { return msg == WM_HSCROLL || msg == WM_VSCROLL; }

} // namespace

namespace scrollface {

RECT CornerRect(HWND window, const TWScrollbar* horz, const TWScrollbar* vert)
{
    if (!horz || !vert || !horz->Shown() || !vert->Shown())
        return RECT{};
    const POINT offset = ClientOffset(window);
    RECT corner{vert->BarRect().left, horz->BarRect().top, vert->BarRect().right, horz->BarRect().bottom};
    OffsetRect(&corner, offset.x, offset.y);
    return corner;
}

void PaintScrolledFrame(TSkinControl& skinner, HWND window, HDC dc)
{
    RECT rect{};
    if (!window || !GetWindowRect(window, &rect))
        return;
    OffsetRect(&rect, -rect.left, -rect.top);
    if (dc) {
        skinner.PaintControl(dc, rect);
    } else if (const ui::UniqueWindowDC whole = ui::UniqueWindowDC::Whole(window)) {
        skinner.PaintControl(whole.get(), rect);
    }
}

} // namespace scrollface

// ============================================================ TSkinScrollbar

TSkinScrollbar::TSkinScrollbar(TComponent* owner) : TSkinControl(owner) {}

TSkinScrollbar::~TSkinScrollbar()
{
    *FAlive = false;
    FWindowWatch.Reset();
    FreeBars();
}

void TSkinScrollbar::InitScrolled(TControl& control, TSkinData* skinData, TSkinControlHost* form, TCanvas* canvas)
{
    if (Initialized())
        return;
    FOwnBorder = !ui::SameText(ui::GetEnumPropText(&control, "BorderStyle"), "bsNone") &&
                 control.ClassType().Name != "TImageScrollBox" && FPaintMode != 1;
    if (skinData && ui::FindPropInfo(&control, kFixedColor) && ui::GetIntProp(&control, kFixedColor) != -1) {
        FSavedColor = static_cast<TColor>(ui::GetIntProp(&control, kFixedColor));
        FUseSkinColor = true;
        ui::SetPropText(&control, kFixedColor, std::to_string(static_cast<int>(skinData->ButtonFaceColour)));
    }
    const bool useSkinColor = FUseSkinColor;
    TSkinControl::InitControl(form, skinData, false, canvas);
    FUseSkinColor = useSkinColor;
    MakeBars(control);
    if (auto* const windowed = ui::As<TWinControl>(&control))
        FWindowWatch = windowed->WatchWindow(
            [this](TWinControl& changed, ui::WindowChange change) { OnWindowChange(changed, change); });
}

void TSkinScrollbar::MakeBars(TControl& control)
{
    FHorzBar = std::make_unique<TWScrollbar>(*this);
    FHorzBar->Attach(control, TScrollKind::Horizontal);
    FVertBar = std::make_unique<TWScrollbar>(*this);
    FVertBar->Attach(control, TScrollKind::Vertical);
    if (!control.Visible()) {
        FHorzBar->HideBar();
        FVertBar->HideBar();
    }
}

void TSkinScrollbar::FreeBars() noexcept
{
    FHorzBar.reset();
    FVertBar.reset();
}

void TSkinScrollbar::OnWindowChange(TWinControl& control, ui::WindowChange change)
{
    if (change == ui::WindowChange::Destroying) {
        FreeBars();
        return;
    }
    if (FStatus == TSkinStatus::WindowDestroyed)
        return;
    MakeBars(control);
    if (FForm && FHandle)
        if (const HWND root = GetAncestor(FHandle, GA_ROOT))
            PostMessageA(root, SKM_REBUILDSCROLL, reinterpret_cast<WPARAM>(FHandle), 0);
}

void TSkinScrollbar::RepositionBars()
{
    for (TWScrollbar* bar : {FHorzBar.get(), FVertBar.get()})
        if (bar && FHandle)
            bar->Reposition(FHandle);
}

void TSkinScrollbar::FollowBars()
{
    for (TWScrollbar* bar : {FHorzBar.get(), FVertBar.get()})
        if (bar)
            bar->Follow();
}

void TSkinScrollbar::AfterProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_NCDESTROY:
        return;
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        RepositionBars();
        return;
    case WM_HSCROLL:
    case WM_VSCROLL:
        // Shown at once: the system's tracking loop paints the window
        // without letting our overlays see a WM_PAINT in between.
        if (TWScrollbar* bar = (message.Msg == WM_HSCROLL ? FHorzBar : FVertBar).get()) {
            bar->Follow();
            bar->SetHotPart(LOWORD(message.WParam));
        }
        return;
    case CM_VISIBLECHANGED:
        if (message.WParam != 0) {
            RepositionBars();
        } else {
            for (TWScrollbar* bar : {FHorzBar.get(), FVertBar.get()})
                if (bar)
                    bar->HideBar();
        }
        return;
    case WM_NCPAINT:
        PaintFrame(nullptr);
        return;
    default:
        break;
    }
    TSkinControl::AfterProc(message);
    if (FStatus == TSkinStatus::Attached && !IsScrollNotification(message.Msg))
        FollowBars();
}

void TSkinScrollbar::PaintFrame(HDC dc)
{
    try {
        if (FHandle)
            GetWindowRect(FHandle, &FWindowRect);
        scrollface::PaintScrolledFrame(*this, FHandle, dc);
    } catch (...) {
        // A paint that fails leaves what was drawn; the control keeps working.
    }
}

void TSkinScrollbar::PaintControl(HDC dc, const RECT& rect)
{
    if (!FHandle)
        return;
    const LONG_PTR style = GetWindowLongPtrA(FHandle, GWL_STYLE);
    const auto refresh = [&](TWScrollbar* bar, LONG_PTR bit) {
        if (!bar)
            return;
        if (bar->Shown())
            InvalidateRect(bar->Handle(), nullptr, FALSE);
        else if (style & bit)
            bar->Reposition(FHandle);
    };
    refresh(FVertBar.get(), WS_VSCROLL);
    refresh(FHorzBar.get(), WS_HSCROLL);
    FillCorner(dc, FHandle, FHorzBar.get(), FVertBar.get(), SkinFaceColor());
    if (FOwnBorder) {
        const TColor shadow = FSkinData ? FSkinData->ButtonShadowColour : (clSystemColor | COLOR_BTNSHADOW);
        const ui::UniqueBrush outer(CreateSolidBrush(ui::ColorToRGB(shadow)));
        const ui::UniqueBrush inner(CreateSolidBrush(ui::ColorToRGB(SkinFaceColor())));
        FrameRect(dc, &rect, outer.get());
        RECT one = rect;
        InflateRect(&one, -1, -1);
        FrameRect(dc, &one, inner.get());
    }
}

void TSkinScrollbar::Unskin()
{
    if (FUseSkinColor && FControl) {
        ui::SetPropText(FControl, kFixedColor, std::to_string(static_cast<int>(FSavedColor)));
        FUseSkinColor = false;
    }
    TSkinControl::Unskin();
    if (FStatus == TSkinStatus::WindowDestroyed) {
        for (TWScrollbar* bar : {FHorzBar.get(), FVertBar.get()})
            if (bar)
                bar->HideBar();
        return;
    }
    FWindowWatch.Reset();
    FreeBars();
}

// ============================================================ TSkinScrollbarH

TSkinScrollbarH::TSkinScrollbarH(TComponent* owner) : TSkinControl(owner) {}

TSkinScrollbarH::~TSkinScrollbarH() { *FAlive = false; }

void TSkinScrollbarH::InitHandle(HWND handle, TSkinData* skinData, TSkinControlHost* form, TCanvas* canvas)
{
    if (Initialized() || !IsWindow(handle))
        return;
    TSkinControl::InitHandle(handle, skinData, form, canvas);
    FHorzBar = std::make_unique<TWScrollbar>(*this);
    FHorzBar->AttachHandle(handle, TScrollKind::Horizontal);
    FVertBar = std::make_unique<TWScrollbar>(*this);
    FVertBar->AttachHandle(handle, TScrollKind::Vertical);
}

bool TSkinScrollbarH::BeforeProc(TMessage& message)
{
    if (message.Msg == WM_NCDESTROY) {
        // The overlays lie in the window's parent, which outlives it.
        FHorzBar.reset();
        FVertBar.reset();
    }
    return TSkinControl::BeforeProc(message);
}

void TSkinScrollbarH::AfterProc(TMessage& message)
{
    if (!FHorzBar || !FVertBar)
        return;
    if (!IsWindowVisible(FHandle)) {
        FVertBar->HideBar();
        FHorzBar->HideBar();
    }
    switch (message.Msg) {
    case WM_SIZE:
    case WM_NCPAINT:
        FHorzBar->Reposition(FHandle);
        FVertBar->Reposition(FHandle);
        PaintFrame(nullptr);
        return;
    case WM_HSCROLL:
    case WM_VSCROLL: {
        TWScrollbar& bar = message.Msg == WM_HSCROLL ? *FHorzBar : *FVertBar;
        bar.Follow();
        bar.SetHotPart(LOWORD(message.WParam));
        return;
    }
    default:
        break;
    }
    TSkinControl::AfterProc(message);
    if (FHorzBar && FVertBar && !IsScrollNotification(message.Msg)) {
        FHorzBar->Follow();
        FVertBar->Follow();
    }
}

void TSkinScrollbarH::PaintFrame(HDC dc)
{
    try {
        if (FHandle)
            GetWindowRect(FHandle, &FWindowRect);
        scrollface::PaintScrolledFrame(*this, FHandle, dc);
    } catch (...) {
        // A paint that fails leaves what was drawn; the list keeps working.
    }
}

void TSkinScrollbarH::PaintControl(HDC dc, const RECT&)
{
    for (TWScrollbar* bar : {FHorzBar.get(), FVertBar.get()})
        if (bar && bar->Shown())
            InvalidateRect(bar->Handle(), nullptr, FALSE);
    FillCorner(dc, FHandle, FHorzBar.get(), FVertBar.get(), SkinFaceColor());
}
