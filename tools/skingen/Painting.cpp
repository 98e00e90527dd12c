#include "tools/skingen/Painting.h"

#include <algorithm>

namespace skingen {

void PaintFace(Raster& raster, double left, double top, double right, double bottom,
               double radius, const FaceStyle& style)
{
    raster.Fill(RoundRect(left, top, right, bottom, radius),
                VerticalGradient(top, style.edgeTop, bottom, style.edgeBottom));
    double inset = 1;
    if (style.ring) {
        raster.Fill(RoundRect(left + 1, top + 1, right - 1, bottom - 1, std::max(radius - 1, 0.0)),
                    *style.ring);
        inset = 2;
    }
    const double innerRadius = std::max(radius - inset, 0.0);
    const Shape inner =
        RoundRect(left + inset, top + inset, right - inset, bottom - inset, innerRadius);
    raster.Fill(inner, VerticalGradient(top + inset, style.faceTop, bottom - inset, style.faceBottom));
    if (style.highlight) {
        const Shape below = RoundRect(left + inset, top + inset + 1, right - inset,
                                      bottom - inset + 1, innerRadius);
        raster.Fill(Subtract(inner, below), *style.highlight, 0.8);
    }
}

Rgb FaceMiddle(const FaceStyle& style) { return Mix(style.faceTop, style.faceBottom, 0.5); }

Shape WindowGlyphShape(WindowGlyph glyph, double left, double top, double size)
{
    const double right = left + size;
    const double bottom = top + size;
    switch (glyph) {
    case WindowGlyph::Close:
        return Union(Segment(left + 0.5, top + 0.5, right - 0.5, bottom - 0.5, 1.3),
                     Segment(right - 0.5, top + 0.5, left + 0.5, bottom - 0.5, 1.3));
    case WindowGlyph::Maximise:
        return Outline(left, top, right, bottom);
    case WindowGlyph::Minimise: {
        const double row = top + size / 2;
        return Box(left, row, right, row + 1);
    }
    case WindowGlyph::Restore: {
        // A window in front of another: the back one shows above and to the right.
        const Shape front = Outline(left, top + 2, right - 2, bottom);
        const Shape back = Subtract(Outline(left + 2, top, right, bottom - 2),
                                    Box(left, top + 2, right - 2, bottom));
        return Union(front, back);
    }
    }
    return Box(0, 0, 0, 0);
}

Shape Chevron(Direction direction, double cx, double cy, double halfSpan, double depth,
              double width)
{
    // Drawn pointing down, then turned.
    const auto point = [&](double along, double across) -> std::pair<double, double> {
        switch (direction) {
        case Direction::Down: return {cx + along, cy + across};
        case Direction::Up: return {cx + along, cy - across};
        case Direction::Right: return {cx + across, cy + along};
        case Direction::Left: return {cx - across, cy + along};
        }
        return {cx, cy};
    };
    const auto [ax, ay] = point(-halfSpan, -depth / 2);
    const auto [bx, by] = point(0, depth / 2);
    const auto [cx2, cy2] = point(halfSpan, -depth / 2);
    return Polyline({ax, ay, bx, by, cx2, cy2}, width);
}

Shape Triangle(Direction direction, double left, double top, double right, double bottom)
{
    const double mx = (left + right) / 2;
    const double my = (top + bottom) / 2;
    switch (direction) {
    case Direction::Up: return ConvexPolygon({left, bottom, mx, top, right, bottom});
    case Direction::Down: return ConvexPolygon({left, top, right, top, mx, bottom});
    case Direction::Left: return ConvexPolygon({right, top, right, bottom, left, my});
    case Direction::Right: return ConvexPolygon({left, top, right, my, left, bottom});
    }
    return Box(0, 0, 0, 0);
}

}  // namespace skingen
