#include "ui/UtilityWindow.h"

#include "ui/Exceptions.h"

namespace ui {

UtilityWindow::UtilityWindow(std::function<void(UtilityWindow&, TMessage&)> handler) : handler_(std::move(handler))
{
    static const ATOM windowClass = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TPUtilWindow";
        return RegisterClassA(&wc);
    }();
    window_.reset(CreateWindowExA(WS_EX_TOOLWINDOW, MAKEINTATOM(windowClass), "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr));
    if (!window_)
        throw Exception("Cannot create a utility window");
    subclass_.Install(window_.get(), [this](TMessage& message) { handler_(*this, message); });
}

UtilityWindow::~UtilityWindow() { subclass_.Remove(); }

} // namespace ui
