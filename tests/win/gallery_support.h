// What the gallery's tests share: the gallery opened skinned and closed
// again, whether the engine skins a window, and names in the temporary folder.
#pragma once

#include "tests/win/ui_window_support.h"

#include "gallery/GalleryForm.h"
#include "skin/model/SkinMessages.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace gallerytest {

inline bool Skinned(HWND window) { return SendMessageA(window, SKM_ISSKINNED, 0, 0) == 1; }

inline std::string TempPath(const std::string& name)
{
    char directory[MAX_PATH]{};
    GetTempPathA(MAX_PATH, directory);
    return std::string(directory) + name;
}

inline void OpenGallery()
{
    Application->CreateForm(GalleryForm);
    GalleryForm->Show();
    ASSERT_TRUE(uitest::PumpUntil([] { return Skinned(GalleryForm->Handle()); }));
    uitest::Pump(200);
}

inline void CloseGallery()
{
    delete GalleryForm;
    GalleryForm = nullptr;
    uitest::Pump(10);
}

} // namespace gallerytest
