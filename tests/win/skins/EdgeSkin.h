// The pictures of the edge test skin (tests/win/skins/edge/skin.ini): their
// sizes decide frame counts, and their colours let a test tell which source
// pixel ended up where. The painter and the tests both read this header.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace edgeskin {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
};

inline constexpr Rgb Magenta{0xFF, 0x00, 0xFF};

// The top border is one flat colour, so any sample of it gives this.
inline constexpr Rgb FrameRgb{40, 80, 120};
inline constexpr int TopWidth = 120;
inline constexpr int TopHeight = 30;

// Side borders: two frames of four pixels.
inline constexpr int SideWidth = 8;
inline constexpr int SideHeight = 60;

// Push buttons: five frames whatever the description's Frame key says.
inline constexpr int ButtonFrameWidth = 20;
inline constexpr int ButtonHeight = 24;
constexpr Rgb ButtonRgb(int frame) { return {static_cast<std::uint8_t>(30 * frame), 100, 160}; }

// Check boxes: 192 / 16 = 12 frames; radio buttons, lower than 16: 104 / 13 = 8.
inline constexpr int CheckWidth = 192;
inline constexpr int CheckHeight = 16;
inline constexpr int RadioWidth = 104;
inline constexpr int RadioHeight = 13;

// Title-bar buttons: wide (ratio 6.0) and narrow (ratio 2.86) strips.
inline constexpr int WideCaptionWidth = 126;
inline constexpr int NarrowCaptionWidth = 60;
inline constexpr int CaptionHeight = 21;

// The child-window buttons' strip: twelve cells of MdiCell pixels, each a colour of its own.
inline constexpr int MdiCell = 10;
inline constexpr int MdiHeight = 16;
constexpr Rgb MdiCellRgb(int cell)
{
    return {static_cast<std::uint8_t>(10 + 20 * cell), static_cast<std::uint8_t>(250 - 20 * cell), 7};
}

// Combo box pieces, four frames each. Each combo frame has two magenta
// columns on its left; the rest is the frame's colour.
inline constexpr int ComboFrames = 4;
inline constexpr int ComboFrameWidth = 16;
inline constexpr int ComboHeight = 21;
inline constexpr int ComboMagentaColumns = 2;
constexpr Rgb ComboRgb(int frame) { return {static_cast<std::uint8_t>(200 + frame), 30, 40}; }
inline constexpr int SunkFrameWidth = 50;
inline constexpr int SunkHeight = 21;
constexpr Rgb SunkRgb(int frame) { return {60, static_cast<std::uint8_t>(100 + frame), 70}; }
// Five small flat frames drawn centred over the combo button.
inline constexpr int ExtraSize = 6;
inline constexpr int ExtraFrames = 5;
constexpr Rgb ExtraRgb(int frame) { return {90, 20, static_cast<std::uint8_t>(150 + frame)}; }

// Every other picture is flat and PlainHeight high; a width of its own lets
// a test see that each element got its own file.
inline constexpr int PlainHeight = 8;
struct PlainPicture {
    std::string_view file;
    int width;
};
inline constexpr std::array<PlainPicture, 28> PlainPictures{{
    {"progress.bmp", 21},  {"chunk.bmp", 22},     {"gbedge.bmp", 23},     {"groupbox.bmp", 24},
    {"tabs.bmp", 25},      {"tabborder.bmp", 26}, {"tabpane.bmp", 27},    {"toolbars.bmp", 28},
    {"header.bmp", 29},    {"menuitem.bmp", 30},  {"menuback.bmp", 31},   {"scrollbar.bmp", 32},
    {"hscroll.bmp", 33},   {"vscroll.bmp", 34},   {"hthumb.bmp", 35},     {"vthumb.bmp", 36},
    {"thumbhorz.bmp", 37}, {"thumbvert.bmp", 38}, {"thumbleft.bmp", 39},  {"thumbright.bmp", 40},
    {"thumbup.bmp", 41},   {"thumbdown.bmp", 42}, {"updownh.bmp", 43},    {"updownv.bmp", 44},
    {"updownglyph.bmp", 45}, {"track.bmp", 46},   {"textback.bmp", 47},   {"menubar.bmp", 48},
}};

constexpr int PlainWidth(std::string_view file)
{
    for (const PlainPicture& picture : PlainPictures) {
        if (picture.file == file)
            return picture.width;
    }
    return -1;
}

} // namespace edgeskin
