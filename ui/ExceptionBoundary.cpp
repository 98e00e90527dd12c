#include "ui/ExceptionBoundary.h"

#include "ui/Forms.h"

namespace ui {

namespace {

void HandInToApplication(std::exception_ptr error, TObject* sender)
{
    // HandleException reads the exception being handled.
    try {
        std::rethrow_exception(error);
    } catch (...) {
        Application->HandleException(sender);
    }
}

// Never destroyed: windows may still receive messages during static destruction.
ExceptionBoundaryHandler& InstalledHandler()
{
    static auto* const handler = new ExceptionBoundaryHandler(&HandInToApplication);
    return *handler;
}

} // namespace

ExceptionBoundaryHandler SetExceptionBoundary(ExceptionBoundaryHandler handler)
{
    if (!handler)
        handler = &HandInToApplication;
    return std::exchange(InstalledHandler(), std::move(handler));
}

void ReportToBoundary(TObject* sender) noexcept
{
    const std::exception_ptr error = std::current_exception();
    if (!error)
        return;
    try {
        // A copy: the handler may install another boundary while it runs.
        const ExceptionBoundaryHandler handler = InstalledHandler();
        handler(error, sender);
    } catch (...) {
        // The boundary failed in turn (its message box, OnException, memory):
        // dropping the exception here is the only way to keep it off user32's frames.
    }
}

} // namespace ui
