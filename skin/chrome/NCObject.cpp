#include "skin/chrome/NCObject.h"

constinit const TClassInfo TNCObject::ClassInfo = ui::ClassOf<TNCObject>("TNCObject", TObject::ClassInfo);

TNCObject::~TNCObject()
{
    if (tracker_.HotObject() == this)
        tracker_.SetHotObject(nullptr);
}

void TNCObject::LeaveOtherHotObject()
{
    TNCObject* const hot = tracker_.HotObject();
    if (hot != nullptr && hot != this)
        hot->MouseLeave();
}

void TNCObject::Enter(TNCDrawState state)
{
    tracker_.SetHotObject(this);
    drawState_ = state;
    Paint();
}

void TNCObject::MouseDown()
{
    LeaveOtherHotObject();
    if (Visible)
        Enter(dsPressed);
}

void TNCObject::MouseUp()
{
    if (!Visible)
        return;
    drawState_ = dsHover;
    Paint();
}

void TNCObject::MouseMove()
{
    if (tracker_.HotObject() == this)
        return;
    LeaveOtherHotObject();
    if (Visible)
        Enter(dsHover);
}

void TNCObject::MouseLeave()
{
    if (!Visible)
        return;
    tracker_.SetHotObject(nullptr);
    drawState_ = dsNormal;
    Paint();
}
