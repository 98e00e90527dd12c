#include "skin/controls/SkinSpeedButton.h"

#include "skin/model/ImgUtil.h"
#include "skin/model/WinSkinData.h"
#include "ui/DcGuards.h"
#include "ui/Properties.h"

#include <utility>

constinit const TClassInfo TSkinSpeedButton::ClassInfo =
    ui::ClassOf<TSkinSpeedButton>("TSkinSpeedButton", TSkinBitButton::ClassInfo);

namespace {

bool PropIsTrue(const TObject* control, std::string_view name)
{
    return ui::SameText(ui::GetEnumPropText(control, name), "true");
}

// Clears the flag however the paint ends.
class PaintingScope {
public:
    explicit PaintingScope(bool& flag) noexcept : flag_(flag) { flag_ = true; }
    PaintingScope(const PaintingScope&) = delete;
    PaintingScope& operator=(const PaintingScope&) = delete;
    ~PaintingScope() { flag_ = false; }

private:
    bool& flag_;
};

} // namespace

void TSkinSpeedButton::AttachSpeed(TSkinControlHost* form, TSkinData* skinData, TCanvas* canvas)
{
    if (Initialized())
        return;
    auto* control = ui::As<TControl>(Owner());
    if (!control)
        return;
    SetGraphicControl(control);
    TSkinButton::InitControl(form, skinData, false, canvas);
}

void TSkinSpeedButton::InitControl(TSkinControlHost* form, TSkinData* skinData, bool, TCanvas* canvas)
{
    AttachSpeed(form, skinData, canvas);
}

bool TSkinSpeedButton::BeforeProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        if (message.WParam && FControl && FSkinData &&
            buttonface::CanPaint(FSkinData->ButtonsElement.get(), buttonface::kButtonFrames)) {
            auto* graphic = ui::As<TGraphicControl>(FControl);
            if (!graphic)
                return true;
            TCanvas& canvas = graphic->Canvas();
            canvas.Lock();
            try {
                const ui::ScopedCanvasBinding binding(canvas, reinterpret_cast<HDC>(message.WParam));
                PaintSpeed(canvas.Handle());
            } catch (...) {
                canvas.Unlock();
                throw;
            }
            canvas.Unlock();
            message.Result = 1;
            return false;
        }
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const std::shared_ptr<bool> alive = FAlive;
        CallDefault(message);
        if (!*alive)
            return false;
        FState |= ssDown;
        PaintFrame(nullptr);
        return false;
    }
    default:
        return TSkinControl::BeforeProc(message);
    }
}

void TSkinSpeedButton::AfterProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (message.WParam == VK_SPACE) {
            if (message.Msg == WM_KEYDOWN)
                FState |= ssDown;
            else
                FState &= static_cast<std::uint8_t>(~ssDown);
            PaintFrame(nullptr);
        }
        break;
    case WM_LBUTTONUP:
        FState &= static_cast<std::uint8_t>(~ssDown);
        PaintFrame(nullptr);
        break;
    case CM_MOUSEENTER:
        FState |= ssHot;
        PaintFrame(nullptr);
        break;
    case CM_MOUSELEAVE:
        FState &= static_cast<std::uint8_t>(~(ssHot | ssDown));
        if (FControl && FControl->Visible())
            PaintFrame(nullptr);
        break;
    case WM_PAINT:
        // Painted by the control itself (the skin cannot): nothing to add.
        break;
    default:
        TSkinControl::AfterProc(message);
        break;
    }
}

void TSkinSpeedButton::PaintFrame(HDC dc)
{
    auto* graphic = ui::As<TGraphicControl>(FControl);
    if (!graphic)
        return;
    if (dc) {
        PaintSpeed(dc);
        return;
    }
    TCanvas& canvas = graphic->Canvas();
    if (!canvas.HandleAllocated()) {
        // Outside a paint: the parent paints the control again soon.
        Repaint();
        return;
    }
    canvas.Lock();
    try {
        PaintSpeed(canvas.Handle());
    } catch (...) {
        canvas.Unlock();
        throw;
    }
    canvas.Unlock();
}

void TSkinSpeedButton::PaintSpeed(HDC dc)
{
    if (FPainting || !FControl || !FSkinData)
        return;
    TDataSkinButton* element = FSkinData->ButtonsElement.get();
    if (!buttonface::CanPaint(element, buttonface::kButtonFrames))
        return;
    const PaintingScope painting(FPainting);
    const int mouseFrame = (FState & ssDown) ? 2 : (FState & ssHot) ? 4 : 1;
    const bool enabled = PropIsTrue(FControl, "Enabled");
    const bool down = PropIsTrue(FControl, "Down");
    const int faceFrame = down ? 2 : enabled ? mouseFrame : 3;
    const int glyphState = down ? 4 : faceFrame == 2 ? 3 : faceFrame == 3 ? 2 : 1;
    const SIZE client{FControl->Width(), FControl->Height()};
    const RECT rect{0, 0, client.cx, client.cy};

    const HDC canvas = PrepareScratch(rect);
    if (faceFrame == 2 || faceFrame == 4 || !PropIsTrue(FControl, "Flat"))
        buttonface::DrawFace(canvas, rect, *element, faceFrame);
    const ui::ScopedSaveDC saved(canvas);
    SelectObject(canvas, FControl->Font().Handle());
    glyphface::TGlyphCaption caption;
    caption.Text = buttonface::SplitCaption(ui::GetWideTextProp(FControl, "Caption"));
    caption.Colour = buttonface::CaptionColour(*element, faceFrame, enabled, CaptionTextColor());
    glyphface::TGlyphLayout layout = glyphface::ReadLayout(FControl);
    layout.SpeedRounding = true;
    glyphface::DrawGlyphAndCaption(canvas, client, glyphface::ReadGlyph(FControl), glyphState, enabled, caption,
                                   layout, FCell);
    BitBlt(dc, 0, 0, client.cx, client.cy, canvas, 0, 0, SRCCOPY);
}
