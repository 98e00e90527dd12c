// Window messages and flags that the system uses but does not document, and
// that a program drawing its own frames and menu bars meets all the same.
//
// None of them has parameters a skinned window needs to read: it either lets
// them pass or answers 0 so that the system does not draw its own look over
// the skinned one. Numbers are fixed by the system.
#pragma once

#include <windows.h>

namespace ui {

// DefWindowProc on systems with visual styles repaints the caption with this
// outside WM_NCPAINT (after SetWindowText, on activation); answered 0 by a
// skinned frame, or the system's caption appears over the skin.
inline constexpr UINT WM_SYSPAINTCAPTION = 0x00AE;
// Its companion for the frame borders; the same applies.
inline constexpr UINT WM_SYSPAINTFRAME = 0x00AF;
// The system's own recalculation of a window's standard scroll bars, sent
// when their range or page changes; it may draw the native bars again.
inline constexpr UINT WM_SYSCALCSCROLL = 0x003F;

// The menu bar of systems with visual styles is drawn through these four
// instead of WM_NCPAINT and owner drawing; a skinned menu bar answers them
// itself so that the system paints no bar of its own.
inline constexpr UINT WM_SYSDRAWMENUBAR = 0x0091;        // the bar's background
inline constexpr UINT WM_SYSDRAWMENUBARITEM = 0x0092;    // one item of the bar
inline constexpr UINT WM_SYSINITMENUBAR = 0x0093;        // before the bar is drawn or opened
inline constexpr UINT WM_SYSMEASUREMENUBARITEM = 0x0094; // the size of one item of the bar

// GetDCEx flag: take the DC's clipping flags from the window class's style.
// Frame painters clipping to a WM_NCPAINT region pass it with
// DCX_INTERSECTRGN: some systems give no usable DC for that region without it.
inline constexpr DWORD DCX_USECLASSSTYLE = 0x00010000;

} // namespace ui
