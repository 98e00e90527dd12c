// The caption text of a skinned title bar: where it goes in the title band
// (the title element's shifts, clip, alignment and text background margins)
// and drawing it, over the text background picture when the skin has one.
#pragma once

#include "skin/chrome/FrameMetrics.h"

#include <windows.h>

#include <string_view>

class TCanvas;
class TDataSkinTitle;
class TSkinData;

struct TCaptionLayout {
    // The caption's box: the text with its background margins. The title
    // buttons placed beside the caption use it at the next paint.
    RECT box{};
    // The text background: the box over the band's whole height.
    RECT back{};
    // The text itself: the box without the background margins.
    RECT text{};
};

// Places a caption measuring textSize in the title band. Alignment 0 starts
// the box at the text shift, 1 centres it, 2 ends it at the right clip, any
// other value starts it at the band's left edge; a right-to-left caption is
// always placed like 2. Vertically the box is centred, moved down by half the
// vertical shift. Its right edge stops at the right clip, and a dialog's
// left-aligned box reaches 16 pixels further left. Halvings round toward zero.
TCaptionLayout LayoutCaption(const RECT& band, SIZE textSize, const TDataSkinTitle& title, TBorderKind kind,
                             bool rightToLeft);

// What DrawCaption needs to know about the window.
struct TCaptionStyle {
    bool active = true;
    TBorderKind kind = TBorderKind::Sizeable;
    bool rightToLeft = false;
};

// Draws the caption into the title band of canvas in the skin's caption font
// and title text colour (active or inactive), single line, ending in an
// ellipsis when it does not fit; returns the caption's box. The canvas's DC
// gets its font, text colour and background mode back.
RECT DrawCaption(TCanvas& canvas, const RECT& band, TSkinData& skin, std::wstring_view text,
                 const TCaptionStyle& style);
