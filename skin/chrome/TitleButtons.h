// TTitleButtons: a window's title-bar buttons, one per caption-button element
// of the skin and in the skin's order. At each title paint the buttons are
// shown or hidden by the window's state and placed; the title painter draws
// them, the mouse finds them, and a click runs their action.
#pragma once

#include "skin/chrome/NCGeometry.h"
#include "skin/chrome/WinSysButton.h"

#include <windows.h>

#include <memory>
#include <span>
#include <vector>

class TDataSkinSysButton;
class TMenuBtn;
class TNCObject;
class TNCOwner;
struct TTitleWindowState;

class TTitleButtons {
public:
    explicit TTitleButtons(TNCOwner& form) : form_(form) {}

    // Replaces the buttons by one per element (which must outlive them).
    void Rebuild(std::span<const std::unique_ptr<TDataSkinSysButton>> elements);
    void Clear() { buttons_.clear(); }
    std::span<const std::unique_ptr<TWinSysButton>> Buttons() const { return buttons_; }

    // Decides every button's visibility anew (asking the window where the
    // skin says so) and places each visible button that has an image;
    // hidden buttons keep their last place.
    void Arrange();
    // Draws every visible button that has an image, except the MDI child
    // buttons on the menu bar, into dc (a picture of the window from its
    // top-left corner) in its resting cell.
    void PaintAll(HDC dc) const;
    // Draws the MDI child buttons that have an image in their first cell into
    // dc, a picture of the menu bar whose top-left lies at `origin` of the window.
    void PaintMdiButtons(HDC dc, TNCPoint origin) const;
    // The first visible button containing the point whose action lets it be hit.
    TWinSysButton* ButtonAt(TNCPoint point) const;
    // What a click on the button does; screenPoint is where the mouse was released.
    void RunAction(const TWinSysButton& button, POINT screenPoint) const;
    // The mouse was released over the button: only the hot button (the one
    // pressed, or hovered since) takes the release and acts.
    void ReleaseOver(TWinSysButton& button, POINT screenPoint) const;

private:
    TTitleWindowState WindowState() const;
    bool SystemMenuCanClose() const;
    void CommandActiveMdiChild(WPARAM command) const;

    TNCOwner& form_;
    std::vector<std::unique_ptr<TWinSysButton>> buttons_;
};

// The non-client object under the point: title buttons first, then the
// menu-bar items that have a caption, each in their order.
TNCObject* NCObjectAt(TNCPoint point, const TTitleButtons& titleButtons,
                      std::span<const std::unique_ptr<TMenuBtn>> menuItems);
