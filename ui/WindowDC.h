// A DC for the whole window, frame included, through GetDCEx.
//
// Frame painters draw where the system would draw the caption and borders,
// usually clipped to the update region of a WM_NCPAINT. With DCX_INTERSECTRGN
// GetDCEx takes the clipping region over: the system deletes it when the DC
// goes back, so the program must not free it again, or it would delete
// whatever handle reuses the number later. The clipped form therefore takes the
// region by move and lets go of it exactly when GetDCEx accepted it.
#pragma once

#include "ui/Handles.h"

namespace ui {

// GetDCEx(window, nullptr, DCX_WINDOW | extraFlags); empty when the system refuses.
UniqueWindowDC OpenWindowDC(HWND window, DWORD extraFlags = 0) noexcept;

// The same, clipped to `clip` (screen coordinates) with DCX_INTERSECTRGN. The
// region is the system's from then on; when GetDCEx fails it is freed here.
// An empty clip gives the unclipped DC, as for a WM_NCPAINT of the whole window.
UniqueWindowDC OpenWindowDC(HWND window, UniqueRegion clip, DWORD extraFlags = 0) noexcept;

} // namespace ui
