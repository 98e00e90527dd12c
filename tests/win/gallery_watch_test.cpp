// The skin author's loop: the gallery started on an unpacked skin folder,
// reloading it as its files are edited, keeping the skin in force while the
// folder is broken and saying why in the status bar, and leaving no handles
// behind over many reloads.
#include "tests/win/gallery_support.h"
#include "tests/win/ui_window_support.h"

#include "gallery/GalleryForm.h"
#include "gallery/SkinWatch.h"
#include "skin/load/WinSkinStore.h"
#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinData.h"
#include "ui/Handles.h"
#include "ui/StatusBar.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using gallerytest::Skinned;
namespace fs = std::filesystem;
using uitest::Pump;
using uitest::PumpUntil;

// The default skin's folder as the build leaves it.
fs::path BuiltSkinFolder()
{
    const char* binary = std::getenv("ZEL_BINARY_DIR");
    if (binary == nullptr)
        return {};
    std::string path(binary);
    // A Unix path from the test runner names the same place on Wine's Z: drive.
    if (path.starts_with("/"))
        path.insert(0, "Z:");
    return fs::path(path) / "skins" / "default";
}

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// The description with one line of [Colours] given another value.
std::string WithColour(std::string description, const std::string& key, const std::string& value)
{
    const std::string line = "\n" + key + "=";
    const std::size_t at = description.find(line);
    if (at == std::string::npos)
        return description;
    const std::size_t start = at + line.size();
    description.replace(start, description.find_first_of("\r\n", start) - start, value);
    return description;
}

std::string StatusText(int panel) { return GalleryForm->StatusBar().Panels().Items(panel)->Text(); }

class GalleryWatchTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ui::RegisterClasses({&TSkinStore::ClassInfo, &TSkinData::ClassInfo});
        Application->Initialize();
    }

    void SetUp() override
    {
        const fs::path built = BuiltSkinFolder();
        ASSERT_TRUE(fs::exists(built / "skin.ini")) << built;
        folder_ = fs::path(gallerytest::TempPath("zel_watch_" + std::to_string(GetCurrentProcessId())));
        fs::remove_all(folder_);
        fs::copy(built, folder_);
        description_ = ReadText(folder_ / "skin.ini");
        ASSERT_NE(WithColour(description_, "ButtonFace", "1 2 3"), description_);

        Application->CreateForm(GalleryForm);
        GalleryForm->Show();
        ASSERT_TRUE(PumpUntil([] { return Skinned(GalleryForm->Handle()); }));
        ASSERT_EQ(GalleryForm->WatchSkinFolder(folder_.string()), "");
        ASSERT_NE(GalleryForm->SkinWatch(), nullptr);
        Pump(200);
    }
    void TearDown() override
    {
        delete GalleryForm;
        GalleryForm = nullptr;
        Pump(10);
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    void SetButtonFace(const std::string& value) const
    {
        WriteText(folder_ / "skin.ini", WithColour(description_, "ButtonFace", value));
    }
    // Two looks at the folder: a change that held still is reloaded.
    static void PollTwice()
    {
        GalleryForm->SkinWatch()->Poll();
        GalleryForm->SkinWatch()->Poll();
    }
    static TColor ButtonFace() { return GalleryForm->SkinData1->ButtonFaceColour; }

    fs::path folder_;
    std::string description_;
};

TEST_F(GalleryWatchTest, TheFolderIsPackedInMemoryAndAnEditReachesTheWindowsByItself)
{
    EXPECT_EQ(GalleryForm->SkinName(), folder_.filename().string());
    EXPECT_EQ(StatusText(0), "皮肤：" + folder_.filename().string());
    EXPECT_EQ(ButtonFace(), static_cast<TColor>(RGB(242, 244, 238))) << "the value the folder's description holds";
    EXPECT_TRUE(Skinned(GalleryForm->Handle()));

    SetButtonFace("200 40 40");
    EXPECT_TRUE(PumpUntil([] { return ButtonFace() == static_cast<TColor>(RGB(200, 40, 40)); }, 4000))
        << "the timer noticed the edit and reloaded";
    EXPECT_EQ(GalleryForm->SkinWatch()->Reloads(), 1);
    EXPECT_EQ(StatusText(1), "皮肤文件夹已重新载入");
    EXPECT_TRUE(Skinned(GalleryForm->Handle()));
    Pump(1200);
    EXPECT_EQ(GalleryForm->SkinWatch()->Reloads(), 1) << "an unchanged folder is not loaded again";
}

TEST_F(GalleryWatchTest, AChangeIsReloadedOnlyOnceItHeldStillForAPoll)
{
    for (int i = 0; i < 3; ++i)
        GalleryForm->SkinWatch()->Poll();
    EXPECT_EQ(GalleryForm->SkinWatch()->Reloads(), 0);

    // An editor saving in two steps: first a cut-off file, then the whole one.
    const std::string edited = WithColour(description_, "ButtonFace", "10 120 200");
    WriteText(folder_ / "skin.ini", edited.substr(0, edited.size() / 2));
    GalleryForm->SkinWatch()->Poll();
    WriteText(folder_ / "skin.ini", edited);
    GalleryForm->SkinWatch()->Poll();
    EXPECT_EQ(GalleryForm->SkinWatch()->Reloads(), 0) << "still changing";
    GalleryForm->SkinWatch()->Poll();
    EXPECT_EQ(GalleryForm->SkinWatch()->Reloads(), 1);
    EXPECT_EQ(ButtonFace(), static_cast<TColor>(RGB(10, 120, 200))) << "the whole file, not the cut-off one";

    // Saved again at once, the same size: within the second the write time may not move.
    SetButtonFace("10 120 201");
    PollTwice();
    EXPECT_EQ(GalleryForm->SkinWatch()->Reloads(), 2);
    EXPECT_EQ(ButtonFace(), static_cast<TColor>(RGB(10, 120, 201)));
}

TEST_F(GalleryWatchTest, ABrokenFolderLeavesTheSkinInForceAndTheStatusBarSaysWhy)
{
    SetButtonFace("90 90 30");
    PollTwice();
    ASSERT_EQ(ButtonFace(), static_cast<TColor>(RGB(90, 90, 30)));
    const std::string skinState = StatusText(0);

    // A bitmap the order file names is gone.
    const std::string bitmap = ReadText(folder_ / "tab.bmp");
    fs::remove(folder_ / "tab.bmp");
    PollTwice();
    EXPECT_NE(StatusText(1).find("tab.bmp"), std::string::npos) << StatusText(1);
    EXPECT_EQ(StatusText(0), skinState);
    EXPECT_EQ(ButtonFace(), static_cast<TColor>(RGB(90, 90, 30)));
    EXPECT_TRUE(Skinned(GalleryForm->Handle()));
    GalleryForm->ShowPage(1);
    EXPECT_NE(StatusText(1).find("tab.bmp"), std::string::npos) << "the reason stays while the folder is broken";
    const int reloads = GalleryForm->SkinWatch()->Reloads();
    PollTwice();
    EXPECT_EQ(GalleryForm->SkinWatch()->Reloads(), reloads) << "a broken folder is not tried again until it changes";

    // The description is saved under another name: the order file names one that is not there.
    WriteText(folder_ / "tab.bmp", bitmap);
    fs::rename(folder_ / "skin.ini", folder_ / "skin.ini.bak");
    PollTwice();
    EXPECT_NE(StatusText(1).find("skin.ini"), std::string::npos) << StatusText(1);
    EXPECT_EQ(ButtonFace(), static_cast<TColor>(RGB(90, 90, 30)));

    fs::rename(folder_ / "skin.ini.bak", folder_ / "skin.ini");
    SetButtonFace("30 90 90");
    PollTwice();
    EXPECT_EQ(ButtonFace(), static_cast<TColor>(RGB(30, 90, 90)));
    EXPECT_EQ(StatusText(1), "皮肤文件夹已重新载入");
    GalleryForm->ShowPage(2);
    EXPECT_EQ(StatusText(1).rfind("页面：", 0), 0u) << "the page again once the folder loads: " << StatusText(1);

    // Another skin chosen ends the watch: a later save does not replace it.
    fs::remove(folder_ / "tab.bmp");
    PollTwice();
    ASSERT_NE(StatusText(1).find("tab.bmp"), std::string::npos);
    ASSERT_EQ(GalleryForm->ChooseStoredSkin("墨"), "");
    EXPECT_EQ(GalleryForm->SkinWatch(), nullptr);
    EXPECT_EQ(StatusText(1).rfind("页面：", 0), 0u) << StatusText(1);
}

TEST_F(GalleryWatchTest, ManyReloadsLeaveNoHandlesBehind)
{
    const auto reload = [this](const std::string& value) {
        SetButtonFace(value);
        PollTwice();
        Pump(300);
        RedrawWindow(GalleryForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump(200);
    };
    reload("1 2 3");
    reload("4 5 6");
    const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    for (int i = 0; i < 4; ++i) {
        reload("200 40 40");
        reload("4 5 6");
    }
    EXPECT_EQ(GalleryForm->SkinWatch()->Reloads(), 10);
    EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
}

} // namespace
