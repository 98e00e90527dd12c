// TWinSkinMenu: a skinned window's menu bar. It reads the window's menu into
// a row of TMenuBtn items, takes the system's menu bar away, and paints the
// bar itself in the band the form skinner reserves below the title. Opening
// an item shows its drop-down with TrackPopupMenu, its entries owner-drawn,
// while a message-filter hook moves between the bar's items with the arrow
// keys and the mouse. Destroying it gives the window its menu back.
#pragma once

#include "skin/chrome/MenuBtn.h"
#include "skin/chrome/NCGeometry.h"
#include "skin/chrome/NCOwner.h"
#include "ui/Color.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <tuple>
#include <vector>

class TBitmap;
class TMainMenu;
class TMenuItem;
class TMenuBarOwner;

class TWinSkinMenu {
public:
    explicit TWinSkinMenu(TMenuBarOwner& form);
    ~TWinSkinMenu();
    TWinSkinMenu(const TWinSkinMenu&) = delete;
    TWinSkinMenu& operator=(const TWinSkinMenu&) = delete;

    // ---- reading the items
    // From the window's system menu (the framework menu's items lending their
    // captions and state); then the system menu bar is removed.
    void ReadItems();
    // One item per child of the framework menu; nothing for a foreign window.
    void ReadItemsFromFramework();
    // After WM_MDISETMENU: the system menu's items, with only the untitled
    // ones (the maximised child's) looked up in the framework menu.
    void RereadItemsForMDI();
    // The window's menu changed (CM_MENUCHANGED): read it anew when it has one.
    void MenuChanged();

    // The window is going with a menu that is not its own to destroy: it
    // stays off the window.
    void LetGoOfMenu() { menuHandle_ = nullptr; }

    std::span<const std::unique_ptr<TMenuBtn>> Items() const { return items_; }
    HMENU MenuHandle() const { return menuHandle_; }
    // The framework menu the items were read from; none for a foreign window.
    TMainMenu* FrameworkMenu() const { return menu_; }
    // The bar's height in the frame.
    static int DefaultHeight() { return GetSystemMetrics(SM_CYMENU); }

    // ---- painting
    // Paints the bar into band of dc (a picture of the window) and places the items.
    void PaintBar(HDC dc, const RECT& band);
    // The bar as painted before its captions, for the items to repaint over.
    TMenuBarBackdrop Backdrop() const;
    bool Painting() const { return painting_; }

    // ---- the mouse and the keyboard
    // The visible item with a caption under a point in window coordinates.
    TMenuBtn* ItemAt(TNCPoint point) const;
    // The first enabled, visible item whose caption has this accelerator.
    TMenuBtn* MenuButtonAtKey(char character) const;
    // Posts the item's command and, when it has a drop-down, tracks it until
    // it closes; false when nothing opened.
    bool OpenMenuButton(TMenuBtn* item);
    // SKM_MENUCLICK: opens the drop-down of the item at a screen point.
    bool MenuClick(POINT screenPoint);
    // Clicks the item from inside a drop-down's modal loop: the click closes
    // that drop-down and, reaching the window, opens this item's.
    void PostMenuClick(const TMenuBtn& item) const;
    // WM_MENUSELECT reaching the window while one of the bar's drop-downs is open.
    void MenuSelected(WPARAM wParam, LPARAM lParam);
    // While a drop-down is open.
    bool MenuTracking() const { return menuTracking_; }
    HMENU TrackedSubMenu() const { return trackedSubMenu_; }
    // Screen to window coordinates.
    TNCPoint MapScreenPoint(POINT screenPoint) const;

private:
    friend class TMenuBarTracking;

    // What the composed bar shows; equal keys, equal pictures.
    struct TBarKey {
        TNCRect band{};
        bool active = false;
        bool rightToLeft = false;
        bool mdiButtons = false;
        const void* element = nullptr;
        TColor barColour = 0;
        TColor textColour = 0;
        std::vector<std::tuple<std::wstring, bool, bool, int>> items; // caption, enabled, visible, look
        bool operator==(const TBarKey&) const = default;
    };
    TBarKey KeyOf(const RECT& band) const;
    void ComposeBar(const RECT& band);

    void ClearItems();
    TMenuBtn& AddItem(int index);
    // GetMenuItemInfoA of position index into a new item; false when it cannot be read.
    bool ReadSystemItem(HMENU menu, int index, std::string& text);
    // Reads the bar from the window's menu; framework items lend what they know, either to
    // every entry, keeping the system's command, or (rereading for MDI) only to entries without text.
    void ReadSystemItems(bool textlessOnly);
    void TakeFrameworkItem(TMenuBtn& item, TMenuItem& source, bool takeCommand) const;
    void RemoveSystemMenuBar() const;
    bool StartReading();

    TMenuBarOwner& form_;
    std::vector<std::unique_ptr<TMenuBtn>> items_;
    TMainMenu* menu_ = nullptr;
    HMENU menuHandle_ = nullptr;
    TNCRect barRect_{};
    std::unique_ptr<TBitmap> background_;
    // The bar as last composed, and what it showed.
    std::unique_ptr<TBitmap> picture_;
    std::optional<TBarKey> pictureKey_;
    bool painting_ = false;
    bool menuTracking_ = false;
    HMENU trackedSubMenu_ = nullptr;
};
