// The package commands of skintool (pack, unpack, list, check), run as a
// separate process the way a user runs them.
#include "skin/load/LzhEncoder.h"
#include "skin/load/SkinPackage.h"
#include "skin/load/SkinRead.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// The build tree: from the environment, or else from where this test
// program lives (tests/native under the tree).
fs::path BinaryDir()
{
    if (const char* binary = std::getenv("ZEL_BINARY_DIR"))
        return binary;
    return fs::canonical("/proc/self/exe").parent_path().parent_path().parent_path();
}

struct Outcome {
    int exitCode;
    std::string output;
    std::string errors;
};

// A 24-bit bitmap file of the given size, filled with magenta.
Bytes Bitmap(int width, int height)
{
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) / 4 * 4;
    const std::uint32_t pixels = stride * static_cast<std::uint32_t>(height);
    Bytes file(54 + pixels, 0);
    const auto put = [&](std::size_t at, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            file[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put(2, 54 + pixels, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<std::uint32_t>(width), 4);
    put(22, static_cast<std::uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(34, pixels, 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t at = 54 + static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 3;
            file[at] = 0xFF;
            file[at + 2] = 0xFF;
        }
    }
    return file;
}

Bytes BytesOf(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

const std::string goodDescription = "[TitlebarSkin]\r\nSkinName=Test\r\n"
                                    "[Personality]\r\nTop=FrameTop.bmp\r\nTopFrame=2\r\n"
                                    "[Buttons]\r\nBitmap=buttons.bmp\r\nCheckButton=checkbox.bmp\r\n"
                                    "[Button0]\r\nAction=0\r\nButtonImage=closebutton.bmp\r\n"
                                    "[Button1]\r\nAction=-1\r\nButtonImage=dropped.bmp\r\n"
                                    "[Tabs]\r\nImage=tab.bmp\r\nBorder=tabsheet.bmp\r\n"
                                    "[SunkEdge]\r\nBorder=ignored.bmp\r\n";

class SkinToolPackage : public testing::Test {
protected:
    void SetUp() override
    {
        FTool = BinaryDir() / "skintool";
        ASSERT_TRUE(fs::exists(FTool)) << FTool;
        FDir = fs::temp_directory_path() / ("skintool_package_" + std::to_string(std::random_device()()));
        fs::create_directories(FDir);
    }
    void TearDown() override { fs::remove_all(FDir); }

    Outcome Run(const std::string& arguments) const
    {
        const fs::path output = FDir / "stdout.txt";
        const fs::path errors = FDir / "stderr.txt";
        const std::string line = FTool.string() + " " + arguments + " >" + output.string() + " 2>" + errors.string();
        const int status = std::system(line.c_str());
        Outcome outcome{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(output), ReadText(errors)};
        fs::remove(output);
        fs::remove(errors);
        return outcome;
    }

    std::string Path(const std::string& name) const { return (FDir / name).string(); }

    static void Write(const fs::path& path, const Bytes& bytes)
    {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    static Bytes Read(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    static std::string ReadText(const fs::path& path)
    {
        const Bytes bytes = Read(path);
        return std::string(bytes.begin(), bytes.end());
    }

    // A folder holding a sound skin: every bitmap the description names.
    fs::path GoodFolder(const std::string& name) const
    {
        const fs::path dir = FDir / name;
        Write(dir / "FrameTop.bmp", Bitmap(30, 40));
        Write(dir / "buttons.bmp", Bitmap(50, 21));
        Write(dir / "checkbox.bmp", Bitmap(13, 13));
        Write(dir / "closebutton.bmp", Bitmap(126, 21));
        Write(dir / "tab.bmp", Bitmap(35, 20));
        Write(dir / "tabsheet.bmp", Bitmap(9, 9));
        Write(dir / "skin.ini", BytesOf(goodDescription));
        return dir;
    }

    // A compressed skin made in-process from the given files.
    std::string SkinOf(const std::vector<TSkinPackageFile>& files, const std::string& name) const
    {
        Write(FDir / name, CompressSkinStream(BuildSkinPackage(files)));
        return Path(name);
    }

    static std::vector<std::string> PackageNames(const std::string& skin)
    {
        TSkinReader reader;
        EXPECT_TRUE(reader.LoadSkin(Read(skin)));
        return reader.Names();
    }

    static std::vector<fs::path> FilesIn(const fs::path& dir)
    {
        std::vector<fs::path> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(dir))
            names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path FTool;
    fs::path FDir;
};

TEST_F(SkinToolPackage, PackThenUnpackGivesIdenticalFiles)
{
    const fs::path source = GoodFolder("source");
    ASSERT_EQ(Run("pack " + source.string() + " " + Path("a.skin")).exitCode, 0);
    const Outcome unpacked = Run("unpack " + Path("a.skin") + " " + Path("copy"));
    ASSERT_EQ(unpacked.exitCode, 0) << unpacked.errors;

    // Default order needs no order file, so the copy holds exactly the source's files.
    ASSERT_EQ(FilesIn(source), FilesIn(FDir / "copy"));
    for (const fs::path& name : FilesIn(source))
        EXPECT_EQ(Read(source / name), Read(FDir / "copy" / name)) << name;

    // Packing the copy again reproduces the skin byte for byte.
    ASSERT_EQ(Run("pack " + Path("copy") + " " + Path("b.skin")).exitCode, 0);
    EXPECT_EQ(Read(Path("a.skin")), Read(Path("b.skin")));
}

TEST_F(SkinToolPackage, DefaultOrderIsBitmapsByNameThenTheDescription)
{
    const fs::path source = GoodFolder("source");
    ASSERT_EQ(Run("pack " + source.string() + " " + Path("a.skin")).exitCode, 0);
    EXPECT_EQ(PackageNames(Path("a.skin")),
              (std::vector<std::string>{"frametop.bmp", "buttons.bmp", "checkbox.bmp", "closebutton.bmp", "tab.bmp",
                                        "tabsheet.bmp", "skin.ini"}));
}

TEST_F(SkinToolPackage, OrderFileDecidesAndSurvivesARoundTrip)
{
    const fs::path source = GoodFolder("source");
    Write(source / "notes.txt", BytesOf("not packed"));
    Write(source / "order.txt", BytesOf("# description first\r\nskin.ini\r\n\r\n  tab.bmp  \nbuttons.bmp\n"));
    const Outcome packed = Run("pack " + source.string() + " " + Path("a.skin"));
    ASSERT_EQ(packed.exitCode, 0) << packed.errors;
    EXPECT_NE(packed.errors.find("notes.txt"), std::string::npos);
    EXPECT_EQ(PackageNames(Path("a.skin")), (std::vector<std::string>{"skin.ini", "tab.bmp", "buttons.bmp"}));

    ASSERT_EQ(Run("unpack " + Path("a.skin") + " " + Path("copy")).exitCode, 0);
    EXPECT_EQ(ReadText(FDir / "copy" / "order.txt"), "skin.ini\ntab.bmp\nbuttons.bmp\n");
    ASSERT_EQ(Run("pack " + Path("copy") + " " + Path("b.skin")).exitCode, 0);
    EXPECT_EQ(Read(Path("a.skin")), Read(Path("b.skin")));
}

TEST_F(SkinToolPackage, ListShowsNamesAndSizesInPackageOrder)
{
    const Bytes ini = BytesOf("[A]\r\n");
    const Bytes bmp = Bitmap(2, 2);
    const std::string skin = SkinOf({{"Skin.ini", ini}, {"Buttons.bmp", bmp}}, "a.skin");
    const Outcome listed = Run("list " + skin);
    ASSERT_EQ(listed.exitCode, 0);
    EXPECT_EQ(listed.output, "Skin.ini             5\nButtons.bmp         70\n2 entries, 75 bytes, package version 20000\n");
}

TEST_F(SkinToolPackage, PackRefusals)
{
    const fs::path source = GoodFolder("source");
    Write(source / "readme.md", BytesOf("?"));
    Outcome outcome = Run("pack " + source.string() + " " + Path("a.skin"));
    EXPECT_NE(outcome.exitCode, 0);
    EXPECT_NE(outcome.errors.find("order.txt"), std::string::npos) << outcome.errors;

    Write(source / "order.txt", BytesOf("skin.ini\nmissing.bmp\n"));
    outcome = Run("pack " + source.string() + " " + Path("a.skin"));
    EXPECT_NE(outcome.exitCode, 0);
    EXPECT_NE(outcome.errors.find("missing.bmp"), std::string::npos) << outcome.errors;

    Write(source / "order.txt", BytesOf("skin.ini\ntab.bmp\nTAB.bmp\n"));
    Write(source / "TAB.bmp", Bitmap(2, 2));
    outcome = Run("pack " + source.string() + " " + Path("a.skin"));
    EXPECT_NE(outcome.exitCode, 0);
    EXPECT_NE(outcome.errors.find("twice"), std::string::npos) << outcome.errors;

    EXPECT_NE(Run("pack " + Path("no-such-folder") + " " + Path("a.skin")).exitCode, 0);
    EXPECT_FALSE(fs::exists(Path("a.skin")));
}

TEST_F(SkinToolPackage, UnpackRefusesUnsafeNamesAndUsedFolders)
{
    const Bytes data = BytesOf("x");
    for (const std::string name : {"../evil.bmp", "sub/x.bmp", "a\\b.bmp", "c:x.bmp", "..", "CON.bmp", "trail."}) {
        const std::string skin = SkinOf({{"fine.bmp", data}, {name, data}}, "bad.skin");
        const Outcome outcome = Run("unpack " + skin + " " + Path("out"));
        EXPECT_NE(outcome.exitCode, 0) << name;
        EXPECT_FALSE(fs::exists(FDir / "out" / "fine.bmp")) << name;
    }
    EXPECT_FALSE(fs::exists(FDir / "evil.bmp"));

    const std::string twice = SkinOf({{"a.bmp", data}, {"A.BMP", data}}, "twice.skin");
    EXPECT_NE(Run("unpack " + twice + " " + Path("out")).exitCode, 0);

    const std::string fine = SkinOf({{"a.bmp", data}}, "fine.skin");
    Write(FDir / "used" / "old.bmp", data);
    EXPECT_NE(Run("unpack " + fine + " " + Path("used")).exitCode, 0);
    EXPECT_EQ(Run("unpack " + fine + " " + Path("new/deeper")).exitCode, 0);
    EXPECT_EQ(Read(FDir / "new" / "deeper" / "a.bmp"), data);
}

TEST_F(SkinToolPackage, CheckPassesASoundSkin)
{
    ASSERT_EQ(Run("pack " + GoodFolder("source").string() + " " + Path("a.skin")).exitCode, 0);
    const Outcome checked = Run("check " + Path("a.skin"));
    EXPECT_EQ(checked.exitCode, 0) << checked.output;
    // Six bitmaps: the dropped caption button and the glyph of an element without image do not count.
    EXPECT_NE(checked.output.find("ok, 7 entries"), std::string::npos) << checked.output;
    EXPECT_NE(checked.output.find("6 bitmaps named"), std::string::npos) << checked.output;
}

TEST_F(SkinToolPackage, CheckReportsWhatIsWrongWithTheBitmaps)
{
    const Bytes ini = BytesOf("[Buttons]\nBitmap=Buttons.bmp\nCheckButton=check.bmp\nRadioButton=dir\\Radio.BMP\n"
                              "[MenuItem]\nImage=menuitem.bmp\n[Button3]\nButtonImage=close.bmp\n");
    const Bytes broken = BytesOf("BM but nothing else of a bitmap");
    const Bytes empty;
    const Bytes good = Bitmap(4, 4);
    const std::string skin = SkinOf(
        {{"buttons.bmp", good}, {"check.bmp", broken}, {"menuitem.bmp", empty}, {"skin.ini", ini}}, "a.skin");
    const Outcome checked = Run("check " + skin);
    EXPECT_EQ(checked.exitCode, 1);
    const std::string& out = checked.output;
    EXPECT_EQ(out.find("Buttons.bmp"), std::string::npos) << out;
    EXPECT_NE(out.find("[Buttons] CheckButton=check.bmp: "), std::string::npos) << out;
    EXPECT_NE(out.find("[Buttons] RadioButton=dir\\Radio.BMP: not loaded"), std::string::npos) << out;
    EXPECT_NE(out.find("[MenuItem] Image=menuitem.bmp: the entry is empty"), std::string::npos) << out;
    EXPECT_NE(out.find("[BUTTON3] ButtonImage=close.bmp: no entry"), std::string::npos) << out;
    EXPECT_NE(out.find("4 problems"), std::string::npos) << out;
}

TEST_F(SkinToolPackage, CheckReportsContainerAndDescriptionFaults)
{
    const Bytes good = Bitmap(4, 4);
    const Bytes ini = BytesOf("[A]\nk=1\n");
    const auto problemsOf = [&](const Bytes& stream, const std::string& expected) {
        Write(FDir / "x.skin", stream);
        const Outcome checked = Run("check " + Path("x.skin"));
        EXPECT_EQ(checked.exitCode, 1) << expected;
        EXPECT_NE(checked.output.find(expected), std::string::npos) << checked.output;
    };
    const std::vector<TSkinPackageFile> files{{"a.bmp", good}, {"skin.ini", ini}};
    Bytes package = BuildSkinPackage(files);

    problemsOf({1, 0}, "fewer than its length word");
    problemsOf({0, 0, 0, 0x05, 0}, "more than");
    problemsOf(CompressSkinStream(BytesOf("short")), "16-byte header");
    Bytes old = package;
    old[0] = 0x1F; // 19999
    problemsOf(CompressSkinStream(old), "package version is 19999");
    Bytes liar = package;
    liar[4] = 0xF0;
    problemsOf(CompressSkinStream(liar), "name list");
    Bytes padded = package;
    padded.insert(padded.end(), 9, 0);
    problemsOf(CompressSkinStream(padded), "9 bytes follow the last entry");
    Bytes cut = CompressSkinStream(package);
    cut.resize(cut.size() / 2);
    problemsOf(cut, "bytes early");
    Bytes extra = CompressSkinStream(package);
    extra.insert(extra.end(), 20, 0x55);
    problemsOf(extra, "never used");

    const std::vector<TSkinPackageFile> noIni{{"a.bmp", good}};
    problemsOf(CompressSkinStream(BuildSkinPackage(noIni)), "no description");
    const std::vector<TSkinPackageFile> twice{{"a.bmp", good}, {"A.bmp", good}, {"skin.ini", ini}};
    problemsOf(CompressSkinStream(BuildSkinPackage(twice)), "occurs twice");
    const Bytes messy = BytesOf("orphan=1\n[A]\nno equals here\n");
    const std::vector<TSkinPackageFile> messyFiles{{"skin.ini", messy}};
    problemsOf(CompressSkinStream(BuildSkinPackage(messyFiles)), "before any section");
    problemsOf(CompressSkinStream(BuildSkinPackage(messyFiles)), "without \"=\": no equals here");
}

} // namespace
