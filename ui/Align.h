// Docking a control to an edge of its parent's client area (a status bar at
// the bottom, a tool bar at the top) and keeping it there as the parent is
// resized. Each docked control takes its edge alone: two controls docked to
// one edge lie over each other.
#pragma once

#include "ui/Control.h"
#include "ui/HookToken.h"

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

namespace ui {

extern const TEnumInfo AlignInfo;

class EdgeDock {
public:
    EdgeDock(TControl& control, TAlign align) : control_(control), align_(align) {}
    EdgeDock(const EdgeDock&) = delete;
    EdgeDock& operator=(const EdgeDock&) = delete;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign value);
    // The control has a new parent: follow that one's size from now on.
    void ParentChanged();
    // Moves the control to its edge; its own size across the edge is kept.
    void Apply();

private:
    TControl& control_;
    TAlign align_;
    TWinControl* watched_ = nullptr;
    ui::HookToken parentLayer_;
    bool applying_ = false;
};

} // namespace ui
