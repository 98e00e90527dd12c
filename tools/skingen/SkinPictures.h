// The default skin's files: the pictures by entry name, the description,
// and the package order of all of them.
#pragma once

#include "tools/skingen/Raster.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace skingen {

using PictureSet = std::map<std::string, Image24, std::less<>>;

// Each adds the pictures of one part of the look.
void AddChromePictures(PictureSet& pictures);   // window frame, caption and MDI buttons
void AddControlPictures(PictureSet& pictures);  // buttons, boxes, tabs, progress, spin, track
void AddMenuPictures(PictureSet& pictures);     // menu background and items
void AddScrollPictures(PictureSet& pictures);   // scroll bar arrows, tracks, thumbs

// The skin description (INI text, CR LF line ends).
std::string DescribeSkin();

inline constexpr std::string_view DESCRIPTION_NAME = "skin.ini";

// The bitmap entries in package order; the description follows them.
inline constexpr std::array<std::string_view, 34> BITMAP_ORDER = {
    "buttons.bmp",         "checkbox.bmp",        "radiobutton.bmp",    "progress.bmp",
    "progresschunk.bmp",   "tab.bmp",             "tabsheet.bmp",       "comboboxbtn.bmp",
    "statusbar.bmp",       "header.bmp",          "scrollbararrow.bmp", "scrollbarhthumb.bmp",
    "scrollbarvthumb.bmp", "scrollbarhbar.bmp",   "scrollbarvbar.bmp",  "menubackground.bmp",
    "menuitem.bmp",        "extraimages.bmp",     "trackthumbh.bmp",    "trackbot.bmp",
    "mdibutton.bmp",       "spin.bmp",            "spinarrow.bmp",      "spinh.bmp",
    "spinharrow.bmp",      "closebutton.bmp",     "maxbutton.bmp",      "minbutton.bmp",
    "restrorebutton.bmp",  "frameleft.bmp",       "frameright.bmp",     "frametop.bmp",
    "framebottom.bmp",     "mincaption.bmp",
};

struct SkinFile {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

// All 35 files in package order. Throws when a picture is missing or extra.
std::vector<SkinFile> BuildDefaultSkin();

}  // namespace skingen
