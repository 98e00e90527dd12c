#include "tools/skingen/Raster.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace skingen {

namespace {

double Clamp01(double value) { return std::clamp(value, 0.0, 1.0); }

std::uint8_t ToByte(double value)
{
    return static_cast<std::uint8_t>(std::clamp(std::floor(value + 0.5), 0.0, 255.0));
}

// Distance from (px, py) to the segment a-b.
double SegmentDistance(double px, double py, double ax, double ay, double bx, double by)
{
    const double dx = bx - ax;
    const double dy = by - ay;
    const double length2 = dx * dx + dy * dy;
    const double t = length2 > 0 ? Clamp01(((px - ax) * dx + (py - ay) * dy) / length2) : 0.0;
    const double ex = px - (ax + t * dx);
    const double ey = py - (ay + t * dy);
    return std::sqrt(ex * ex + ey * ey);
}

}  // namespace

Rgb Mix(Rgb a, Rgb b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Shape RoundRect(double left, double top, double right, double bottom, double radius)
{
    return RoundRect(left, top, right, bottom, radius, radius);
}

Shape RoundRect(double left, double top, double right, double bottom, double topRadius,
                double bottomRadius)
{
    const double cx = (left + right) / 2;
    const double cy = (top + bottom) / 2;
    const double hx = (right - left) / 2;
    const double hy = (bottom - top) / 2;
    return [=](double x, double y) {
        const double radius = std::min({y < cy ? topRadius : bottomRadius, hx, hy});
        const double qx = std::abs(x - cx) - (hx - radius);
        const double qy = std::abs(y - cy) - (hy - radius);
        const double ox = std::max(qx, 0.0);
        const double oy = std::max(qy, 0.0);
        return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0) - radius;
    };
}

Shape Box(double left, double top, double right, double bottom)
{
    return RoundRect(left, top, right, bottom, 0);
}

Shape Outline(double left, double top, double right, double bottom, double width)
{
    return Subtract(Box(left, top, right, bottom),
                    Box(left + width, top + width, right - width, bottom - width));
}

Shape Circle(double cx, double cy, double radius)
{
    return [=](double x, double y) {
        return std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy)) - radius;
    };
}

Shape Segment(double ax, double ay, double bx, double by, double width)
{
    return [=](double x, double y) { return SegmentDistance(x, y, ax, ay, bx, by) - width / 2; };
}

Shape Polyline(std::vector<double> xy, double width)
{
    if (xy.size() < 4 || xy.size() % 2 != 0) {
        throw std::invalid_argument("a polyline needs two or more points");
    }
    return [xy = std::move(xy), width](double x, double y) {
        double best = SegmentDistance(x, y, xy[0], xy[1], xy[2], xy[3]);
        for (std::size_t i = 2; i + 3 < xy.size(); i += 2) {
            best = std::min(best, SegmentDistance(x, y, xy[i], xy[i + 1], xy[i + 2], xy[i + 3]));
        }
        return best - width / 2;
    };
}

Shape ConvexPolygon(std::vector<double> xy)
{
    if (xy.size() < 6 || xy.size() % 2 != 0) {
        throw std::invalid_argument("a polygon needs three or more corners");
    }
    // The largest distance outside any edge's line: exact along the edges,
    // slightly inside the true distance near corners, which only sharpens them.
    struct Edge {
        double nx, ny, offset;
    };
    std::vector<Edge> edges;
    const std::size_t count = xy.size() / 2;
    // Either winding is accepted: the normals are turned to point outwards.
    double twiceArea = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t j = (i + 1) % count;
        twiceArea += xy[2 * i] * xy[2 * j + 1] - xy[2 * j] * xy[2 * i + 1];
    }
    const double outward = twiceArea > 0 ? -1.0 : 1.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double ax = xy[2 * i];
        const double ay = xy[2 * i + 1];
        const double bx = xy[2 * ((i + 1) % count)];
        const double by = xy[2 * ((i + 1) % count) + 1];
        const double length = std::sqrt((bx - ax) * (bx - ax) + (by - ay) * (by - ay));
        if (length == 0) {
            continue;  // a repeated corner bounds nothing
        }
        const double nx = outward * (ay - by) / length;
        const double ny = outward * (bx - ax) / length;
        edges.push_back({nx, ny, nx * ax + ny * ay});
    }
    return [edges = std::move(edges)](double x, double y) {
        double distance = -1e9;
        for (const Edge& edge : edges) {
            distance = std::max(distance, edge.nx * x + edge.ny * y - edge.offset);
        }
        return distance;
    };
}

Shape Union(Shape a, Shape b)
{
    return [a = std::move(a), b = std::move(b)](double x, double y) {
        return std::min(a(x, y), b(x, y));
    };
}

Shape Subtract(Shape a, Shape b)
{
    return [a = std::move(a), b = std::move(b)](double x, double y) {
        return std::max(a(x, y), -b(x, y));
    };
}

Paint Solid(Rgb colour)
{
    return [colour](double, double) { return colour; };
}

Paint VerticalGradient(double top, Rgb from, double bottom, Rgb to)
{
    return [=](double, double y) { return Mix(from, to, Clamp01((y - top) / (bottom - top))); };
}

Paint HorizontalGradient(double left, Rgb from, double right, Rgb to)
{
    return [=](double x, double) { return Mix(from, to, Clamp01((x - left) / (right - left))); };
}

Image24::Image24(int width, int height)
    : width_(width), height_(height), rgb_(static_cast<std::size_t>(width) * height * 3)
{
    if (width <= 0 || height <= 0) {
        throw std::invalid_argument("a picture needs a positive size");
    }
}

void Image24::Set(int x, int y, std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    std::uint8_t* pixel = &rgb_[(y * width_ + x) * 3];
    pixel[0] = red;
    pixel[1] = green;
    pixel[2] = blue;
}

void Image24::Paste(const Image24& source, int x, int y)
{
    if (x < 0 || y < 0 || x + source.width_ > width_ || y + source.height_ > height_) {
        throw std::out_of_range("pasted picture does not fit");
    }
    for (int row = 0; row < source.height_; ++row) {
        std::copy_n(source.At(0, row), source.width_ * 3, &rgb_[((y + row) * width_ + x) * 3]);
    }
}

Image24 Image24::Crop(int x, int y, int width, int height) const
{
    if (x < 0 || y < 0 || x + width > width_ || y + height > height_) {
        throw std::out_of_range("cropped area lies outside the picture");
    }
    Image24 result(width, height);
    for (int row = 0; row < height; ++row) {
        std::copy_n(At(x, y + row), width * 3, &result.rgb_[row * width * 3]);
    }
    return result;
}

Image24 JoinFrames(std::span<const Image24> frames, bool stacked)
{
    if (frames.empty()) {
        throw std::invalid_argument("no frames to join");
    }
    const int width = frames[0].Width();
    const int height = frames[0].Height();
    const int count = static_cast<int>(frames.size());
    Image24 strip(stacked ? width : width * count, stacked ? height * count : height);
    for (int i = 0; i < count; ++i) {
        if (frames[i].Width() != width || frames[i].Height() != height) {
            throw std::invalid_argument("frames of one strip differ in size");
        }
        strip.Paste(frames[i], stacked ? 0 : i * width, stacked ? i * height : 0);
    }
    return strip;
}

Raster::Raster(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height)
{
    if (width <= 0 || height <= 0) {
        throw std::invalid_argument("a raster needs a positive size");
    }
}

void Raster::Blend(int x, int y, Rgb colour, double amount)
{
    if (amount <= 0) {
        return;
    }
    Pixel& pixel = pixels_[static_cast<std::size_t>(y) * width_ + x];
    const double alpha = amount + pixel.alpha * (1 - amount);
    const double keep = pixel.alpha * (1 - amount) / alpha;
    pixel.colour = Mix(colour, pixel.colour, keep);
    pixel.alpha = alpha;
}

void Raster::Fill(const Shape& shape, const Paint& paint, double opacity)
{
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const double cx = x + 0.5;
            const double cy = y + 0.5;
            const double coverage = Clamp01(0.5 - shape(cx, cy));
            Blend(x, y, paint(cx, cy), coverage * opacity);
        }
    }
}

void Raster::Fill(const Shape& shape, Rgb colour, double opacity)
{
    Fill(shape, Solid(colour), opacity);
}

void Raster::Plot(int x, int y, Rgb colour, double opacity)
{
    if (x >= 0 && y >= 0 && x < width_ && y < height_) {
        Blend(x, y, colour, opacity);
    }
}

Image24 Raster::Flatten(const Paint& backdrop, double keyBelow) const
{
    Image24 image(width_, height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const Pixel& pixel = pixels_[static_cast<std::size_t>(y) * width_ + x];
            if (pixel.alpha < keyBelow) {
                image.Set(x, y, KEY_RED, KEY_GREEN, KEY_BLUE);
                continue;
            }
            const Rgb under = backdrop(x + 0.5, y + 0.5);
            const Rgb colour = Mix(under, pixel.colour, pixel.alpha);
            image.Set(x, y, ToByte(colour.r), ToByte(colour.g), ToByte(colour.b));
        }
    }
    return image;
}

Image24 Raster::FlattenOpaque(const Paint& backdrop) const { return Flatten(backdrop, -1.0); }

}  // namespace skingen
