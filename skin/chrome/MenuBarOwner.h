// TMenuBarOwner: what a skinned menu bar asks of the form skinner that holds
// it, beyond what its items ask (TNCOwner): the framework menu it stands for
// and the MDI child buttons that share its band.
#pragma once

#include "skin/chrome/NCOwner.h"

#include <windows.h>

class TMainMenu;

class TMenuBarOwner : public TNCOwner {
public:
    // True when the window is a framework form (whose menu is a TMainMenu).
    virtual bool IsFrameworkForm() const = 0;
    // The form's main menu; none for a foreign window or a form without one.
    virtual TMainMenu* FrameworkMenu() const = 0;
    // Draws the MDI child buttons into dc, a picture of the bar whose top-left
    // lies at origin of the window. Called only while ShowsMdiChildButtons().
    virtual void PaintMdiChildButtons(HDC dc, TNCPoint origin) = 0;

protected:
    ~TMenuBarOwner() = default;
};
