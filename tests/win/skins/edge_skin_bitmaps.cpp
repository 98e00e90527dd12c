// edge_skin_bitmaps OUTDIR DESCRIPTION: writes the edge test skin's folder:
// its bitmaps (see EdgeSkin.h), the description copied in as skin.ini, and
// order.txt, which `skintool pack` follows and which is written last.
#include "tests/win/skins/EdgeSkin.h"
#include "tools/skingen/BmpWriter.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using edgeskin::Rgb;

void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::vector<std::uint8_t> ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

skingen::Image24 Paint(int width, int height, const std::function<Rgb(int x, int y)>& colourAt)
{
    skingen::Image24 image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgb c = colourAt(x, y);
            image.Set(x, y, c.r, c.g, c.b);
        }
    }
    return image;
}

skingen::Image24 Flat(int width, int height, Rgb colour)
{
    return Paint(width, height, [colour](int, int) { return colour; });
}

// Frames of frameWidth side by side, frame k (0-based) painted by colourOf(k).
skingen::Image24 Strip(int frames, int frameWidth, int height, Rgb (*colourOf)(int))
{
    return Paint(frames * frameWidth, height, [=](int x, int) { return colourOf(x / frameWidth); });
}

struct Picture {
    std::string name;
    skingen::Image24 image;
};

std::vector<Picture> EdgePictures()
{
    using namespace edgeskin;
    std::vector<Picture> pictures;
    pictures.push_back({"top.bmp", Flat(TopWidth, TopHeight, FrameRgb)});
    pictures.push_back({"left.bmp", Flat(SideWidth, SideHeight, {200, 10, 10})});
    pictures.push_back({"right.bmp", Flat(SideWidth, SideHeight, {10, 200, 10})});
    pictures.push_back({"buttons.bmp", Strip(5, ButtonFrameWidth, ButtonHeight, ButtonRgb)});
    pictures.push_back({"check.bmp", Flat(CheckWidth, CheckHeight, {1, 2, 3})});
    pictures.push_back({"radio.bmp", Flat(RadioWidth, RadioHeight, {3, 2, 1})});
    pictures.push_back({"cap126.bmp", Flat(WideCaptionWidth, CaptionHeight, {120, 120, 20})});
    pictures.push_back({"cap60.bmp", Flat(NarrowCaptionWidth, CaptionHeight, {20, 120, 120})});
    pictures.push_back({"mdi.bmp", Strip(12, MdiCell, MdiHeight, MdiCellRgb)});
    pictures.push_back({"combo.bmp", Paint(ComboFrames * ComboFrameWidth, ComboHeight, [](int x, int) {
                            return x % ComboFrameWidth < ComboMagentaColumns ? Magenta : ComboRgb(x / ComboFrameWidth);
                        })});
    pictures.push_back({"sunk.bmp", Strip(ComboFrames, SunkFrameWidth, SunkHeight, SunkRgb)});
    pictures.push_back({"extra.bmp", Strip(ExtraFrames, ExtraSize, ExtraSize, ExtraRgb)});
    for (const PlainPicture& plain : PlainPictures) {
        const auto shade = static_cast<std::uint8_t>(4 * plain.width);
        pictures.push_back({std::string(plain.file), Flat(plain.width, PlainHeight, {shade, shade, 128})});
    }
    return pictures;
}

void WriteEdgeSkin(const fs::path& dir, const fs::path& description)
{
    fs::create_directories(dir);
    std::string order = "# Package order of the edge test skin, written by edge_skin_bitmaps.\n";
    for (const Picture& picture : EdgePictures()) {
        WriteFile(dir / picture.name, skingen::EncodeBmp24(picture.image));
        order += picture.name + "\n";
    }
    WriteFile(dir / "skin.ini", ReadFile(description));
    order += "skin.ini\n";
    WriteFile(dir / "order.txt", std::vector<std::uint8_t>(order.begin(), order.end()));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: edge_skin_bitmaps OUTDIR DESCRIPTION\n");
        return 2;
    }
    try {
        WriteEdgeSkin(argv[1], argv[2]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "edge_skin_bitmaps: %s\n", error.what());
        return 1;
    }
    return 0;
}
