// Proof of something attached to an object: a message layer in front of a
// control, a subscription to a control's window lifetime. Destroying or
// resetting the token takes exactly that one thing off again, whatever was
// attached or taken off around it in the meantime.
//
// The token holds its owner weakly (the owner keeps its attachments in shared
// state that it alone owns), so a token that outlives the control it was
// taken from is harmless: resetting it finds the state gone and does nothing.
#pragma once

#include <memory>
#include <utility>

namespace ui {

class [[nodiscard]] HookToken {
public:
    // Takes item off owner; called with the owner kept alive for the call.
    using Detach = void (*)(void* owner, const void* item) noexcept;

    HookToken() noexcept = default;
    HookToken(std::weak_ptr<void> owner, const void* item, Detach detach) noexcept
        : owner_(std::move(owner)), item_(item), detach_(detach)
    {
    }
    HookToken(HookToken&& other) noexcept
        : owner_(std::move(other.owner_)), item_(std::exchange(other.item_, nullptr)),
          detach_(std::exchange(other.detach_, nullptr))
    {
    }
    HookToken& operator=(HookToken&& other) noexcept
    {
        if (this != &other) {
            Reset();
            owner_ = std::move(other.owner_);
            item_ = std::exchange(other.item_, nullptr);
            detach_ = std::exchange(other.detach_, nullptr);
        }
        return *this;
    }
    HookToken(const HookToken&) = delete;
    HookToken& operator=(const HookToken&) = delete;
    ~HookToken() { Reset(); }

    // Takes the item off; harmless when already done or when the owner is gone.
    void Reset() noexcept
    {
        // Cleared first: detaching destroys the item, which may own this very token.
        const std::weak_ptr<void> owner = std::move(owner_);
        const void* const item = std::exchange(item_, nullptr);
        const Detach detach = std::exchange(detach_, nullptr);
        if (const std::shared_ptr<void> alive = owner.lock(); alive && item && detach)
            detach(alive.get(), item);
    }

    // Something is attached and its owner still exists.
    bool Attached() const noexcept { return item_ != nullptr && !owner_.expired(); }

private:
    std::weak_ptr<void> owner_;
    const void* item_ = nullptr;
    Detach detach_ = nullptr;
};

} // namespace ui
