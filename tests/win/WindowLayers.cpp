#include "tests/win/WindowLayers.h"

namespace layers {

std::unique_ptr<ScopedLayer> InstallWindowSubclass(HWND window, Handler handler)
{
    auto subclass = std::make_shared<ui::WindowSubclass>();
    const std::function<void(TMessage&)> next = [raw = subclass.get()](TMessage& m) { raw->CallPrevious(m); };
    subclass->Install(window, [handler = std::move(handler), next](TMessage& m) { handler(m, next); });
    return std::make_unique<ScopedLayer>([subclass] { subclass->Remove(); });
}

// The one place that knows how a control's WindowProc is replaced: the saved
// handler is the next one down, and it is put back on removal.
std::unique_ptr<ScopedLayer> InstallWindowProcLayer(TControl& control, Handler handler)
{
    const TWndMethod saved = control.WindowProc();
    control.SetWindowProc([handler = std::move(handler), saved](TMessage& m) { handler(m, saved); });
    return std::make_unique<ScopedLayer>([&control, saved] { control.SetWindowProc(saved); });
}

std::unique_ptr<ScopedLayer> InstallPassThroughSubclass(HWND window)
{
    return InstallWindowSubclass(window, [](TMessage& m, const std::function<void(TMessage&)>& next) { next(m); });
}

std::unique_ptr<ScopedLayer> InstallPassThroughWindowProc(TControl& control)
{
    return InstallWindowProcLayer(control, [](TMessage& m, const std::function<void(TMessage&)>& next) { next(m); });
}

} // namespace layers
