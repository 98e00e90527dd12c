// The message-sequence recorder and its comparison: how arrivals are told
// apart, window parameters compared by name, optional entries, and the
// report a mismatch leaves.
#include "tests/win/MessageSequence.h"

#include "ui/ExtCtrls.h"
#include "ui/Forms.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using msgseq::DefWinProc;
using msgseq::Entry;
using msgseq::LParam;
using msgseq::Optional;
using msgseq::Posted;
using msgseq::Sent;
using msgseq::WParam;
using msgseq::WParamWindow;

constexpr UINT WM_PROBE = WM_APP + 5;

LRESULT CALLBACK ProbeProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PROBE)
        return 1;
    return msgseq::DefaultProcedure(window, msg, wParam, lParam);
}

// A hidden popup with a child, both of a class whose procedure ends in the
// recorder's default procedure.
struct ProbeWindows {
    ui::UniqueWindow parent;
    ui::UniqueWindow child;

    ProbeWindows()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ProbeProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ZelSequenceProbe";
        RegisterClassA(&wc);
        parent.reset(CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                     wc.hInstance, nullptr));
        child.reset(CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD, 0, 0, 20, 20, parent.get(), nullptr,
                                    wc.hInstance, nullptr));
    }
};

// What the scenario of the first test records, for fresh windows each time.
std::vector<Entry> RecordProbeScenario()
{
    ProbeWindows windows;
    msgseq::Sequence sequence;
    msgseq::Recorder recorder(sequence);
    recorder.AttachWindow(windows.parent.get(), "parent");
    recorder.AttachWindow(windows.child.get(), "child");
    const HWND child = windows.child.get();
    SendMessageA(child, WM_PROBE, 1, 2);
    PostMessageA(child, WM_PROBE, 3, 4);
    msgseq::Flush();
    // The default procedure hands a child's cursor question to its parent first.
    SendMessageA(child, WM_SETCURSOR, reinterpret_cast<WPARAM>(child), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    recorder.Detach();
    return sequence.Entries();
}

TEST(MessageSequence, RecordsHowEachMessageArrived)
{
    const std::vector<Entry> recorded = RecordProbeScenario();
    const LPARAM hit = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    const std::vector<Entry> expected{
        {WM_PROBE, Sent | WParam | LParam, 1, 2, "child"},
        {WM_PROBE, Posted | WParam | LParam, 3, 4, "child"},
        // the child is the second window named, so it is #2 in a parameter
        {WM_SETCURSOR, Sent | WParam | WParamWindow | LParam, 2, hit, "child"},
        {WM_SETCURSOR, Sent | DefWinProc | WParam | WParamWindow | LParam, 2, hit, "parent"},
    };
    EXPECT_TRUE(msgseq::Matches(recorded, expected));
}

TEST(MessageSequence, WindowsInParametersCompareByNameAcrossRuns)
{
    const std::vector<Entry> first = RecordProbeScenario();
    const std::vector<Entry> second = RecordProbeScenario();
    EXPECT_TRUE(msgseq::SameSequence(first, second));
}

TEST(MessageSequence, ControlRecorderSeesPerformAndTheQueue)
{
    Application->Initialize();
    auto form = std::make_unique<TForm>(nullptr);
    auto* panel = new TPanel(form.get());
    panel->SetBounds(0, 0, 40, 40);
    panel->SetParent(form.get());
    form->HandleNeeded();
    msgseq::Flush();

    msgseq::Sequence sequence;
    {
        msgseq::Recorder recorder(sequence);
        recorder.AttachControl(*panel, "panel");
        panel->Perform(CM_MOUSEENTER, 0, 0);
        PostMessageA(panel->Handle(), WM_PROBE, 7, 0);
        msgseq::Flush();
        sequence.Pause(true);
        panel->Perform(CM_MOUSELEAVE, 0, 0);
        sequence.Pause(false);
        SendMessageA(panel->Handle(), WM_PROBE, 8, 0);
    }
    const std::vector<Entry> expected{
        {CM_MOUSEENTER, Sent, 0, 0, "panel"},
        {WM_PROBE, Posted | WParam, 7, 0, "panel"},
        {WM_PROBE, Sent | WParam, 8, 0, "panel"},
    };
    EXPECT_TRUE(msgseq::Matches(sequence.Entries(), expected));
    // Taken off: nothing more is recorded.
    SendMessageA(panel->Handle(), WM_PROBE, 9, 0);
    EXPECT_EQ(sequence.Entries().size(), 3u);
}

// ---- comparing

const std::vector<Entry> kActual{
    {WM_NCPAINT, Sent | WParam, 1, 0, "edit"},
    {WM_ERASEBKGND, Sent, 0x1234, 0, "edit"},
    {WM_PAINT, Posted | WParam | LParam, 0, 0, "edit"},
};

TEST(MessageSequence, OptionalExpectationsMayBeMissingOrPresent)
{
    EXPECT_TRUE(msgseq::Matches(kActual, std::vector<Entry>{
                                             {WM_NCPAINT, Sent, 0, 0, ""},
                                             {WM_SETCURSOR, Sent | Optional, 0, 0, ""},
                                             {WM_ERASEBKGND, Sent, 0, 0, ""},
                                             {WM_PAINT, Posted | Optional, 0, 0, ""},
                                             {WM_TIMER, Posted | Optional, 0, 0, ""},
                                         }));
    // An optional entry in one recorded sequence may be missing in the other.
    std::vector<Entry> blinking = kActual;
    blinking.insert(blinking.begin() + 1, Entry{0x0118, Posted | Optional, 0, 0, "edit"});
    EXPECT_TRUE(msgseq::SameSequence(kActual, blinking));
    EXPECT_TRUE(msgseq::SameSequence(blinking, kActual));
}

TEST(MessageSequence, EveryKindOfDifferenceIsAMismatch)
{
    const auto expectWithout = [](std::vector<Entry> expected) { return msgseq::Matches(kActual, expected); };
    // a message missing, one too many, out of order
    EXPECT_FALSE(expectWithout({kActual[0], kActual[2]}));
    EXPECT_FALSE(expectWithout({kActual[0], kActual[1]}));
    EXPECT_FALSE(expectWithout({kActual[1], kActual[0], kActual[2]}));
    // posted where it was sent
    EXPECT_FALSE(expectWithout({{WM_NCPAINT, Posted, 0, 0, ""}, kActual[1], kActual[2]}));
    // a compared parameter differs; an uncompared one may
    EXPECT_FALSE(expectWithout({{WM_NCPAINT, Sent | WParam, 2, 0, ""}, kActual[1], kActual[2]}));
    EXPECT_TRUE(expectWithout({{WM_NCPAINT, Sent, 2, 0, ""}, kActual[1], kActual[2]}));
    // another window
    EXPECT_FALSE(expectWithout({{WM_NCPAINT, Sent, 0, 0, "list"}, kActual[1], kActual[2]}));
    // between recorded sequences, a parameter one side compares and the other does not
    std::vector<Entry> region = kActual;
    region[0].flags = Sent;
    region[0].wParam = 0x5678;
    EXPECT_FALSE(msgseq::SameSequence(kActual, region));
}

TEST(MessageSequence, MismatchListsBothSequencesSideBySide)
{
    const std::vector<Entry> expected{kActual[0], {WM_PAINT, Posted | WParam | LParam, 0, 0, "edit"}};
    const ::testing::AssertionResult result = msgseq::Matches(kActual, expected, "edit repaint");
    ASSERT_FALSE(result);
    const std::string report = result.message();
    EXPECT_NE(report.find("edit repaint"), std::string::npos) << report;
    EXPECT_NE(report.find("expected"), std::string::npos) << report;
    EXPECT_NE(report.find("actual"), std::string::npos) << report;
    // The row where they part carries the marker and both entries.
    std::string marked;
    for (std::size_t at = 0, next; at < report.size(); at = next + 1) {
        next = report.find('\n', at);
        if (next == std::string::npos)
            next = report.size();
        if (report[at] == '!')
            marked = report.substr(at, next - at);
    }
    EXPECT_NE(marked.find("posted WM_PAINT(edit) w=0x0 l=0x0"), std::string::npos) << report;
    EXPECT_NE(marked.find("sent WM_ERASEBKGND(edit) w=[0x1234] l=[0x0]"), std::string::npos) << report;
    EXPECT_NE(marked.find(" | "), std::string::npos) << report;
}

TEST(MessageSequence, MessagesHaveReadableNames)
{
    EXPECT_EQ(msgseq::MessageName(WM_NCPAINT), "WM_NCPAINT");
    EXPECT_EQ(msgseq::MessageName(0x0135), "WM_CTLCOLORBTN");
    EXPECT_EQ(msgseq::MessageName(0xBD11), "CN_COMMAND");
    EXPECT_EQ(msgseq::MessageName(0xB013), "CM_MOUSEENTER");
    EXPECT_EQ(msgseq::MessageName(0x8003), "WM_APP+3");
    EXPECT_EQ(msgseq::MessageName(0x0099), "0x99");
    EXPECT_EQ(msgseq::MessageName(RegisterWindowMessageA("ZelvorinSequenceProbe")), "ZelvorinSequenceProbe");
}

} // namespace
