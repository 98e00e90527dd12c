#include "tests/win/WindowLayers.h"

namespace layers {

std::unique_ptr<ScopedLayer> InstallWindowSubclass(HWND window, Handler handler)
{
    auto subclass = std::make_shared<ui::WindowSubclass>();
    const std::function<void(TMessage&)> next = [raw = subclass.get()](TMessage& m) { raw->CallPrevious(m); };
    subclass->Install(window, [handler = std::move(handler), next](TMessage& m) { handler(m, next); });
    return std::make_unique<ScopedLayer>([subclass] { subclass->Remove(); });
}

// The one place that knows how a layer goes in front of a control's
// WindowProc: a layer of its chain, taken off with its token.
std::unique_ptr<ScopedLayer> InstallWindowProcLayer(TControl& control, Handler handler)
{
    auto token = std::make_shared<ui::HookToken>(
        control.AddWindowProc([handler = std::move(handler)](TMessage& m, const TWndNext& next) {
            handler(m, [&next](TMessage& inner) { next(inner); });
        }));
    return std::make_unique<ScopedLayer>([token] { token->Reset(); });
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
