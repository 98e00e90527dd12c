#include "skin/controls/SkinControl.h"

#include "skin/chrome/WindowCaption.h"
#include "skin/model/ImgUtil.h"
#include "skin/model/SkinMessages.h"
#include "skin/model/User32Entries.h"
#include "skin/model/WinSkinData.h"
#include "ui/AnsiText.h"
#include "ui/Graphics.h"
#include "ui/Handles.h"
#include "ui/Properties.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>

constinit const TClassInfo TSkinControl::ClassInfo = ui::ClassOf<TSkinControl>("TSkinControl", TComponent::ClassInfo);

namespace {

constexpr std::string_view kParentBackground = "ParentBackground";

// Puts the chain position of the message being handled in place for its
// duration; nested messages stack their own and give the outer one back.
// A skinner freed by the message it is handling (a click that frees its
// control) is not touched again.
class NextScope {
public:
    NextScope(const TWndNext*& slot, const TWndNext& next, std::shared_ptr<bool> alive) noexcept
        : slot_(slot), outer_(std::exchange(slot, &next)), alive_(std::move(alive))
    {
    }
    NextScope(const NextScope&) = delete;
    NextScope& operator=(const NextScope&) = delete;
    ~NextScope()
    {
        if (*alive_)
            slot_ = outer_;
    }

private:
    const TWndNext*& slot_;
    const TWndNext* outer_;
    std::shared_ptr<bool> alive_;
};

} // namespace

TButtonFrame SelectButtonFrame(std::uint8_t state, bool enabled, bool focused) noexcept
{
    if (!enabled)
        return TButtonFrame::Disabled;
    if (state & ssDown)
        return TButtonFrame::Down;
    if (state & ssHot)
        return TButtonFrame::Hot;
    return focused ? TButtonFrame::Focused : TButtonFrame::Normal;
}

TSkinControl::TSkinControl(TComponent* owner) : TComponent(owner) {}

TSkinControl::~TSkinControl()
{
    *FAlive = false;
    Unhook();
    if (FForm)
        FForm->UnregisterControl(*this);
}

void TSkinControl::Unhook() noexcept
{
    FWindowWatch.Reset();
    FLayer.Reset();
    FSubclass.Remove();
}

void TSkinControl::InitControl(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas)
{
    if (FInitialized)
        return;
    TControl* const control = BindOwner(form, skinData, useSkinColor, canvas);
    if (!control)
        return;
    HookControl(*control);
    ListAndColour(*control);
    if (FParentBackgroundChanged)
        FPaintMode = 1;
    control->Invalidate();
    FInitialized = true;
    FStatus = TSkinStatus::Attached;
}

TControl* TSkinControl::BindOwner(TSkinControlHost* form, TSkinData* skinData, bool useSkinColor, TCanvas* canvas)
{
    auto* const control = ui::As<TControl>(Owner());
    if (!control)
        return nullptr;
    FUseSkinColor = useSkinColor;
    FSkinData = skinData;
    FForm = form;
    FCanvas = canvas;
    FControl = control;
    if (auto* const windowed = ui::As<TWinControl>(control)) {
        FHandle = windowed->Handle();
        FUnicode = IsWindowUnicode(FHandle) != FALSE;
    }
    return control;
}

void TSkinControl::ListAndColour(TControl& control)
{
    if (FForm)
        FForm->RegisterControl(*this);
    if (FUseSkinColor) {
        SetParentBackground(true);
        FSavedColor = control.Color();
        FSavedParentColor = control.ParentColor();
        control.SetColor(SkinFaceColor());
    }
}

void TSkinControl::HookControl(TControl& control)
{
    FLayer = control.AddWindowProc([this](TMessage& message, const TWndNext& next) {
        const NextScope scope(FNext, next, FAlive);
        NewWndProc(message);
    });
    if (auto* const windowed = ui::As<TWinControl>(&control))
        FWindowWatch = windowed->WatchWindow(
            [this](TWinControl& changed, ui::WindowChange change) { OnWindowChange(changed, change); });
}

void TSkinControl::OnWindowChange(TWinControl& control, ui::WindowChange change)
{
    // Only a re-creation is followed; any other end of the window is the
    // skinner's end too (WM_NCDESTROY).
    if (!FRecreating)
        return;
    if (change == ui::WindowChange::Destroying) {
        FHandle = nullptr;
        return;
    }
    FHandle = control.WindowHandle();
    FUnicode = IsWindowUnicode(FHandle) != FALSE;
    InvalidateRect(FHandle, nullptr, TRUE);
}

void TSkinControl::InitHandle(HWND handle, TSkinData* skinData, TSkinControlHost* form, TCanvas* canvas)
{
    if (FInitialized || !IsWindow(handle))
        return;
    FSkinData = skinData;
    FCanvas = canvas;
    FForm = form;
    FHandle = handle;
    FEnabled = true;
    FPaintMode = 0;
    if (FForm)
        FForm->RegisterControl(*this);
    FUnicode = IsWindowUnicode(handle) != FALSE;
    FCaption = WideWindowText(handle);
    FSubclass.Install(handle, [this](TMessage& message) { NewWndProc(message); });
    InvalidateRect(handle, nullptr, TRUE);
    FInitialized = true;
    FStatus = TSkinStatus::Attached;
}

void TSkinControl::Unskin()
{
    if (!FUseSkinColor || !FControl)
        return;
    SetParentBackground(false);
    FControl->SetColor(FSavedColor);
    if (FSavedParentColor)
        FControl->SetParentColor(true);
}

void TSkinControl::NewWndProc(TMessage& message)
{
    if (message.Msg == SKM_SKINSTATE) {
        // Only the low 32 bits carry the switch, whatever the word's size.
        FActive = static_cast<std::int32_t>(static_cast<std::uint32_t>(message.WParam)) > 0;
        if (FActive)
            Repaint();
        return;
    }
    const std::shared_ptr<bool> alive = FAlive;
    if (message.Msg == CM_RECREATEWND && FControl) {
        const bool outer = std::exchange(FRecreating, true);
        try {
            CallDefault(message);
        } catch (...) {
            if (*alive)
                FRecreating = outer;
            throw;
        }
        if (*alive)
            FRecreating = outer;
        return;
    }
    if (!FActive) {
        CallDefault(message);
        return;
    }
    if (BeforeProc(message)) {
        CallDefault(message);
        if (*alive)
            AfterProc(message);
    }
}

void TSkinControl::CallDefault(TMessage& message)
{
    if (FNext)
        (*FNext)(message);
    else if (FSubclass.Installed())
        FSubclass.CallPrevious(message);
}

bool TSkinControl::BeforeProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_NCDESTROY:
        if (FRecreating)
            return true;
        CallDefault(message);
        FActive = false;
        FStatus = TSkinStatus::WindowDestroyed;
        Unskin();
        return false;
    case SKM_ISSKINNED:
        message.Result = 1;
        return false;
    default:
        return true;
    }
}

void TSkinControl::AfterProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case CM_ENABLEDCHANGED:
        Repaint();
        break;
    case WM_PAINT:
        PaintFrame(reinterpret_cast<HDC>(message.WParam));
        break;
    default:
        break;
    }
}

void TSkinControl::PaintFrame(HDC dc)
{
    try {
        if (FSampleOnPaint)
            SampleWindow();
        RECT rect{};
        if (!FHandle || !GetWindowRect(FHandle, &rect))
            return;
        FWindowRect = rect;
        OffsetRect(&rect, -rect.left, -rect.top);
        if (dc) {
            PaintControl(dc, rect);
        } else if (const ui::UniqueWindowDC window = ui::UniqueWindowDC::Whole(FHandle)) {
            PaintControl(window.get(), rect);
        }
    } catch (...) {
        // A paint that fails leaves what was drawn; the control keeps working.
    }
}

void TSkinControl::PaintControl(HDC, const RECT&) {}

void TSkinControl::SkinChanged()
{
    if (FUseSkinColor && FControl)
        FControl->SetColor(SkinFaceColor());
    Repaint();
}

void TSkinControl::Repaint()
{
    if (FGraphicControl) {
        FGraphicControl->Invalidate();
    } else if (FHandle) {
        InvalidateRect(FHandle, nullptr, TRUE);
        UpdateWindow(FHandle);
    } else if (FControl) {
        FControl->Invalidate();
    }
}

void TSkinControl::PaintWindow(TMessage& message)
{
    SampleWindow();
    const auto paint = [&](HDC dc) {
        RECT rect{};
        if (!GetWindowRect(FHandle, &rect))
            return;
        FWindowRect = rect;
        OffsetRect(&rect, -rect.left, -rect.top);
        PaintControl(dc, rect);
    };
    if (const auto given = reinterpret_cast<HDC>(message.WParam)) {
        paint(given);
    } else {
        const ui::PaintDC dc(FHandle);
        paint(dc.get());
    }
    message.Result = 0;
}

void TSkinControl::EraseToParent(TMessage& message)
{
    const auto dc = reinterpret_cast<HDC>(message.WParam);
    if (FControl) {
        PaintParentBackground(*FControl, dc);
    } else {
        RECT client{};
        GetClientRect(FHandle, &client);
        FillParentColor(dc, client);
    }
    message.Result = 1;
}

TColor TSkinControl::SkinFaceColor() const
{
    return FSkinData ? FSkinData->ButtonFaceColour : (clSystemColor | COLOR_BTNFACE);
}

TColor TSkinControl::CaptionTextColor() const
{
    const TColor fontColour = FControl ? FControl->Font().Color() : clBtnText;
    if (FSkinData && (fontColour == clWindowText || fontColour == clBtnText))
        return FSkinData->ButtonTextColour;
    return fontColour;
}

void TSkinControl::FillSkinColor(HDC dc, const RECT& rect) const
{
    const ui::UniqueBrush brush(CreateSolidBrush(ui::ColorToRGB(SkinFaceColor())));
    FillRect(dc, &rect, brush.get());
}

TColor TSkinControl::ParentColor(TColor fallback) const
{
    if (FControl && FControl->Parent())
        return FControl->Parent()->Color();
    return fallback;
}

void TSkinControl::FillParentColor(HDC dc, const RECT& rect) const
{
    const ui::UniqueBrush brush(CreateSolidBrush(ui::ColorToRGB(ParentColor(SkinFaceColor()))));
    FillRect(dc, &rect, brush.get());
}

void TSkinControl::SetParentBackground(bool attach)
{
    if (FSkinData && FSkinData->Options.Contains(xoParentBackGround))
        return;
    if (!FControl || !ui::FindPropInfo(FControl, kParentBackground))
        return;
    if (attach) {
        if (ui::SameText(ui::GetEnumPropText(FControl, kParentBackground), "true")) {
            FParentBackgroundChanged = true;
            ui::SetPropText(FControl, kParentBackground, "False");
        }
    } else if (std::exchange(FParentBackgroundChanged, false)) {
        ui::SetPropText(FControl, kParentBackground, "True");
    }
}

void TSkinControl::DrawFocusAroundText(HDC dc, UINT format, const RECT& rect)
{
    RECT text = rect;
    DrawTextW(dc, FCaption.c_str(), static_cast<int>(FCaption.size()), &text, format | DT_CALCRECT | DT_NOCLIP);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int textWidth = text.right - text.left;
    const int textHeight = text.bottom - text.top;
    if (format & DT_CENTER)
        OffsetRect(&text, (width - textWidth) / 2, (height - textHeight) / 2 - 1);
    else if (format & DT_RIGHT)
        OffsetRect(&text, width - textWidth, 0);
    InflateRect(&text, 2, 1);
    text.left = std::max(text.left, rect.left);
    text.top = std::max(text.top, rect.top);
    text.right = std::min(text.right, rect.right);
    text.bottom = std::min(text.bottom, rect.bottom);
    DrawFocusRect(dc, &text);
}

LONG_PTR TSkinControl::GetLong(HWND window, int index) const
{
    return FUnicode ? GetWindowLongPtrW(window, index) : GetWindowLongPtrA(window, index);
}

bool TSkinControl::TrackLeave() const { return FHandle && TrackMouseLeave(FHandle); }

void TSkinControl::TrackHover(const TMessage& message, std::uint8_t clearOnLeave)
{
    switch (message.Msg) {
    case WM_MOUSEMOVE:
        if (!(FState & ssHot) && (FHandle ? IsWindowEnabled(FHandle) != FALSE : FControl && FControl->Enabled())) {
            FState |= ssHot;
            if (FForm)
                FForm->WatchHover(*this);
            Repaint();
        }
        TrackLeave();
        break;
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE:
        if (FState & clearOnLeave) {
            FState &= static_cast<std::uint8_t>(~clearOnLeave);
            Repaint();
        }
        break;
    default:
        break;
    }
}

void TSkinControl::SampleWindow()
{
    if (FHandle) {
        FEnabled = (GetLong(FHandle, GWL_STYLE) & WS_DISABLED) == 0;
        FFocused = GetFocus() == FHandle;
        FCaption = WideWindowText(FHandle);
    } else if (FControl) {
        FEnabled = FControl->Enabled();
        FFocused = false;
        FCaption = ui::GetWideTextProp(FControl, "Caption");
    }
}
