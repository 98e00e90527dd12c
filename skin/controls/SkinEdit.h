// The border of edits, and of any control whose client area is smaller than
// its window: after the control has painted itself, its non-client border is
// drawn again as one line of the skin's shadow colour and two white lines.
// An up-down the edit contains is skinned at the edit's first paint, when
// the skin's control set skins spin controls.
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

// Whether a window's class names an up-down control.
bool IsUpDownClass(HWND window);

} // namespace editface

class TSkinUpDown;

class TSkinEdit : public TSkinControl {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    // Nothing is read from the edit before painting: its text is its content, not a caption.
    explicit TSkinEdit(TComponent* owner) : TSkinControl(owner) { FSampleOnPaint = false; }
    ~TSkinEdit() override;

    bool BeforeProc(TMessage& message) override;
    void AfterProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;

    // The skinner of the up-down inside the edit, once a paint has found one; else null.
    TSkinUpDown* UpDown() const noexcept { return FUpDown; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TColor ShadowColour() const;
    void PaintPrinted(HDC dc);
    void SkinUpDown();

    TSkinUpDown* FUpDown = nullptr;
};
