// Exceptions thrown by handlers that user32 calls, inside the skin manager's
// CBT hook, inside window procedures and from timers, stop at the installed
// exception boundary; the program goes on handling messages. Run on both
// targets: on i686 an exception reaching a system frame ends the program.
#include "tests/win/skin_host_support.h"
#include "tests/win/ui_window_support.h"

#include "skin/model/WinSkinData.h"
#include "skin/model/WinSkinDlg.h"
#include "ui/Component.h"
#include "ui/ExceptionBoundary.h"
#include "ui/Exceptions.h"
#include "ui/ExtCtrls.h"
#include "ui/FormTextReader.h"
#include "ui/Forms.h"
#include "ui/Handles.h"
#include "ui/StdCtrls.h"
#include "ui/WndProcThunk.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using skintest::TSkinHost;
using uitest::PumpUntil;

constexpr UINT WM_THROW = WM_APP + 1;
constexpr UINT WM_ANSWER = WM_APP + 2;
constexpr UINT WM_FORWARD = WM_APP + 3;


struct Caught {
    std::string message;
    TObject* sender;
};

std::string MessageOf(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "(not a std::exception)";
    }
}

// A plain popup window of the system's STATIC class, not a framework control.
ui::UniqueWindow PlainWindow()
{
    return ui::UniqueWindow(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                            GetModuleHandleA(nullptr), nullptr));
}

// Every test runs under a boundary that records what reaches it; the default
// boundary comes back afterwards.
class ExceptionBoundaryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        ui::SetExceptionBoundary([this](std::exception_ptr error, TObject* sender) {
            caught.push_back({MessageOf(error), sender});
        });
    }
    void TearDown() override
    {
        ui::SetExceptionBoundary({});
        host.reset();
        FreeSkinManager();
    }

    // A main skin data component, read from form data: its manager hooks the
    // thread. Skinning is switched on as an active component's loaded skin would.
    TSkinData& HookingSkinData()
    {
        ui::RegisterClasses({&TSkinData::ClassInfo, &TSkinHost::ClassInfo});
        host = std::make_unique<TSkinHost>(nullptr);
        ui::ReadFormText(*host, "object SkinHost: TSkinHost\n"
                                "  object SkinData1: TSkinData\n"
                                "  end\n"
                                "end\n");
        TSkinManage* manager = SkinManager();
        if (manager == nullptr || manager->HookHandle() == nullptr || host->SkinData1 == nullptr)
            throw std::runtime_error("the skin data component did not hook the thread");
        manager->SetEnabled(true);
        return *host->SkinData1;
    }

    std::vector<Caught> caught;
    std::unique_ptr<TSkinHost> host;
};

TEST_F(ExceptionBoundaryTest, AnOnFormSkinHandlerThrowingInsideTheCbtHookReachesTheBoundaryAndTheFormStillActivates)
{
    std::vector<std::string> asked;
    HookingSkinData().OnFormSkin = [&](TObject*, std::string className, bool&) {
        asked.push_back(className);
        throw Exception("不要皮肤");
    };

    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(40, 40, 300, 200);
    int closes = 0;
    form->OnClose = [&](TObject*, TCloseAction&) { ++closes; };
    form->Show();
    EXPECT_EQ(asked, std::vector<std::string>{"TForm"}) << "the hook asked while the form activated";
    ASSERT_EQ(caught.size(), 1u);
    EXPECT_EQ(caught[0].message, "不要皮肤");
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(GetActiveWindow(), form->Handle()) << "the activation went on";

    // The form goes on handling messages, and the hook goes on asking.
    PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return closes == 1; }));
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    form->Show();
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_EQ(caught.size(), 2u);
    EXPECT_EQ(GetActiveWindow(), form->Handle());
}

TEST_F(ExceptionBoundaryTest, TheDefaultBoundaryShowsOneMessageBoxThoughTheHandlerThrowsAgainInsideIt)
{
    ui::SetExceptionBoundary({});
    std::vector<std::string> asked;
    HookingSkinData().OnFormSkin = [&](TObject*, std::string className, bool&) {
        asked.push_back(className);
        throw Exception("不要皮肤");
    };
    int boxes = 0;
    std::string text;
    // Closes the message box the failure shows, from inside its modal loop.
    int looks = 0;
    std::function<void()> closeBox = [&] {
        const HWND box = uitest::FindThreadDialog();
        if (!box) {
            if (++looks < 40)
                uitest::CallAfter(50, closeBox);
            return;
        }
        ++boxes;
        text = uitest::ChildTexts(box);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    };
    uitest::CallAfter(100, closeBox);
    TForm form(nullptr);
    form.SetBounds(40, 40, 300, 200);
    form.Show();
    // A look still pending would outlive the locals it refers to.
    uitest::PendingCalls().clear();
    EXPECT_EQ(boxes, 1);
    EXPECT_NE(text.find("不要皮肤"), std::string::npos) << text;
    ASSERT_GE(asked.size(), 2u);
    EXPECT_EQ(asked[0], "TForm");
    EXPECT_EQ(asked[1], "#32770") << "the hook was asked about the message box, and the handler threw again";
    EXPECT_TRUE(form.Visible());
}

TEST_F(ExceptionBoundaryTest, AnEventHandlerThrowingInsideAWindowProcedureReachesTheBoundaryWithItsWindowsControl)
{
    TForm form(nullptr);
    form.SetBounds(40, 40, 300, 200);
    auto* button = new TButton(&form);
    button->SetBounds(10, 10, 75, 25);
    button->SetParent(&form);
    int clicks = 0;
    button->OnClick = [&](TObject*) {
        ++clicks;
        throw Exception("查询失败");
    };
    int closes = 0;
    form.OnClose = [&](TObject*, TCloseAction&) { ++closes; };
    form.Show();

    // Sent: the click is handled while the form's window procedure runs the parent notification.
    SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    ASSERT_EQ(caught.size(), 1u);
    EXPECT_EQ(caught[0].message, "查询失败");
    EXPECT_EQ(caught[0].sender, &form);

    // Posted: the same through the message loop.
    PostMessageA(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return clicks == 2; }));
    EXPECT_EQ(caught.size(), 2u);
    PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return closes == 1; }));
}

TEST_F(ExceptionBoundaryTest, ARawSubclassHandlerThrowingReachesTheBoundaryAndItsCallerGoesOn)
{
    const ui::UniqueWindow inner = PlainWindow();
    const ui::UniqueWindow outer = PlainWindow();
    ASSERT_TRUE(inner && outer);
    const long thunksBefore = ui::LiveThunkCount();
    std::vector<std::string> log;
    {
        ui::WindowSubclass innerLayer;
        ui::WindowSubclass outerLayer;
        ASSERT_TRUE(innerLayer.Install(inner.get(), [&](TMessage& m) {
            if (m.Msg == WM_THROW) {
                m.Result = 5;
                throw std::runtime_error("坏消息");
            }
            if (m.Msg == WM_ANSWER) {
                m.Result = 42;
                return;
            }
            if (m.Msg == WM_NCDESTROY) {
                innerLayer.CallPrevious(m);
                throw std::runtime_error("窗口没了");
            }
            innerLayer.CallPrevious(m);
        }));
        // The outer window's handler sends to the inner one from inside its own window procedure.
        ASSERT_TRUE(outerLayer.Install(outer.get(), [&](TMessage& m) {
            if (m.Msg == WM_FORWARD) {
                log.push_back("before");
                m.Result = SendMessageA(inner.get(), WM_THROW, 0, 0) + 1;
                log.push_back("after");
                return;
            }
            outerLayer.CallPrevious(m);
        }));

        EXPECT_EQ(SendMessageA(inner.get(), WM_THROW, 0, 0), 0) << "a failed handler answers 0";
        ASSERT_EQ(caught.size(), 1u);
        EXPECT_EQ(caught[0].message, "坏消息");
        EXPECT_EQ(caught[0].sender, nullptr);
        EXPECT_EQ(SendMessageA(inner.get(), WM_ANSWER, 0, 0), 42);

        EXPECT_EQ(SendMessageA(outer.get(), WM_FORWARD, 0, 0), 1);
        EXPECT_EQ(log, (std::vector<std::string>{"before", "after"})) << "the exception stopped at the inner window";
        EXPECT_EQ(caught.size(), 2u);

        PostMessageA(inner.get(), WM_THROW, 0, 0);
        EXPECT_TRUE(PumpUntil([&] { return caught.size() == 3; }));

        // Failing while the window goes still leaves nothing of the subclass behind.
        DestroyWindow(inner.get());
        EXPECT_EQ(caught.size(), 4u);
        EXPECT_EQ(caught.back().message, "窗口没了");
        EXPECT_FALSE(IsWindow(inner.get()));
    }
    EXPECT_EQ(ui::LiveThunkCount(), thunksBefore);
}

TEST_F(ExceptionBoundaryTest, ATimerHandlerThrowingReachesTheBoundaryWithTheTimerAndTheTimerKeepsTicking)
{
    TTimer timer(nullptr);
    timer.SetInterval(10);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) {
        ++ticks;
        if (ticks <= 2)
            throw Exception("钟停了 " + std::to_string(ticks));
    };
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 4; }));
    timer.SetEnabled(false);
    ASSERT_EQ(caught.size(), 2u);
    EXPECT_EQ(caught[0].message, "钟停了 1");
    EXPECT_EQ(caught[1].message, "钟停了 2");
    EXPECT_EQ(caught[0].sender, &timer);
}

TEST_F(ExceptionBoundaryTest, TheBoundaryTakesAnyExceptionDropsItsOwnAndFallsBackToTheApplication)
{
    const ui::UniqueWindow window = PlainWindow();
    ASSERT_TRUE(window);
    ui::WindowSubclass layer;
    ASSERT_TRUE(layer.Install(window.get(), [&](TMessage& m) {
        if (m.Msg == WM_THROW)
            throw 7;
        if (m.Msg == WM_ANSWER) {
            m.Result = 42;
            return;
        }
        layer.CallPrevious(m);
    }));

    // Not only what derives from std::exception.
    std::vector<int> values;
    ui::SetExceptionBoundary([&](std::exception_ptr error, TObject*) {
        try {
            std::rethrow_exception(error);
        } catch (int value) {
            values.push_back(value);
        }
    });
    SendMessageA(window.get(), WM_THROW, 0, 0);
    EXPECT_EQ(values, std::vector<int>{7});

    // A boundary that throws in turn is dropped; the window still answers.
    int calls = 0;
    const ui::ExceptionBoundaryHandler previous =
        ui::SetExceptionBoundary([&](std::exception_ptr error, TObject*) {
            ++calls;
            std::rethrow_exception(error);
        });
    EXPECT_EQ(SendMessageA(window.get(), WM_THROW, 0, 0), 0);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(SendMessageA(window.get(), WM_ANSWER, 0, 0), 42);

    // The replaced boundary comes back as it was.
    ui::SetExceptionBoundary(previous);
    SendMessageA(window.get(), WM_THROW, 0, 0);
    EXPECT_EQ(values, (std::vector<int>{7, 7}));

    // An empty boundary is the default: the application's OnException, with the sender.
    ui::SetExceptionBoundary({});
    std::vector<Caught> reported;
    Application->OnException = TExceptionEvent([&](TObject* sender, const std::exception& error) {
        reported.push_back({error.what(), sender});
    });
    TTimer timer(nullptr);
    timer.SetInterval(10);
    timer.OnTimer = [&](TObject*) {
        timer.SetEnabled(false);
        throw Exception("默认处理");
    };
    EXPECT_TRUE(PumpUntil([&] { return !reported.empty(); }));
    Application->OnException.Clear();
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0].message, "默认处理");
    EXPECT_EQ(reported[0].sender, &timer);
    EXPECT_TRUE(caught.empty()) << "the recording boundary was replaced throughout";
}

} // namespace
