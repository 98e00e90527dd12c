#include "tools/skingen/BuiltinPictures.h"

#include "tools/skingen/BmpWriter.h"
#include "tools/skingen/Theme.h"

#include <array>

namespace skingen {

namespace {

// The engine's pictures go with every skin, so they keep the default's look.
const Theme& Look() { return CeladonTheme(); }

constexpr CellSize TrackCell{24, 8};
constexpr int GlyphCell = 16;

// Mirrors the picture across its main diagonal: top becomes left, so the
// channel's shadow stays on the side the light comes from.
Image24 Transpose(const Image24& image)
{
    Image24 turned(image.Height(), image.Width());
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const std::uint8_t* pixel = image.At(x, y);
            turned.Set(y, x, pixel[0], pixel[1], pixel[2]);
        }
    }
    return turned;
}

// Light falls from above: the rim is darker at the top, the upper inside
// lies in its shadow, and the floor is white jade.
Image24 HorizontalChannel()
{
    const Theme& look = Look();
    const double w = TrackCell.width;
    const double h = TrackCell.height;
    Raster raster(TrackCell.width, TrackCell.height);
    raster.Fill(RoundRect(0, 0, w, h, 2.5), VerticalGradient(0, look.SilverDark, h, look.SilverLight));
    raster.Fill(RoundRect(1, 1, w - 1, h - 1, 1.5), VerticalGradient(1, RGB(206, 216, 211), 3, look.MenuFace));
    return raster.FlattenOpaque(Solid(look.ButtonFace));
}

struct PixelRect {
    int left;
    int top;
    int width;
    int height;
};

void FillInk(Image24& image, int cellLeft, PixelRect rect)
{
    const auto byte = [](double channel) { return static_cast<std::uint8_t>(channel); };
    const Rgb ink = Look().Text;
    for (int y = rect.top; y < rect.top + rect.height; ++y) {
        for (int x = rect.left; x < rect.left + rect.width; ++x) {
            image.Set(cellLeft + x, y, byte(ink.r), byte(ink.g), byte(ink.b));
        }
    }
}

// A window outline with a two-pixel caption bar, the system's way of
// drawing these commands at menu size.
void WindowOutline(Image24& image, int cellLeft, PixelRect box)
{
    FillInk(image, cellLeft, {box.left, box.top, box.width, 2});
    FillInk(image, cellLeft, {box.left, box.top + box.height - 1, box.width, 1});
    FillInk(image, cellLeft, {box.left, box.top, 1, box.height});
    FillInk(image, cellLeft, {box.left + box.width - 1, box.top, 1, box.height});
}

void Restore(Image24& image, int cellLeft)
{
    // The window behind shows above and to the right of the one in front.
    // Their overlap falls on the front one's caption bar, so nothing of
    // the back one needs hiding.
    WindowOutline(image, cellLeft, {6, 2, 7, 6});
    WindowOutline(image, cellLeft, {3, 6, 7, 6});
}

void Maximise(Image24& image, int cellLeft) { WindowOutline(image, cellLeft, {3, 3, 10, 9}); }

void Minimise(Image24& image, int cellLeft) { FillInk(image, cellLeft, {4, 10, 8, 2}); }

// Two diagonals two pixels wide, eight across and seven down, so that the
// cross is symmetric both ways and meets in a two-pixel centre.
void Close(Image24& image, int cellLeft)
{
    constexpr int left = 4;
    constexpr int top = 4;
    constexpr int rows = 7;
    for (int row = 0; row < rows; ++row) {
        FillInk(image, cellLeft, {left + row, top + row, 2, 1});
        FillInk(image, cellLeft, {left + rows - 1 - row, top + row, 2, 1});
    }
}

}  // namespace

Image24 TrackChannelPicture(bool vertical)
{
    const Image24 channel = HorizontalChannel();
    return vertical ? Transpose(channel) : channel;
}

Image24 SystemMenuGlyphs()
{
    constexpr std::array painters{Restore, Maximise, Minimise, Close};
    Image24 strip(GlyphCell * static_cast<int>(painters.size()), GlyphCell);
    for (int y = 0; y < strip.Height(); ++y) {
        for (int x = 0; x < strip.Width(); ++x) {
            strip.Set(x, y, 0xFF, 0xFF, 0xFF);
        }
    }
    for (std::size_t index = 0; index < painters.size(); ++index) {
        painters[index](strip, GlyphCell * static_cast<int>(index));
    }
    return strip;
}

std::vector<SkinFile> BuildBuiltinPictures()
{
    return {
        {"track.bmp", EncodeBmp24(TrackChannelPicture(false))},
        {"trackvert.bmp", EncodeBmp24(TrackChannelPicture(true))},
        {"ortavelmenu.bmp", EncodeBmp24(SystemMenuGlyphs())},
    };
}

}  // namespace skingen
