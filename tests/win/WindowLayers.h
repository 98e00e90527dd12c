// Layers that tests put in front of a window or a control: a handler in front
// of a window's procedure (ui::WindowSubclass), or in front of a framework
// control's WindowProc. Each comes back as a ScopedLayer that takes it off
// again, in any order.
#pragma once

#include "ui/Control.h"
#include "ui/WndProcThunk.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <utility>

namespace layers {

class ScopedLayer {
public:
    explicit ScopedLayer(std::function<void()> remove) : remove_(std::move(remove)) {}
    ScopedLayer(const ScopedLayer&) = delete;
    ScopedLayer& operator=(const ScopedLayer&) = delete;
    ~ScopedLayer() { Remove(); }

    void Remove()
    {
        if (remove_)
            std::exchange(remove_, nullptr)();
    }

private:
    std::function<void()> remove_;
};

// A layer's handler: does what it wants with the message and calls next to
// pass it on (or does not, to swallow it).
using Handler = std::function<void(TMessage& message, const std::function<void(TMessage&)>& next)>;

// In front of the window's procedure, through ui::WindowSubclass.
std::unique_ptr<ScopedLayer> InstallWindowSubclass(HWND window, Handler handler);
// In front of the control's WindowProc.
std::unique_ptr<ScopedLayer> InstallWindowProcLayer(TControl& control, Handler handler);

// Layers that pass every message on untouched.
std::unique_ptr<ScopedLayer> InstallPassThroughSubclass(HWND window);
std::unique_ptr<ScopedLayer> InstallPassThroughWindowProc(TControl& control);

} // namespace layers
