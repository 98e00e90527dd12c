#include "ui/ExtCtrls.h"

#include "ui/DcGuards.h"
#include "ui/ExceptionBoundary.h"
#include "ui/Picture.h"
#include "ui/Properties.h"
#include "ui/UtilityWindow.h"

#include <unordered_map>

constinit const TClassInfo TCustomPanel::ClassInfo = ui::ClassOf<TCustomPanel>("TCustomPanel", TWinControl::ClassInfo);
constinit const TClassInfo TPanel::ClassInfo = ui::ClassOf<TPanel>("TPanel", TCustomPanel::ClassInfo);
constinit const TClassInfo TImage::ClassInfo = ui::ClassOf<TImage>("TImage", TGraphicControl::ClassInfo);
constinit const TClassInfo TTimer::ClassInfo = ui::ClassOf<TTimer>("TTimer", TComponent::ClassInfo);

namespace ui {
namespace {

constexpr std::string_view kBevelCutNames[] = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};

// Timers by id, all served by one hidden window.
std::unordered_map<UINT_PTR, TTimer*>& Timers()
{
    static auto* const timers = new std::unordered_map<UINT_PTR, TTimer*>;
    return *timers;
}

UtilityWindow& TimerWindow()
{
    static auto* const window = new UtilityWindow([](UtilityWindow& self, TMessage& message) {
        if (message.Msg == WM_TIMER) {
            const auto it = Timers().find(message.WParam);
            if (it != Timers().end()) {
                TTimer* timer = it->second;
                RunGuarded(timer, [timer] { timer->OnTimer(timer); });
            }
            return;
        }
        self.CallDefault(message);
    });
    return *window;
}

UINT_PTR NextTimerId()
{
    static UINT_PTR next = 0;
    return ++next;
}

} // namespace
constinit const TEnumInfo BevelCutInfo{"TBevelCut", kBevelCutNames};
} // namespace ui

// ============================================================ TCustomPanel

void TCustomPanel::Publish(ui::TPublisher<TCustomPanel>& p)
{
    p.Text("Caption", &TCustomPanel::Caption, &TCustomPanel::SetCaption);
    p.Enum("BevelInner", ui::BevelCutInfo, &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner).Default(bvNone);
    p.Enum("BevelOuter", ui::BevelCutInfo, &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter).Default(bvRaised);
    p.Integer("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth).Default(1);
    p.Integer("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth).Default(0);
    p.Enum("Alignment", ui::AlignmentInfo, &TCustomPanel::Alignment, &TCustomPanel::SetAlignment).Default(taCenter);
    p.Boolean("ParentBackground", &TCustomPanel::ParentBackground, &TCustomPanel::SetParentBackground).Default(1);
}

TCustomPanel::TCustomPanel(TComponent* owner) : TWinControl(owner)
{
    clickEvents_ = true;
    UpdateStoredBounds(0, 0, 185, 41);
}

void TCustomPanel::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
    params.WinClassName = "TPanel";
}

void TCustomPanel::SetBevelInner(TBevelCut value)
{
    bevelInner_ = value;
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut value)
{
    bevelOuter_ = value;
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int value)
{
    bevelWidth_ = std::max(value, 1);
    Invalidate();
}

void TCustomPanel::SetBorderWidth(int value)
{
    borderWidth_ = std::max(value, 0);
    Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment value)
{
    alignment_ = value;
    Invalidate();
}

void TCustomPanel::SetParentBackground(bool value)
{
    parentBackground_ = value;
    Invalidate();
}

void TCustomPanel::WndProc(TMessage& message)
{
    if (message.Msg == WM_ERASEBKGND) {
        RECT r{};
        GetClientRect(WindowHandle(), &r);
        TBrush& brush = parentBackground_ && Parent() ? Parent()->Brush() : Brush();
        FillRect(reinterpret_cast<HDC>(message.WParam), &r, brush.Handle());
        message.Result = 1;
        return;
    }
    TWinControl::WndProc(message);
}

void TCustomPanel::PaintWindow(HDC dc)
{
    RECT r{};
    GetClientRect(WindowHandle(), &r);
    const auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone)
            return;
        for (int i = 0; i < bevelWidth_; ++i) {
            if (cut != bvSpace)
                DrawEdge(dc, &r, cut == bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
            InflateRect(&r, -1, -1);
        }
    };
    bevel(bevelOuter_);
    InflateRect(&r, -borderWidth_, -borderWidth_);
    bevel(bevelInner_);
    const std::string caption = Caption();
    if (caption.empty())
        return;
    TCanvas canvas;
    const ui::ScopedCanvasBinding binding(canvas, dc);
    canvas.Font().Assign(Font());
    canvas.Brush().SetStyle(bsClear);
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    flags |= alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
    canvas.DrawText(caption, r, flags);
}

// ============================================================ TImage

void TImage::Publish(ui::TPublisher<TImage>& p)
{
    p.Object("Picture", &TImage::PictureObject);
    p.Boolean("Stretch", &TImage::Stretch, &TImage::SetStretch).Default(0);
    p.Boolean("Proportional", &TImage::Proportional, &TImage::SetProportional).Default(0);
    p.Boolean("Center", &TImage::Center, &TImage::SetCenter).Default(0);
    p.Boolean("Transparent", &TImage::Transparent, &TImage::SetTransparent).Default(0);
    p.Boolean("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize).Default(0);
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>())
{
    picture_->OnChange = TNotifyEvent([this](TObject*) { PictureChanged(); });
    UpdateStoredBounds(0, 0, 105, 105);
}

TImage::~TImage() { picture_->OnChange.Clear(); }

void TImage::SetStretch(bool value)
{
    stretch_ = value;
    Invalidate();
}

void TImage::SetProportional(bool value)
{
    proportional_ = value;
    Invalidate();
}

void TImage::SetCenter(bool value)
{
    center_ = value;
    Invalidate();
}

void TImage::SetTransparent(bool value)
{
    transparent_ = value;
    PictureChanged();
}

void TImage::SetAutoSize(bool value)
{
    autoSize_ = value;
    PictureChanged();
}

void TImage::PictureChanged()
{
    if (applyingTransparency_)
        return;
    if (TGraphic* graphic = picture_->Graphic(); graphic && graphic->Transparent() != transparent_) {
        // Changing the graphic reports back here; once is enough.
        applyingTransparency_ = true;
        try {
            graphic->SetTransparent(transparent_);
        } catch (...) {
            applyingTransparency_ = false;
            throw;
        }
        applyingTransparency_ = false;
    }
    if (autoSize_ && picture_->Width() > 0 && picture_->Height() > 0)
        SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
    Invalidate();
}

RECT TImage::DestRect() const
{
    const int clientWidth = Width();
    const int clientHeight = Height();
    int width = picture_->Width();
    int height = picture_->Height();
    if (width <= 0 || height <= 0)
        return RECT{0, 0, 0, 0};
    const bool shrink = proportional_ && (width > clientWidth || height > clientHeight);
    if (stretch_ || shrink) {
        if (proportional_) {
            // Fit inside the control keeping the picture's proportions.
            if (static_cast<long long>(clientWidth) * height < static_cast<long long>(clientHeight) * width) {
                height = static_cast<int>(static_cast<long long>(height) * clientWidth / width);
                width = clientWidth;
            } else {
                width = static_cast<int>(static_cast<long long>(width) * clientHeight / height);
                height = clientHeight;
            }
        } else {
            width = clientWidth;
            height = clientHeight;
        }
    }
    RECT r{0, 0, width, height};
    if (center_)
        OffsetRect(&r, (clientWidth - width) / 2, (clientHeight - height) / 2);
    return r;
}

void TImage::Paint()
{
    TGraphic* graphic = picture_->Graphic();
    if (!graphic || graphic->Empty())
        return;
    Canvas().StretchDraw(DestRect(), *graphic);
}

// ============================================================ TTimer

void TTimer::Publish(ui::TPublisher<TTimer>& p)
{
    p.Boolean("Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default(1);
    p.Integer("Interval", &TTimer::Interval, &TTimer::SetInterval).Default(1000);
    p.Event("OnTimer", &TTimer::OnTimer);
}

TTimer::TTimer(TComponent* owner) : TComponent(owner), id_(ui::NextTimerId())
{
    ui::Timers()[id_] = this;
    UpdateTimer();
}

TTimer::~TTimer()
{
    timer_.reset();
    ui::Timers().erase(id_);
}

void TTimer::SetEnabled(bool value)
{
    if (value == enabled_)
        return;
    enabled_ = value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned value)
{
    if (value == interval_)
        return;
    interval_ = value;
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    timer_.reset();
    if (!enabled_ || interval_ == 0)
        return;
    timer_ = ui::UniqueTimer::Start(ui::TimerWindow().Handle(), id_, interval_);
    if (!timer_)
        throw EOutOfResources("Not enough timers available");
}
