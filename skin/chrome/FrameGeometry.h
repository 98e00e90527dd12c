// The arithmetic of a skinned frame: where the client area lies inside the
// window, how large the window must be for a client size, how a dialog
// widens for its caption, and what the frame is under a point.
#pragma once

#include "skin/chrome/FrameMetrics.h"

#include <windows.h>

class TDataSkinTitle;

// The client rectangle for a window placed at `pos` (WM_NCCALCSIZE): inside
// the side borders and the bottom one, below the title bar and the menu bar.
RECT ClientRectFromWindowPos(const WINDOWPOS& pos, const TFrameMetrics& metrics, int menuHeight);

// The window size that gives a client area of `client` inside the skinned frame.
SIZE SkinnedWindowSize(SIZE client, const TFrameMetrics& metrics, int menuHeight);

// The window size that keeps the client area when the skinned frame goes and
// the system's returns; ncExtra is the system frame's size (window size
// minus client size) measured before skinning.
SIZE UnskinnedWindowSize(SIZE window, SIZE ncExtra, const TFrameMetrics& metrics);

// A dialog grows when its caption does not fit: the title's text shift, the
// caption's width and the title's right clip side by side. The children move
// right by half of what the window grew, so they stay centred.
struct TCaptionWidening {
    int width = 0;      // the window width to use
    int childShift = 0; // how far every child window moves right
};
TCaptionWidening WidenForCaption(int windowWidth, int captionWidth, const TDataSkinTitle& title);

// A point of the client area in window coordinates (origin at the window's
// top-left corner), the coordinates every title-bar object uses.
POINT WindowPointFromClient(POINT clientPoint, const TFrameMetrics& metrics, int menuHeight);

// WM_NCHITTEST over the skinned frame, given what the window's own procedure
// answered for a point in window coordinates: an answer other than nowhere or
// caption stands; below the frame's top three rows is the caption, and below
// the title bar, when there is a menu bar, the menu.
LRESULT FrameHitTest(LRESULT systemAnswer, POINT windowPoint, int titleHeight, int menuHeight);
