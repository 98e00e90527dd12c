// Where the items of a skinned menu bar go along its band: from a start
// offset at the left, or leftwards from the right in a right-to-left menu.
#pragma once

#include "skin/chrome/NCGeometry.h"

#include <span>
#include <vector>

class TDataSkinObject;

// The first item's distance from the band's leading edge: past the bar
// element's margin on that side, or a fixed gap on a plain bar.
int MenuBarStartOffset(const TDataSkinObject* barElement, bool rightToLeft, int bandWidth);

// An item's width on the bar from its caption's measured width.
int MenuBarItemWidth(int captionWidth);

// One rectangle per item, in window coordinates, for a band at `band`:
// widths[i] < 0 marks an invisible item, which gets an empty rectangle.
// Items are one pixel shorter than the band.
std::vector<TNCRect> LayOutMenuBar(std::span<const int> widths, const TNCRect& band, int startOffset,
                                   bool rightToLeft);
