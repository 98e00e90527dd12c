// How large a skinned window's frame is: the kind of frame the window's
// styles ask for, and the border widths and title height the skin's border
// pictures give it.
#pragma once

#include <windows.h>

#include <string_view>

class TSkinData;

// The kinds of frame a window has (the numbers are the ones the skinner stores).
enum class TBorderKind : int {
    Sizeable = 0,
    Single = 1,
    None = 2, // no caption: the system keeps the frame
    Dialog = 3,
};

// Widths of the skinned frame's four sides; the top one is the title bar.
struct TFrameMetrics {
    int borderLeft = 0;
    int titleHeight = 0;
    int borderRight = 0;
    int borderBottom = 0;
    bool operator==(const TFrameMetrics&) const = default;
};

// Message boxes and system dialogs: the framework's message form and "#32770".
bool IsDialogClassName(std::string_view className);

// The frame a window with these styles and class gets: a dialog frame for
// the modal-frame extended style or a dialog class whatever else it has;
// otherwise none without both caption bits, sizeable with a thick frame, a
// dialog frame for a modal-frame style, else a fixed single one.
TBorderKind BorderKindOf(DWORD style, DWORD exStyle, std::string_view className);

// The side pictures hold their frames side by side, the title and bottom
// pictures stacked; one frame's width (height) is the side's size. All zero
// for a window without caption; a side whose picture is missing is 0 wide.
TFrameMetrics SkinFrameMetrics(const TSkinData& skin, TBorderKind kind);

// The window as the frame painters see it at one paint.
struct TFrameState {
    SIZE size{}; // the whole window's
    TFrameMetrics metrics;
    int menuHeight = 0; // 0 without a skinned menu bar
    TBorderKind kind = TBorderKind::Sizeable;
    bool active = true;
    bool minimised = false;
    bool rightToLeft = false;
};
