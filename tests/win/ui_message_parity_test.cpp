// A layer that passes every message on must change nothing a control's own
// code receives. Every kind of framework control goes through the same
// scripted interaction (painting, the frame, the mouse, a timer, colours,
// focus and keys) bare and with a pass-through layer in front, either in
// front of its window's procedure or in front of its WindowProc; what reaches
// the control's WindowProc below the layer is recorded and must be the same
// entry for entry, with nothing left out. A layer that does interfere must
// show up as a difference.
#include "tests/win/MessageSequence.h"
#include "tests/win/WindowLayers.h"

#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

#include <windowsx.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using msgseq::Entry;

// The caret blinks on a system timer: how often it fires depends on time.
constexpr UINT WM_SYSTIMER = 0x0118;
constexpr UINT_PTR kTestTimer = 77;

template <class T>
T* Place(TForm& form, int left, int top, int width, int height)
{
    auto* control = new T(&form);
    control->SetBounds(left, top, width, height);
    control->SetParent(&form);
    return control;
}

struct ControlKind {
    const char* name;
    // Puts the control on the form and answers the one under test (the form itself for forms and menus).
    std::function<TControl*(TForm&)> place;
};

TControl* PlaceListView(TForm& form)
{
    auto* view = Place<TListView>(form, 20, 20, 200, 120);
    view->SetViewStyle(vsReport);
    view->SetRowSelect(true);
    for (const char* caption : {"地区", "邮编"}) {
        TListColumn* column = view->Columns().Add();
        column->SetCaption(caption);
        column->SetWidth(80);
    }
    for (const char* caption : {"北京", "上海", "重庆"}) {
        TListItem* item = view->Items().Add();
        item->SetCaption(caption);
        item->SubItems().Add("100000");
    }
    return view;
}

TControl* PlaceMainMenu(TForm& form)
{
    auto* menu = new TMainMenu(&form);
    for (const char* caption : {"文件", "帮助"}) {
        auto* item = new TMenuItem(&form);
        item->SetCaption(caption);
        menu->Items()->Add(item);
    }
    form.SetMenu(menu);
    return &form;
}

const std::vector<ControlKind>& Kinds()
{
    static const std::vector<ControlKind> kinds{
        {"Form", [](TForm& form) { return static_cast<TControl*>(&form); }},
        {"MainMenu", PlaceMainMenu},
        {"Button",
         [](TForm& form) {
             auto* button = Place<TButton>(form, 20, 20, 90, 28);
             button->SetCaption("查询");
             return static_cast<TControl*>(button);
         }},
        {"Edit",
         [](TForm& form) {
             auto* edit = Place<TEdit>(form, 20, 20, 120, 22);
             edit->SetText("输入关键字");
             return static_cast<TControl*>(edit);
         }},
        {"ListBox",
         [](TForm& form) {
             auto* list = Place<TListBox>(form, 20, 20, 120, 100);
             for (const char* item : {"大洋洲", "北京", "重庆"})
                 list->Items().Add(item);
             return static_cast<TControl*>(list);
         }},
        {"GroupBox",
         [](TForm& form) {
             auto* group = Place<TGroupBox>(form, 20, 20, 160, 100);
             group->SetCaption("浏览");
             return static_cast<TControl*>(group);
         }},
        {"ListView", PlaceListView},
        {"Panel",
         [](TForm& form) {
             auto* panel = Place<TPanel>(form, 20, 20, 160, 100);
             panel->SetCaption("面板");
             return static_cast<TControl*>(panel);
         }},
        {"Label",
         [](TForm& form) {
             auto* label = Place<TLabel>(form, 20, 20, 100, 20);
             label->SetCaption("邮政编码");
             return static_cast<TControl*>(label);
         }},
        {"Image", [](TForm& form) { return static_cast<TControl*>(Place<TImage>(form, 20, 20, 64, 64)); }},
    };
    return kinds;
}

const ControlKind& KindNamed(const std::string& name)
{
    const auto& kinds = Kinds();
    return *std::find_if(kinds.begin(), kinds.end(), [&](const ControlKind& kind) { return kind.name == name; });
}

enum class LayerKind { None, Subclass, WindowProc };

// Where the mouse goes: the control's own window, or for a control without
// one its parent, at the control's centre.
struct Target {
    HWND window;
    POINT point;
};

Target TargetOf(TControl& subject)
{
    if (auto* windowed = ui::As<TWinControl>(&subject))
        return {windowed->Handle(), {subject.ClientWidth() / 2, subject.ClientHeight() / 2}};
    return {subject.Parent()->Handle(),
            {subject.Left() + subject.Width() / 2, subject.Top() + subject.Height() / 2}};
}

LPARAM PointParameter(POINT p) { return MAKELPARAM(p.x, p.y); }

// One WM_TIMER from a timer set on the window, taken from the queue and dispatched.
void FireTimer(HWND window)
{
    const ui::UniqueTimer timer = ui::UniqueTimer::Start(window, kTestTimer, 1);
    ASSERT_TRUE(timer);
    const ULONGLONG end = GetTickCount64() + 2000;
    MSG message{};
    while (!PeekMessageA(&message, window, WM_TIMER, WM_TIMER, PM_REMOVE) || message.wParam != kTestTimer) {
        if (message.message == WM_TIMER)
            DispatchMessageA(&message);
        ASSERT_LT(GetTickCount64(), end) << "no WM_TIMER";
        message = MSG{};
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_TIMER);
    }
    DispatchMessageA(&message);
}

void PostKey(WORD key)
{
    const HWND target = GetFocus();
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
    msgseq::Flush();
}

// The same steps for every kind; each step settles before the next.
void Interact(TForm& form, TControl& subject)
{
    const HWND formWindow = form.Handle();
    const Target target = TargetOf(subject);
    const HWND window = target.window;

    // Painting: the frame and the client at once, then once more from the queue.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    subject.Invalidate();
    msgseq::Flush();

    // The frame is measured again.
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    msgseq::Flush();

    // The mouse: hit test, cursor, a move, a click, and leaving.
    POINT screen = target.point;
    ClientToScreen(window, &screen);
    SendMessageA(window, WM_NCHITTEST, 0, PointParameter(screen));
    SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    PostMessageA(window, WM_MOUSEMOVE, 0, PointParameter(target.point));
    msgseq::Flush();
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, PointParameter(target.point));
    PostMessageA(window, WM_LBUTTONUP, 0, PointParameter(target.point));
    msgseq::Flush();
    PostMessageA(window, WM_MOUSELEAVE, 0, 0);
    msgseq::Flush();

    FireTimer(window);
    msgseq::Flush();

    // Colours asked of the parent for the control (forms answer for themselves).
    {
        const ui::UniqueDC dc(CreateCompatibleDC(nullptr));
        const HWND parent = GetParent(window) ? GetParent(window) : window;
        SendMessageA(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(window));
        SendMessageA(parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(window));
    }

    // Focus and keys.
    SetFocus(formWindow);
    msgseq::Flush();
    if (auto* windowed = ui::As<TWinControl>(&subject); windowed && windowed != &form)
        windowed->SetFocus();
    msgseq::Flush();
    PostKey(VK_DOWN);
    PostKey('A');
    SetFocus(formWindow);
    msgseq::Flush();

    // The form loses and regains its active look.
    SendMessageA(formWindow, WM_NCACTIVATE, FALSE, 0);
    SendMessageA(formWindow, WM_NCACTIVATE, TRUE, 0);
    if (TMainMenu* menu = form.Menu()) {
        SendMessageA(formWindow, WM_INITMENU, reinterpret_cast<WPARAM>(menu->Handle()), 0);
        SendMessageA(formWindow, WM_COMMAND, MAKEWPARAM(menu->Items()->Items(0)->Command(), 0), 0);
        menu->Items()->Items(1)->SetCaption("关于");
        DrawMenuBar(formWindow);
    }
    msgseq::Flush();
}

// The front layers of one run, on the form and the control under test.
std::vector<std::unique_ptr<layers::ScopedLayer>> PutLayers(LayerKind kind, const layers::Handler& handler,
                                                            const std::vector<TControl*>& controls)
{
    std::vector<std::unique_ptr<layers::ScopedLayer>> installed;
    for (TControl* control : controls) {
        if (kind == LayerKind::WindowProc)
            installed.push_back(layers::InstallWindowProcLayer(*control, handler));
        else if (auto* windowed = ui::As<TWinControl>(control); windowed && kind == LayerKind::Subclass)
            installed.push_back(layers::InstallWindowSubclass(windowed->Handle(), handler));
    }
    return installed;
}

const layers::Handler kPassThrough = [](TMessage& m, const std::function<void(TMessage&)>& next) { next(m); };

class MessageParity : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Application->Initialize();
        // The real pointer stays away from every window the tests show.
        SetCursorPos(0, 0);
        msgseq::Flush(100);
    }

    // Shows a fresh form with the control, puts the layer in front, runs the
    // interaction and answers what the form's and the control's own code received.
    static std::vector<Entry> Run(const ControlKind& kind, LayerKind layer, const layers::Handler& handler)
    {
        msgseq::Sequence sequence;
        sequence.SetOptional(WM_SYSTIMER);
        auto form = std::make_unique<TForm>(nullptr);
        form->SetCaption(kind.name);
        form->SetBorderStyle(bsSingle);
        form->SetBounds(300, 200, 320, 240);
        TControl* subject = kind.place(*form);
        form->Show();
        PumpUntilActive(form->Handle());
        msgseq::Flush(100);
        {
            std::vector<TControl*> controls{form.get()};
            if (subject != form.get())
                controls.push_back(subject);
            msgseq::Recorder recorder(sequence);
            recorder.AttachControl(*form, "form");
            if (subject != form.get())
                recorder.AttachControl(*subject, kind.name);
            auto front = PutLayers(layer, handler, controls);
            Interact(*form, *subject);
            while (!front.empty())
                front.pop_back();
        }
        form.reset();
        msgseq::Flush();
        return sequence.Entries();
    }

    static void PumpUntilActive(HWND window)
    {
        const ULONGLONG end = GetTickCount64() + 2000;
        while (GetActiveWindow() != window && GetTickCount64() < end) {
            SetActiveWindow(window);
            msgseq::Flush();
        }
    }

    // A bare run as reference and one with the layer, after a bare run to
    // warm up (the first run of a kind in a process may differ: classes,
    // fonts and images are made once).
    static void ExpectParity(LayerKind layer)
    {
        for (const ControlKind& kind : Kinds()) {
            Run(kind, LayerKind::None, kPassThrough);
            const std::vector<Entry> bare = Run(kind, LayerKind::None, kPassThrough);
            const std::vector<Entry> layered = Run(kind, layer, kPassThrough);
            EXPECT_GT(bare.size(), 30u) << kind.name;
            EXPECT_TRUE(msgseq::SameSequence(bare, layered, kind.name));
        }
    }
};

TEST_F(MessageParity, PassThroughSubclassChangesNothingForAnyControl) { ExpectParity(LayerKind::Subclass); }

TEST_F(MessageParity, PassThroughWindowProcChangesNothingForAnyControl) { ExpectParity(LayerKind::WindowProc); }

TEST_F(MessageParity, RecordedSequencesCoverEveryFamilyOfMessages)
{
    const ControlKind& edit = KindNamed("Edit");
    Run(edit, LayerKind::None, kPassThrough);
    const std::vector<Entry> seen = Run(edit, LayerKind::None, kPassThrough);
    const auto has = [&](UINT message, const std::string& where) {
        return std::any_of(seen.begin(), seen.end(),
                           [&](const Entry& e) { return e.message == message && e.where == where; });
    };
    for (UINT message : {UINT{WM_PAINT}, UINT{WM_ERASEBKGND}, UINT{WM_NCPAINT}, UINT{WM_NCCALCSIZE},
                         UINT{WM_NCHITTEST}, UINT{WM_SETCURSOR}, UINT{WM_MOUSEMOVE}, UINT{WM_LBUTTONDOWN},
                         UINT{WM_LBUTTONUP}, UINT{WM_MOUSELEAVE}, UINT{WM_TIMER}, UINT{CN_CTLCOLORSTATIC},
                         UINT{WM_SETFOCUS}, UINT{WM_KILLFOCUS}, UINT{WM_KEYDOWN}, UINT{WM_CHAR}})
        EXPECT_TRUE(has(message, "Edit")) << msgseq::MessageName(message);
    EXPECT_TRUE(has(WM_CTLCOLORSTATIC, "form"));
    EXPECT_TRUE(has(WM_NCACTIVATE, "form"));
}

// ---- layers that interfere are caught

struct Interference {
    const char* what;
    LayerKind layer;
    UINT reported;  // the message the report must name
    layers::Handler handler;
};

const std::vector<Interference>& Interferences()
{
    static const std::vector<Interference> all{
        {"a subclass that eats WM_NCPAINT", LayerKind::Subclass, WM_NCPAINT,
         [](TMessage& m, const std::function<void(TMessage&)>& next) {
             if (m.Msg != WM_NCPAINT)
                 next(m);
         }},
        {"a subclass that moves the mouse by a pixel", LayerKind::Subclass, WM_MOUSEMOVE,
         [](TMessage& m, const std::function<void(TMessage&)>& next) {
             if (m.Msg == WM_MOUSEMOVE)
                 m.LParam = MAKELPARAM(GET_X_LPARAM(m.LParam) + 1, GET_Y_LPARAM(m.LParam));
             next(m);
         }},
        {"a WindowProc that eats WM_NCPAINT", LayerKind::WindowProc, WM_NCPAINT,
         [](TMessage& m, const std::function<void(TMessage&)>& next) {
             if (m.Msg != WM_NCPAINT)
                 next(m);
         }},
    };
    return all;
}

TEST_F(MessageParity, InterferingLayersAreCaughtForEveryControl)
{
    for (const ControlKind& kind : Kinds()) {
        Run(kind, LayerKind::None, kPassThrough);
        const std::vector<Entry> bare = Run(kind, LayerKind::None, kPassThrough);
        for (const Interference& interference : Interferences()) {
            const std::string context = std::string(kind.name) + " behind " + interference.what;
            const ::testing::AssertionResult verdict =
                msgseq::SameSequence(bare, Run(kind, interference.layer, interference.handler), context);
            EXPECT_FALSE(verdict) << context;
            EXPECT_NE(std::string(verdict.message()).find(msgseq::MessageName(interference.reported)),
                      std::string::npos)
                << verdict.message();
        }
    }
}

} // namespace
