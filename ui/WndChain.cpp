#include "ui/WndChain.h"

#include "ui/Control.h"

namespace ui::detail {

// A layer links to the next one inward. Taking a layer off links its outer
// neighbour past it, so attached layers never link to a detached one; the
// detached layer keeps its own link, so that a call still running in it can
// pass its message on.
struct WndLayerNode {
    TWndLayer handler;
    std::shared_ptr<WndLayerNode> inner;
    bool detached = false;
};

} // namespace ui::detail

namespace ui {

using detail::WndLayerNode;

HookToken WndChain::Add(TWndLayer layer)
{
    auto node = std::make_shared<WndLayerNode>();
    node->handler = std::move(layer);
    node->inner = std::move(outermost_);
    outermost_ = std::move(node);
    return HookToken(weak_from_this(), outermost_.get(), &WndChain::Detach);
}

void WndChain::Detach(void* chain, const void* layer) noexcept
{
    auto& self = *static_cast<WndChain*>(chain);
    std::shared_ptr<WndLayerNode>* link = &self.outermost_;
    while (*link && link->get() != layer)
        link = &(*link)->inner;
    if (!*link)
        return;
    // Freed here unless a call is running in it; that call holds it until it returns.
    const std::shared_ptr<WndLayerNode> node = std::move(*link);
    *link = node->inner;
    node->detached = true;
}

void WndChain::Run(TControl& control, std::shared_ptr<WndLayerNode> layer, TMessage& message)
{
    while (layer && layer->detached)
        layer = layer->inner;
    if (!layer) {
        control.WndProc(message);
        return;
    }
    // The local reference keeps the handler alive while it runs, even when
    // its token is reset from inside it.
    layer->handler(message, TWndNext(control, *layer));
}

void WndChain::Dispatch(TControl& control, TMessage& message) const { Run(control, outermost_, message); }

} // namespace ui

void TWndNext::operator()(TMessage& message) const { ui::WndChain::Run(*control_, from_->inner, message); }
