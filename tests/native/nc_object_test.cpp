// The state machine that title-bar buttons and menu-bar items share, and the
// one hot object of their window.
#include "skin/chrome/NCObject.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct Window : TNCHotTracker {
    TNCObject* hot = nullptr;
    // Every paint as "name:state", in order.
    std::vector<std::string> paints;

    TNCObject* HotObject() const override { return hot; }
    void SetHotObject(TNCObject* object) override { hot = object; }
};

class Recorded : public TNCObject {
public:
    Recorded(Window& window, std::string name) : TNCObject(window), window_(window), name_(std::move(name))
    {
        Visible = true;
    }
    void Paint() override { window_.paints.push_back(name_ + ":" + std::to_string(State())); }

private:
    Window& window_;
    std::string name_;
};

using Paints = std::vector<std::string>;

TEST(NCObjectStates, HoverPressReleaseLeave)
{
    Window window;
    Recorded a(window, "a");
    EXPECT_EQ(a.State(), dsNormal);
    EXPECT_EQ(window.hot, nullptr);

    a.MouseMove();
    EXPECT_EQ(a.State(), dsHover);
    EXPECT_EQ(window.hot, &a);
    a.MouseDown();
    EXPECT_EQ(a.State(), dsPressed);
    EXPECT_EQ(window.hot, &a);
    a.MouseUp();
    EXPECT_EQ(a.State(), dsHover);
    EXPECT_EQ(window.hot, &a);
    a.MouseLeave();
    EXPECT_EQ(a.State(), dsNormal);
    EXPECT_EQ(window.hot, nullptr);
    EXPECT_EQ(window.paints, (Paints{"a:3", "a:2", "a:3", "a:1"}));
}

TEST(NCObjectStates, PressedStraightFromNormalAndStaysPressedWhileTheMouseMovesOverIt)
{
    Window window;
    Recorded a(window, "a");
    a.MouseDown();
    EXPECT_EQ(a.State(), dsPressed);
    EXPECT_EQ(window.hot, &a);
    a.MouseMove();
    a.MouseMove();
    EXPECT_EQ(a.State(), dsPressed);
    EXPECT_EQ(window.paints, (Paints{"a:2"})) << "moving over the hot object repaints nothing";
}

TEST(NCObjectStates, PressingTheHoverObjectDoesNotLeaveItFirst)
{
    Window window;
    Recorded a(window, "a");
    a.MouseMove();
    a.MouseDown();
    EXPECT_EQ(window.paints, (Paints{"a:3", "a:2"}));
}

TEST(NCObjectStates, MovingStraightOntoAnotherObjectReturnsTheFirstToNormalBeforeTheSecondTurnsHover)
{
    Window window;
    Recorded a(window, "a");
    Recorded b(window, "b");
    a.MouseMove();
    b.MouseMove();
    EXPECT_EQ(a.State(), dsNormal);
    EXPECT_EQ(b.State(), dsHover);
    EXPECT_EQ(window.hot, &b);
    EXPECT_EQ(window.paints, (Paints{"a:3", "a:1", "b:3"}));
}

TEST(NCObjectStates, PressingAnotherObjectLeavesThePressedOne)
{
    Window window;
    Recorded a(window, "a");
    Recorded b(window, "b");
    a.MouseDown();
    b.MouseDown();
    EXPECT_EQ(a.State(), dsNormal);
    EXPECT_EQ(b.State(), dsPressed);
    EXPECT_EQ(window.hot, &b);
    EXPECT_EQ(window.paints, (Paints{"a:2", "a:1", "b:2"}));
}

TEST(NCObjectStates, PressedThenLeftWithoutReleaseEndsNormal)
{
    // The mouse is pressed on a, moves off and is released elsewhere: only
    // the hover timer's leave reaches a.
    Window window;
    Recorded a(window, "a");
    a.MouseDown();
    a.MouseLeave();
    EXPECT_EQ(a.State(), dsNormal);
    EXPECT_EQ(window.hot, nullptr);
    EXPECT_EQ(window.paints, (Paints{"a:2", "a:1"}));
}

TEST(NCObjectStates, InvisibleObjectsNeitherReactNorBecomeHot)
{
    Window window;
    Recorded a(window, "a");
    Recorded hidden(window, "hidden");
    hidden.Visible = false;

    hidden.MouseMove();
    hidden.MouseDown();
    hidden.MouseUp();
    hidden.MouseLeave();
    EXPECT_EQ(hidden.State(), dsNormal);
    EXPECT_EQ(window.hot, nullptr);
    EXPECT_TRUE(window.paints.empty());

    a.MouseMove();
    hidden.MouseMove();
    EXPECT_EQ(a.State(), dsNormal) << "the hot object is still left";
    EXPECT_EQ(window.hot, nullptr);
    a.MouseDown();
    hidden.MouseDown();
    EXPECT_EQ(a.State(), dsNormal);
    EXPECT_EQ(window.paints, (Paints{"a:3", "a:1", "a:2", "a:1"}));
}

TEST(NCObjectStates, AHotObjectThatIsFreedLeavesNoHotObjectBehind)
{
    Window window;
    Recorded other(window, "other");
    auto a = std::make_unique<Recorded>(window, "a");
    a->MouseMove();
    a.reset();
    EXPECT_EQ(window.hot, nullptr);

    auto d = std::make_unique<Recorded>(window, "d");
    other.MouseMove();
    d.reset();
    EXPECT_EQ(window.hot, &other) << "freeing an object that is not hot keeps the hot one";
}

} // namespace
