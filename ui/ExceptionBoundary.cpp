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
    // While the handler's message box is up, the same fault may fire again
    // inside it (a throwing OnFormSkin is asked about the box itself): such a
    // report is dropped, or the boxes would nest until the stack ran out.
    // All windows live on one thread.
    static constinit bool reporting = false;
    const std::exception_ptr error = std::current_exception();
    if (!error || reporting)
        return;
    reporting = true;
    try {
        // A copy: the handler may install another boundary while it runs.
        const ExceptionBoundaryHandler handler = InstalledHandler();
        handler(error, sender);
    } catch (...) {
        // The boundary failed in turn (its message box, OnException, memory):
        // dropping the exception here is the only way to keep it off user32's frames.
    }
    reporting = false;
}

} // namespace ui
