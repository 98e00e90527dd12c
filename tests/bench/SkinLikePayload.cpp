#include "tests/bench/SkinLikePayload.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

struct Rgb {
    int r, g, b;
};

constexpr Rgb MAGENTA{255, 0, 255};

// Small linear congruential generator: the same bytes on every platform.
class Noise {
public:
    int Next(int range)
    {
        state_ = state_ * 1103515245u + 12345u;
        return static_cast<int>((state_ >> 16) % static_cast<unsigned>(range));
    }

private:
    unsigned state_ = 20000;
};

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

// One bitmap of `frames` frames side by side, each a bordered button face:
// a vertical gradient, rounded magenta corners, and on some a glyph of
// scattered darker pixels.
void AppendBitmap(std::vector<std::uint8_t>& out, int frameWidth, int height, int frames, Rgb top, Rgb bottom,
                  bool glyph, Noise& noise)
{
    const int width = frameWidth * frames;
    const int stride = (width * 3 + 3) / 4 * 4;
    const auto imageSize = static_cast<std::uint32_t>(stride * height);
    out.push_back('B');
    out.push_back('M');
    PutLe(out, 54 + imageSize, 4);
    PutLe(out, 0, 4);
    PutLe(out, 54, 4);
    PutLe(out, 40, 4);
    PutLe(out, static_cast<std::uint32_t>(width), 4);
    PutLe(out, static_cast<std::uint32_t>(height), 4);
    PutLe(out, 1, 2);
    PutLe(out, 24, 2);
    PutLe(out, 0, 4);
    PutLe(out, imageSize, 4);
    PutLe(out, 2835, 4);
    PutLe(out, 2835, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const int frame = x / frameWidth;
            const int fx = x % frameWidth;
            const int shade = frame * 12;
            Rgb c{top.r + (bottom.r - top.r) * y / std::max(1, height - 1) - shade,
                  top.g + (bottom.g - top.g) * y / std::max(1, height - 1) - shade,
                  top.b + (bottom.b - top.b) * y / std::max(1, height - 1) - shade / 2};
            if (glyph) {
                // Artwork with a light texture, not a mathematically clean ramp.
                const int grain = noise.Next(6) == 0 ? noise.Next(3) - 1 : 0;
                c = {c.r + grain, c.g + grain, c.b + grain};
            }
            const bool border = fx == 0 || fx == frameWidth - 1 || y == 0 || y == height - 1;
            if (border) {
                c = {40 + shade, 60 + shade, 90 + shade};
            }
            const int cornerX = std::min(fx, frameWidth - 1 - fx);
            const int cornerY = std::min(y, height - 1 - y);
            if (cornerX + cornerY < 2) {
                c = MAGENTA;
            }
            if (glyph && !border && fx > frameWidth / 3 && fx < frameWidth * 2 / 3 && y > height / 3 &&
                y < height * 2 / 3 && noise.Next(3) == 0) {
                c = {20, 20, 30 + noise.Next(40)};
            }
            out.push_back(static_cast<std::uint8_t>(std::clamp(c.b, 0, 255)));
            out.push_back(static_cast<std::uint8_t>(std::clamp(c.g, 0, 255)));
            out.push_back(static_cast<std::uint8_t>(std::clamp(c.r, 0, 255)));
        }
        for (int pad = width * 3; pad < stride; ++pad) {
            out.push_back(0);
        }
    }
}

void AppendIni(std::vector<std::uint8_t>& out, int images)
{
    std::string text = "[Skin]\r\nName=Generated\r\nVersion=2.0\r\nAuthor=bench\r\n\r\n";
    const char* keys[] = {"Left", "Top", "Right", "Bottom", "FrameCount", "Tile", "Trans"};
    for (int i = 0; i < images; ++i) {
        char section[160];
        std::snprintf(section, sizeof section, "[Element%d]\r\nImage=Element%d.bmp\r\n", i, i);
        text += section;
        for (int k = 0; k < 7; ++k) {
            char line[64];
            std::snprintf(line, sizeof line, "%s=%d\r\n", keys[k], (i * 7 + k * 3) % 6);
            text += line;
        }
        text += "FontColour=0x000000\r\n\r\n";
    }
    text += "[Colours]\r\ncolor0=$C0C0C0\r\ncolor1=$808080\r\ncolor2=$FFFFFF\r\n";
    out.insert(out.end(), text.begin(), text.end());
}

}  // namespace

std::vector<std::uint8_t> SkinLikePayload()
{
    struct Part {
        int frameWidth, height, frames;
        bool glyph;
    };
    // Roughly the parts of a window skin: title bar, frame edges, buttons,
    // check marks, scroll bars, menus, tabs.
    const Part parts[] = {
        {80, 30, 2, true}, {6, 120, 2, false}, {6, 120, 2, false}, {150, 6, 2, false}, {40, 22, 4, true},
        {13, 13, 8, true},  {13, 13, 8, true},  {17, 17, 6, true}, {17, 30, 4, false}, {30, 17, 4, false},
        {17, 17, 4, false}, {17, 17, 4, false}, {40, 20, 3, false}, {48, 24, 3, true},  {40, 22, 4, false},
        {24, 21, 4, true},  {24, 21, 4, true},  {40, 20, 2, false}, {16, 16, 6, true}, {40, 18, 2, false},
        {80, 20, 1, false}, {22, 22, 4, true}, {16, 8, 4, true},   {8, 16, 4, true},  {21, 21, 3, true},
        {21, 21, 3, true},  {21, 21, 3, true},  {21, 21, 3, true},  {32, 32, 1, false}, {60, 30, 2, true},
        {18, 32, 4, false}, {32, 18, 4, false}, {30, 40, 2, false}, {80, 26, 2, true},
    };
    std::vector<std::uint8_t> out;
    Noise noise;
    int index = 0;
    for (const Part& part : parts) {
        const Rgb top{200 - index * 3, 210 - index * 2, 235};
        const Rgb bottom{120 + index, 140, 190 - index};
        AppendBitmap(out, part.frameWidth, part.height, part.frames, top, bottom, part.glyph, noise);
        ++index;
    }
    AppendIni(out, index);
    return out;
}
