// What the gallery's tests share: whether the engine skins a window, and
// names in the temporary folder.
#pragma once

#include "skin/model/SkinMessages.h"

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

} // namespace gallerytest
