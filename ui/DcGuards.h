// Temporary changes to a DC that undo themselves at the end of the scope,
// also when an exception passes: an object selected in, the whole DC state,
// a canvas bound to the DC.
//
// Declare a guard after whatever it refers to (the brush it selects, the
// canvas it binds), so that it is undone before those go away, and nest them
// in the order the changes are made: the last made is undone first.
#pragma once

#include "ui/Graphics.h"

#include <windows.h>

namespace ui {

// SelectObject for a font, pen, brush or bitmap; the DC gets back the object
// it had before. A region cannot be used: selecting one copies it into the
// clipping region and returns no previous object to put back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
    ScopedSelect(HDC dc, HRGN region) = delete;
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;
    ~ScopedSelect()
    {
        if (previous_)
            SelectObject(dc_, previous_);
    }

    // False when SelectObject refused (a bitmap already selected elsewhere, a
    // freed object); nothing is put back then.
    explicit operator bool() const noexcept { return previous_ != nullptr; }
    HGDIOBJ Previous() const noexcept { return previous_; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// SaveDC ... RestoreDC to that very level, so that saves made inside and not
// restored (by a handler that threw) are dropped with it.
class ScopedSaveDC {
public:
    explicit ScopedSaveDC(HDC dc) noexcept : dc_(dc), level_(SaveDC(dc)) {}
    ScopedSaveDC(const ScopedSaveDC&) = delete;
    ScopedSaveDC& operator=(const ScopedSaveDC&) = delete;
    ~ScopedSaveDC()
    {
        if (level_ != 0)
            RestoreDC(dc_, level_);
    }

    explicit operator bool() const noexcept { return level_ != 0; }

private:
    HDC dc_;
    int level_;
};

// Binds a canvas to a DC it does not own for the scope, then gives it back
// the binding it had (usually none): the DC gets its own objects back and
// the canvas never keeps a DC that is about to be released.
class ScopedCanvasBinding {
public:
    ScopedCanvasBinding(TCanvas& canvas, HDC dc) noexcept
        : canvas_(canvas), previous_(canvas.dc_),
          previousValid_((canvas.state_ & TCanvas::HandleValid) != 0)
    {
        canvas.SetHandle(dc);
    }
    ScopedCanvasBinding(const ScopedCanvasBinding&) = delete;
    ScopedCanvasBinding& operator=(const ScopedCanvasBinding&) = delete;
    ~ScopedCanvasBinding()
    {
        canvas_.SetHandle(previous_);
        // A canvas that was waiting to set its own DC up again (a bitmap's,
        // after its picture was taken out) still has to.
        if (previous_ && !previousValid_)
            canvas_.InvalidateHandle();
    }

private:
    TCanvas& canvas_;
    HDC previous_;
    bool previousValid_;
};

} // namespace ui
