// Where exceptions stop before they reach the system.
//
// Window procedures, hook procedures, timer and enumeration callbacks are
// called by user32, and no exception may unwind through its frames: the
// i686 build unwinds with DWARF tables, which system frames do not have, so
// an exception that reaches one ends the program; on x86-64 it would skip
// the system's own clean-up. Every such entry point of the framework and the
// skinning engine runs its body through RunGuarded, which hands whatever
// escaped to one installable handler and answers user32 with a fallback.
#pragma once

#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

class TObject;

namespace ui {

// Receives the exception that escaped and the object whose handler it left
// (null when the entry point does not know one).
using ExceptionBoundaryHandler = std::function<void(std::exception_ptr error, TObject* sender)>;

// Makes handler the boundary and answers the one it replaces; an empty
// handler brings back the default, Application->HandleException(sender)
// (OnException when assigned, otherwise a message box with the message).
ExceptionBoundaryHandler SetExceptionBoundary(ExceptionBoundaryHandler handler);

// Hands the exception being handled to the boundary; call it inside a catch
// block (outside one it does nothing). Never throws: what the handler itself
// throws is caught and dropped, since there is nobody left to tell; so is an
// exception that escapes while the handler is still running (from inside
// its message box, say).
void ReportToBoundary(TObject* sender) noexcept;

// Runs body; when it throws, reports to the boundary and answers fallback.
template <class Result, class Body>
Result RunGuarded(TObject* sender, Result fallback, Body&& body) noexcept
{
    static_assert(std::is_nothrow_move_constructible_v<Result>);
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        ReportToBoundary(sender);
        return fallback;
    }
}

template <class Body>
void RunGuarded(TObject* sender, Body&& body) noexcept
{
    try {
        std::forward<Body>(body)();
    } catch (...) {
        ReportToBoundary(sender);
    }
}

} // namespace ui
