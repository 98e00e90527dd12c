// One side of the skinned frame drawn from its border picture.
#pragma once

#include <windows.h>

class TSkinData;

// The border pictures, numbered as the skinner numbers them.
enum class TBorderSide : int {
    Left = 1,
    Right = 2,
    Top = 3,
    Bottom = 4,
};

// Fills rect of dc with the skin's face colour (the system's before a skin is applied).
void FillWithFace(HDC dc, const RECT& rect, const TSkinData& skin);

// Draws the side's picture nine-sliced into target of dc: the first frame
// while the window is active or when the picture has only one, else the
// second. Frames lie side by side for the left and right sides and stacked
// for the top and bottom ones. A border's Tile of 1 stretches the middle,
// anything else repeats it. Without a picture the target gets the face
// colour; a target of negative width or height gets nothing.
void PaintBorder(HDC dc, const RECT& target, TSkinData& skin, TBorderSide side, bool active);
