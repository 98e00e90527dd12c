// user32 entries the engine uses only when the system has them, resolved by
// name at run time: scroll-bar geometry and mouse-leave notification.
#pragma once

#include <windows.h>

// Whether user32 exports GetScrollBarInfo.
bool HasGetScrollBarInfo();
// GetScrollBarInfo when present; false (info untouched) when not.
bool CallGetScrollBarInfo(HWND window, LONG objectId, SCROLLBARINFO& info);
// Asks for WM_MOUSELEAVE for the window; false when TrackMouseEvent is absent or fails.
bool TrackMouseLeave(HWND window);
