#include "tests/win/MessageSequence.h"

#include "ui/Forms.h"
#include "ui/Handles.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <utility>

namespace msgseq {

namespace {

// Not in the MinGW headers: the timer the system runs for a window (caret blinking).
constexpr UINT WM_SYSTIMER = 0x0118;

struct Named {
    UINT message;
    const char* name;
};

constexpr Named kNames[] = {
    {WM_NULL, "WM_NULL"},
    {WM_CREATE, "WM_CREATE"},
    {WM_DESTROY, "WM_DESTROY"},
    {WM_MOVE, "WM_MOVE"},
    {WM_SIZE, "WM_SIZE"},
    {WM_ACTIVATE, "WM_ACTIVATE"},
    {WM_SETFOCUS, "WM_SETFOCUS"},
    {WM_KILLFOCUS, "WM_KILLFOCUS"},
    {WM_ENABLE, "WM_ENABLE"},
    {WM_SETREDRAW, "WM_SETREDRAW"},
    {WM_SETTEXT, "WM_SETTEXT"},
    {WM_GETTEXT, "WM_GETTEXT"},
    {WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH"},
    {WM_PAINT, "WM_PAINT"},
    {WM_CLOSE, "WM_CLOSE"},
    {WM_QUIT, "WM_QUIT"},
    {WM_ERASEBKGND, "WM_ERASEBKGND"},
    {WM_SYSCOLORCHANGE, "WM_SYSCOLORCHANGE"},
    {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
    {WM_SETTINGCHANGE, "WM_SETTINGCHANGE"},
    {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
    {WM_CANCELMODE, "WM_CANCELMODE"},
    {WM_SETCURSOR, "WM_SETCURSOR"},
    {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"},
    {WM_CHILDACTIVATE, "WM_CHILDACTIVATE"},
    {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
    {WM_DRAWITEM, "WM_DRAWITEM"},
    {WM_MEASUREITEM, "WM_MEASUREITEM"},
    {WM_DELETEITEM, "WM_DELETEITEM"},
    {WM_SETFONT, "WM_SETFONT"},
    {WM_GETFONT, "WM_GETFONT"},
    {WM_QUERYDRAGICON, "WM_QUERYDRAGICON"},
    {WM_COMPAREITEM, "WM_COMPAREITEM"},
    {WM_GETOBJECT, "WM_GETOBJECT"},
    {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
    {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
    {WM_NOTIFY, "WM_NOTIFY"},
    {WM_INPUTLANGCHANGEREQUEST, "WM_INPUTLANGCHANGEREQUEST"},
    {WM_INPUTLANGCHANGE, "WM_INPUTLANGCHANGE"},
    {WM_HELP, "WM_HELP"},
    {WM_NOTIFYFORMAT, "WM_NOTIFYFORMAT"},
    {WM_CONTEXTMENU, "WM_CONTEXTMENU"},
    {WM_STYLECHANGING, "WM_STYLECHANGING"},
    {WM_STYLECHANGED, "WM_STYLECHANGED"},
    {WM_DISPLAYCHANGE, "WM_DISPLAYCHANGE"},
    {WM_GETICON, "WM_GETICON"},
    {WM_SETICON, "WM_SETICON"},
    {WM_NCCREATE, "WM_NCCREATE"},
    {WM_NCDESTROY, "WM_NCDESTROY"},
    {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
    {WM_NCHITTEST, "WM_NCHITTEST"},
    {WM_NCPAINT, "WM_NCPAINT"},
    {WM_NCACTIVATE, "WM_NCACTIVATE"},
    {WM_GETDLGCODE, "WM_GETDLGCODE"},
    {WM_SYNCPAINT, "WM_SYNCPAINT"},
    {WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE"},
    {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"},
    {WM_NCLBUTTONUP, "WM_NCLBUTTONUP"},
    {WM_NCLBUTTONDBLCLK, "WM_NCLBUTTONDBLCLK"},
    {WM_NCRBUTTONDOWN, "WM_NCRBUTTONDOWN"},
    {WM_NCRBUTTONUP, "WM_NCRBUTTONUP"},
    {EM_GETSEL, "EM_GETSEL"},
    {EM_SETSEL, "EM_SETSEL"},
    {EM_SCROLLCARET, "EM_SCROLLCARET"},
    {EM_GETMODIFY, "EM_GETMODIFY"},
    {EM_SETMODIFY, "EM_SETMODIFY"},
    {EM_LIMITTEXT, "EM_LIMITTEXT"},
    {EM_SETREADONLY, "EM_SETREADONLY"},
    {BM_GETCHECK, "BM_GETCHECK"},
    {BM_SETCHECK, "BM_SETCHECK"},
    {BM_GETSTATE, "BM_GETSTATE"},
    {BM_SETSTATE, "BM_SETSTATE"},
    {BM_SETSTYLE, "BM_SETSTYLE"},
    {BM_CLICK, "BM_CLICK"},
    {WM_KEYDOWN, "WM_KEYDOWN"},
    {WM_KEYUP, "WM_KEYUP"},
    {WM_CHAR, "WM_CHAR"},
    {WM_DEADCHAR, "WM_DEADCHAR"},
    {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
    {WM_SYSKEYUP, "WM_SYSKEYUP"},
    {WM_SYSCHAR, "WM_SYSCHAR"},
    {WM_IME_STARTCOMPOSITION, "WM_IME_STARTCOMPOSITION"},
    {WM_IME_ENDCOMPOSITION, "WM_IME_ENDCOMPOSITION"},
    {WM_IME_COMPOSITION, "WM_IME_COMPOSITION"},
    {WM_INITDIALOG, "WM_INITDIALOG"},
    {WM_COMMAND, "WM_COMMAND"},
    {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
    {WM_TIMER, "WM_TIMER"},
    {WM_HSCROLL, "WM_HSCROLL"},
    {WM_VSCROLL, "WM_VSCROLL"},
    {WM_INITMENU, "WM_INITMENU"},
    {WM_INITMENUPOPUP, "WM_INITMENUPOPUP"},
    {WM_SYSTIMER, "WM_SYSTIMER"},
    {WM_MENUSELECT, "WM_MENUSELECT"},
    {WM_MENUCHAR, "WM_MENUCHAR"},
    {WM_ENTERIDLE, "WM_ENTERIDLE"},
    {WM_UNINITMENUPOPUP, "WM_UNINITMENUPOPUP"},
    {WM_CHANGEUISTATE, "WM_CHANGEUISTATE"},
    {WM_UPDATEUISTATE, "WM_UPDATEUISTATE"},
    {WM_QUERYUISTATE, "WM_QUERYUISTATE"},
    {WM_CTLCOLORMSGBOX, "WM_CTLCOLORMSGBOX"},
    {WM_CTLCOLOREDIT, "WM_CTLCOLOREDIT"},
    {WM_CTLCOLORLISTBOX, "WM_CTLCOLORLISTBOX"},
    {WM_CTLCOLORBTN, "WM_CTLCOLORBTN"},
    {WM_CTLCOLORDLG, "WM_CTLCOLORDLG"},
    {WM_CTLCOLORSCROLLBAR, "WM_CTLCOLORSCROLLBAR"},
    {WM_CTLCOLORSTATIC, "WM_CTLCOLORSTATIC"},
    {LB_ADDSTRING, "LB_ADDSTRING"},
    {LB_SETSEL, "LB_SETSEL"},
    {LB_SETCURSEL, "LB_SETCURSEL"},
    {LB_GETCURSEL, "LB_GETCURSEL"},
    {LB_GETCOUNT, "LB_GETCOUNT"},
    {LB_GETTOPINDEX, "LB_GETTOPINDEX"},
    {LB_SETTOPINDEX, "LB_SETTOPINDEX"},
    {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
    {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
    {WM_LBUTTONUP, "WM_LBUTTONUP"},
    {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
    {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
    {WM_RBUTTONUP, "WM_RBUTTONUP"},
    {WM_RBUTTONDBLCLK, "WM_RBUTTONDBLCLK"},
    {WM_MBUTTONDOWN, "WM_MBUTTONDOWN"},
    {WM_MBUTTONUP, "WM_MBUTTONUP"},
    {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"},
    {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"},
    {WM_ENTERMENULOOP, "WM_ENTERMENULOOP"},
    {WM_EXITMENULOOP, "WM_EXITMENULOOP"},
    {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
    {WM_MOVING, "WM_MOVING"},
    {WM_ENTERSIZEMOVE, "WM_ENTERSIZEMOVE"},
    {WM_EXITSIZEMOVE, "WM_EXITSIZEMOVE"},
    {WM_IME_SETCONTEXT, "WM_IME_SETCONTEXT"},
    {WM_IME_NOTIFY, "WM_IME_NOTIFY"},
    {WM_MOUSEHOVER, "WM_MOUSEHOVER"},
    {WM_MOUSELEAVE, "WM_MOUSELEAVE"},
    {WM_PRINT, "WM_PRINT"},
    {WM_PRINTCLIENT, "WM_PRINTCLIENT"},
    {WM_THEMECHANGED, "WM_THEMECHANGED"},
    {WM_APP, "WM_APP"},
    {CM_ACTIVATE, "CM_ACTIVATE"},
    {CM_DEACTIVATE, "CM_DEACTIVATE"},
    {CM_DIALOGKEY, "CM_DIALOGKEY"},
    {CM_DIALOGCHAR, "CM_DIALOGCHAR"},
    {CM_FOCUSCHANGED, "CM_FOCUSCHANGED"},
    {CM_PARENTFONTCHANGED, "CM_PARENTFONTCHANGED"},
    {CM_PARENTCOLORCHANGED, "CM_PARENTCOLORCHANGED"},
    {CM_VISIBLECHANGED, "CM_VISIBLECHANGED"},
    {CM_ENABLEDCHANGED, "CM_ENABLEDCHANGED"},
    {CM_COLORCHANGED, "CM_COLORCHANGED"},
    {CM_FONTCHANGED, "CM_FONTCHANGED"},
    {CM_TEXTCHANGED, "CM_TEXTCHANGED"},
    {CM_MOUSEENTER, "CM_MOUSEENTER"},
    {CM_MOUSELEAVE, "CM_MOUSELEAVE"},
    {CM_MENUCHANGED, "CM_MENUCHANGED"},
    {CM_ENTER, "CM_ENTER"},
    {CM_EXIT, "CM_EXIT"},
    {CM_WANTDIALOGKEY, "CM_WANTDIALOGKEY"},
    {CM_RELEASE, "CM_RELEASE"},
    {CM_RECREATEWND, "CM_RECREATEWND"},
};

const char* KnownName(UINT message)
{
    const auto it = std::find_if(std::begin(kNames), std::end(kNames),
                                 [message](const Named& n) { return n.message == message; });
    return it == std::end(kNames) ? nullptr : it->name;
}

std::string Hex(unsigned long long value)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", value);
    return text;
}

// ---- what a parameter means

enum class Param { Value, Window, WindowPos, Notification, Opaque };

struct Kinds {
    Param w = Param::Value;
    Param l = Param::Value;
};

constexpr bool IsControlMessage(UINT message)
{
    // EM_/BM_/SBM_, CB_/LB_, the WM_USER range (LVM_/HDM_ ...): their long
    // parameter is mostly a buffer or a structure.
    return (message >= 0x00B0 && message <= 0x00FF) || (message >= 0x0140 && message <= 0x01FF) ||
           (message >= WM_USER && message < WM_APP);
}

constexpr bool IsValueControlMessage(UINT message)
{
    switch (message) {
    case EM_SETSEL:
    case EM_SCROLLCARET:
    case EM_GETMODIFY:
    case EM_SETMODIFY:
    case EM_LIMITTEXT:
    case EM_SETREADONLY:
    case BM_GETCHECK:
    case BM_SETCHECK:
    case BM_GETSTATE:
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case BM_CLICK:
    case LB_SETSEL:
    case LB_SETCURSEL:
    case LB_GETCURSEL:
    case LB_GETCOUNT:
    case LB_GETTOPINDEX:
    case LB_SETTOPINDEX:
        return true;
    default:
        return false;
    }
}

Kinds KindsOf(UINT message, WPARAM wParam)
{
    if (message >= CN_BASE && message < CN_BASE + 0x400)
        return KindsOf(message - CN_BASE, wParam);
    if (message == CM_FOCUSCHANGED)
        return {Param::Value, Param::Opaque};  // a control object
    switch (message) {
    case WM_NCPAINT:
        // 1 means the whole frame; anything else is a region handle.
        return {wParam == 1 ? Param::Value : Param::Opaque, Param::Value};
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_PRINT:
    case WM_PRINTCLIENT:
    case WM_SETFONT:
    case WM_INITMENU:
    case WM_INITMENUPOPUP:
    case WM_UNINITMENUPOPUP:
        return {wParam == 0 ? Param::Value : Param::Opaque, Param::Value};
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return {Param::Opaque, Param::Window};
    case WM_SETCURSOR:
    case WM_MOUSEACTIVATE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_CONTEXTMENU:
        return {Param::Window, Param::Value};
    case WM_ACTIVATE:
    case WM_CAPTURECHANGED:
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_ENTERIDLE:
        return {Param::Value, Param::Window};
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED:
        return {Param::Value, Param::WindowPos};
    case WM_NOTIFY:
        return {Param::Value, Param::Notification};
    case WM_PARENTNOTIFY:
        return {Param::Value, LOWORD(wParam) == WM_CREATE || LOWORD(wParam) == WM_DESTROY ? Param::Window
                                                                                          : Param::Value};
    case WM_MENUSELECT:
    case WM_MENUCHAR:
    case WM_SETICON:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_GETTEXT:
    case WM_SETTEXT:
    case WM_CREATE:
    case WM_NCCREATE:
    case WM_NCCALCSIZE:
    case WM_GETMINMAXINFO:
    case WM_STYLECHANGING:
    case WM_STYLECHANGED:
    case WM_GETDLGCODE:
    case WM_GETOBJECT:
    case WM_TIMER:
    case WM_SYSTIMER:
    case WM_HELP:
    case WM_COPYDATA:
    case WM_SETTINGCHANGE:
        return {Param::Value, Param::Opaque};
    default:
        break;
    }
    if (IsControlMessage(message) && !IsValueControlMessage(message))
        return {Param::Value, Param::Opaque};
    return {};
}

// ---- how a message arrived

// The message last taken from this thread's queue; its first arrival at a
// recorded window is the dispatch.
struct Arrival {
    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    unsigned long long serial = 0;
};

thread_local Arrival g_arrival;
thread_local int g_defaultDepth = 0;  // DefaultProcedure calls running
thread_local int g_recorders = 0;
thread_local ui::UniqueHook g_hook;

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        const MSG& m = *reinterpret_cast<const MSG*>(lParam);
        g_arrival = Arrival{m.hwnd, m.message, m.wParam, m.lParam, g_arrival.serial + 1};
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void RecorderStarted()
{
    if (g_recorders++ == 0)
        g_hook.reset(SetWindowsHookExA(WH_GETMESSAGE, &GetMessageHook, nullptr, GetCurrentThreadId()));
}

void RecorderStopped()
{
    if (--g_recorders == 0)
        g_hook.reset();
}

// ---- side by side

constexpr std::size_t kColumn = 58;
constexpr std::size_t kRowsBefore = 12;
constexpr std::size_t kRowsAfter = 30;

std::string Padded(std::string text)
{
    if (text.size() < kColumn)
        text.append(kColumn - text.size(), ' ');
    return text;
}

struct Row {
    std::string expected;
    std::string actual;
    bool mismatch = false;
};

std::string SideBySide(const std::vector<Row>& rows, std::size_t first, std::string_view leftTitle,
                       std::string_view rightTitle)
{
    std::ostringstream out;
    out << "     " << Padded(std::string(leftTitle)) << " | " << rightTitle << "\n";
    const std::size_t begin = first > kRowsBefore ? first - kRowsBefore : 0;
    if (begin > 0)
        out << "     ... " << begin << " matching entries before\n";
    const std::size_t end = std::min(rows.size(), first + kRowsAfter);
    for (std::size_t i = begin; i < end; ++i) {
        char number[8];
        std::snprintf(number, sizeof number, "%4zu", i);
        out << (rows[i].mismatch ? "!" : " ") << number << " " << Padded(rows[i].expected) << " | "
            << rows[i].actual << "\n";
    }
    if (end < rows.size())
        out << "     ... " << rows.size() - end << " more rows\n";
    return out.str();
}

// compareFlag is WParam or LParam; kindFlags say what the value stands for
// (a window's number, a WINDOWPOS's flags) and must agree as well.
bool ParameterAgrees(unsigned compareFlag, unsigned kindFlags, const Entry& a, const Entry& b, bool bothRecorded,
                     unsigned long long va, unsigned long long vb)
{
    const bool aCompares = (a.flags & compareFlag) != 0;
    if (bothRecorded && aCompares != ((b.flags & compareFlag) != 0))
        return false;
    if (!aCompares)
        return true;
    return (a.flags & kindFlags) == (b.flags & kindFlags) && va == vb;
}

bool Agrees(const Entry& expected, const Entry& actual, bool bothRecorded)
{
    if (expected.message != actual.message)
        return false;
    if (!expected.where.empty() && expected.where != actual.where)
        return false;
    if ((expected.flags & DeliveryFlags) != (actual.flags & DeliveryFlags))
        return false;
    return ParameterAgrees(WParam, WParamWindow, expected, actual, bothRecorded, expected.wParam, actual.wParam) &&
           ParameterAgrees(LParam, LParamWindow | LParamContent, expected, actual, bothRecorded,
                           static_cast<unsigned long long>(expected.lParam),
                           static_cast<unsigned long long>(actual.lParam));
}

::testing::AssertionResult Compare(std::span<const Entry> expected, std::span<const Entry> actual,
                                   bool bothRecorded, std::string_view context, std::string_view leftTitle,
                                   std::string_view rightTitle)
{
    std::vector<Row> rows;
    std::size_t i = 0;
    std::size_t j = 0;
    std::size_t mismatchRow = 0;
    bool failed = false;
    while (i < expected.size() || j < actual.size()) {
        const Entry* e = i < expected.size() ? &expected[i] : nullptr;
        const Entry* a = j < actual.size() ? &actual[j] : nullptr;
        if (e && a && Agrees(*e, *a, bothRecorded)) {
            rows.push_back({Describe(*e), Describe(*a), false});
            ++i;
            ++j;
        } else if (e && (e->flags & Optional)) {
            rows.push_back({Describe(*e), "", false});
            ++i;
        } else if (a && bothRecorded && (a->flags & Optional)) {
            rows.push_back({"", Describe(*a), false});
            ++j;
        } else {
            failed = true;
            mismatchRow = rows.size();
            // The rest of both sides, next to each other, from where they part.
            while (i < expected.size() || j < actual.size()) {
                rows.push_back({i < expected.size() ? Describe(expected[i]) : "",
                                j < actual.size() ? Describe(actual[j]) : "", rows.size() == mismatchRow});
                ++i;
                ++j;
            }
        }
    }
    if (!failed)
        return ::testing::AssertionSuccess();
    auto result = ::testing::AssertionFailure();
    if (!context.empty())
        result << context << ": ";
    result << "message sequences differ at row " << mismatchRow << " (" << expected.size() << " " << leftTitle
           << ", " << actual.size() << " " << rightTitle << ")\n"
           << SideBySide(rows, mismatchRow, leftTitle, rightTitle);
    return result;
}

} // namespace

std::string MessageName(UINT message)
{
    if (const char* known = KnownName(message))
        return known;
    if (message >= CN_BASE && message < CN_BASE + 0x400) {
        if (const char* reflected = KnownName(message - CN_BASE)) {
            const std::string_view name = reflected;
            std::string text = "CN_";
            text += name.substr(name.find('_') + 1);
            return text;
        }
    }
    if (message >= 0xC000 && message <= 0xFFFF) {
        char name[128]{};
        if (GetClipboardFormatNameA(message, name, sizeof name) > 0)
            return name;
    }
    if (message > WM_USER && message < WM_APP)
        return std::string("WM_USER+").append(std::to_string(message - WM_USER));
    if (message > WM_APP && message < 0xC000)
        return std::string("WM_APP+").append(std::to_string(message - WM_APP));
    return Hex(message);
}

std::string Describe(const Entry& entry)
{
    std::string text;
    text += (entry.flags & Posted) ? "posted" : (entry.flags & Sent) ? "sent" : "-";
    if (entry.flags & DefWinProc)
        text += "|defwinproc";
    if (entry.flags & Optional)
        text += "|optional";
    text.append(" ").append(MessageName(entry.message));
    if (!entry.where.empty())
        text.append("(").append(entry.where).append(")");
    // A recorded window by number, a compared value, [a value not compared], {what it pointed to}.
    const auto parameter = [&text](unsigned long long value, bool compared, bool window, bool content = false) {
        if (content)
            text.append("{").append(Hex(value)).append("}");
        else if (window)
            text.append("#").append(std::to_string(value));
        else if (compared)
            text.append(Hex(value));
        else
            text.append("[").append(Hex(value)).append("]");
    };
    text.append(" w=");
    parameter(entry.wParam, entry.flags & WParam, entry.flags & WParamWindow);
    text.append(" l=");
    parameter(static_cast<unsigned long long>(entry.lParam), entry.flags & LParam, entry.flags & LParamWindow,
              entry.flags & LParamContent);
    return text;
}

void Sequence::NameWindow(HWND window, const std::string& name)
{
    if (!window || numbers_.contains(window))
        return;
    names_.push_back(name);
    numbers_[window] = static_cast<unsigned>(names_.size());
}

unsigned Sequence::WindowNumber(HWND window) const
{
    const auto it = numbers_.find(window);
    return it == numbers_.end() ? 0 : it->second;
}

bool Sequence::IsOptional(UINT message) const
{
    return std::find(optional_.begin(), optional_.end(), message) != optional_.end();
}

Recorder::~Recorder() { Detach(); }

void Recorder::Detach()
{
    while (!layers_.empty()) {
        layers_.back()->Remove();
        layers_.pop_back();
        RecorderStopped();
    }
}

void Recorder::AttachWindow(HWND window, const std::string& name)
{
    sequence_.NameWindow(window, name);
    RecorderStarted();
    layers_.push_back(layers::InstallWindowSubclass(
        window, [this, window, name, claimed = std::make_shared<unsigned long long>(0)](
                    TMessage& m, const std::function<void(TMessage&)>& next) {
            Record(window, name, m, *claimed);
            next(m);
        }));
}

void Recorder::AttachControl(TControl& control, const std::string& name)
{
    auto* windowed = ui::As<TWinControl>(&control);
    const HWND window = windowed ? windowed->Handle() : nullptr;
    sequence_.NameWindow(window, name);
    RecorderStarted();
    layers_.push_back(layers::InstallWindowProcLayer(
        control, [this, window, name, claimed = std::make_shared<unsigned long long>(0)](
                     TMessage& m, const std::function<void(TMessage&)>& next) {
            Record(window, name, m, *claimed);
            next(m);
        }));
}

void Recorder::Record(HWND window, const std::string& name, const TMessage& message, unsigned long long& claimed)
{
    if (sequence_.Paused())
        return;
    Entry entry{message.Msg, 0, message.WParam, message.LParam, name};
    const DWORD send = InSendMessageEx(nullptr);
    const Arrival& arrival = g_arrival;
    // Each attachment claims the dispatched message the first time it sees
    // it, so that a later send of the same message is not taken for it.
    if (window && (send & (ISMEX_SEND | ISMEX_NOTIFY | ISMEX_CALLBACK)) == 0 && arrival.window == window &&
        arrival.message == message.Msg && arrival.wParam == message.WParam && arrival.lParam == message.LParam &&
        claimed != arrival.serial) {
        entry.flags |= Posted;
        claimed = arrival.serial;
    } else {
        entry.flags |= Sent;
    }
    if (g_defaultDepth > 0)
        entry.flags |= DefWinProc;
    if (sequence_.IsOptional(message.Msg))
        entry.flags |= Optional;

    const Kinds kinds = KindsOf(message.Msg, message.WParam);
    const auto classify = [this](Param kind, unsigned long long& value, unsigned compare, unsigned windowFlag) {
        switch (kind) {
        case Param::Value:
            return compare;
        case Param::Window: {
            const auto handle = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value));
            if (!handle) {
                return compare;
            }
            if (const unsigned number = sequence_.WindowNumber(handle)) {
                value = number;
                return compare | windowFlag;
            }
            return 0u;
        }
        case Param::WindowPos:
            if (value == 0)
                return 0u;
            // Positions differ between runs; what the move does (the SWP_ flags) does not.
            value = reinterpret_cast<const WINDOWPOS*>(static_cast<std::uintptr_t>(value))->flags;
            return compare | LParamContent;
        case Param::Notification:
            if (value == 0)
                return 0u;
            value = reinterpret_cast<const NMHDR*>(static_cast<std::uintptr_t>(value))->code;
            return compare | LParamContent;
        case Param::Opaque:
            return 0u;
        }
        return 0u;
    };
    unsigned long long w = entry.wParam;
    unsigned long long l = static_cast<unsigned long long>(entry.lParam);
    entry.flags |= classify(kinds.w, w, WParam, WParamWindow);
    entry.flags |= classify(kinds.l, l, LParam, LParamWindow);
    entry.wParam = static_cast<WPARAM>(w);
    entry.lParam = static_cast<LPARAM>(l);
    sequence_.Add(std::move(entry));
}

LRESULT DefaultProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ++g_defaultDepth;
    const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
    --g_defaultDepth;
    return result;
}

::testing::AssertionResult Matches(std::span<const Entry> actual, std::span<const Entry> expected,
                                   std::string_view context)
{
    return Compare(expected, actual, false, context, "expected", "actual");
}

::testing::AssertionResult SameSequence(std::span<const Entry> reference, std::span<const Entry> other,
                                        std::string_view context)
{
    return Compare(reference, other, true, context, "reference", "other");
}

void Flush(int settleMilliseconds)
{
    const ULONGLONG end = GetTickCount64() + 3000;
    for (;;) {
        Application->ProcessMessages();
        if (GetTickCount64() > end)
            return;
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(settleMilliseconds), QS_ALLINPUT) ==
            WAIT_TIMEOUT)
            return;
    }
}

} // namespace msgseq
