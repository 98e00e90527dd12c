// TWinSysButton: one title-bar button, drawn from a caption-button element
// of the skin (close, maximise, minimise, the window icon, custom buttons,
// the MDI child buttons).
#pragma once

#include "skin/chrome/NCObject.h"

#include <windows.h>

class TDataSkinSysButton;
class TNCOwner;

class TWinSysButton : public TNCObject {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    TWinSysButton(TNCOwner& form, TDataSkinSysButton& element);

    TDataSkinSysButton& Element() const { return element_; }
    // Draws the button in its present state on the window itself; an MDI
    // child button over the menu bar it lies on.
    void Paint() override;
    // Draws one cell of the image, magenta-keyed, at the button's rectangle
    // in dc; a window-icon button draws the window's icon there instead.
    void Draw(HDC dc, int cell) const;

private:
    // The menu bar's picture (or its colour) at the button's rectangle.
    void DrawMenuBarUnder(HDC dc) const;

    TNCOwner& form_;
    TDataSkinSysButton& element_;
};
