// The layers in front of a control's own message handling.
//
// Whoever wants to see or change a control's messages (a skinner, a test)
// adds a layer: a handler that gets each message together with the rest of
// the chain, which it calls to pass the message inward. The newest layer is
// the outermost; the innermost passes to the control's WndProc. Each layer
// comes with a token, and the layers may be taken off in any order: the chain
// closes over the gap and the other layers go on as before.
//
// A layer taken off while it runs (even by itself) finishes the message it is
// handling, and passing that message on still reaches the layers inward of it
// that are still attached; it is not called again.
#pragma once

#include "ui/HookToken.h"
#include "ui/Messages.h"

#include <functional>
#include <memory>

class TControl;

namespace ui {
class WndChain;
namespace detail {
struct WndLayerNode;
}
} // namespace ui

// The rest of a control's chain, inward from one layer; valid while the
// layer's handler runs.
class TWndNext {
public:
    void operator()(TMessage& message) const;

private:
    friend class ui::WndChain;
    TWndNext(TControl& control, const ui::detail::WndLayerNode& from) noexcept : control_(&control), from_(&from) {}

    TControl* control_;
    const ui::detail::WndLayerNode* from_;
};

using TWndLayer = std::function<void(TMessage& message, const TWndNext& next)>;

namespace ui {

// Shared by a control (its only owner) and the tokens of its layers.
class WndChain : public std::enable_shared_from_this<WndChain> {
public:
    // Puts layer outside every layer there is.
    HookToken Add(TWndLayer layer);
    // Runs message through the outermost layer, or straight to control's WndProc.
    void Dispatch(TControl& control, TMessage& message) const;

private:
    friend class ::TWndNext;
    static void Detach(void* chain, const void* layer) noexcept;
    static void Run(TControl& control, std::shared_ptr<detail::WndLayerNode> layer, TMessage& message);

    std::shared_ptr<detail::WndLayerNode> outermost_;
};

} // namespace ui
