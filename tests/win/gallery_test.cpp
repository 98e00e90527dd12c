// The gallery as its user meets it: every control of every page skinned,
// skins chosen from the store by name or from a file, refused skins leaving
// the current one in force, skinning switched off and on, and the
// screenshot mode writing a picture per page and state.
#include "tests/win/gallery_support.h"
#include "tests/win/ui_window_support.h"

#include "gallery/GalleryForm.h"
#include "gallery/GalleryPages.h"
#include "gallery/GalleryShoot.h"
#include "gallery/SkinSwitch.h"
#include "skin/load/WinSkinStore.h"
#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinData.h"
#include "ui/ExtCtrls.h"
#include "ui/Handles.h"
#include "ui/PageControl.h"
#include "ui/StatusBar.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using gallerytest::Skinned;
using gallerytest::TempPath;
using uitest::Pump;
using uitest::PumpUntil;

COLORREF CaptionPixel()
{
    RECT rect{};
    GetWindowRect(GalleryForm->Handle(), &rect);
    const HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, rect.left + 60, rect.top + 8);
    ReleaseDC(nullptr, screen);
    return colour;
}

class GalleryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ui::RegisterClasses({&TSkinStore::ClassInfo, &TSkinData::ClassInfo});
        Application->Initialize();
    }

    void SetUp() override
    {
        gallerytest::OpenGallery();
    }
    void TearDown() override { gallerytest::CloseGallery(); }
};

TEST_F(GalleryTest, EveryPageHoldsItsControlsAndTheyAreSkinned)
{
    TPageControl& pages = GalleryForm->Pages();
    ASSERT_EQ(pages.PageCount(), static_cast<int>(std::size(gallery::kPageCaptions)));
    for (int i = 0; i < pages.PageCount(); ++i) {
        GalleryForm->ShowPage(i);
        Pump(100);
        TTabSheet& page = *pages.Pages(i);
        EXPECT_EQ(page.Caption(), gallery::kPageCaptions[i]);
        EXPECT_GE(page.ControlCount(), 6) << page.Caption();
        int windows = 0;
        int skinned = 0;
        for (int c = 0; c < page.ControlCount(); ++c) {
            auto* control = ui::As<TWinControl>(page.Controls(c));
            // Panels are recoloured without standing in front of their messages.
            if (control == nullptr || ui::As<TCustomPanel>(control) != nullptr)
                continue;
            ++windows;
            skinned += Skinned(control->Handle()) ? 1 : 0;
        }
        EXPECT_GT(windows, 0);
        EXPECT_GE(skinned * 10, windows * 8) << "most controls of page " << page.Caption() << " are skinned";
    }
    EXPECT_EQ(GalleryForm->StatusBar().Panels().Items(1)->Text(), std::string("页面：") + std::string(gallery::kPageCaptions[4]));
}

TEST_F(GalleryTest, SkinsAreChosenByNameOrFileAndARefusedOneLeavesTheSkinInForce)
{
    const std::vector<std::string> names = gallery::StoredSkinNames(*GalleryForm->SkinStore1);
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(GalleryForm->ChooseStoredSkin(names.front()), "");
    EXPECT_EQ(GalleryForm->SkinName(), names.front());
    EXPECT_NE(GalleryForm->ChooseStoredSkin("不存在"), "");

    RedrawWindow(GalleryForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    Pump(300);
    const COLORREF before = CaptionPixel();
    const std::string broken = TempPath("zel_gallery_broken.skin");
    {
        std::ofstream file(broken, std::ios::binary);
        file << "这不是皮肤";
    }
    const std::string reason = GalleryForm->ChooseSkinFile(broken);
    EXPECT_NE(reason.find("保持不变"), std::string::npos) << reason;
    EXPECT_NE(GalleryForm->ChooseSkinFile(TempPath("zel_gallery_missing.skin")), "");
    EXPECT_EQ(GalleryForm->SkinName(), names.front());
    RedrawWindow(GalleryForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    Pump(300);
    EXPECT_EQ(CaptionPixel(), before) << "the skin in force still paints the frame";
    std::remove(broken.c_str());

    // The store's skin written out is a skin file like any other.
    const TSkinCollectionItem* item = GalleryForm->SkinStore1->Store()->Find(names.front());
    ASSERT_NE(item, nullptr);
    const std::string good = TempPath("zel_gallery_good.skin");
    {
        std::ofstream file(good, std::ios::binary);
        file.write(reinterpret_cast<const char*>(item->Data().data()), static_cast<std::streamsize>(item->Data().size()));
    }
    EXPECT_EQ(GalleryForm->ChooseSkinFile(good), "");
    EXPECT_EQ(GalleryForm->SkinName(), "zel_gallery_good.skin");
    std::remove(good.c_str());
}

TEST_F(GalleryTest, BothStoredSkinsRepaintTheWindowAndSwitchingLeavesNoHandles)
{
    const std::vector<std::string> names = gallery::StoredSkinNames(*GalleryForm->SkinStore1);
    ASSERT_EQ(names, (std::vector<std::string>{"瓷青", "墨"}));
    const auto captionAfter = [](const std::string& name) {
        EXPECT_EQ(GalleryForm->ChooseStoredSkin(name), "") << name;
        Pump(600);
        RedrawWindow(GalleryForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
        Pump(200);
        return CaptionPixel();
    };
    const COLORREF celadon = captionAfter("瓷青");
    const COLORREF ink = captionAfter("墨");
    EXPECT_NE(celadon, ink);
    EXPECT_LT(GetRValue(ink) + GetGValue(ink) + GetBValue(ink), 3 * 80) << "Ink's caption is dark";
    EXPECT_TRUE(GalleryForm->SkinActiveItem->Checked());
    const ui::HandleSnapshot handles = ui::HandleSnapshot::Take();
    for (int i = 0; i < 10; ++i) {
        captionAfter("瓷青");
        captionAfter("墨");
    }
    EXPECT_EQ(captionAfter("瓷青"), celadon);
    captionAfter("墨");
    EXPECT_EQ(ui::HandleSnapshot::Take(), handles);
}

TEST_F(GalleryTest, SkinningSwitchedOffAndOnAgain)
{
    const HWND button = ui::As<TWinControl>(GalleryForm->Pages().Pages(0)->Controls(0))->Handle();
    ASSERT_TRUE(Skinned(button));
    GalleryForm->SetSkinning(false);
    EXPECT_TRUE(PumpUntil([] { return !Skinned(GalleryForm->Handle()); }));
    EXPECT_TRUE(PumpUntil([button] { return !Skinned(button); }));
    EXPECT_FALSE(GalleryForm->SkinActiveItem->Checked());
    EXPECT_EQ(GalleryForm->StatusBar().Panels().Items(0)->Text(), "未用皮肤");
    GalleryForm->SetSkinning(true);
    EXPECT_TRUE(PumpUntil([] { return Skinned(GalleryForm->Handle()); }));
    EXPECT_TRUE(PumpUntil([button] { return Skinned(button); })) << "the controls too";
}

TEST_F(GalleryTest, TheScreenshotModeWritesAPicturePerPageAndState)
{
    const std::string directory = TempPath("zel_gallery_shots");
    CreateDirectoryA(directory.c_str(), nullptr);
    const std::vector<std::string> files = gallery::ShootGallery(*GalleryForm, directory);
    std::vector<std::string> expected;
    for (std::size_t i = 1; i <= std::size(gallery::kPageCaptions); ++i)
        expected.push_back("page" + std::to_string(i));
    for (const char* state : {"hot", "pressed", "focused", "disabled", "menu-file", "menu-view", "mdi",
                              "mdi-maximised", "unskinned"})
        expected.push_back(state);
    ASSERT_EQ(files.size(), expected.size());
    for (std::size_t i = 0; i < files.size(); ++i)
        EXPECT_EQ(files[i], directory + "\\" + expected[i] + ".png");
    EXPECT_EQ(GalleryForm->MdiFrame(), nullptr) << "the MDI window is closed again";
    EXPECT_TRUE(GalleryForm->Pages().Pages(0)->Controls(0)->Enabled()) << "the disabled controls are enabled again";
    for (const std::string& name : files) {
        std::ifstream file(name, std::ios::binary);
        char signature[8]{};
        file.read(signature, sizeof signature);
        EXPECT_EQ(std::string(signature + 1, 3), "PNG") << name;
        std::remove(name.c_str());
    }
    RemoveDirectoryA(directory.c_str());
    EXPECT_TRUE(Skinned(GalleryForm->Handle())) << "skinned again afterwards";
}

} // namespace
