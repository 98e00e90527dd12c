// Skinning off gives back the system's own look, pixel for pixel, on every
// page of the gallery: the same window in a run that was never skinned looks
// the same. Skinning on again gives the first skinned run's pixels.
#include "tests/win/gallery_support.h"
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

#include <string>
#include <vector>

namespace {

using gallerytest::Skinned;
using uitest::Pump;
using uitest::PumpUntil;

struct Shot {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
};

// The window as the screen shows it, once everything has painted.
Shot Take(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(300);
    RECT rect{};
    GetWindowRect(window, &rect);
    Shot shot{rect.right - rect.left, rect.bottom - rect.top, {}};
    TBitmap picture(shot.width, shot.height);
    const ui::UniqueWindowDC screen = ui::UniqueWindowDC::Whole(nullptr);
    BitBlt(picture.Canvas().Handle(), 0, 0, shot.width, shot.height, screen.get(), rect.left, rect.top, SRCCOPY);
    shot.pixels.reserve(static_cast<std::size_t>(shot.width) * static_cast<std::size_t>(shot.height));
    for (int y = 0; y < shot.height; ++y) {
        for (int x = 0; x < shot.width; ++x)
            shot.pixels.push_back(GetPixel(picture.Canvas().Handle(), x, y));
    }
    return shot;
}

void Save(const Shot& shot, const std::string& name)
{
    TBitmap picture(shot.width, shot.height);
    for (int y = 0; y < shot.height; ++y) {
        for (int x = 0; x < shot.width; ++x)
            SetPixel(picture.Canvas().Handle(), x, y, shot.pixels[static_cast<std::size_t>(y * shot.width + x)]);
    }
    ui::SavePng(picture, gallerytest::TempPath("zel_gallery_" + name + ".png"));
}

// How many pixels two shots differ in (-1 for different sizes). When they
// differ and differing is unexpected, both go to the temporary folder for a
// person to look at.
int Differences(const Shot& expected, const Shot& actual, const std::string& name = {})
{
    int different = -1;
    if (expected.width == actual.width && expected.height == actual.height) {
        different = 0;
        for (std::size_t i = 0; i < expected.pixels.size(); ++i)
            different += expected.pixels[i] != actual.pixels[i] ? 1 : 0;
    }
    if (different != 0 && !name.empty()) {
        Save(expected, name + "-expected");
        Save(actual, name + "-actual");
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
    delete GalleryForm;
    GalleryForm = nullptr;
    FreeSkinManager();
    Pump(50);
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
