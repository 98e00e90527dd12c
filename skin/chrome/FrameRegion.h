// The window region of a skinned frame: where the border pictures have
// magenta, the window is see-through.
#pragma once

#include "skin/chrome/FrameMetrics.h"
#include "ui/Handles.h"

#include <windows.h>

class TSkinData;

// The region for a window of `size`: the whole rectangle when none of the
// left, right and top borders is transparent; otherwise the client part
// joined with the four sides, each from its rendered picture's pixels that
// are not magenta (within 1 on each channel) when that border is transparent
// and large enough to matter, else as a plain strip.
ui::UniqueRegion BuildFrameRegion(TSkinData& skin, SIZE size, const TFrameMetrics& metrics, TBorderKind kind);

// The region last built, rebuilt only when the window's size changes.
class TFrameRegion {
public:
    // Builds the region for `size` unless the one held was built for that
    // size; `force` rebuilds anyway (a changed skin). True when it built one.
    bool Update(TSkinData& skin, SIZE size, const TFrameMetrics& metrics, TBorderKind kind, bool force = false);
    // Gives the window a copy of the region (the system owns what
    // SetWindowRgn takes); false when there is none or the system refused it.
    bool ApplyTo(HWND window, bool redraw) const;
    // Forgets the region, so the next Update builds a new one.
    void Drop() noexcept;
    // Takes the window's region away (it becomes rectangular again) and forgets ours.
    void DropFrom(HWND window, bool redraw) noexcept;

    HRGN Region() const noexcept { return region_.get(); }
    SIZE Size() const noexcept { return size_; }

private:
    ui::UniqueRegion region_;
    SIZE size_{};
};
