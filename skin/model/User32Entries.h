// user32 entries the engine uses only when the system has them, resolved by
// name at run time: scroll-bar geometry, mouse-leave notification and the
// parts of a combo box.
#pragma once

#include <windows.h>

// Whether user32 exports GetScrollBarInfo.
bool HasGetScrollBarInfo();
// GetScrollBarInfo when present; false (info untouched) when not.
bool CallGetScrollBarInfo(HWND window, LONG objectId, SCROLLBARINFO& info);
// Asks for WM_MOUSELEAVE for the window; false when TrackMouseEvent is absent or fails.
bool TrackMouseLeave(HWND window);
// GetComboBoxInfo when present (the record's size filled in here); false when not.
bool HasGetComboBoxInfo();
bool CallGetComboBoxInfo(HWND window, COMBOBOXINFO& info);
