#include "tools/skingen/BuiltinPictures.h"

#include "tools/skingen/BmpWriter.h"
#include "tools/skingen/Theme.h"

#include <array>
#include <cctype>
#include <string>

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

constexpr int PlayerGlyphWidth = 14;
constexpr int PlayerGlyphHeight = 12;
constexpr Rgb Olive = RGB(128, 128, 0);
constexpr std::array<const char*, 9> PlayerButtonNames{"MPPLAY", "MPPAUSE", "MPSTOP", "MPNEXT", "MPPREV",
                                                       "MPSTEP", "MPBACK",  "MPRECORD", "MPEJECT"};
constexpr std::array<const char*, 3> PlayerLookNames{"EN", "DI", "CL"};

// Play and record stand out; the motion buttons share the accent.
Rgb PlayerColour(int button)
{
    const Theme& look = Look();
    const std::array<Rgb, 9> colours{RGB(28, 138, 62), RGB(196, 140, 16), look.Cinnabar, look.Accent,   look.Accent,
                                     look.Accent,      look.Accent,       RGB(214, 34, 34), look.TextSoft};
    return colours[static_cast<std::size_t>(button)];
}

// A triangle pointing right (or left) over columns [left, left + width).
Shape Arrow(double left, double width, bool right)
{
    constexpr double top = 1;
    constexpr double bottom = PlayerGlyphHeight - 1;
    const double tip = right ? left + width : left;
    const double base = right ? left : left + width;
    return ConvexPolygon({base, top, tip, (top + bottom) / 2, base, bottom});
}

Shape Bar(double left, double width) { return Box(left, 1, left + width, PlayerGlyphHeight - 1); }

Shape PlayerShape(int button)
{
    switch (button) {
    case 0:
        return Arrow(3, 9, true);
    case 1:
        return Union(Bar(3, 3), Bar(8, 3));
    case 2:
        return Box(2, 1, 12, 11);
    case 3:
        return Union(Arrow(2, 7, true), Bar(10, 2));
    case 4:
        return Union(Bar(2, 2), Arrow(5, 7, false));
    case 5:
        return Union(Arrow(1, 6, true), Arrow(7, 6, true));
    case 6:
        return Union(Arrow(1, 6, false), Arrow(7, 6, false));
    case 7:
        return Circle(7, 6, 5);
    default:
        return Union(ConvexPolygon({1, 7, 7, 1, 13, 7}), Box(1, 9, 13, 11));
    }
}

}  // namespace

Image24 PlayerGlyph(int button, PlayerGlyphLook look)
{
    const Rgb ink = look == PlayerGlyphLook::Disabled ? Look().Silver
                    : look == PlayerGlyphLook::Coloured ? PlayerColour(button)
                                                        : Look().Text;
    Raster raster(PlayerGlyphWidth, PlayerGlyphHeight);
    raster.Fill(PlayerShape(button), ink);
    // Half-covered pixels become full ink, the rest the olive key: a
    // blended edge would show as an olive fringe on any button face.
    Image24 glyph = raster.Flatten(Solid(ink), 0.5);
    for (int y = 0; y < glyph.Height(); ++y) {
        for (int x = 0; x < glyph.Width(); ++x) {
            const std::uint8_t* pixel = glyph.At(x, y);
            if (pixel[0] == KEY_RED && pixel[1] == KEY_GREEN && pixel[2] == KEY_BLUE) {
                glyph.Set(x, y, static_cast<std::uint8_t>(Olive.r), static_cast<std::uint8_t>(Olive.g),
                          static_cast<std::uint8_t>(Olive.b));
            }
        }
    }
    return glyph;
}

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
    std::vector<SkinFile> files{
        {"track.bmp", EncodeBmp24(TrackChannelPicture(false))},
        {"trackvert.bmp", EncodeBmp24(TrackChannelPicture(true))},
        {"ortavelmenu.bmp", EncodeBmp24(SystemMenuGlyphs())},
    };
    for (std::size_t look = 0; look < PlayerLookNames.size(); ++look) {
        for (std::size_t button = 0; button < PlayerButtonNames.size(); ++button) {
            std::string name = std::string(PlayerLookNames[look]) + "_" + PlayerButtonNames[button] + ".bmp";
            for (char& c : name) {
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            }
            files.push_back({name, EncodeBmp24(PlayerGlyph(static_cast<int>(button),
                                                           static_cast<PlayerGlyphLook>(look)))});
        }
    }
    return files;
}

}  // namespace skingen
