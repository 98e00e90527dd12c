// skintool sheet: its PNG files, how it names the frames of a skin's
// bitmaps, and the command on real and damaged skins.
#include "skin/load/LzhEncoder.h"
#include "skin/load/SkinPackage.h"
#include "skin/load/WinSkinIni.h"
#include "tools/skintool/PngFile.h"
#include "tools/skintool/SheetRoles.h"

#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes AsBytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

struct DecodedPng {
    int width = 0;
    int height = 0;
    Bytes rgb;
};

// Reads the file back through libpng, which also checks its CRCs and zlib
// frame; the picture must be plain 24-bit colour.
DecodedPng DecodePng(const Bytes& file)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    DecodedPng png;
    if (png_image_begin_read_from_memory(&image, file.data(), file.size()) == 0) {
        ADD_FAILURE() << "not a PNG: " << image.message;
        return png;
    }
    EXPECT_EQ(image.format, PNG_FORMAT_RGB) << "truecolour without alpha";
    image.format = PNG_FORMAT_RGB;
    png.width = int(image.width);
    png.height = int(image.height);
    png.rgb.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, png.rgb.data(), 0, nullptr) == 0) {
        ADD_FAILURE() << "unreadable PNG: " << image.message;
    }
    png_image_free(&image);
    return png;
}

TEST(SheetPng, SmallAndIrregularPicturesComeBackExactly)
{
    for (const auto& [width, height] : {std::pair{1, 1}, std::pair{3, 2}, std::pair{17, 5}}) {
        Bytes rgb;
        for (int i = 0; i < width * height * 3; ++i) {
            rgb.push_back(std::uint8_t(i * 37 + 11));
        }
        const DecodedPng png = DecodePng(EncodePng(width, height, rgb));
        EXPECT_EQ(png.width, width);
        EXPECT_EQ(png.height, height);
        EXPECT_EQ(png.rgb, rgb);
    }
}

TEST(SheetPng, FlatAreasAndRepeatedRowsShrinkAndComeBackExactly)
{
    // Flat background, a repeated two-colour pattern and identical rows:
    // what a sheet is made of.
    const int width = 700;
    const int height = 60;
    Bytes rgb;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool stripe = y >= 20 && y < 40 && x % 8 < 4;
            const bool dot = y == 50 && x == 333;
            rgb.push_back(dot ? 1 : stripe ? 255 : 226);
            rgb.push_back(stripe ? 0 : 229);
            rgb.push_back(std::uint8_t(stripe ? 255 : 227 + (y == 45 ? x % 3 : 0)));
        }
    }
    const Bytes file = EncodePng(width, height, rgb);
    EXPECT_LT(file.size(), rgb.size() / 20);
    EXPECT_EQ(DecodePng(file).rgb, rgb);
}

TEST(SheetPng, RefusesAPixelCountThatDoesNotFitTheSize)
{
    EXPECT_THROW(EncodePng(2, 2, Bytes(11)), std::invalid_argument);
    EXPECT_THROW(EncodePng(0, 5, Bytes()), std::invalid_argument);
}

TQuickIni Description(std::string_view text)
{
    TQuickIni ini;
    ini.LoadFromStream(AsBytes(text));
    return ini;
}

TEST(SheetRoles, FrameCountsFollowTheEnginesRules)
{
    const TQuickIni ini = Description(
        "[Buttons]\nBitmap=Buttons.bmp\nFrame=3\nCheckButton=check.bmp\nRadioButton=radio.bmp\nRadioButtonFrame=8\n"
        "[Button0]\nButtonImage=wide.bmp\nAction=0\n[Button1]\nButtonImage=narrow.bmp\n"
        "[Personality]\nTop=top.bmp\nTopFrame=2\nLeft=left.bmp\n"
        "[Scrollbar]\nImage=arrows.bmp\nFrame=4\n[Headerbar]\nImage=header.bmp\n"
        "[HorzScrollThumb]\nImage=thumb.bmp\nFrameCount=2\n");
    // The push button strip has 5 frames whatever "Frame" says.
    auto roles = RolesOf(ini, "buttons.bmp", 120, 24);
    ASSERT_EQ(roles.size(), 1u);
    EXPECT_EQ(roles[0].frames, 5);
    EXPECT_EQ(roles[0].labels[3], "4 hot");
    // Check images without a count: 13-pixel cells below 16 pixels high, else 16, at least 4.
    EXPECT_EQ(RolesOf(ini, "check.bmp", 156, 13)[0].frames, 12);
    EXPECT_EQ(RolesOf(ini, "check.bmp", 48, 16)[0].frames, 4);
    EXPECT_EQ(RolesOf(ini, "check.bmp", 156, 13)[0].labels[8], "9 mixed");
    EXPECT_EQ(RolesOf(ini, "radio.bmp", 104, 13)[0].labels[4], "5 on");
    // Caption buttons without "frame": 6 above a width/height ratio of 3.8, else 3.
    EXPECT_EQ(RolesOf(ini, "wide.bmp", 126, 21)[0].frames, 6);
    EXPECT_EQ(RolesOf(ini, "narrow.bmp", 60, 21)[0].frames, 3);
    // Top and bottom borders hold their frames one below the other.
    roles = RolesOf(ini, "top.bmp", 40, 60);
    EXPECT_TRUE(roles[0].stacked);
    EXPECT_EQ(roles[0].frames, 2);
    EXPECT_EQ(roles[0].labels, (std::vector<std::string>{"1 active", "2 inactive"}));
    roles = RolesOf(ini, "left.bmp", 4, 40);
    EXPECT_FALSE(roles[0].stacked);
    EXPECT_EQ(roles[0].frames, 1);
    // Imposed, kept, defaulted and own-key counts.
    roles = RolesOf(ini, "arrows.bmp", 391, 17);
    EXPECT_EQ(roles[0].frames, 23);
    EXPECT_EQ(roles[0].labels[16], "17 h grip");
    EXPECT_EQ(RolesOf(ini, "header.bmp", 100, 20)[0].frames, 5);
    EXPECT_EQ(RolesOf(ini, "thumb.bmp", 48, 17)[0].frames, 2);
}

TEST(SheetRoles, NamesMatchLikeTheLoadersAndEveryUseIsListed)
{
    const TQuickIni ini = Description(
        "[Tabs]\nImage=tab.bmp\nBorder=Skin\\Sheet.BMP\n[Tab.Pane]\nImage=sheet.bmp\n"
        "[MinCaption]\nImage=min.bmp\nFrame=2\n");
    const std::vector<SheetRole> roles = RolesOf(ini, "sheet.bmp", 20, 20);
    ASSERT_EQ(roles.size(), 2u);
    EXPECT_EQ(roles[0].element, "[Tabs] pane");
    EXPECT_EQ(roles[1].element, "[Tab.Pane] image");
    // A section the engine does not read is reported as such.
    const std::vector<SheetRole> unread = RolesOf(ini, "min.bmp", 128, 24);
    ASSERT_EQ(unread.size(), 1u);
    EXPECT_NE(unread[0].element.find("not read by the engine"), std::string::npos);
    EXPECT_EQ(unread[0].frames, 2);
    // A bitmap nobody names still gets one whole frame.
    const std::vector<SheetRole> orphan = RolesOf(ini, "stray.bmp", 10, 10);
    ASSERT_EQ(orphan.size(), 1u);
    EXPECT_EQ(orphan[0].frames, 1);
    EXPECT_EQ(orphan[0].labels, std::vector<std::string>{"1"});
}

// The build tree: from the environment, or else from where this test
// program lives (tests/native under the tree).
fs::path BinaryDir()
{
    if (const char* dir = std::getenv("ZEL_BINARY_DIR")) {
        return dir;
    }
    return fs::canonical("/proc/self/exe").parent_path().parent_path().parent_path();
}

Bytes ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

int Sheet(const fs::path& skin, const fs::path& png)
{
    const std::string command =
        (BinaryDir() / "skintool").string() + " sheet " + skin.string() + " " + png.string() + " > /dev/null 2>&1";
    return std::system(command.c_str());
}

fs::path TempPath(const std::string& name)
{
    return fs::temp_directory_path() / ("skinart-" + std::to_string(::getpid()) + "-" + name);
}

TEST(SheetCommand, DrawsTheDefaultSkinWithItsKeyAsACheckerboard)
{
    const fs::path png = TempPath("default.png");
    ASSERT_EQ(Sheet(BinaryDir() / "skins" / "default.skin", png), 0);
    const DecodedPng sheet = DecodePng(ReadBytes(png));
    fs::remove(png);
    EXPECT_EQ(sheet.width, 1280);
    EXPECT_GT(sheet.height, 2000);
    std::size_t magenta = 0;
    for (std::size_t i = 0; i + 2 < sheet.rgb.size(); i += 3) {
        magenta += sheet.rgb[i] == 255 && sheet.rgb[i + 1] == 0 && sheet.rgb[i + 2] == 255;
    }
    EXPECT_EQ(magenta, 0u);
}

TEST(SheetCommand, ShowsADamagedBitmapAsAnErrorAndGoesOn)
{
    const Bytes broken = AsBytes("BM not really a bitmap");
    const Bytes description = AsBytes("[Buttons]\r\nBitmap=buttons.bmp\r\n");
    const std::array files{TSkinPackageFile{"buttons.bmp", broken}, TSkinPackageFile{"skin.ini", description}};
    const fs::path skin = TempPath("broken.skin");
    const fs::path png = TempPath("broken.png");
    const Bytes stream = CompressSkinStream(BuildSkinPackage(files));
    std::ofstream(skin, std::ios::binary).write(reinterpret_cast<const char*>(stream.data()), std::streamsize(stream.size()));
    EXPECT_EQ(Sheet(skin, png), 0);
    EXPECT_EQ(DecodePng(ReadBytes(png)).width, 1280);
    // Not a skin at all: refused with an error, nothing written.
    const fs::path junk = TempPath("junk.skin");
    std::ofstream(junk, std::ios::binary) << "xy";
    const fs::path junkPng = TempPath("junk.png");
    EXPECT_NE(Sheet(junk, junkPng), 0);
    EXPECT_FALSE(fs::exists(junkPng));
    for (const fs::path& path : {skin, png, junk}) {
        fs::remove(path);
    }
}

}  // namespace
