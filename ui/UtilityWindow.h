// A hidden window for objects that need to receive window messages without
// being controls: timers, and the owner of open popup menus.
#pragma once

#include "ui/Handles.h"
#include "ui/Messages.h"
#include "ui/WndProcThunk.h"

#include <functional>

namespace ui {

class UtilityWindow {
public:
    // handler sees every message; what it leaves unanswered goes on with
    // CallDefault.
    explicit UtilityWindow(std::function<void(UtilityWindow&, TMessage&)> handler);
    UtilityWindow(const UtilityWindow&) = delete;
    UtilityWindow& operator=(const UtilityWindow&) = delete;
    ~UtilityWindow();

    HWND Handle() const { return window_.get(); }
    void CallDefault(TMessage& message) const { subclass_.CallPrevious(message); }

private:
    UniqueWindow window_;
    WindowSubclass subclass_;
    std::function<void(UtilityWindow&, TMessage&)> handler_;
};

} // namespace ui
