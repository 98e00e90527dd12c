// zel_art: paints the program's pictures in the celadon theme, so the build
// makes them from nothing and always the same.
//
//   zel_art icon OUTPUT.ico                 program icon: 48, 32, 24 and 16 px, 32 bpp
//   zel_art background OUTPUT.ppm           the About window's background
//   zel_art banner OUTPUT.ppm               the About window's 300 x 66 banner
//   zel_art picture CLASS INPUT OUTPUT      a picture file as a form's Picture.Data
//
// Pictures are drawn at four samples per pixel in each direction.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Colour {
    double r, g, b;
};

constexpr Colour deepCeladon{0.29, 0.55, 0.47};
constexpr Colour ink{0.07, 0.13, 0.14};
constexpr Colour whiteJade{0.95, 0.96, 0.92};
constexpr Colour silverGrey{0.76, 0.79, 0.80};
constexpr Colour paleCeladon{0.70, 0.84, 0.76};

Colour mix(Colour a, Colour b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

struct Rgba {
    Colour colour;
    double alpha;
};

Rgba over(Rgba top, Rgba bottom)
{
    const double alpha = top.alpha + bottom.alpha * (1 - top.alpha);
    if (alpha <= 0)
        return {{0, 0, 0}, 0};
    const auto channel = [&](double t, double b) { return (t * top.alpha + b * bottom.alpha * (1 - top.alpha)) / alpha; };
    return {{channel(top.colour.r, bottom.colour.r), channel(top.colour.g, bottom.colour.g),
             channel(top.colour.b, bottom.colour.b)},
            alpha};
}

double segmentDistance(double px, double py, double ax, double ay, double bx, double by)
{
    const double dx = bx - ax, dy = by - ay;
    const double t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(px - ax - t * dx, py - ay - t * dy);
}

// The icon in unit coordinates (0..1 both ways): a rounded tile going from
// deep celadon to ink, a silver rim, a white jade disc carrying a celadon "Z".
Rgba iconSample(double x, double y)
{
    const double radius = 0.2, inset = 0.03;
    const double cx = std::clamp(x, inset + radius, 1 - inset - radius);
    const double cy = std::clamp(y, inset + radius, 1 - inset - radius);
    const double corner = std::hypot(x - cx, y - cy);
    if (corner > radius)
        return {{0, 0, 0}, 0};
    Rgba pixel{mix(deepCeladon, ink, y), 1};
    if (corner > radius - 0.035)
        pixel.colour = silverGrey;
    const double disc = std::hypot(x - 0.5, y - 0.5);
    if (disc < 0.33)
        pixel = over({mix(whiteJade, paleCeladon, disc / 0.33 * 0.6), 1}, pixel);
    const double stroke = 0.055;
    const double z = std::min({segmentDistance(x, y, 0.36, 0.37, 0.64, 0.37), segmentDistance(x, y, 0.64, 0.37, 0.36, 0.63),
                               segmentDistance(x, y, 0.36, 0.63, 0.64, 0.63)});
    if (z < stroke)
        pixel = over({mix(deepCeladon, ink, 0.35), 1}, pixel);
    return pixel;
}

// The background: a celadon-to-ink band on the left behind the icon, white
// jade to silver-grey elsewhere, with a faint jade ripple.
Colour backgroundSample(double x, double y)
{
    if (x < 0.165)
        return mix(deepCeladon, ink, y);
    if (x < 0.172)
        return silverGrey;
    const double ripple = 0.5 + 0.5 * std::sin(x * 9 + std::sin(y * 5) * 1.5);
    return mix(mix(whiteJade, silverGrey, y * 0.6), paleCeladon, 0.08 * ripple);
}

// The banner: celadon hills fading to ink under a white jade sky, a silver
// horizon line.
Colour bannerSample(double x, double y)
{
    const double far = 0.45 + 0.12 * std::sin(x * 7.0 + 0.8) + 0.05 * std::sin(x * 19.0);
    const double near = 0.68 + 0.1 * std::sin(x * 4.5 + 2.1) + 0.03 * std::sin(x * 23.0 + 1.0);
    if (y > near)
        return mix(deepCeladon, ink, (y - near) / (1 - near + 0.01) * 0.8 + 0.2);
    if (y > far)
        return mix(paleCeladon, deepCeladon, (y - far) / (near - far + 0.01));
    if (std::abs(y - 0.3) < 0.012)
        return silverGrey;
    return mix(whiteJade, silverGrey, y * 0.5);
}

constexpr int samples = 4;

template <class Sample>
std::vector<Rgba> paint(int width, int height, Sample sample)
{
    std::vector<Rgba> pixels;
    pixels.reserve(static_cast<std::size_t>(width * height));
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) {
            Colour premultiplied{0, 0, 0};
            double alpha = 0;
            for (int sy = 0; sy < samples; ++sy)
                for (int sx = 0; sx < samples; ++sx) {
                    const Rgba s = sample((column + (sx + 0.5) / samples) / width, (row + (sy + 0.5) / samples) / height);
                    premultiplied.r += s.colour.r * s.alpha;
                    premultiplied.g += s.colour.g * s.alpha;
                    premultiplied.b += s.colour.b * s.alpha;
                    alpha += s.alpha;
                }
            if (alpha > 0)
                pixels.push_back({{premultiplied.r / alpha, premultiplied.g / alpha, premultiplied.b / alpha},
                                  alpha / (samples * samples)});
            else
                pixels.push_back({{0, 0, 0}, 0});
        }
    return pixels;
}

std::uint8_t byte(double value)
{
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255));
}

void put16(std::vector<std::uint8_t>& out, unsigned value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::vector<std::uint8_t> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// One icon image: a BITMAPINFOHEADER of double height, bottom-up BGRA rows,
// then an all-clear AND mask (the alpha channel decides).
std::vector<std::uint8_t> iconImage(int size)
{
    const std::vector<Rgba> pixels = paint(size, size, iconSample);
    const int maskStride = (size + 31) / 32 * 4;
    std::vector<std::uint8_t> out;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(size));
    put32(out, static_cast<std::uint32_t>(size * 2));
    put16(out, 1);
    put16(out, 32);
    put32(out, 0);
    put32(out, static_cast<std::uint32_t>(size * size * 4 + maskStride * size));
    for (int i = 0; i < 4; ++i)
        put32(out, 0);
    for (int row = size - 1; row >= 0; --row)
        for (int column = 0; column < size; ++column) {
            const Rgba& p = pixels[static_cast<std::size_t>(row * size + column)];
            out.push_back(byte(p.colour.b));
            out.push_back(byte(p.colour.g));
            out.push_back(byte(p.colour.r));
            out.push_back(byte(p.alpha));
        }
    out.insert(out.end(), static_cast<std::size_t>(maskStride * size), 0);
    return out;
}

std::vector<std::uint8_t> iconFile()
{
    constexpr std::array sizes{48, 32, 24, 16};
    std::vector<std::vector<std::uint8_t>> images;
    for (const int size : sizes)
        images.push_back(iconImage(size));
    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, 1);
    put16(out, sizes.size());
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        out.push_back(static_cast<std::uint8_t>(sizes[i]));
        out.push_back(static_cast<std::uint8_t>(sizes[i]));
        out.push_back(0);
        out.push_back(0);
        put16(out, 1);
        put16(out, 32);
        put32(out, static_cast<std::uint32_t>(images[i].size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const auto& image : images)
        out.insert(out.end(), image.begin(), image.end());
    return out;
}

template <class Sample>
std::vector<std::uint8_t> ppmFile(int width, int height, Sample sample)
{
    const std::vector<Rgba> pixels = paint(width, height, [&](double x, double y) { return Rgba{sample(x, y), 1}; });
    const std::string header = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    std::vector<std::uint8_t> out(header.begin(), header.end());
    for (const Rgba& p : pixels) {
        out.push_back(byte(p.colour.r));
        out.push_back(byte(p.colour.g));
        out.push_back(byte(p.colour.b));
    }
    return out;
}

// The framework's Picture.Data: class name with a length byte, the file's
// size as 32-bit little-endian, then the file.
std::vector<std::uint8_t> pictureData(std::string_view className, const std::vector<std::uint8_t>& file)
{
    std::vector<std::uint8_t> out;
    out.push_back(static_cast<std::uint8_t>(className.size()));
    out.insert(out.end(), className.begin(), className.end());
    put32(out, static_cast<std::uint32_t>(file.size()));
    out.insert(out.end(), file.begin(), file.end());
    return out;
}

int usage()
{
    std::cerr << "usage: zel_art icon|background|banner OUTPUT\n       zel_art picture CLASS INPUT OUTPUT\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        if (args.size() == 2 && args[0] == "icon")
            writeFile(args[1], iconFile());
        else if (args.size() == 2 && args[0] == "background")
            writeFile(args[1], ppmFile(203, 117, backgroundSample));
        else if (args.size() == 2 && args[0] == "banner")
            writeFile(args[1], ppmFile(300, 66, bannerSample));
        else if (args.size() == 4 && args[0] == "picture")
            writeFile(args[3], pictureData(args[1], readFile(args[2])));
        else
            return usage();
    } catch (const std::exception& error) {
        std::cerr << "zel_art: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
