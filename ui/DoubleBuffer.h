// Painting without flicker: draw into an offscreen picture of the area, then
// put it on the target in a single BitBlt.
//
// The buffer is a 32-bit DIB section of the area's size in a memory DC of its
// own, whose origin is moved so that drawing at the area's coordinates lands
// in the buffer: a painter draws exactly as it would on the target.
#pragma once

#include "ui/DcGuards.h"
#include "ui/Handles.h"

#include <windows.h>

namespace ui {

class DoubleBuffer {
public:
    // `area` in the target's logical coordinates. The buffer starts black.
    // Throws EOutOfResources when the system refuses the DC or the picture.
    DoubleBuffer(HDC target, const RECT& area);
    DoubleBuffer(const DoubleBuffer&) = delete;
    DoubleBuffer& operator=(const DoubleBuffer&) = delete;

    // The DC to paint on.
    HDC get() const noexcept { return dc_.get(); }
    const RECT& Area() const noexcept { return area_; }

    // Copies the buffer onto the target's area. Nothing reaches the target
    // before this, so a painter that throws half-way leaves it untouched.
    void Present() const noexcept;

private:
    HDC target_;
    RECT area_;
    UniqueDC dc_;
    UniqueBitmap picture_;  // none for an empty area
    ScopedSelect selected_;
};

} // namespace ui
