// What a skin bitmap is for, as the engine will use it: the element that
// names it, how many frames it holds, whether they are stacked, and what
// each frame shows. The contact sheet labels its pictures with this.
#pragma once

#include "skin/load/WinSkinIni.h"

#include <string>
#include <string_view>
#include <vector>

struct SheetRole {
    std::string element;              // e.g. "[Buttons] push button"
    int frames = 1;
    bool stacked = false;             // frames one below the other
    std::vector<std::string> labels;  // one per frame
};

// Every use the description makes of the bitmap (usually one). Unknown
// bitmaps get one role with a single unlabelled frame.
std::vector<SheetRole> RolesOf(const TQuickIni& description, std::string_view bitmapName, int width,
                               int height);
