// The state of the one menu-bar drop-down open in the process, and the
// message-filter hook that runs inside its modal loop: the arrow keys and
// the mouse move on to the bar's other items as on a system menu bar.
#pragma once

#include "ui/Handles.h"

#include <windows.h>

class TMenuItem;
class TWinSkinMenu;

class TMenuBarTracking {
public:
    // User-interface thread only.
    static TMenuBarTracking& Instance();

    // Installs the hook for the drop-down about to open (once) and resets
    // what it has seen; Remove takes it away and forgets the drop-down.
    void Install();
    void Remove();
    bool Installed() const { return static_cast<bool>(hook_); }
    // WM_MENUSELECT of the open drop-down: which framework item is selected,
    // or the drop-down closing.
    void Select(WPARAM wParam, LPARAM lParam);

    TWinSkinMenu* bar = nullptr;
    // The bar item whose drop-down is open; -1 when none.
    int current = -1;
    // The framework item last selected in the drop-down.
    TMenuItem* currentItem = nullptr;
    // The first entry has been selected.
    bool autoSelected = false;
    // A move to another bar item is on its way.
    bool moved = false;
    // The last open made a move to another bar item.
    bool itemChanged = false;
    POINT lastMouse{};

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    LRESULT Filter(int code, WPARAM wParam, MSG& message);
    // The bar item the message moves to; -1 for none.
    int TargetOf(const MSG& message);

    ui::UniqueHook hook_;
};
