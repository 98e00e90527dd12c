// Drawing pieces that several skin pictures share: raised faces, window
// button glyphs and chevrons.
#pragma once

#include "tools/skingen/Raster.h"

#include <optional>

namespace skingen {

// A rounded face with a one-pixel edge: both vertical gradients.
struct FaceStyle {
    Rgb edgeTop;
    Rgb edgeBottom;
    Rgb faceTop;
    Rgb faceBottom;
    std::optional<Rgb> highlight;  // a glaze line along the upper inside edge
    std::optional<Rgb> ring;       // a second, inner edge (keyboard focus)
};

void PaintFace(Raster& raster, double left, double top, double right, double bottom,
               double radius, const FaceStyle& style);

// The face's colour half way down, where a centred glyph lies.
Rgb FaceMiddle(const FaceStyle& style);

// The symbols of the window buttons, in a square box of `size` pixels
// whose top-left corner is (left, top).
enum class WindowGlyph { Close, Maximise, Minimise, Restore };
Shape WindowGlyphShape(WindowGlyph glyph, double left, double top, double size);

// An open arrow head centred on (cx, cy), pointing the given way.
enum class Direction { Left, Right, Up, Down };
Shape Chevron(Direction direction, double cx, double cy, double halfSpan, double depth,
              double width);
// A filled arrow head whose tip touches the middle of one side of the box.
Shape Triangle(Direction direction, double left, double top, double right, double bottom);

}  // namespace skingen
