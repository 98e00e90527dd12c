// Image lists of one-colour glyphs, for tests that find a glyph on the
// screen by its colour. Apart from the tests themselves: the image list's
// drawing styles and the title-bar objects' draw states share names.
#pragma once

#include "ui/Color.h"

#include <span>

class TComponent;
class TImageList;

namespace glyphtest {

// A new list of the owner holding one glyph of that colour.
TImageList* NewGlyphList(TComponent* owner, TColor colour);
// The list's glyphs replaced by one of each colour, in order.
void SetGlyphs(TImageList& images, std::span<const TColor> colours);

} // namespace glyphtest
