// Skinning off gives back the system's own look, pixel for pixel, on every
// page of the gallery: the same window in a run that was never skinned looks
// the same. Skinning on again gives the first skinned run's pixels.
#include "tests/win/gallery_support.h"
#include "tests/win/skin_window_support.h"
#include "tests/win/ui_window_support.h"

#include "gallery/GalleryForm.h"
#include "skin/load/WinSkinStore.h"
#include "skin/model/SkinMessages.h"
#include "skin/model/WinSkinData.h"
#include "skin/model/WinSkinDlg.h"
#include "ui/Bitmap.h"
#include "ui/DateTimePicker.h"
#include "ui/Handles.h"
#include "ui/PageControl.h"
#include "ui/PngWriter.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using gallerytest::Skinned;
using uitest::Pump;
using uitest::PumpUntil;

using Shot = std::unique_ptr<TBitmap>;

// The window as the screen shows it, once everything has painted.
Shot Take(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(200);
    return skinwin::ScreenOf(window);
}

// How many pixels two shots differ in (-1 for different sizes). When they
// differ and differing is unexpected, both go to the temporary folder for a
// person to look at.
int Differences(const Shot& expected, const Shot& actual, const std::string& name = {})
{
    int different = -1;
    if (expected->Width() == actual->Width() && expected->Height() == actual->Height()) {
        different = 0;
        for (int y = 0; y < expected->Height(); ++y) {
            for (int x = 0; x < expected->Width(); ++x)
                different += skintest::PixelOf(*expected, x, y) != skintest::PixelOf(*actual, x, y) ? 1 : 0;
        }
    }
    if (different != 0 && !name.empty()) {
        ui::SavePng(*expected, gallerytest::TempPath("zel_gallery_" + name + "-expected.png"));
        ui::SavePng(*actual, gallerytest::TempPath("zel_gallery_" + name + "-actual.png"));
    }
    return different;
}

void ShowPage(int index)
{
    GalleryForm->ShowPage(index);
    // No control holds the focus, so no caret blinks and no focus mark shows.
    SetFocus(GalleryForm->Handle());
    Pump(100);
}

// The pickers show the time they were made at; every run shows the same one.
void StopTheClock(TWinControl& parent)
{
    for (int i = 0; i < parent.ControlCount(); ++i) {
        if (auto* picker = ui::As<TDateTimePicker>(parent.Controls(i)))
            picker->SetDateTime(46000.5);
        else if (auto* inner = ui::As<TWinControl>(parent.Controls(i)))
            StopTheClock(*inner);
    }
}

std::vector<Shot> EveryPage()
{
    StopTheClock(*GalleryForm);
    std::vector<Shot> shots;
    for (int i = 0; i < GalleryForm->Pages().PageCount(); ++i) {
        ShowPage(i);
        shots.push_back(Take(GalleryForm->Handle()));
    }
    return shots;
}

void StartGallery(bool skinned)
{
    Application->CreateForm(GalleryForm);
    if (!skinned)
        GalleryForm->SkinData1->SetActive(false);
    GalleryForm->Show();
    SetForegroundWindow(GalleryForm->Handle());
    SetCursorPos(0, 0);
    if (skinned) {
        ASSERT_TRUE(PumpUntil([] { return Skinned(GalleryForm->Handle()); }));
    }
    Pump(300);
}

void CloseGallery()
{
    gallerytest::CloseGallery();
    FreeSkinManager();
}

TEST(GalleryPixels, SkinningOffLooksAsNeverSkinnedAndOnAgainAsTheFirstTime)
{
    ui::RegisterClasses({&TSkinStore::ClassInfo, &TSkinData::ClassInfo});
    Application->Initialize();

    StartGallery(false);
    ASSERT_FALSE(Skinned(GalleryForm->Handle()));
    const std::vector<Shot> plain = EveryPage();
    CloseGallery();

    StartGallery(true);
    const std::vector<Shot> skinned = EveryPage();
    GalleryForm->SetSkinning(false);
    ASSERT_TRUE(PumpUntil([] { return !Skinned(GalleryForm->Handle()); }));
    Pump(300);
    const std::vector<Shot> off = EveryPage();
    GalleryForm->SetSkinning(true);
    ASSERT_TRUE(PumpUntil([] { return Skinned(GalleryForm->Handle()); }));
    Pump(300);
    const std::vector<Shot> on = EveryPage();
    CloseGallery();

    ASSERT_EQ(plain.size(), off.size());
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const std::string page = "page" + std::to_string(i + 1);
        EXPECT_EQ(Differences(plain[i], off[i], page + "-off"), 0) << page << " with skinning off";
        EXPECT_EQ(Differences(skinned[i], on[i], page + "-on"), 0) << page << " with skinning on again";
        EXPECT_NE(Differences(plain[i], skinned[i]), 0) << page << " skinned does not look plain";
    }
}

} // namespace
