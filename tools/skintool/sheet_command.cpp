// skintool sheet IN.skin OUT.png: a contact sheet of a skin. Every bitmap
// is shown magnified with its frames apart, each labelled with what the
// engine shows it for, so that a person can review a skin at a glance.
// Magenta (the transparent key) is drawn as a checkerboard.
#include "tools/skintool/PngFile.h"
#include "tools/skintool/SheetFont.h"
#include "tools/skintool/SheetRoles.h"
#include "tools/skintool/SkinTool.h"

#include "skin/load/AnsiText.h"
#include "skin/load/SkinPackage.h"
#include "skin/load/WinConvert.h"
#include "skin/load/WinSkinIni.h"
#include "ui/BmpFormat.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Colour {
    std::uint8_t r, g, b;
};

constexpr Colour BACKGROUND{226, 229, 227};
constexpr Colour TEXT{34, 40, 38};
constexpr Colour ROLE_TEXT{40, 96, 84};
constexpr Colour ERROR_TEXT{170, 40, 30};
constexpr Colour FRAME_EDGE{96, 104, 101};
constexpr Colour CHECKER_LIGHT{188, 194, 191};
constexpr Colour CHECKER_DARK{166, 172, 169};

constexpr int MARGIN = 16;
constexpr int SHEET_WIDTH = 1280;
constexpr int HEADING_SCALE = 2;
constexpr int HEADING_LINE = 22;
constexpr int LABEL_LINE = 11;
constexpr int FRAME_GAP = 14;
constexpr int BLOCK_GAP = 18;
constexpr int CHECKER = 4;

// A decoded bitmap as plain colours, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Colour> pixels;
    Colour At(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

Picture ToPicture(const ui::bmp::Image& image)
{
    using ui::bmp::Layout;
    Picture picture{image.width, image.height, {}};
    picture.pixels.reserve(std::size_t(image.width) * image.height);
    const std::size_t stride = ui::bmp::Stride(image.width, image.layout);
    const int bits = ui::bmp::BitsPerPixel(image.layout);
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* row = &image.pixels[(image.height - 1 - y) * stride];
        for (int x = 0; x < image.width; ++x) {
            Colour colour{};
            switch (image.layout) {
            case Layout::Indexed1:
            case Layout::Indexed4:
            case Layout::Indexed8: {
                const int bit = x * bits;
                const int index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1 << bits) - 1);
                const ui::bmp::PaletteEntry& entry = image.palette[index];
                colour = {entry.red, entry.green, entry.blue};
                break;
            }
            case Layout::Rgb555:
            case Layout::Rgb565: {
                const int v = row[2 * x] | (row[2 * x + 1] << 8);
                const bool six = image.layout == Layout::Rgb565;
                const int red = six ? v >> 11 : (v >> 10) & 31;
                const int green = six ? (v >> 5) & 63 : (v >> 5) & 31;
                const int blue = v & 31;
                colour = {std::uint8_t(red * 255 / 31), std::uint8_t(green * 255 / (six ? 63 : 31)),
                          std::uint8_t(blue * 255 / 31)};
                break;
            }
            case Layout::Bgr24: colour = {row[3 * x + 2], row[3 * x + 1], row[3 * x]}; break;
            case Layout::Bgrx32: colour = {row[4 * x + 2], row[4 * x + 1], row[4 * x]}; break;
            }
            picture.pixels.push_back(colour);
        }
    }
    return picture;
}

class Sheet {
public:
    Sheet(int width, int height) : width_(width), height_(height), rgb_(std::size_t(width) * height * 3)
    {
        Fill(0, 0, width, height, BACKGROUND);
    }

    void Set(int x, int y, Colour colour)
    {
        if (x >= 0 && y >= 0 && x < width_ && y < height_) {
            std::uint8_t* pixel = &rgb_[(std::size_t(y) * width_ + x) * 3];
            pixel[0] = colour.r;
            pixel[1] = colour.g;
            pixel[2] = colour.b;
        }
    }

    void Fill(int x, int y, int width, int height, Colour colour)
    {
        for (int row = y; row < y + height; ++row) {
            for (int column = x; column < x + width; ++column) {
                Set(column, row, colour);
            }
        }
    }

    void Text(int x, int y, std::string_view text, int scale, Colour colour)
    {
        for (const char c : text) {
            const std::uint8_t* glyph = SheetGlyph(c);
            for (int column = 0; column < SHEET_GLYPH_WIDTH; ++column) {
                for (int row = 0; row < SHEET_GLYPH_HEIGHT; ++row) {
                    if (glyph[column] >> row & 1) {
                        Fill(x + column * scale, y + row * scale, scale, scale, colour);
                    }
                }
            }
            x += SHEET_GLYPH_ADVANCE * scale;
        }
    }

    // One frame of a picture, magnified, with a one-pixel edge around it.
    void Frame(const Picture& picture, int sx, int sy, int width, int height, int x, int y, int zoom)
    {
        Fill(x - 1, y - 1, width * zoom + 2, height * zoom + 2, FRAME_EDGE);
        for (int row = 0; row < height * zoom; ++row) {
            for (int column = 0; column < width * zoom; ++column) {
                Colour colour = picture.At(sx + column / zoom, sy + row / zoom);
                if (colour.r == 0xFF && colour.g == 0 && colour.b == 0xFF) {
                    const bool light = (column / CHECKER + row / CHECKER) % 2 == 0;
                    colour = light ? CHECKER_LIGHT : CHECKER_DARK;
                }
                Set(x + column, y + row, colour);
            }
        }
    }

    Bytes Png() const { return EncodePng(width_, height_, rgb_); }

private:
    int width_;
    int height_;
    Bytes rgb_;
};

int TextWidth(std::string_view text, int scale) { return int(text.size()) * SHEET_GLYPH_ADVANCE * scale; }

// Printable ASCII only: the sheet's font has nothing else.
std::string Printable(std::string_view text)
{
    std::string result;
    for (const char c : text) {
        if (c >= 32 && c <= 126) {
            result += c;
        }
    }
    return result;
}

// One bitmap entry laid out on the sheet.
struct Block {
    std::vector<std::string> headings;
    std::vector<std::string> roleLines;
    std::optional<Picture> picture;
    SheetRole role;   // the one whose frames are drawn
    int frameWidth = 0;
    int frameHeight = 0;
    int zoom = 1;
    int columnWidth = 0;
    int columns = 1;
    int rows = 0;

    int FrameRowHeight() const { return frameHeight * zoom + 4 + LABEL_LINE + FRAME_GAP; }
    int Height() const
    {
        return int(headings.size() + roleLines.size()) * HEADING_LINE + 6 + rows * FrameRowHeight();
    }
};

Block LayOut(const std::string& name, std::span<const std::uint8_t> bytes, const TQuickIni& description)
{
    Block block;
    try {
        block.picture = ToPicture(ui::bmp::Decode(bytes));
    } catch (const ui::bmp::FormatError& error) {
        block.headings.push_back(name + "  unreadable: " + error.what());
        return block;
    }
    const Picture& picture = *block.picture;
    block.headings.push_back(name + "  " + std::to_string(picture.width) + " x " + std::to_string(picture.height));
    const std::vector<SheetRole> roles = RolesOf(description, name, picture.width, picture.height);
    for (const SheetRole& role : roles) {
        block.roleLines.push_back(role.element + ", " + std::to_string(role.frames) +
                                  (role.frames == 1 ? " frame" : role.stacked ? " frames stacked" : " frames"));
    }
    block.role = roles.front();
    const int frames = block.role.frames;
    block.frameWidth = block.role.stacked ? picture.width : picture.width / frames;
    block.frameHeight = block.role.stacked ? picture.height / frames : picture.height;
    if (block.frameWidth == 0 || block.frameHeight == 0) {
        block.roleLines.push_back("more frames than pixels: shown whole");
        block.role.frames = 1;
        block.role.stacked = false;
        block.role.labels = {"1"};
        block.frameWidth = picture.width;
        block.frameHeight = picture.height;
    }
    block.zoom = std::clamp(96 / std::max(block.frameWidth, block.frameHeight), 1, 4);
    int labelWidth = 0;
    for (const std::string& label : block.role.labels) {
        labelWidth = std::max(labelWidth, TextWidth(label, 1));
    }
    block.columnWidth = std::max(block.frameWidth * block.zoom, labelWidth) + FRAME_GAP;
    block.columns = std::max(1, (SHEET_WIDTH - 2 * MARGIN) / block.columnWidth);
    block.rows = (block.role.frames + block.columns - 1) / block.columns;
    return block;
}

void Draw(Sheet& sheet, const Block& block, int y)
{
    for (const std::string& heading : block.headings) {
        sheet.Text(MARGIN, y, Printable(heading), HEADING_SCALE, block.picture ? TEXT : ERROR_TEXT);
        y += HEADING_LINE;
    }
    for (const std::string& line : block.roleLines) {
        sheet.Text(MARGIN, y, Printable(line), HEADING_SCALE, ROLE_TEXT);
        y += HEADING_LINE;
    }
    if (!block.picture) {
        return;
    }
    y += 6;
    for (int i = 0; i < block.role.frames; ++i) {
        const int x = MARGIN + 1 + (i % block.columns) * block.columnWidth;
        const int top = y + (i / block.columns) * block.FrameRowHeight();
        const int sx = block.role.stacked ? 0 : i * block.frameWidth;
        const int sy = block.role.stacked ? i * block.frameHeight : 0;
        sheet.Frame(*block.picture, sx, sy, block.frameWidth, block.frameHeight, x, top, block.zoom);
        sheet.Text(x, top + block.frameHeight * block.zoom + 4, block.role.labels[i], 1, TEXT);
    }
}

int MakeSheet(std::span<const std::string> arguments)
{
    const Bytes stream = ReadFileBytes(arguments[0]);
    Bytes package;
    TSkinPackageLayout layout;
    try {
        package = DecompressSkinStream(stream);
        layout = ParseSkinPackage(package);
    } catch (const std::runtime_error& error) {
        throw ToolError(arguments[0] + ": " + error.what());
    }

    // Entries with their bytes, and the description: the first entry whose
    // name holds ".ini", as the engine finds it.
    struct Entry {
        std::string name;
        std::span<const std::uint8_t> bytes;
    };
    std::vector<Entry> entries;
    std::size_t offset = layout.contentsOffset;
    TQuickIni description;
    bool described = false;
    for (std::size_t i = 0; i < layout.names.size(); ++i) {
        const std::string name = LowerCaseAscii(layout.names[i]);
        const auto bytes = std::span<const std::uint8_t>(package).subspan(offset, layout.sizes[i]);
        offset += layout.sizes[i];
        if (!described && name.find(".ini") != std::string::npos) {
            description.LoadFromStream(bytes);
            described = true;
        }
        if (name.ends_with(".bmp")) {
            entries.push_back({name, bytes});
        }
    }

    std::vector<Block> blocks;
    int height = MARGIN + 2 * HEADING_LINE + BLOCK_GAP;
    for (const Entry& entry : entries) {
        blocks.push_back(LayOut(entry.name, entry.bytes, description));
        height += blocks.back().Height() + BLOCK_GAP;
    }
    height += MARGIN;

    Sheet sheet(SHEET_WIDTH, height);
    std::string skinName = Printable(description.ReadString("TitlebarSkin", "SkinName"));
    skinName.erase(0, skinName.find_first_not_of(' '));
    sheet.Text(MARGIN, MARGIN,
               "Skin " + skinName + ": " + std::to_string(layout.names.size()) + " entries, " +
                   std::to_string(package.size()) + " bytes unpacked, " + std::to_string(stream.size()) +
                   " compressed",
               HEADING_SCALE, TEXT);
    sheet.Text(MARGIN, MARGIN + HEADING_LINE,
               described ? "Checkerboard: the magenta key (transparent). Frames numbered from 1."
                         : "No description in this skin: frames cannot be told apart.",
               HEADING_SCALE, described ? ROLE_TEXT : ERROR_TEXT);
    int y = MARGIN + 2 * HEADING_LINE + BLOCK_GAP;
    for (const Block& block : blocks) {
        Draw(sheet, block, y);
        y += block.Height() + BLOCK_GAP;
    }
    WriteFileAtomically(arguments[1], sheet.Png());
    std::printf("%s: %zu bitmaps, %d x %d pixels\n", arguments[1].c_str(), blocks.size(), SHEET_WIDTH, height);
    return 0;
}

constexpr std::array commands = {
    SkinToolCommand{"sheet", "IN.skin OUT.png", "draw every bitmap of a skin, frames apart and labelled", 2,
                    MakeSheet},
};

}  // namespace

std::span<const SkinToolCommand> SheetCommands() { return commands; }
