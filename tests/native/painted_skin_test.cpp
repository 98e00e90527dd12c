// The painted skins as the build makes them, the default one and Ink: the
// folders skingen writes, the packed skins, and whether their pictures and
// descriptions suit the engine; then what Ink adds to the default's elements.
#include "skin/load/SkinPackage.h"
#include "skin/load/WinConvert.h"
#include "skin/load/WinSkinIni.h"
#include "tools/skingen/SkinPictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <unistd.h>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const std::vector<std::string> DEFAULT_ORDER = {
    "buttons.bmp",         "checkbox.bmp",        "radiobutton.bmp",    "progress.bmp",
    "progresschunk.bmp",   "tab.bmp",             "tabsheet.bmp",       "comboboxbtn.bmp",
    "statusbar.bmp",       "header.bmp",          "scrollbararrow.bmp", "scrollbarhthumb.bmp",
    "scrollbarvthumb.bmp", "scrollbarhbar.bmp",   "scrollbarvbar.bmp",  "menubackground.bmp",
    "menuitem.bmp",        "extraimages.bmp",     "trackthumbh.bmp",    "trackbot.bmp",
    "mdibutton.bmp",       "spin.bmp",            "spinarrow.bmp",      "spinh.bmp",
    "spinharrow.bmp",      "closebutton.bmp",     "maxbutton.bmp",      "minbutton.bmp",
    "restrorebutton.bmp",  "frameleft.bmp",       "frameright.bmp",     "frametop.bmp",
    "framebottom.bmp",     "mincaption.bmp",      "skin.ini",
};

// Ink has the default's entries and, before its description, the pictures
// of the elements the default leaves to the engine's plain drawing.
const std::vector<std::string> INK_EXTRAS = {
    "menubar.bmp",     "textback.bmp",    "sealbutton.bmp",  "groupboxedge.bmp",
    "groupbox.bmp",    "sunkedge.bmp",    "trackthumbv.bmp", "trackthumbl.bmp",
    "trackthumbr.bmp", "trackthumbu.bmp", "trackthumbd.bmp", "trackvert.bmp",
};

std::vector<std::string> PackageOrder(const std::string& skin)
{
    if (skin == "default") {
        return DEFAULT_ORDER;
    }
    std::vector<std::string> order(DEFAULT_ORDER.begin(), DEFAULT_ORDER.end() - 1);
    order.insert(order.end(), INK_EXTRAS.begin(), INK_EXTRAS.end());
    order.push_back("skin.ini");
    return order;
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

std::uint32_t Le32(const Bytes& b, std::size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}

struct Rgb {
    int r, g, b;
};

bool IsKey(Rgb c) { return c.r == 255 && c.g == 0 && c.b == 255; }

// A 24-bit bottom-up BMP; `error` says what is wrong when it is not one.
struct Bmp {
    int width = 0;
    int height = 0;
    Bytes file;
    std::string error;

    explicit Bmp(Bytes bytes) : file(std::move(bytes))
    {
        if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') {
            error = "no bitmap file header";
            return;
        }
        width = int(Le32(file, 18));
        height = int(Le32(file, 22));
        const int planes = file[26] | file[27] << 8;
        const int bits = file[28] | file[29] << 8;
        const std::size_t stride = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
        if (Le32(file, 14) != 40 || planes != 1 || bits != 24 || Le32(file, 30) != 0) {
            error = "not a plain 24-bit info-header bitmap";
        } else if (width <= 0 || height <= 0) {
            error = "not a bottom-up bitmap of positive size";
        } else if (Le32(file, 10) != 54 || Le32(file, 2) != file.size() ||
                   file.size() != 54 + stride * height) {
            error = "sizes in the header disagree with the file";
        }
    }

    Rgb At(int x, int y) const
    {
        const std::size_t stride = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
        const std::uint8_t* p = &file[54 + (height - 1 - y) * stride + x * 3];
        return {p[2], p[1], p[0]};
    }
};


Rgb ParseTriplet(const std::string& text)
{
    Rgb colour{-1, -1, -1};
    std::istringstream(text) >> colour.r >> colour.g >> colour.b;
    return colour;
}

double Luminance(Rgb c)
{
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b);
}

double Contrast(Rgb a, Rgb b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

int RunTool(const std::string& arguments, std::string* output = nullptr)
{
    const fs::path log = fs::temp_directory_path() / ("skinart-tool-" + std::to_string(::getpid()) + ".txt");
    const std::string command = (BinaryDir() / "skintool").string() + " " + arguments + " > " + log.string();
    const int status = std::system(command.c_str());
    if (output) {
        const Bytes text = ReadBytes(log);
        output->assign(text.begin(), text.end());
    }
    fs::remove(log);
    return status;
}

// Each test runs for both skins: the parameter is the skin's folder name.
class PaintedSkin : public ::testing::TestWithParam<std::string> {
protected:
    fs::path SkinDir() const { return BinaryDir() / "skins" / GetParam(); }
    Bmp LoadBmp(const std::string& name) const { return Bmp(ReadBytes(SkinDir() / name)); }
    TQuickIni LoadDescription() const
    {
        TQuickIni ini;
        ini.LoadFromStream(ReadBytes(SkinDir() / "skin.ini"));
        return ini;
    }
    const std::vector<std::string> PACKAGE_ORDER = PackageOrder(GetParam());
};

INSTANTIATE_TEST_SUITE_P(Skins, PaintedSkin, ::testing::Values("default", "ink"));

TEST_P(PaintedSkin, FolderHoldsThePackageEntriesInOrderAndNothingElse)
{
    std::ifstream order(SkinDir() / "order.txt");
    std::vector<std::string> listed;
    for (std::string line; std::getline(order, line);) {
        if (!line.empty() && line[0] != '#') {
            listed.push_back(line);
        }
    }
    EXPECT_EQ(listed, PACKAGE_ORDER);

    std::vector<std::string> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(SkinDir())) {
        files.push_back(entry.path().filename().string());
    }
    std::vector<std::string> expected(PACKAGE_ORDER.begin(), PACKAGE_ORDER.end());
    expected.push_back("order.txt");
    std::sort(files.begin(), files.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(files, expected);
}

TEST_P(PaintedSkin, EveryBitmapIsAPlain24BitFile)
{
    for (const std::string& name : PACKAGE_ORDER) {
        if (name.ends_with(".bmp")) {
            const Bmp bmp = LoadBmp(name);
            EXPECT_EQ(bmp.error, "") << name;
        }
    }
}

TEST_P(PaintedSkin, KeyColourIsExactAndNothingElseComesNearIt)
{
    // Regions take colours up to one step off magenta as transparent, blits
    // only magenta itself: a pixel in between would be both and neither.
    for (const std::string& name : PACKAGE_ORDER) {
        if (!name.ends_with(".bmp")) {
            continue;
        }
        const Bmp bmp = LoadBmp(name);
        for (int y = 0; y < bmp.height; ++y) {
            for (int x = 0; x < bmp.width; ++x) {
                const Rgb c = bmp.At(x, y);
                const bool nearKey = c.r >= 254 && c.g <= 1 && c.b >= 254;
                EXPECT_TRUE(!nearKey || IsKey(c)) << name << " at " << x << "," << y;
            }
        }
    }
}

TEST_P(PaintedSkin, FolderMatchesWhatTheGeneratorMakesNow)
{
    // Same bytes from a second run: the build output is deterministic and current.
    const std::vector<skingen::SkinFile> files =
        skingen::BuildSkin(GetParam() == "ink" ? skingen::InkTheme() : skingen::CeladonTheme());
    ASSERT_EQ(files.size(), PACKAGE_ORDER.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(files[i].name, PACKAGE_ORDER[i]);
        EXPECT_TRUE(files[i].bytes == ReadBytes(SkinDir() / files[i].name)) << files[i].name;
    }
}

TEST_P(PaintedSkin, PackagePassesCheckListsInOrderAndStaysNearTheBudget)
{
    const fs::path skin = BinaryDir() / "skins" / (GetParam() + ".skin");
    std::string report;
    EXPECT_EQ(RunTool("check " + skin.string(), &report), 0) << report;

    std::string listing;
    ASSERT_EQ(RunTool("list " + skin.string(), &listing), 0);
    std::istringstream lines(listing);
    std::vector<std::string> names;
    for (std::string name; lines >> name && names.size() < PACKAGE_ORDER.size();) {
        names.push_back(name);
        lines.ignore(1000, '\n');
    }
    EXPECT_EQ(names, PACKAGE_ORDER);

    const Bytes stream = ReadBytes(skin);
    const Bytes package = DecompressSkinStream(stream);
    const TSkinPackageLayout layout = ParseSkinPackage(package);
    EXPECT_EQ(layout.header[0], SKIN_PACKAGE_VERSION);
    EXPECT_EQ(layout.names.size(), PACKAGE_ORDER.size());
    // About 210 KB unpacked and under 30 KB compressed is what the program was sized for.
    EXPECT_LE(package.size(), 230'000u);
    EXPECT_GE(package.size(), 120'000u);
    EXPECT_LT(stream.size(), 30'000u);
}

// The frame count the engine will cut a bitmap into, and which way.
struct Framing {
    const char* bitmap;
    int frames;
    bool stacked;
};

TEST_P(PaintedSkin, DescriptionFramesDivideTheirBitmapsEvenly)
{
    const TQuickIni ini = LoadDescription();
    const auto key = [&](const char* section, const char* name) { return ini.ReadInteger(section, name, 0); };
    // Counts the engine imposes regardless of the description, and the
    // counts the description sets where the engine keeps them.
    std::vector<Framing> framings = {
        {"buttons.bmp", 5, false},
        {"checkbox.bmp", key("Buttons", "CheckButtonFrame"), false},
        {"radiobutton.bmp", key("Buttons", "RadioButtonFrame"), false},
        {"progress.bmp", key("Progress", "Style") == 0 ? 2 : 1, false},
        {"progresschunk.bmp", key("Progress.Chunk", "Frame"), false},
        {"tab.bmp", 5, false},
        {"tabsheet.bmp", 1, false},
        {"comboboxbtn.bmp", 4, false},
        {"statusbar.bmp", 3, false},
        {"header.bmp", key("Headerbar", "Frame") == 0 ? 5 : key("Headerbar", "Frame"), false},
        {"scrollbararrow.bmp", 23, false},
        {"scrollbarhthumb.bmp", ini.ReadInteger("HorzScrollThumb", "FrameCount", 3), false},
        {"scrollbarvthumb.bmp", ini.ReadInteger("VertScrollThumb", "FrameCount", 3), false},
        {"scrollbarhbar.bmp", 4, false},
        {"scrollbarvbar.bmp", 4, false},
        {"menubackground.bmp", 1, false},
        {"menuitem.bmp", 5, false},
        {"extraimages.bmp", 5, false},
        {"trackthumbh.bmp", 5, false},
        {"trackbot.bmp", key("Track", "Frame"), false},
        {"mdibutton.bmp", 12, false},
        {"spin.bmp", 8, false},
        {"spinarrow.bmp", 8, false},
        {"spinh.bmp", 8, false},
        {"spinharrow.bmp", 8, false},
        {"closebutton.bmp", key("Button0", "frame"), false},
        {"maxbutton.bmp", key("Button1", "frame"), false},
        {"minbutton.bmp", key("Button2", "frame"), false},
        {"restrorebutton.bmp", key("Button3", "frame"), false},
        {"frameleft.bmp", key("Personality", "LeftFrame"), false},
        {"frameright.bmp", key("Personality", "RightFrame"), false},
        {"frametop.bmp", key("Personality", "TopFrame"), true},
        {"framebottom.bmp", key("Personality", "BottomFrame"), true},
        {"mincaption.bmp", key("MinCaption", "Frame"), false},
    };
    if (GetParam() == "ink") {
        for (const Framing& extra : {
                 Framing{"menubar.bmp", 2, true},
                 Framing{"textback.bmp", 2, true},
                 Framing{"sealbutton.bmp", key("Button5", "frame"), false},
                 Framing{"groupboxedge.bmp", 2, false},
                 Framing{"groupbox.bmp", 1, false},
                 Framing{"sunkedge.bmp", 4, false},
                 Framing{"trackthumbv.bmp", 5, false},
                 Framing{"trackthumbl.bmp", 5, false},
                 Framing{"trackthumbr.bmp", 5, false},
                 Framing{"trackthumbu.bmp", 5, false},
                 Framing{"trackthumbd.bmp", 5, false},
                 Framing{"trackvert.bmp", key("TRACKVERT", "Frame"), false},
             }) {
            framings.push_back(extra);
        }
    }
    ASSERT_EQ(framings.size() + 1, PACKAGE_ORDER.size());
    for (const Framing& framing : framings) {
        const Bmp bmp = LoadBmp(framing.bitmap);
        ASSERT_GT(framing.frames, 0) << framing.bitmap;
        const int length = framing.stacked ? bmp.height : bmp.width;
        EXPECT_EQ(length % framing.frames, 0) << framing.bitmap << " of " << length << " in " << framing.frames;
    }
    // A "Frame" key that the engine overrides must not say something else.
    for (const char* section : {"Tabs", "ComboButton", "StatusBarEdges", "ExtraImages", "MenuItem",
                                "MenuBackground", "Scrollbar", "HorzScroll", "VertScroll", "Trackbar.ThumbHorz",
                                "UpDown.Vert", "UpDown.Horz", "GroupBoxEdge", "GroupBox", "SunkEdge",
                                "Trackbar.ThumbVert", "Trackbar.ThumbLeft", "Trackbar.ThumbRight",
                                "Trackbar.ThumbUp", "Trackbar.ThumbDown"}) {
        if (ini.ReadString(section, "Image").empty()) {
            continue;
        }
        const Framing* framing = nullptr;
        for (const Framing& f : framings) {
            if (ini.ReadString(section, "Image") == f.bitmap) {
                framing = &f;
            }
        }
        ASSERT_NE(framing, nullptr) << section;
        EXPECT_EQ(key(section, "Frame"), framing->frames) << section;
    }
}

TEST_P(PaintedSkin, DescriptionNamesOnlyBitmapsOfThePackageAndEveryOneOfThem)
{
    const TQuickIni ini = LoadDescription();
    std::map<std::string, int> uses;
    for (const std::string& line : ini.Lines()) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos && line.ends_with(".bmp")) {
            uses[line.substr(equals + 1)]++;
        }
    }
    for (const auto& [name, count] : uses) {
        EXPECT_TRUE(fs::exists(SkinDir() / name)) << name << " is named but not in the folder";
    }
    for (const std::string& name : PACKAGE_ORDER) {
        if (name.ends_with(".bmp")) {
            EXPECT_TRUE(uses.contains(name)) << name << " is named by no key";
        }
    }
}

TEST_P(PaintedSkin, DescriptionHasEverySectionAndColourTheEngineReads)
{
    const TQuickIni ini = LoadDescription();
    std::vector<std::string> sections;
    ini.ReadSections(sections);
    for (const char* wanted :
         {"TitlebarSkin", "Personality", "Colours", "Buttons", "Button0", "Button1", "Button2", "Button3",
          "Button4", "MDICONTROLS", "Fonts", "Progress", "Progress.Chunk", "Tabs", "Tab.Pane", "StatusBarEdges",
          "ComboButton", "ExtraImages", "Headerbar", "MenuItem", "MenuBackground", "Scrollbar", "HorzScroll",
          "VertScroll", "HorzScrollThumb", "VertScrollThumb", "Trackbar.ThumbHorz", "Track", "UpDown.Vert",
          "UpDown.Horz", "Skins", "MinCaption"}) {
        EXPECT_NE(std::find(sections.begin(), sections.end(), wanted), sections.end()) << wanted;
    }
    EXPECT_NE(ini.ReadString("TitlebarSkin", "SkinName"), "");
    for (const char* colour :
         {"WindowText", "ButtonFace", "Scrollbar", "HilightText", "Hilight", "Menubar", "Menu", "MenuText",
          "ButtonText", "ButtonHilight", "Buttonlight", "ButtonShadow", "ButtonDkShadow", "MenuBarText",
          "TitleTextActive", "TitleTextNoActive"}) {
        const Rgb rgb = ParseTriplet(ini.ReadString("Colours", colour));
        EXPECT_TRUE(rgb.r >= 0 && rgb.r < 256 && rgb.g >= 0 && rgb.g < 256 && rgb.b >= 0 && rgb.b < 256)
            << colour;
    }
}

TEST_P(PaintedSkin, CaptionButtonsCloseMaximiseMinimiseRestoreAndIcon)
{
    const TQuickIni ini = LoadDescription();
    const int titleHeight = LoadBmp("frametop.bmp").height / ini.ReadInteger("Personality", "TopFrame", 1);
    struct Expected {
        const char* section;
        int action;
        int visibility;
    };
    for (const Expected& e : {Expected{"Button0", 0, 0}, Expected{"Button1", 1, 2}, Expected{"Button2", 2, 0},
                              Expected{"Button3", 1, 1}}) {
        EXPECT_EQ(ini.ReadInteger(e.section, "Action", -5), e.action) << e.section;
        EXPECT_EQ(ini.ReadInteger(e.section, "Visibility", -5), e.visibility) << e.section;
        EXPECT_EQ(ini.ReadInteger(e.section, "frame", 0), 4) << e.section << ": normal, pressed, hover, inactive";
        const Bmp image = LoadBmp(ini.ReadString(e.section, "ButtonImage"));
        EXPECT_LE(ini.ReadInteger(e.section, "Ycoord", 0) + image.height, titleHeight) << e.section;
    }
    // The window icon: no picture of its own.
    EXPECT_EQ(ini.ReadInteger("Button4", "Action", -5), 3);
    EXPECT_EQ(ini.ReadString("Button4", "ButtonImage"), "");
    EXPECT_EQ(ini.ReadString("Button4", "frame"), "");
}

TEST_P(PaintedSkin, MarginsFitInsideTheirFrames)
{
    const TQuickIni ini = LoadDescription();
    struct Element {
        const char* section;
        const char* imageKey;
        int frames;
    };
    for (const Element& e : {Element{"Buttons", "Bitmap", 5}, Element{"Progress", "Bitmap", 2},
                             Element{"Tabs", "Image", 5}, Element{"Tab.Pane", "Image", 1},
                             Element{"StatusBarEdges", "Image", 3}, Element{"Headerbar", "Image", 2},
                             Element{"MenuItem", "Image", 5}, Element{"MenuBackground", "Image", 1},
                             Element{"HorzScroll", "Image", 4}, Element{"VertScroll", "Image", 4},
                             Element{"HorzScrollThumb", "Image", 3}, Element{"VertScrollThumb", "Image", 3},
                             Element{"Track", "Image", 1}}) {
        const Bmp bmp = LoadBmp(ini.ReadString(e.section, e.imageKey));
        const int width = bmp.width / e.frames;
        const int left = ini.ReadInteger(e.section, "LeftWidth", 0);
        const int right = ini.ReadInteger(e.section, "RightWidth", 0);
        const int top = ini.ReadInteger(e.section, "TopHeight", 0);
        const int bottom = ini.ReadInteger(e.section, "BottomHeight", 0);
        // Something must be left in the middle to stretch.
        EXPECT_LT(left + right, width) << e.section;
        EXPECT_LT(top + bottom, bmp.height) << e.section;
    }
}

TEST_P(PaintedSkin, SideBordersHoldTheCaptionAndRoundTheTopCorners)
{
    const TQuickIni ini = LoadDescription();
    const Bmp top = LoadBmp("frametop.bmp");
    const Bmp left = LoadBmp("frameleft.bmp");
    const Bmp right = LoadBmp("frameright.bmp");
    const int titleHeight = top.height / ini.ReadInteger("Personality", "TopFrame", 1);
    EXPECT_EQ(ini.ReadInteger("Personality", "LeftTopHeight", 0), titleHeight);
    EXPECT_EQ(ini.ReadInteger("Personality", "RightTopHeight", 0), titleHeight);
    EXPECT_EQ(ini.ReadInteger("Personality", "TopTrans", 0), 1);
    EXPECT_EQ(ini.ReadInteger("Personality", "LeftTrans", 0), 1);

    const int borderWidth = left.width / ini.ReadInteger("Personality", "LeftFrame", 1);
    for (int frame = 0; frame < 2; ++frame) {
        // The outer corner is keyed out, so the window region rounds it.
        EXPECT_TRUE(IsKey(left.At(frame * borderWidth, 0))) << "frame " << frame + 1;
        EXPECT_TRUE(IsKey(right.At((frame + 1) * borderWidth - 1, 0))) << "frame " << frame + 1;
        EXPECT_TRUE(IsKey(left.At(frame * borderWidth + borderWidth - 1, 0))) << "frame " << frame + 1;
        // The caption is solid from the first column below the corner.
        EXPECT_FALSE(IsKey(left.At(frame * borderWidth, titleHeight / 2)));
        EXPECT_FALSE(IsKey(top.At(top.width / 2, frame * titleHeight)));
        // Left border and caption agree on each caption row where they meet.
        for (int y = 8; y < titleHeight; ++y) {
            const Rgb a = left.At(frame * borderWidth + borderWidth - 1, y);
            const Rgb b = top.At(0, frame * titleHeight + y);
            EXPECT_LE(std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b), 6) << "row " << y;
        }
    }
    // Active and inactive captions are told apart at a glance.
    const Rgb active = top.At(top.width / 2, titleHeight / 2);
    const Rgb idle = top.At(top.width / 2, titleHeight + titleHeight / 2);
    EXPECT_GT(Contrast(active, idle), 3.0);
}

// Text colours the description declares, against what they are drawn on.
TEST_P(PaintedSkin, DeclaredTextColoursReadWellOnTheirBackgrounds)
{
    const TQuickIni ini = LoadDescription();
    const auto colour = [&](const char* section, const char* key) {
        return ParseTriplet(ini.ReadString(section, key));
    };
    const auto centre = [](const Bmp& bmp, int frames, int frame) {
        const int width = bmp.width / frames;
        return bmp.At((frame - 1) * width + width / 2, bmp.height / 2);
    };
    constexpr double minimum = 4.5;

    // Caption text, over every caption row it can cover.
    const Bmp top = LoadBmp("frametop.bmp");
    const int titleHeight = top.height / 2;
    const int textTop = (titleHeight - 16) / 2;
    for (int y = textTop; y < textTop + 16; ++y) {
        EXPECT_GE(Contrast(colour("Colours", "TitleTextActive"), top.At(top.width / 2, y)), minimum) << y;
        EXPECT_GE(Contrast(colour("Colours", "TitleTextNoActive"), top.At(top.width / 2, titleHeight + y)), minimum)
            << y;
        const Rgb rgbKeys{ini.ReadInteger("Personality", "ActiveTextR", -1),
                          ini.ReadInteger("Personality", "ActiveTextG", -1),
                          ini.ReadInteger("Personality", "ActiveTextB", -1)};
        EXPECT_GE(Contrast(rgbKeys, top.At(top.width / 2, y)), minimum) << y;
    }

    const Rgb face = colour("Colours", "ButtonFace");
    EXPECT_GE(Contrast(colour("Colours", "WindowText"), face), minimum);
    EXPECT_GE(Contrast(colour("Colours", "ButtonText"), face), minimum);
    EXPECT_GE(Contrast(colour("Colours", "MenuBarText"), colour("Colours", "Menubar")), minimum);
    EXPECT_GE(Contrast(colour("Colours", "MenuText"), colour("Colours", "Menu")), minimum);
    EXPECT_GE(Contrast(colour("Colours", "HilightText"), colour("Colours", "Hilight")), minimum);

    const Bmp buttons = LoadBmp("buttons.bmp");
    for (int frame : {1, 2, 4, 5}) {
        EXPECT_GE(Contrast(colour("Colours", "ButtonText"), centre(buttons, 5, frame)), minimum) << frame;
    }
    EXPECT_GE(Contrast(colour("Buttons", "NormalColour2"), centre(buttons, 5, 1)), minimum);
    EXPECT_GE(Contrast(colour("Buttons", "PressedColour2"), centre(buttons, 5, 2)), minimum);
    EXPECT_GE(Contrast(colour("Buttons", "MouseOverColour2"), centre(buttons, 5, 4)), minimum);

    const Bmp menu = LoadBmp("menubackground.bmp");
    const Bmp items = LoadBmp("menuitem.bmp");
    EXPECT_GE(Contrast(colour("Colours", "MenuText"), centre(menu, 1, 1)), minimum);
    EXPECT_GE(Contrast(colour("Colours", "HilightText"), centre(items, 5, 4)), minimum);

    const Bmp tabs = LoadBmp("tab.bmp");
    EXPECT_GE(Contrast(colour("Tabs", "NormalColour2"), centre(tabs, 5, 1)), minimum);
    EXPECT_GE(Contrast(colour("Tabs", "MouseOverColour2"), centre(tabs, 5, 2)), minimum);

    const Bmp status = LoadBmp("statusbar.bmp");
    for (int frame = 1; frame <= 3; ++frame) {
        EXPECT_GE(Contrast(colour("StatusBarEdges", "NormalColour2"), centre(status, 3, frame)), minimum);
    }
    const Bmp header = LoadBmp("header.bmp");
    for (int frame = 1; frame <= 2; ++frame) {
        // Header captions are drawn in the window's text colour.
        EXPECT_GE(Contrast(colour("Colours", "WindowText"), centre(header, 2, frame)), minimum);
    }
}

TEST_P(PaintedSkin, EveryButtonLikeFrameDiffersFromTheOthers)
{
    // Frames that stand for different states must not be the same picture.
    struct Strip {
        const char* name;
        int frames;
        int states;  // the first frames, one per state
    };
    for (const auto& [name, frames, states] : {
             Strip{"buttons.bmp", 5, 5}, Strip{"checkbox.bmp", 12, 12}, Strip{"radiobutton.bmp", 8, 8},
             Strip{"comboboxbtn.bmp", 4, 4}, Strip{"closebutton.bmp", 4, 4}, Strip{"maxbutton.bmp", 4, 4},
             Strip{"minbutton.bmp", 4, 4}, Strip{"restrorebutton.bmp", 4, 4}, Strip{"spin.bmp", 8, 4},
             Strip{"spinarrow.bmp", 8, 8}, Strip{"trackthumbh.bmp", 5, 5}, Strip{"scrollbarhthumb.bmp", 3, 3},
             Strip{"header.bmp", 2, 2}, Strip{"menuitem.bmp", 5, 5}, Strip{"mdibutton.bmp", 12, 12}}) {
        const Bmp bmp = LoadBmp(name);
        const int width = bmp.width / frames;
        for (int a = 0; a < states; ++a) {
            for (int b = a + 1; b < states; ++b) {
                long difference = 0;
                for (int y = 0; y < bmp.height; ++y) {
                    for (int x = 0; x < width; ++x) {
                        const Rgb p = bmp.At(a * width + x, y);
                        const Rgb q = bmp.At(b * width + x, y);
                        difference += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
                    }
                }
                // At least a clearly changed edge's worth of pixels.
                EXPECT_GT(difference, 40L * (width + bmp.height)) << name << " frames " << a + 1 << ", " << b + 1;
            }
        }
    }
}

}  // namespace

// ---------------------------------------------------------------- what Ink adds

class InkSkin : public PaintedSkin {
protected:
    // The frame's pixel at (x, y) of a strip of `frames` side by side (or stacked).
    static Rgb FramePixel(const Bmp& bmp, int frames, int frame, int x, int y, bool stacked = false)
    {
        return stacked ? bmp.At(x, (frame - 1) * (bmp.height / frames) + y)
                       : bmp.At((frame - 1) * (bmp.width / frames) + x, y);
    }
    static Rgb FrameCentre(const Bmp& bmp, int frames, int frame, bool stacked = false)
    {
        const int w = stacked ? bmp.width : bmp.width / frames;
        const int h = stacked ? bmp.height / frames : bmp.height;
        return FramePixel(bmp, frames, frame, w / 2, h / 2, stacked);
    }
};

INSTANTIATE_TEST_SUITE_P(Ink, InkSkin, ::testing::Values("ink"));

TEST_P(InkSkin, FillsEveryElementTheDefaultSkinLeavesEmpty)
{
    TQuickIni defaults;
    defaults.LoadFromStream(ReadBytes(BinaryDir() / "skins" / "default" / "skin.ini"));
    const TQuickIni ini = LoadDescription();
    struct Key {
        const char* section;
        const char* key;
    };
    for (const Key& k : {Key{"Personality", "menuBar"}, Key{"Personality", "TextBack"}, Key{"GroupBoxEdge", "Image"},
                         Key{"GroupBox", "Image"}, Key{"SunkEdge", "Image"}, Key{"Trackbar.ThumbVert", "Image"},
                         Key{"Trackbar.ThumbLeft", "Image"}, Key{"Trackbar.ThumbRight", "Image"},
                         Key{"Trackbar.ThumbUp", "Image"}, Key{"Trackbar.ThumbDown", "Image"},
                         Key{"TRACKVERT", "Image"}}) {
        EXPECT_EQ(defaults.ReadString(k.section, k.key), "") << k.section << " " << k.key;
        const std::string picture = ini.ReadString(k.section, k.key);
        EXPECT_TRUE(picture.ends_with(".bmp") && fs::exists(SkinDir() / picture)) << k.section << " " << k.key;
    }
    EXPECT_EQ(ini.ReadInteger("Personality", "Textbackground", 0), 1);
    // A combo box is made from the sunk edge and the button only in the style that joins them.
    EXPECT_EQ(ini.ReadInteger("ComboButton", "Style", 0), 2);
}

TEST_P(InkSkin, PicturesOfTheNewElementsHaveTheShapesTheEngineDrawsThemIn)
{
    const TQuickIni ini = LoadDescription();
    const int titleHeight = LoadBmp("frametop.bmp").height / 2;

    // The caption plate is drawn over the whole caption height, active above inactive;
    // its corners are keyed so that the caption shows round it.
    const Bmp plate = LoadBmp(ini.ReadString("Personality", "TextBack"));
    EXPECT_EQ(plate.height, 2 * titleHeight);
    const int plateEnds = ini.ReadInteger("Personality", "TXTBackleft", 0) + ini.ReadInteger("Personality", "TXTBackRight", 0);
    EXPECT_LT(plateEnds, plate.width);
    for (int frame = 1; frame <= 2; ++frame) {
        EXPECT_TRUE(IsKey(FramePixel(plate, 2, frame, 0, 0, true))) << frame;
        EXPECT_FALSE(IsKey(FrameCentre(plate, 2, frame, true))) << frame;
    }

    // Menu bar: two stacked frames, its end margins inside them.
    const Bmp bar = LoadBmp(ini.ReadString("Personality", "menuBar"));
    EXPECT_EQ(bar.height % 2, 0);
    EXPECT_LT(ini.ReadInteger("Personality", "TileLeftMenu", 1) + ini.ReadInteger("Personality", "TileRightMenu", 1),
              bar.width);

    // The thumbs lie across the bar they belong to: vertical bars' thumbs
    // are wider than high, a horizontal bar's are higher than wide.
    struct Thumb {
        const char* section;
        bool lying;
    };
    for (const Thumb& t : {Thumb{"Trackbar.ThumbHorz", false}, Thumb{"Trackbar.ThumbVert", true},
                           Thumb{"Trackbar.ThumbLeft", true}, Thumb{"Trackbar.ThumbRight", true},
                           Thumb{"Trackbar.ThumbUp", false}, Thumb{"Trackbar.ThumbDown", false}}) {
        const Bmp thumb = LoadBmp(ini.ReadString(t.section, "Image"));
        const int width = thumb.width / 5;
        EXPECT_EQ(width > thumb.height, t.lying) << t.section << " " << width << " x " << thumb.height;
        EXPECT_FALSE(IsKey(FrameCentre(thumb, 5, 2))) << t.section << ": the frame the engine shows";
    }
    const Bmp channel = LoadBmp(ini.ReadString("TRACKVERT", "Image"));
    EXPECT_LT(channel.width, channel.height);
    EXPECT_LT(ini.ReadInteger("TRACKVERT", "TopHeight", 0) + ini.ReadInteger("TRACKVERT", "BottomHeight", 0),
              channel.height);

    for (const char* section : {"GroupBoxEdge", "GroupBox", "SunkEdge"}) {
        const Bmp bmp = LoadBmp(ini.ReadString(section, "Image"));
        const int width = bmp.width / ini.ReadInteger(section, "Frame", 1);
        EXPECT_LT(ini.ReadInteger(section, "LeftWidth", 0) + ini.ReadInteger(section, "RightWidth", 0), width)
            << section;
        EXPECT_LT(ini.ReadInteger(section, "TopHeight", 0) + ini.ReadInteger(section, "BottomHeight", 0), bmp.height)
            << section;
    }
    // The group box frame leaves the box's inside to the box.
    const Bmp edge = LoadBmp(ini.ReadString("GroupBoxEdge", "Image"));
    EXPECT_TRUE(IsKey(FrameCentre(edge, 2, 1)));
    EXPECT_FALSE(IsKey(FramePixel(edge, 2, 1, edge.width / 4, 0)));
}

TEST_P(InkSkin, CustomCaptionButtonHasAnActionOfItsOwnAndKeepsClearOfTheOthersAndTheText)
{
    const TQuickIni ini = LoadDescription();
    const int action = ini.ReadInteger("Button5", "Action", 0);
    // Close, maximise, minimise, the system menu and the MDI child buttons are built in.
    for (const int builtIn : {-1, 0, 1, 2, 3, 7, 8, 9, 11, 12, 22, 23, 60, 61, 62}) {
        EXPECT_NE(action, builtIn);
    }
    EXPECT_EQ(ini.ReadInteger("Button5", "Visibility", -1), 0) << "always shown";
    ASSERT_EQ(ini.ReadInteger("Button5", "Align", 0), 1);
    const Bmp seal = LoadBmp(ini.ReadString("Button5", "ButtonImage"));
    const int frames = ini.ReadInteger("Button5", "frame", 0);
    ASSERT_EQ(frames, 4) << "normal, pressed, hover, inactive";
    const int width = seal.width / frames;
    const int titleHeight = LoadBmp("frametop.bmp").height / 2;
    EXPECT_LE(ini.ReadInteger("Button5", "Ycoord", 0) + seal.height, titleHeight);

    // Measured from the window's right edge: [Xcoord - width, Xcoord) holds the button.
    const auto span = [&](const char* section) {
        const int x = ini.ReadInteger(section, "Xcoord", 0);
        const int w = LoadBmp(ini.ReadString(section, "ButtonImage")).width / ini.ReadInteger(section, "frame", 1);
        return std::pair{x - w, x};
    };
    const auto [sealNear, sealFar] = span("Button5");
    for (const char* other : {"Button0", "Button1", "Button2", "Button3"}) {
        const auto [near, far] = span(other);
        EXPECT_TRUE(sealNear >= far || sealFar <= near) << other;
    }
    // The caption text ends before the leftmost button.
    const Bmp right = LoadBmp("frameright.bmp");
    const int borderRight = right.width / ini.ReadInteger("Personality", "RightFrame", 1);
    EXPECT_GE(borderRight + ini.ReadInteger("Personality", "TextRightClip", 0), sealFar);
    EXPECT_GT(width, 0);

    for (int a = 1; a <= frames; ++a) {
        for (int b = a + 1; b <= frames; ++b) {
            long difference = 0;
            for (int y = 0; y < seal.height; ++y) {
                for (int x = 0; x < width; ++x) {
                    const Rgb p = FramePixel(seal, frames, a, x, y);
                    const Rgb q = FramePixel(seal, frames, b, x, y);
                    difference += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
                }
            }
            EXPECT_GT(difference, 40L * (width + seal.height)) << "frames " << a << ", " << b;
        }
    }
}

TEST_P(InkSkin, IsDarkAndItsTextIsLightWhereverItIsDrawn)
{
    const TQuickIni ini = LoadDescription();
    const auto colour = [&](const char* section, const char* key) {
        return ParseTriplet(ini.ReadString(section, key));
    };
    for (const char* face : {"ButtonFace", "Menu", "Menubar", "Scrollbar"}) {
        EXPECT_LT(Luminance(colour("Colours", face)), 0.04) << face;
    }
    for (const char* text : {"WindowText", "ButtonText", "MenuText", "MenuBarText", "HilightText", "TitleTextActive"}) {
        EXPECT_GT(Luminance(colour("Colours", text)), 0.5) << text;
    }
    constexpr double minimum = 4.5;
    const Bmp plate = LoadBmp(ini.ReadString("Personality", "TextBack"));
    EXPECT_GE(Contrast(colour("Colours", "TitleTextActive"), FrameCentre(plate, 2, 1, true)), minimum);
    EXPECT_GE(Contrast(colour("Colours", "TitleTextNoActive"), FrameCentre(plate, 2, 2, true)), minimum);
    const Bmp bar = LoadBmp(ini.ReadString("Personality", "menuBar"));
    for (int frame = 1; frame <= 2; ++frame) {
        EXPECT_GE(Contrast(colour("Colours", "MenuBarText"), FrameCentre(bar, 2, frame, true)), minimum) << frame;
    }
    const Bmp label = LoadBmp(ini.ReadString("GroupBox", "Image"));
    EXPECT_GE(Contrast(colour("GroupBox", "NormalColour2"), FrameCentre(label, 1, 1)), minimum);
    // Group box frames and disabled text are drawn in the shadow colour on the face.
    EXPECT_GE(Contrast(colour("Colours", "ButtonShadow"), colour("Colours", "ButtonFace")), 3.0);
}
