// The border of edits, and of any control whose client area is smaller than
// its window: after the control has painted itself, its non-client border is
// drawn again as one line of the skin's shadow colour and two white lines.
#pragma once

#include "skin/controls/SkinControl.h"

#include <windows.h>

namespace editface {

// Whether a window of this size with this client area has a border at all.
bool HasBorder(const RECT& window, const RECT& client);
// The border over window (at the origin): one shadow line, then two white ones inside it.
void PaintBorder(HDC dc, const RECT& window, TColor shadow);
// The border of a printed control: the DC's current brush one pixel in, the
// shadow outside; nothing when the client area is within a pixel of the window on a side.
void PaintPrintedBorder(HDC dc, const RECT& window, const RECT& client, TColor shadow);

} // namespace editface

class TSkinEdit : public TSkinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    explicit TSkinEdit(TComponent* owner) : TSkinControl(owner) {}

    bool BeforeProc(TMessage& message) override;
    void AfterProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;

private:
    TColor ShadowColour() const;
    void PaintPrinted(HDC dc);
};
