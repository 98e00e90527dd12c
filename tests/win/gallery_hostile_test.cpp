// Two hundred damaged skins chosen one after another in the running
// gallery, each painted on a different page: every one is either used or
// refused with the skin in force kept, nothing crashes, and going back to
// the stored skin leaves no handle behind.
#include "tests/win/gallery_support.h"
#include "tests/win/ui_window_support.h"

#include "tests/support/HostileSkins.h"

#include "gallery/GalleryForm.h"
#include "skin/load/MessageDialog.h"
#include "skin/load/WinSkinStore.h"
#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinData.h"
#include "skin/model/WinSkinDlg.h"
#include "ui/Handles.h"
#include "ui/PageControl.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

using gallerytest::Skinned;
using gallerytest::TempPath;
using hostile::HostileSkin;
using hostile::Kind;
using uitest::Pump;
using uitest::PumpUntil;

void Repaint()
{
    RedrawWindow(GalleryForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// The manager re-applies the skin to the windows it skins at once rather
// than after its delay, which the other gallery tests wait for.
void SettleSkin()
{
    if (TSkinManage* manager = SkinManager(); manager != nullptr && manager->PendingAction() != saNone)
        manager->RunPendingAction();
    Pump(20);
}

void PaintEveryPage()
{
    for (int page = 0; page < GalleryForm->Pages().PageCount(); ++page) {
        GalleryForm->ShowPage(page);
        Repaint();
        Pump(30);
    }
    GalleryForm->ShowPage(0);
    Repaint();
    Pump(30);
}

// The stored skin chosen by way of the other one, every page painted in
// each. A control makes its brush when it first paints in a colour and
// keeps it until the colour changes, and a damaged skin makes controls
// paint themselves where they would not; passing through another colour
// makes every control drop and remake its brush, so that the handles are
// counted in the same state before and after.
void ChooseCeladonAfresh()
{
    for (const char* name : {"墨", "瓷青"}) {
        ASSERT_EQ(GalleryForm->ChooseStoredSkin(name), "") << name;
        SettleSkin();
        PaintEveryPage();
    }
}

class GalleryHostileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ui::RegisterClasses({&TSkinStore::ClassInfo, &TSkinData::ClassInfo});
        Application->Initialize();
    }

    void SetUp() override
    {
        // A package of another version would ask the user; nobody answers here.
        previousDialog_ = SetMessageDialogHook([this](std::string_view) { ++dialogs_; });
        gallerytest::OpenGallery();
    }
    void TearDown() override
    {
        gallerytest::CloseGallery();
        SetMessageDialogHook(previousDialog_);
    }

    int dialogs_ = 0;
    TMessageDialogHook previousDialog_;
};

TEST_F(GalleryHostileTest, EveryDamagedSkinIsUsedOrRefusedAndTheWindowStaysWhole)
{
    const TSkinCollectionItem* item = GalleryForm->SkinStore1->Store()->Find("瓷青");
    ASSERT_NE(item, nullptr);
    const auto* first = reinterpret_cast<const std::uint8_t*>(item->Data().data());
    const std::vector<HostileSkin> skins =
        hostile::MakeHostileSkins(std::span<const std::uint8_t>(first, item->Data().size()), 20261209);
    ASSERT_EQ(skins.size(), 200u);

    const int pageCount = GalleryForm->Pages().PageCount();
    ChooseCeladonAfresh();
    const ui::HandleSnapshot before = ui::HandleSnapshot::Take();

    const ULONGLONG start = GetTickCount64();
    ULONGLONG choosing = 0;
    ULONGLONG settling = 0;
    std::map<Kind, int> applied;
    std::map<Kind, int> refused;
    int appliedTotal = 0;
    for (std::size_t i = 0; i < skins.size(); ++i) {
        const HostileSkin& skin = skins[i];
        SCOPED_TRACE(std::to_string(i) + ": " + skin.note);
        // The number in the file name tells an applied skin from the one before.
        const std::string file = TempPath("zel_hostile_" + std::to_string(i) + ".skin");
        {
            std::ofstream out(file, std::ios::binary);
            out.write(reinterpret_cast<const char*>(skin.stream.data()), static_cast<std::streamsize>(skin.stream.size()));
        }
        GalleryForm->ShowPage(static_cast<int>(i) % pageCount);
        const std::string nameBefore = GalleryForm->SkinName();
        const ULONGLONG chosen = GetTickCount64();
        const std::string reason = GalleryForm->ChooseSkinFile(file);
        const ULONGLONG settled = GetTickCount64();
        choosing += settled - chosen;
        std::remove(file.c_str());
        const bool used = reason.empty();
        if (used) {
            EXPECT_EQ(GalleryForm->SkinName(), "zel_hostile_" + std::to_string(i) + ".skin");
            SettleSkin();
        } else {
            EXPECT_EQ(GalleryForm->SkinName(), nameBefore);
            Pump(5);
        }
        settling += GetTickCount64() - settled;
        Repaint();
        Pump(5);
        EXPECT_TRUE(Skinned(GalleryForm->Handle())) << "still skinned";
        appliedTotal += used ? 1 : 0;
        for (const Kind kind : skin.kinds)
            ++(used ? applied : refused)[kind];
    }
    const ULONGLONG elapsed = GetTickCount64() - start;

    ChooseCeladonAfresh();
    EXPECT_EQ(ui::HandleSnapshot::Take(), before) << "no handle left behind by 200 skins";
    EXPECT_EQ(dialogs_, 0);

    std::printf("hostile skins: %d applied, %d refused, %llu ms (choosing %llu, settling %llu)\n", appliedTotal,
                static_cast<int>(skins.size()) - appliedTotal, static_cast<unsigned long long>(elapsed),
                static_cast<unsigned long long>(choosing), static_cast<unsigned long long>(settling));
    for (int k = 0; k < hostile::kKindCount; ++k) {
        const auto kind = static_cast<Kind>(k);
        std::printf("  %-20s applied %3d refused %3d\n", std::string(hostile::KindName(kind)).c_str(), applied[kind],
                    refused[kind]);
    }
    RecordProperty("applied", appliedTotal);
    RecordProperty("milliseconds", static_cast<int>(elapsed));
    EXPECT_GT(appliedTotal, 0);
    EXPECT_EQ(applied[Kind::Empty] + applied[Kind::TruncatedHeader], 0) << "nothing to apply";
}

} // namespace
