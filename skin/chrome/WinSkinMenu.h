// TWinSkinPopMenu: the skinner of one popup-menu window (system class
// "#32768"). The items of a skinned menu are owner-drawn (MenuItemPainter);
// this object paints what lies around them, the window's background and its
// three-pixel border, from the skin's MenuBackground element. The rendered
// background is kept, so that each item can lay itself over the part of it
// that lies under the item.
#pragma once

#include "ui/Bitmap.h"
#include "ui/Object.h"
#include "ui/WndProcThunk.h"

#include <windows.h>

#include <memory>

class TSkinData;

// Width of the border the system leaves around a popup menu's items.
inline constexpr int kMenuBorder = 3;

class TWinSkinPopMenu : public TObject {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    TWinSkinPopMenu() = default;
    ~TWinSkinPopMenu() override;
    TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
    TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

    // Puts the skinner in front of the menu window; menuHandle may be null
    // and bound later, once an item of the window is drawn.
    void Attach(HWND window, TSkinData* skinData, HMENU menuHandle);
    // Gives the window its own procedure back and forgets the background.
    void Detach() noexcept;

    HWND Handle() const noexcept { return FHandle; }
    HMENU MenuHandle() const noexcept { return FMenuHandle; }
    void BindMenuHandle(HMENU menu) noexcept { FMenuHandle = menu; }
    // The background rendered at the last border or print paint; null before.
    TBitmap* Background() const noexcept { return FBackground.get(); }
    // Where the client area, in which the items lie, starts in the window: the
    // border's width on Windows, nothing on Wine (which draws the border inside).
    POINT ClientOffset() const;

private:
    void WndProc(TMessage& message);
    // Renders MenuBackground at the window's size into FBackground; false
    // when the skin has no such picture (the system paints the menu then).
    bool RenderBackground();
    // Copies the background's outer kMenuBorder pixels onto the window.
    void PaintBorder();
    void PaintPrint(TMessage& message);

    HWND FHandle = nullptr;
    TSkinData* FSkinData = nullptr;
    HMENU FMenuHandle = nullptr;
    ui::WindowSubclass FSubclass;
    std::unique_ptr<TBitmap> FBackground;
};
