// A small anti-aliased canvas for drawing skin pictures. Shapes are signed
// distance functions (negative inside), so a pixel's coverage follows from
// its distance to the edge; colours are sRGB values from 0 to 255. Only
// sqrt, min and max are used, so every build draws the same bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace skingen {

struct Rgb {
    double r = 0;
    double g = 0;
    double b = 0;
};

// a blended towards b by t (0 gives a, 1 gives b).
Rgb Mix(Rgb a, Rgb b, double t);

// Signed distance of a point from a shape's edge, in pixels.
using Shape = std::function<double(double x, double y)>;
// Colour at a point (pixel centres lie at x + 0.5, y + 0.5).
using Paint = std::function<Rgb(double x, double y)>;

Shape RoundRect(double left, double top, double right, double bottom, double radius);
// Separate radii for the two upper and the two lower corners.
Shape RoundRect(double left, double top, double right, double bottom, double topRadius,
                double bottomRadius);
// A sharp-cornered rectangle.
Shape Box(double left, double top, double right, double bottom);
// A frame of the given width just inside the rectangle.
Shape Outline(double left, double top, double right, double bottom, double width = 1);
Shape Circle(double cx, double cy, double radius);
// A stroke of the given width between two points, with round ends.
Shape Segment(double ax, double ay, double bx, double by, double width);
// Joined segments through the points.
Shape Polyline(std::vector<double> xy, double width);
// A convex polygon, corners in either order around it.
Shape ConvexPolygon(std::vector<double> xy);
Shape Union(Shape a, Shape b);
// The parts of a outside b.
Shape Subtract(Shape a, Shape b);

Paint Solid(Rgb colour);
// From `from` at row `top` to `to` at row `bottom` (pixel edges), clamped.
Paint VerticalGradient(double top, Rgb from, double bottom, Rgb to);
Paint HorizontalGradient(double left, Rgb from, double right, Rgb to);

// A 24-bit picture, rows top-down, red green blue per pixel.
class Image24 {
public:
    Image24() = default;
    Image24(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Set(int x, int y, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    const std::uint8_t* At(int x, int y) const { return &rgb_[(y * width_ + x) * 3]; }
    // Copies `source` with its top-left corner at (x, y); it must fit.
    void Paste(const Image24& source, int x, int y);
    // Columns [x, x + width) and rows [y, y + height).
    Image24 Crop(int x, int y, int width, int height) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> rgb_;
};

// Frames side by side (or stacked), all of the first frame's size.
Image24 JoinFrames(std::span<const Image24> frames, bool stacked = false);

class Raster {
public:
    Raster(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Paints where the shape covers a pixel, weighted by coverage and opacity.
    void Fill(const Shape& shape, const Paint& paint, double opacity = 1.0);
    void Fill(const Shape& shape, Rgb colour, double opacity = 1.0);
    // One pixel, full coverage.
    void Plot(int x, int y, Rgb colour, double opacity = 1.0);

    // The finished picture. Pixels covered less than `keyBelow` become the
    // key colour magenta; the others are laid over the backdrop (the colour
    // the engine draws underneath them), so soft edges blend into it.
    Image24 Flatten(const Paint& backdrop, double keyBelow) const;
    // Everything opaque over the backdrop: for pictures drawn without a key.
    Image24 FlattenOpaque(const Paint& backdrop) const;

private:
    struct Pixel {
        Rgb colour;
        double alpha = 0;
    };
    void Blend(int x, int y, Rgb colour, double amount);

    int width_;
    int height_;
    std::vector<Pixel> pixels_;
};

inline constexpr std::uint8_t KEY_RED = 0xFF;
inline constexpr std::uint8_t KEY_GREEN = 0x00;
inline constexpr std::uint8_t KEY_BLUE = 0xFF;

}  // namespace skingen
