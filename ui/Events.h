// Events: a handler bound to an object's method (or to any callable). The
// form reader binds handlers by method name through the root form's published
// methods (TPublisher::Method) and keeps that name so the writer can emit it.
#pragma once

#include <functional>
#include <string>
#include <type_traits>
#include <utility>

class TObject;

namespace ui {

// What the registry and the form writer see of any event.
class TEventBase {
public:
    // The published method name the handler was bound by; empty when it was
    // bound in code.
    const std::string& HandlerName() const { return handlerName_; }
    // The object whose method is bound, or null.
    const void* Data() const { return data_; }

protected:
    TEventBase() = default;
    ~TEventBase() = default;
    TEventBase(const TEventBase&) = default;
    TEventBase& operator=(const TEventBase&) = default;

    std::string handlerName_;
    const void* data_ = nullptr;
};

} // namespace ui

template <class... Args>
class TEvent : public ui::TEventBase {
public:
    using Handler = std::function<void(Args...)>;

    TEvent() = default;
    TEvent(Handler handler) : handler_(std::move(handler)) {}
    // Any callable: button->OnClick = [&](TObject*) { ... };
    template <class F>
        requires(!std::is_same_v<std::decay_t<F>, TEvent> && !std::is_same_v<std::decay_t<F>, Handler> &&
                 std::is_invocable_r_v<void, F&, Args...>)
    TEvent(F callable) : handler_(std::move(callable))
    {
    }
    template <class C>
    TEvent(C* object, void (C::*method)(Args...), std::string handlerName = {})
        : handler_([object, method](Args... args) { (object->*method)(std::forward<Args>(args)...); })
    {
        data_ = object;
        handlerName_ = std::move(handlerName);
    }

    explicit operator bool() const { return static_cast<bool>(handler_); }
    // Calls the handler; an unassigned event does nothing.
    void operator()(Args... args) const
    {
        if (handler_) {
            handler_(std::forward<Args>(args)...);
        }
    }
    void Clear() { *this = TEvent(); }

private:
    Handler handler_;
};

using TNotifyEvent = TEvent<TObject*>;
