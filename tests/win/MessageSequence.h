// Message sequences for the window tests: a recorder that logs what a window
// procedure or a control's WindowProc receives, and a comparison against an
// expected sequence (or another recorded one) that prints both side by side
// when they differ.
//
// A recorded entry says how the message arrived (sent, or posted and taken
// from the queue), whether it came while the window's default procedure was
// running, and which of its parameters mean the same in another run: values
// are compared, window handles by the name the window was recorded under, a
// WINDOWPOS or a notification header by its flags or code; other handles and
// pointers are shown but not compared.
#pragma once

#include "tests/win/WindowLayers.h"

#include "ui/Control.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace msgseq {

enum Flag : unsigned {
    Sent = 1u << 0,        // called through SendMessage (or directly, like Perform)
    Posted = 1u << 1,      // taken from the message queue and dispatched
    DefWinProc = 1u << 2,  // arrived while the window's default procedure was running
    Optional = 1u << 3,    // an expectation that may be missing; a recorded message that may not recur
    WParam = 1u << 4,      // the word parameter is compared
    LParam = 1u << 5,      // the long parameter is compared
    WParamWindow = 1u << 6,  // the word parameter is a recorded window's number (0 = no window)
    LParamWindow = 1u << 7,
    LParamContent = 1u << 8,  // the long parameter is what it pointed to: a WINDOWPOS's flags, a notification's code
};

// How a message came in; the part of the flags that two entries must share.
inline constexpr unsigned DeliveryFlags = Sent | Posted | DefWinProc;

struct Entry {
    UINT message = 0;
    unsigned flags = Sent;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    // The recorded window or control; in an expectation, empty matches any.
    std::string where;
};

// "WM_NCPAINT", "CN_COMMAND", "CM_MOUSEENTER", a registered message's name, else "0x1234".
std::string MessageName(UINT message);

// One line for an entry: "sent WM_SIZE(Button) w=0 l=0x190064".
std::string Describe(const Entry& entry);

// What one or more recorders write into; kept in arrival order.
class Sequence {
public:
    const std::vector<Entry>& Entries() const { return entries_; }
    void Clear() { entries_.clear(); }
    void Add(Entry entry) { entries_.push_back(std::move(entry)); }

    // Handles given a name compare by name between runs.
    void NameWindow(HWND window, const std::string& name);
    // The number that stands for window in a parameter; 0 when it has no name.
    unsigned WindowNumber(HWND window) const;

    // Recorded entries for this message are marked Optional: for messages
    // whose count depends on timing (a caret's blinking).
    void SetOptional(UINT message) { optional_.push_back(message); }
    bool IsOptional(UINT message) const;

    // Recording stops while paused (setting a scene up).
    void Pause(bool paused) { paused_ = paused; }
    bool Paused() const { return paused_; }

private:
    std::vector<Entry> entries_;
    std::vector<std::string> names_;  // number - 1 -> name
    std::map<HWND, unsigned> numbers_;
    std::vector<UINT> optional_;
    bool paused_ = false;
};

// Attaches to windows and controls and writes what they receive into a
// sequence. Each attachment is a layer of its own (see WindowLayers.h); they
// are taken off in reverse order when the recorder goes.
class Recorder {
public:
    explicit Recorder(Sequence& into) : sequence_(into) {}
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;
    ~Recorder();

    // In front of the window's procedure: what the procedures below receive.
    void AttachWindow(HWND window, const std::string& name);
    // In front of the control's WindowProc as it is now: what the handlers
    // below receive (at first, the control's own WndProc). Makes a windowed
    // control's window if it has none yet. Detach before the control is freed.
    void AttachControl(TControl& control, const std::string& name);
    // Takes every attachment off, newest first.
    void Detach();

private:
    void Record(HWND window, const std::string& name, const TMessage& message, unsigned long long& claimed);

    Sequence& sequence_;
    std::vector<std::unique_ptr<layers::ScopedLayer>> layers_;
};

// For a test's own window procedure: DefWindowProcA, with what arrives at
// any recorded window meanwhile marked DefWinProc.
LRESULT DefaultProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Against an expectation: the entries must come in this order; an Optional
// expectation may be missing. Delivery flags must agree; a parameter counts
// when the expectation has its flag. On a mismatch the failure message lists
// both sequences side by side.
::testing::AssertionResult Matches(std::span<const Entry> actual, std::span<const Entry> expected,
                                   std::string_view context = {});

// Two recorded sequences (a control bare and with a layer in front): every
// entry must agree in message, window, delivery and every parameter both
// sides compare; Optional entries on either side may be missing on the other.
::testing::AssertionResult SameSequence(std::span<const Entry> reference, std::span<const Entry> other,
                                        std::string_view context = {});

// Handles what is queued until nothing arrives for settleMilliseconds
// (paints, timers and the X server's answers included).
void Flush(int settleMilliseconds = 30);

} // namespace msgseq
