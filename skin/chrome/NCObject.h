// TNCObject: an interactive object of a skinned window's non-client area (a
// title-bar button or a menu-bar item). All of them share one small state
// machine (normal, hover, pressed) and one hot object per window: the object
// under the mouse or pressed. An object repaints itself whenever its state
// changes.
#pragma once

#include "skin/chrome/NCGeometry.h"
#include "ui/Object.h"

class TNCObject;

// What the objects need of the window that holds them for their state
// machine: the window's one hot object. It outlives the objects.
class TNCHotTracker {
public:
    virtual TNCObject* HotObject() const = 0;
    virtual void SetHotObject(TNCObject* object) = 0;

protected:
    ~TNCHotTracker() = default;
};

enum TNCDrawState : int {
    dsNormal = 1,
    dsPressed = 2,
    dsHover = 3,
};

class TNCObject : public TObject {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TNCObject(TNCHotTracker& tracker) : tracker_(tracker) {}
    // A hot object that goes away leaves its window without one.
    ~TNCObject() override;

    // Pressed: the hot object (if another) is left first.
    virtual void MouseDown();
    // Released over this object: back to hover.
    virtual void MouseUp();
    // The mouse is over this object: nothing changes while it is hot already
    // (a pressed object stays pressed); otherwise the hot one is left first.
    virtual void MouseMove();
    // The mouse has gone: back to normal, and the window has no hot object.
    virtual void MouseLeave();
    // Draws the object in its present state; nothing here.
    virtual void Paint() {}

    TNCDrawState State() const { return drawState_; }

    // In window coordinates.
    TNCRect Rect{};
    // Only visible objects react and hit-test.
    bool Visible = false;

protected:
    TNCHotTracker& Tracker() const { return tracker_; }

private:
    void LeaveOtherHotObject();
    void Enter(TNCDrawState state);

    TNCHotTracker& tracker_;
    TNCDrawState drawState_ = dsNormal;
};
