// The drawing primitives every skin painter uses: one frame of a skin bitmap
// drawn nine-sliced, three-sliced, stretched or centred, magenta-keyed
// blitting, window regions from a colour key, and pixel utilities.
//
// Frames are numbered from 1 and lie side by side (or stacked, where a
// routine takes `vertical`), each bitmap width (height) div frameCount wide
// (high). Margins are (left, top, right, bottom) widths in pixels.
//
// Every routine returns without drawing for an inverted destination rectangle
// and never reads outside its source bitmap: a frame count below 1 counts as
// 1, a frame index is clamped into 1 ... frameCount, negative margins count
// as 0, and two opposite margins that do not fit in the frame together both
// drop to 0 (as they do when they do not fit in the target). A frame less than
// one pixel wide or high draws nothing.
#pragma once

#include "skin/model/ColourMath.h"
#include "ui/Bitmap.h"
#include "ui/Handles.h"

#include <memory>
#include <string>
#include <string_view>

class TControl;

// The transparent key colour of skin bitmaps.
inline constexpr TColor SkinKeyColour = clFuchsia;

// Renders the frame at destRect's size (RenderSkinFrame) and puts it at
// destRect's top-left, keyed on magenta when `transparent`, else copied.
void DrawSkinElement(HDC dc, const RECT& destRect, TBitmap& bitmap, bool vertical, bool tile, bool transparent,
                     int frameCount, int frameIndex, const RECT& margins);

// The frame nine-sliced straight into destRect of dc: corners unscaled,
// edges stretched, the centre stretched or (tile) repeated from its top-left.
void DrawSkinFrame(HDC dc, const RECT& destRect, TBitmap& bitmap, const RECT& margins, bool vertical, bool tile,
                   int frameCount, int frameIndex);

// A new bitmap of destRect's size holding the frame as DrawSkinFrame draws
// it. The pixel format is the source's when it is 32 bits, else 24.
std::unique_ptr<TBitmap> RenderSkinFrame(const RECT& destRect, TBitmap& bitmap, const RECT& margins, bool vertical,
                                         bool tile, int frameCount, int frameIndex);

// Repeats srcRect of the bitmap over destRect from its top-left; the last
// column and row are drawn whole and may pass destRect's right and bottom.
// The source rectangle is cut to the bitmap first.
void TileRect(TCanvas& canvas, const RECT& destRect, TBitmap& bitmap, const RECT& srcRect);

// The frame stretched in three bands (left margin, middle, right margin)
// straight onto the dc; the whole frame stretched when it is wider than the target.
void DrawThreeSlice(HDC dc, const RECT& destRect, TBitmap& bitmap, bool vertical, int frameCount, int frameIndex,
                    const RECT& margins);

// Three bands with the middle repeated at its own width, through a work
// bitmap drawn magenta-keyed when `transparent`.
void DrawThreeSliceTiled(TCanvas& canvas, const RECT& destRect, TBitmap& bitmap, bool vertical, bool transparent,
                         int frameCount, int frameIndex, const RECT& margins);

// Horizontal frames: the whole frame stretched to destRect.
void DrawFrameStretched(HDC dc, const RECT& destRect, TBitmap& bitmap, bool transparent, int frameCount,
                        int frameIndex);

// Horizontal frames: the frame unscaled, centred in destRect (halvings
// rounded toward zero, so it may start left of or above destRect when larger).
void DrawFrameCentered(HDC dc, const RECT& destRect, TBitmap& bitmap, bool transparent, int frameCount,
                       int frameIndex);

// Draws the bitmap's top-left part of destRect's size (no more than the
// bitmap has) at destRect, leaving the destination untouched exactly where
// the bitmap has the key colour.
void DrawTransparent(HDC dc, const RECT& destRect, TBitmap& bitmap, TColor keyColour);

// A region of the pixels that are not transparent, shifted by (dx, dy). A
// pixel is transparent when each channel lies between the key's and the key's
// plus its tolerance. The caller owns the region; it is empty when no pixel
// is opaque. The bitmap itself is left as it is.
ui::UniqueRegion RegionFromColourKey(TBitmap& bitmap, int dx, int dy, int tolBlue, int tolGreen, int tolRed,
                                     TColor keyColour);

// Paints into dc what the control's parent shows under the control (its
// background and its WM_PAINT drawing, by direct dispatch); nothing without a parent.
void PaintParentBackground(TControl& control, HDC dc);

// MixColor with system colours resolved through GetSysColor.
TColor MixColor(TColor c1, TColor c2, int weight);

// Fills rect with a gradient from `from` (first row or column) to `to`, one
// band per row (vertical) or column; only the bands inside the dc's clip box
// are drawn, with the colours they have in the whole gradient.
void GradientFill(HDC dc, const RECT& rect, TColor from, TColor to, bool vertical);

// Pixel utilities. Each first turns the bitmap into 24 bits per pixel.
// Every pixel becomes (R + G + B) div 3 in all three channels.
void GrayScale(TBitmap& bitmap);
// Pixels of exactly 0xFF00FF take the three low bytes of `colour`, unresolved.
void ReplaceMagenta(TBitmap& bitmap, TColor colour);
void MirrorHorizontal(TBitmap& bitmap);
void FlipVertical(TBitmap& bitmap);
// Quarter turns: counter-clockwise (left) and clockwise (right).
void RotateLeft(TBitmap& bitmap);
void RotateRight(TBitmap& bitmap);

// dest takes the source's size and pixel format, then the source is drawn at (0, 0).
void CopyBitmap(TBitmap& source, TBitmap& dest);

// The system ANSI code page's conversion.
std::wstring AnsiToWide(std::string_view text);
// DrawTextW; returns the text height (with DT_CALCRECT rect receives the size).
int DrawTextWide(HDC dc, std::wstring_view text, RECT& rect, UINT format);
