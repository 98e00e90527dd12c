#include "skin/model/ColourMath.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// One channel of MixColor; channel values may exceed 8 bits (blue carries the top byte).
std::int64_t MixChannel(std::int64_t a, std::int64_t b, std::int64_t weight, std::int64_t scale)
{
    return (b * (scale - weight) + a * weight + scale / 2) / scale;
}

constexpr int gradientSlots = 16;

struct GradientCache {
    std::array<std::vector<TColor>, gradientSlots> tables;
    int next = 0;
};

GradientCache& Cache()
{
    static GradientCache cache;
    return cache;
}

std::uint8_t GradientChannel(std::int64_t from, std::int64_t to, std::int64_t i, std::int64_t n)
{
    const std::int64_t d = to - from;
    if (n == 0)
        return static_cast<std::uint8_t>(from + d / 2);
    // Halves round away from zero in both directions, so a falling gradient
    // ends exactly on its target as a rising one does (and a repeated request
    // finds its cached table by that last entry).
    const std::int64_t half = d < 0 ? -(n / 2) : n / 2;
    return static_cast<std::uint8_t>(from + (d * i + half) / n);
}

} // namespace

TColor MixColor(TColor c1, TColor c2, int weight, SystemColourResolver resolve)
{
    const auto plain = [resolve](TColor c) {
        if (static_cast<std::int32_t>(c) < 0 && resolve)
            return resolve(clSystemColor | (c & 0xFF));
        return c;
    };
    c1 = plain(c1);
    c2 = plain(c2);
    const std::int64_t scale = weight < 100 ? 100 : 1000;
    const auto channel = [&](std::int64_t a, std::int64_t b) {
        return static_cast<std::uint8_t>(MixChannel(a, b, weight, scale) & 0xFF);
    };
    const std::uint8_t red = channel(c1 & 0xFF, c2 & 0xFF);
    const std::uint8_t green = channel((c1 >> 8) & 0xFF, (c2 >> 8) & 0xFF);
    const std::uint8_t blue = channel(c1 >> 16, c2 >> 16);
    return RGBColor(red, green, blue);
}

int ColourSaturation(TColor colour)
{
    const int r = RedOf(colour);
    const int g = GreenOf(colour);
    const int b = BlueOf(colour);
    if (r < 160 && g < 160 && b < 160)
        return 200;
    const int high = std::max({r, g, b});
    const int low = std::min({r, g, b});
    const double saturation = static_cast<double>(high - low) / high;
    // nearbyint under the default rounding mode rounds halves to even.
    return static_cast<int>(std::nearbyint(saturation * 255.0));
}

int GetGradient(int count, TColor from, TColor to)
{
    if (count < 1)
        return -1;
    GradientCache& cache = Cache();
    const auto size = static_cast<std::size_t>(count);
    for (int slot = gradientSlots - 1; slot >= 0; --slot) {
        const std::vector<TColor>& table = cache.tables[static_cast<std::size_t>(slot)];
        if (table.size() == size && table.front() == from && table.back() == to)
            return slot;
    }
    const int slot = cache.next;
    cache.next = (cache.next + 1) % gradientSlots;
    std::vector<TColor>& table = cache.tables[static_cast<std::size_t>(slot)];
    table.resize(size);
    const int n = count - 1;
    for (int i = 0; i < count; ++i) {
        table[static_cast<std::size_t>(i)] = RGBColor(GradientChannel(RedOf(from), RedOf(to), i, n),
                                                      GradientChannel(GreenOf(from), GreenOf(to), i, n),
                                                      GradientChannel(BlueOf(from), BlueOf(to), i, n));
    }
    return slot;
}

std::span<const TColor> GradientTable(int slot)
{
    if (slot < 0 || slot >= gradientSlots)
        return {};
    return Cache().tables[static_cast<std::size_t>(slot)];
}

TColor ParseColour(std::string_view text, TColor defaultColour)
{
    if (text.empty()) {
        return defaultColour;
    }
    const auto isSpace = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!text.empty() && isSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpace(text.back())) {
        text.remove_suffix(1);
    }
    std::array<std::uint32_t, 3> numbers{};
    std::size_t stored = 0;
    std::uint32_t run = 0;
    bool inRun = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            run = (run * 10 + static_cast<std::uint32_t>(c - '0')) % 256;
            inRun = true;
        } else if (inRun) {
            if (stored < numbers.size()) {
                numbers[stored++] = run;
            }
            run = 0;
            inRun = false;
        }
    }
    if (inRun && stored == 2) {
        numbers[2] = run;
    }
    return numbers[0] | (numbers[1] << 8) | (numbers[2] << 16);
}
